// OpenGL 1.1 and GLU, the only graphics API the game draws with.
#pragma once

#if defined(_WIN32)
// The Windows GL headers expect these from windows.h, which game code does not include.
#ifndef APIENTRY
#define APIENTRY __stdcall
#endif
#ifndef WINGDIAPI
#define WINGDIAPI __declspec(dllimport)
#endif
#ifndef CALLBACK
#define CALLBACK __stdcall
#endif
#endif

#include <GL/gl.h>
#include <GL/glu.h>

#if defined(__EMSCRIPTEN__)
// The browser's OpenGL is WebGL: the web backend's GL layer draws the game's calls over it.
#include "platform/web/gl_compat_names.h"
#endif
