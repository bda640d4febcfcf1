// The hall in one SQLite file, in WAL mode: nothing to set up, one server at a time.
#pragma once

#include <memory>
#include <string>

#include "hall/hall_store.h"

std::unique_ptr<HallStore> OpenSqliteStore(const std::string& path);
