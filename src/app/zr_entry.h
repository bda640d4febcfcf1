// The program entry: opens the window, runs the game and reports what it cannot handle.
#pragma once

#include <exception>
#include <string>
#include <vector>

class ZrPassWatcher;

// Runs the whole program with the arguments after its name; returns the process exit
// code: 0, 1 after an unhandled error, 2 for a command line or a demo it cannot use, 3
// for a demo whose playback parted from its recording. A script, where a test gives one,
// sees every pass of the main loop.
int RunGame(const std::vector<std::string>& args, ZrPassWatcher* script = nullptr);

// The text of the report of an unhandled error.
std::string FormatErrorReport(const std::exception& error, const std::string& module);
