#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "windows_api_standin/standin_control.h"

/// Everything the stand-in serves and records, shared by its source files.
struct StandinState {
  std::map<std::int32_t, StandinPart> parts;
  std::vector<std::string> calls;
  bool themeOpens = true;
  std::uintptr_t themesOpened = 0;
  std::uintptr_t themesClosed = 0;
  bool failNextNothrowArrayAllocation = false;
  std::map<const void*, std::size_t> nothrowArrays;  // live ones, with their sizes
};

/// The one state of the process. It is never destroyed, so array releases made
/// by static destructors at exit still find it.
StandinState& Standin();
