// The stand-in theme engine's own contract, checked in-process: the end-to-end
// verdicts are only as good as the engine behaving like the platform's.

#include <windows.h>
#include <uxtheme.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "end_to_end/run_directory.h"

namespace {

const std::filesystem::path kProgram = PEARL_REPAINT_EXE;
const std::filesystem::path kThemeEngine = PEARL_THEME_ENGINE_DLL;
const std::filesystem::path kRunsRoot = PEARL_END_TO_END_RUNS;

using OpenFunction = decltype(&OpenThemeDataForDpi);
using GetBitmapFunction = decltype(&GetThemeBitmap);
using CloseFunction = decltype(&CloseThemeData);

/// The stand-in loaded from a fresh run directory serving `theme`; unloaded
/// (which writes its after-dumps) when the fixture ends.
struct LoadedEngine {
  HMODULE module = nullptr;
  OpenFunction open = nullptr;
  GetBitmapFunction getBitmap = nullptr;
  CloseFunction close = nullptr;

  explicit LoadedEngine(const std::string& theme) {
    const std::filesystem::path directory = kRunsRoot / ("in-process-" + theme);
    PrepareRunDirectory(directory, kProgram, kThemeEngine, theme);
    module = LoadLibraryW((directory / L"uxtheme.dll").c_str());
    if (module != nullptr) {
      // GetProcAddress returns a generic pointer; the exports' true types are the platform's.
      open = reinterpret_cast<OpenFunction>(reinterpret_cast<void*>(GetProcAddress(module, "OpenThemeDataForDpi")));
      getBitmap = reinterpret_cast<GetBitmapFunction>(reinterpret_cast<void*>(GetProcAddress(module, "GetThemeBitmap")));
      close = reinterpret_cast<CloseFunction>(reinterpret_cast<void*>(GetProcAddress(module, "CloseThemeData")));
    }
  }
  ~LoadedEngine() {
    if (module != nullptr) {
      FreeLibrary(module);
    }
  }
  LoadedEngine(const LoadedEngine&) = delete;
  LoadedEngine& operator=(const LoadedEngine&) = delete;
  bool Loaded() const { return open != nullptr && getBitmap != nullptr && close != nullptr; }
};

HBITMAP const kUntouched = reinterpret_cast<HBITMAP>(std::uintptr_t{0x0BAD0BAD});

TEST(ThemeEngineStandin, DirectBitmapIsTheEnginesOwnAndOutlivesItsTheme) {
  LoadedEngine engine("demo");
  ASSERT_TRUE(engine.Loaded()) << "the stand-in (not Wine's own uxtheme) must load";
  HTHEME theme = engine.open(nullptr, L"TaskbarPearl", 96);
  ASSERT_NE(theme, nullptr);
  HBITMAP first = nullptr;
  HBITMAP second = nullptr;
  EXPECT_EQ(engine.getBitmap(theme, 1, 0, 0, GBF_DIRECT, &first), S_OK);
  EXPECT_EQ(engine.getBitmap(theme, 1, 0, 0, GBF_DIRECT, &second), S_OK);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(first, second) << "a direct bitmap is the engine's one handle, not a copy";
  EXPECT_EQ(engine.close(theme), S_OK);

  BITMAP description{};
  EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BITMAP)) << "still alive after CloseThemeData";
  ASSERT_EQ(GetObjectW(first, sizeof description, &description), static_cast<int>(sizeof description));
  EXPECT_EQ(description.bmWidth, 54);
  EXPECT_EQ(description.bmHeight, 162);
  EXPECT_EQ(description.bmBitsPixel, 32);
}

struct FailureCase {
  std::string name;
  std::string theme;
  // Makes the one failing call; `bitmap` starts as kUntouched.
  std::function<HRESULT(const LoadedEngine&, HBITMAP* bitmap)> call;
};

HTHEME OpenPearl(const LoadedEngine& engine) { return engine.open(nullptr, L"TaskbarPearl", 96); }

const std::vector<FailureCase> kFailureCases = {
    {"unknown class", "demo",
     [](const LoadedEngine& e, HBITMAP* bitmap) {
       return e.getBitmap(e.open(nullptr, L"Button", 96), 1, 0, 0, GBF_DIRECT, bitmap);
     }},
    {"class not served", "class-not-served",
     [](const LoadedEngine& e, HBITMAP* bitmap) { return e.getBitmap(OpenPearl(e), 1, 0, 0, GBF_DIRECT, bitmap); }},
    {"unknown theme name", "no-such-theme",
     [](const LoadedEngine& e, HBITMAP* bitmap) { return e.getBitmap(OpenPearl(e), 1, 0, 0, GBF_DIRECT, bitmap); }},
    {"missing part", "demo",
     [](const LoadedEngine& e, HBITMAP* bitmap) { return e.getBitmap(OpenPearl(e), 7, 0, 0, GBF_DIRECT, bitmap); }},
    {"part id 0", "demo",
     [](const LoadedEngine& e, HBITMAP* bitmap) { return e.getBitmap(OpenPearl(e), 0, 0, 0, GBF_DIRECT, bitmap); }},
    {"part id 8", "demo",
     [](const LoadedEngine& e, HBITMAP* bitmap) { return e.getBitmap(OpenPearl(e), 8, 0, 0, GBF_DIRECT, bitmap); }},
    {"closed theme", "demo",
     [](const LoadedEngine& e, HBITMAP* bitmap) {
       HTHEME theme = OpenPearl(e);
       e.close(theme);
       return e.getBitmap(theme, 1, 0, 0, GBF_DIRECT, bitmap);
     }},
    {"copy instead of direct", "demo",
     [](const LoadedEngine& e, HBITMAP* bitmap) { return e.getBitmap(OpenPearl(e), 1, 0, 0, GBF_COPY, bitmap); }},
};

TEST(ThemeEngineStandin, EveryRefusalGivesANullBitmapAndAFailure) {
  for (const FailureCase& row : kFailureCases) {
    SCOPED_TRACE(row.name);
    LoadedEngine engine(row.theme);
    ASSERT_TRUE(engine.Loaded());
    HBITMAP bitmap = kUntouched;
    EXPECT_TRUE(FAILED(row.call(engine, &bitmap)));
    EXPECT_EQ(bitmap, nullptr);
  }
}

TEST(ThemeEngineStandin, ClosingTwiceOrANullOutPointerFails) {
  LoadedEngine engine("demo");
  ASSERT_TRUE(engine.Loaded());
  HTHEME theme = OpenPearl(engine);
  EXPECT_TRUE(FAILED(engine.getBitmap(theme, 1, 0, 0, GBF_DIRECT, nullptr)));
  EXPECT_EQ(engine.close(theme), S_OK);
  EXPECT_TRUE(FAILED(engine.close(theme)));
  EXPECT_TRUE(FAILED(engine.close(nullptr)));
}

}  // namespace
