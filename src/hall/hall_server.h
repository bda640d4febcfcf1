// The hall's HTTP face: submissions, the table, the kept games' demos, and the static
// pages (the hall's own and the browser build of the game).
#pragma once

#include "hall/hall_options.h"
#include "hall/hall_store_pool.h"
#include "hall/hall_workers.h"

// Serves until the process ends; false with a message when it cannot listen.
bool ServeHall(const HallOptions& options, HallStorePool& stores, HallWorkers& workers);
