// The program entry: opens the window, runs the game and reports what it cannot handle.
#pragma once

#include <exception>
#include <string>

// Runs the whole program; returns the process exit code (0, or 1 after an unhandled error).
int RunGame();

// The text of the report of an unhandled error.
std::string FormatErrorReport(const std::exception& error, const std::string& module);

// When the working directory holds no data/ but the executable's directory does, makes
// that the working directory, so a game started from elsewhere still finds its files.
void ChangeToGameDirectory(const std::string& executablePath);
