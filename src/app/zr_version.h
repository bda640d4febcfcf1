// The game's version. The build may set ZR_VERSION from the project's own version;
// this is the one fallback.
#pragma once

#ifndef ZR_VERSION
#define ZR_VERSION "1.0.0"
#endif
