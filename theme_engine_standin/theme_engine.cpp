// The stand-in theme engine: serves "TaskbarPearl" from the theme named in
// standin-theme.txt beside this DLL, logs every call, and dumps every part's
// bitmap when loaded and again when the process ends.

#include <windows.h>
#include <uxtheme.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

#include "testing/part_dump.h"
#include "theme_engine_standin/engine_files.h"
#include "theme_engine_standin/part_objects.h"
#include "theme_engine_standin/theme_table.h"

// Exported under the platform's names by uxtheme.def; the mingw-w64 header
// declares those names dllimport, so the definitions carry names of their own.
extern "C" HTHEME WINAPI StandinOpenThemeDataForDpi(HWND window, LPCWSTR classList, UINT dpi);
extern "C" HRESULT WINAPI StandinGetThemeBitmap(HTHEME theme, int partId, int stateId, int propertyId,
                                                ULONG flags, HBITMAP* bitmap);
extern "C" HRESULT WINAPI StandinCloseThemeData(HTHEME theme);

static_assert(std::is_same_v<decltype(&StandinOpenThemeDataForDpi), decltype(&OpenThemeDataForDpi)>);
static_assert(std::is_same_v<decltype(&StandinGetThemeBitmap), decltype(&GetThemeBitmap)>);
static_assert(std::is_same_v<decltype(&StandinCloseThemeData), decltype(&CloseThemeData)>);

namespace {

constexpr wchar_t kPearlClass[] = L"TaskbarPearl";
constexpr std::string_view kReplayPrefix = "replay ";
const HRESULT kPartNotFound = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
// Theme handles are made-up values, never pointers, so a caller that dereferences one crashes.
constexpr std::uintptr_t kFirstThemeHandle = 0x7E570001;

/// What one part's handle was at load, to tell at exit whether a non-bitmap
/// object the program was given got altered.
struct PartState {
  HGDIOBJ object = nullptr;
  bool bitmapAtLoad = false;
  std::vector<std::uint8_t> objectBytesAtLoad;
};

/// A bitmap handed out through a theme handle, for themes that free it on close.
struct HandedOutBitmap {
  std::uintptr_t theme;
  HGDIOBJ bitmap;
};

// The engine's state lives as long as the DLL: a stand-in may keep what it must.
struct Engine {
  SRWLOCK lock = SRWLOCK_INIT;
  std::wstring directory;
  HANDLE log = INVALID_HANDLE_VALUE;
  bool servesPearlClass = false;
  bool freesBitmapsOnClose = false;
  std::vector<HandedOutBitmap> handedOut;
  std::array<PartState, kPartCount> parts;
  std::vector<std::uintptr_t> openThemes;
  std::uintptr_t nextTheme = kFirstThemeHandle;
};

Engine* engine = nullptr;

std::string Format(const char* format, auto... values) {
  char line[512];
  std::snprintf(line, sizeof line, format, values...);
  return line;
}

std::vector<std::uint8_t> ObjectBytes(HGDIOBJ object) {
  std::vector<std::uint8_t> bytes(256, 0);
  const int filled = object == nullptr ? 0 : GetObjectW(object, static_cast<int>(bytes.size()), bytes.data());
  bytes.resize(static_cast<std::size_t>(std::max(filled, 0)));
  return bytes;
}

std::wstring DumpPath(std::int32_t partId, bool after) {
  return engine->directory + Widen(PartDumpFileName(partId, after));
}

/// Parts rebuilt from the after-dumps of an earlier run in `directory`, so a
/// second run starts from exactly what the first one left.
void LoadReplayParts(const std::string& directory) {
  std::wstring base = Widen(directory);
  if (!base.empty() && base.back() != L'\\' && base.back() != L'/') {
    base += L'\\';
  }
  engine->servesPearlClass = true;
  for (std::int32_t part = 1; part <= kPartCount; ++part) {
    const auto bytes = ReadWholeFile(base + Widen(PartDumpFileName(part, true)));
    const auto dump = bytes ? DecodePartDump(*bytes) : std::nullopt;
    if (dump) {
      engine->parts[static_cast<std::size_t>(part - 1)].object = CreateBitmapFromDump(*dump);
    }
  }
}

void LoadTheme(const std::string& name) {
  if (name.rfind(kReplayPrefix, 0) == 0) {
    LoadReplayParts(name.substr(kReplayPrefix.size()));
    return;
  }
  const ThemeRecipe* theme = FindTheme(name);
  if (theme == nullptr) {
    AppendLine(engine->log, "# unknown theme: \"" + name + "\"; serving nothing");
    return;
  }
  engine->servesPearlClass = theme->servesPearlClass;
  engine->freesBitmapsOnClose = theme->freesBitmapsOnClose;
  HGDIOBJ previous = nullptr;
  for (std::size_t i = 0; i < theme->parts.size(); ++i) {
    engine->parts[i].object = CreatePartObject(theme->parts[i], previous);
    previous = engine->parts[i].object;
  }
}

/// Writes part-N-before.dump or part-N-after.dump for every part that is a live
/// bitmap; other parts get notes in the log instead.
void DumpParts(bool after) {
  for (std::int32_t part = 1; part <= kPartCount; ++part) {
    PartState& state = engine->parts[static_cast<std::size_t>(part - 1)];
    const std::optional<PartDump> dump = ReadBitmapDump(state.object);
    if (dump) {
      if (!WriteWholeFile(DumpPath(part, after), EncodePartDump(*dump))) {
        AppendLine(engine->log, Format("# part id %d: could not write its dump", part));
      }
    } else if (state.bitmapAtLoad && after) {
      AppendLine(engine->log, Format("# part id %d: no longer a live bitmap at exit", part));
    } else if (state.object != nullptr && after && ObjectBytes(state.object) != state.objectBytesAtLoad) {
      AppendLine(engine->log, Format("# part id %d: non-bitmap object altered by the run", part));
    }
  }
}

void StartEngine(HMODULE module) {
  engine = new Engine;
  engine->directory = ModuleDirectory(module);
  engine->log = OpenLog(engine->directory + L"standin-calls.log");
  const std::string themeName = ReadFirstLine(engine->directory + L"standin-theme.txt");
  AppendLine(engine->log, "# theme: " + themeName);
  LoadTheme(themeName);
  // Dumps of an earlier run in this directory would pass for this run's.
  for (std::int32_t part = 1; part <= kPartCount; ++part) {
    DeleteFileW(DumpPath(part, false).c_str());
    DeleteFileW(DumpPath(part, true).c_str());
  }
  for (std::int32_t part = 1; part <= kPartCount; ++part) {
    PartState& state = engine->parts[static_cast<std::size_t>(part - 1)];
    state.objectBytesAtLoad = ObjectBytes(state.object);
    state.bitmapAtLoad = state.object != nullptr && GetObjectType(state.object) == OBJ_BITMAP;
    AppendLine(engine->log, Format("# part id %d: %s", part, DescribeObject(state.object).c_str()));
  }
  DumpParts(false);
}

void StopEngine() {
  DumpParts(true);
  AppendLine(engine->log, "# process detached");
  CloseHandle(engine->log);
  engine->log = INVALID_HANDLE_VALUE;
}

bool IsOpenTheme(HTHEME theme) {
  const auto value = reinterpret_cast<std::uintptr_t>(theme);
  return std::find(engine->openThemes.begin(), engine->openThemes.end(), value) != engine->openThemes.end();
}

}  // namespace

extern "C" HTHEME WINAPI StandinOpenThemeDataForDpi(HWND window, LPCWSTR classList, UINT dpi) {
  AcquireSRWLockExclusive(&engine->lock);
  HTHEME theme = nullptr;
  if (engine->servesPearlClass && classList != nullptr &&
      CompareStringOrdinal(classList, -1, kPearlClass, -1, TRUE) == CSTR_EQUAL) {
    theme = reinterpret_cast<HTHEME>(engine->nextTheme);
    engine->openThemes.push_back(engine->nextTheme++);
  }
  AppendLine(engine->log, Format("OpenThemeDataForDpi hwnd=%p class=\"%s\" dpi=%u -> theme=%p", window,
                                 classList == nullptr ? "(null)" : Narrow(classList).c_str(), dpi, theme));
  ReleaseSRWLockExclusive(&engine->lock);
  return theme;
}

extern "C" HRESULT WINAPI StandinGetThemeBitmap(HTHEME theme, int partId, int stateId, int propertyId,
                                                ULONG flags, HBITMAP* bitmap) {
  AcquireSRWLockExclusive(&engine->lock);
  HRESULT result = S_OK;
  HBITMAP handedOut = nullptr;
  if (bitmap == nullptr) {
    result = E_POINTER;
  } else if (!IsOpenTheme(theme)) {
    result = E_HANDLE;
  } else if (flags != GBF_DIRECT) {
    result = E_INVALIDARG;  // only the engine's own bitmap is on offer
  } else if (partId < 1 || partId > kPartCount ||
             engine->parts[static_cast<std::size_t>(partId - 1)].object == nullptr) {
    result = kPartNotFound;
  } else {
    // Direct: the engine's own handle, the same on every call; the engine keeps it.
    handedOut = static_cast<HBITMAP>(engine->parts[static_cast<std::size_t>(partId - 1)].object);
    if (engine->freesBitmapsOnClose) {
      engine->handedOut.push_back({reinterpret_cast<std::uintptr_t>(theme), handedOut});
    }
  }
  if (bitmap != nullptr) {
    *bitmap = handedOut;
  }
  AppendLine(engine->log,
             Format("GetThemeBitmap theme=%p part=%d state=%d property=%d flags=%lu out=%p -> hr=0x%08lx bitmap=%p",
                    theme, partId, stateId, propertyId, flags, static_cast<void*>(bitmap),
                    static_cast<unsigned long>(result), handedOut));
  ReleaseSRWLockExclusive(&engine->lock);
  return result;
}

extern "C" HRESULT WINAPI StandinCloseThemeData(HTHEME theme) {
  AcquireSRWLockExclusive(&engine->lock);
  HRESULT result = E_HANDLE;
  const auto value = reinterpret_cast<std::uintptr_t>(theme);
  const auto found = std::find(engine->openThemes.begin(), engine->openThemes.end(), value);
  if (found != engine->openThemes.end()) {
    engine->openThemes.erase(found);
    result = S_OK;
    // Only a theme that frees on close keeps records; otherwise parts outlive the handle.
    std::erase_if(engine->handedOut, [value](const HandedOutBitmap& given) {
      if (given.theme != value) {
        return false;
      }
      DeleteObject(given.bitmap);
      return true;
    });
  }
  AppendLine(engine->log, Format("CloseThemeData theme=%p -> hr=0x%08lx", theme, static_cast<unsigned long>(result)));
  ReleaseSRWLockExclusive(&engine->lock);
  return result;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(module);
    StartEngine(module);
  } else if (reason == DLL_PROCESS_DETACH) {
    StopEngine();
  }
  return TRUE;
}
