// The XDG rule for a program's own data folder, apart from the environment it reads, so
// that every case can be tried without changing the process's environment.
#pragma once

#include <string>

// $XDG_DATA_HOME/<folder> when xdgDataHome is an absolute path; otherwise
// <home>/.local/share/<folder> when home is one; otherwise empty. Either may be null.
std::string XdgDataDir(const char* xdgDataHome, const char* home, const std::string& folder);
