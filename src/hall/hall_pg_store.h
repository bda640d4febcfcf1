// The hall in PostgreSQL: the same tables as in SQLite, shared by any number of servers,
// which take jobs from the queue with FOR UPDATE SKIP LOCKED.
#pragma once

#include <memory>
#include <string>

#include "hall/hall_store.h"

std::unique_ptr<HallStore> OpenPgStore(const std::string& address);
