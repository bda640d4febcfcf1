// The program entry: opens the window, runs the game and reports what it cannot handle.
#pragma once

#include <exception>
#include <string>
#include <vector>

// Runs the whole program with the arguments after its name; returns the process exit
// code: 0, 1 after an unhandled error, 2 for a command line it does not understand.
int RunGame(const std::vector<std::string>& args);

// The text of the report of an unhandled error.
std::string FormatErrorReport(const std::exception& error, const std::string& module);
