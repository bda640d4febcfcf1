// The game's version. The build sets ZR_VERSION from the project's version in
// CMakeLists.txt, the one place it is written.
#pragma once

#ifndef ZR_VERSION
#error "ZR_VERSION comes from project(VERSION) in CMakeLists.txt"
#endif
