#pragma once

// The repaint code's one door to the platform: the real Windows headers in the
// Windows build, the recording stand-in of the same few functions elsewhere.
#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <uxtheme.h>
#else
#include "windows_api_standin/windows_api.h"
#endif
