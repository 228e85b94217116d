// Runs the real pearl-repaint.exe under Wine against the stand-in theme engine,
// one fresh run directory per theme, and checks what it did to every part.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "end_to_end/call_log.h"
#include "end_to_end/run_directory.h"
#include "testing/four_pane_logo_model.h"
#include "testing/part_dump.h"
#include "testing/read_file.h"
#include "testing/test_case_name.h"

namespace {

const std::filesystem::path kProgram = PEARL_REPAINT_EXE;
const std::filesystem::path kThemeEngine = PEARL_THEME_ENGINE_DLL;
const std::filesystem::path kRunsRoot = PEARL_END_TO_END_RUNS;

constexpr int kPartCount = 7;

enum class Outcome {
  kRepainted,  // after-dump is the logo painted over the before-dump
  kKeptAsIs,   // after-dump byte-identical to the before-dump
  kNoBitmap,   // no dump at all: no part, or a handle that is not a live bitmap
  kFreedByEngine,  // a before-dump only: the engine deleted the bitmap when its theme closed
};

struct ThemeCase {
  std::string theme;
  std::array<Outcome, kPartCount> parts;  // part ids 1..7
  // Substrings the engine's notes must contain, proving a case is what it claims.
  std::vector<std::string> requiredNotes;
};

// Names the case in failure messages instead of a byte dump.
void PrintTo(const ThemeCase& row, std::ostream* out) { *out << row.theme; }

constexpr Outcome R = Outcome::kRepainted;
constexpr Outcome K = Outcome::kKeptAsIs;
constexpr Outcome N = Outcome::kNoBitmap;
constexpr Outcome F = Outcome::kFreedByEngine;

const std::vector<ThemeCase> kThemeCases = {
    // Three 54-wide orbs, 64x64 at the limit; 24-bit, 65 wide and missing skipped.
    {"demo", {R, R, R, R, K, K, N}, {"part id 5: ", "bmBitsPixel=24", "part id 6: ", "bmWidth=65"}},
    // Deleted bitmap, brush, font reading as an 8x8 32-bit bitmap, made-up value:
    // none is a live bitmap. Then a bitmap given for two parts, and one more.
    {"stale-and-foreign-handles",
     {N, N, N, N, R, R, R},
     {"part id 1: handle=", "part id 3: ", "type=6 GetObjectW=32 bmWidth=8 bmHeight=8 bmWidthBytes=32 bmBitsPixel=32"}},
    // 1, 8 and 16 bits skipped; 16x4096, 1x1, 3x2 and a 63x5 DIB section repainted.
    {"odd-formats-and-sizes", {K, R, R, K, K, R, R}, {"bmBitsPixel=1", "bmHeight=4096"}},
    {"every-part-missing", {N, N, N, N, N, N, N}, {}},
    {"class-not-served", {N, N, N, N, N, N, N}, {}},
    // The program closes the theme before it uses the bitmap: with an engine that
    // frees the bitmap then, it must find a dead handle and skip, not crash.
    {"bitmaps-freed-on-close", {F, F, N, F, N, N, N}, {"part id 1: no longer a live bitmap at exit"}},
};

std::optional<std::vector<std::uint8_t>> DumpBytes(const std::filesystem::path& directory, int part, bool after) {
  return ReadFileBytes(directory / PartDumpFileName(part, after));
}

void ExpectCleanExit(const ProgramRun& run) {
  ASSERT_TRUE(run.finished) << "the program did not start or did not end in time";
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.standardOutput, "");
  EXPECT_EQ(run.standardError, "");
}

/// Part ids 1..7 in order, each: open "TaskbarPearl", fetch the part's bitmap
/// (state 0, property 0, GBF_DIRECT) through that theme handle, close it.
void ExpectOpenFetchClosePerPart(const CallLog& log) {
  ASSERT_EQ(log.calls.size(), 3u * kPartCount) << "expected one open, fetch and close per part";
  for (int part = 1; part <= kPartCount; ++part) {
    SCOPED_TRACE("part id " + std::to_string(part));
    const LoggedCall& open = log.calls[static_cast<std::size_t>(3 * (part - 1))];
    const LoggedCall& fetch = log.calls[static_cast<std::size_t>(3 * (part - 1) + 1)];
    const LoggedCall& close = log.calls[static_cast<std::size_t>(3 * (part - 1) + 2)];
    ASSERT_EQ(open.function, "OpenThemeDataForDpi");
    ASSERT_EQ(fetch.function, "GetThemeBitmap");
    ASSERT_EQ(close.function, "CloseThemeData");
    EXPECT_EQ(open.fields.at("class"), "TaskbarPearl");
    EXPECT_EQ(fetch.fields.at("theme"), open.fields.at("theme"));
    EXPECT_EQ(fetch.fields.at("part"), std::to_string(part));
    EXPECT_EQ(fetch.fields.at("state"), "0");
    EXPECT_EQ(fetch.fields.at("property"), "0");
    EXPECT_EQ(fetch.fields.at("flags"), "1");  // GBF_DIRECT
    EXPECT_EQ(close.fields.at("theme"), open.fields.at("theme"));
  }
  for (const std::string& note : log.notes) {
    EXPECT_EQ(note.find("altered"), std::string::npos) << note;
  }
}

CallLog ReadCallLog(const std::filesystem::path& directory) {
  const auto bytes = ReadFileBytes(directory / "standin-calls.log");
  EXPECT_TRUE(bytes.has_value()) << "no standin-calls.log: was the stand-in loaded?";
  return ParseCallLog(bytes ? std::string(bytes->begin(), bytes->end()) : std::string());
}

void ExpectRepainted(const std::vector<std::uint8_t>& beforeBytes, const std::vector<std::uint8_t>& afterBytes) {
  const std::optional<PartDump> before = DecodePartDump(beforeBytes);
  const std::optional<PartDump> after = DecodePartDump(afterBytes);
  ASSERT_TRUE(before && after);
  ASSERT_EQ(before->bitsPerPixel, 32);
  ASSERT_EQ(before->widthBytes, before->width * 4);
  ASSERT_EQ(before->bits.size(), static_cast<std::size_t>(before->width) * static_cast<std::size_t>(before->height) * 4);
  PartDump expected = *before;
  PaintFourPaneLogoModel(expected.bits.data(), expected.width, expected.height);
  EXPECT_EQ(after->width, expected.width);
  EXPECT_EQ(after->height, expected.height);
  EXPECT_EQ(after->bitsPerPixel, expected.bitsPerPixel);
  EXPECT_EQ(after->widthBytes, expected.widthBytes);
  // Whole-buffer comparison: a mismatch prints the first differing byte.
  EXPECT_TRUE(after->bits == expected.bits) << "after-dump is not the logo painted over the before-dump";
}

void ExpectPartOutcomes(const std::filesystem::path& directory, const std::array<Outcome, kPartCount>& parts) {
  for (int part = 1; part <= kPartCount; ++part) {
    SCOPED_TRACE("part id " + std::to_string(part));
    const auto before = DumpBytes(directory, part, false);
    const auto after = DumpBytes(directory, part, true);
    switch (parts[static_cast<std::size_t>(part - 1)]) {
      case Outcome::kNoBitmap:
        EXPECT_FALSE(before.has_value());
        EXPECT_FALSE(after.has_value());
        break;
      case Outcome::kFreedByEngine:
        EXPECT_TRUE(before.has_value());
        EXPECT_FALSE(after.has_value());
        break;
      case Outcome::kKeptAsIs:
        ASSERT_TRUE(before && after);
        EXPECT_TRUE(*before == *after) << "a skipped part changed";
        break;
      case Outcome::kRepainted:
        ASSERT_TRUE(before && after);
        ExpectRepainted(*before, *after);
        break;
    }
  }
}

class EndToEnd : public testing::TestWithParam<ThemeCase> {};

TEST_P(EndToEnd, RepaintsExactlyTheExpectedPartsAndASecondRunChangesNothing) {
  const ThemeCase& row = GetParam();
  const std::filesystem::path first = kRunsRoot / (row.theme + "-first");
  const std::filesystem::path second = kRunsRoot / (row.theme + "-second");

  {
    SCOPED_TRACE("first run in " + first.string());
    PrepareRunDirectory(first, kProgram, kThemeEngine, row.theme);
    ExpectCleanExit(RunProgramIn(first));
    const CallLog log = ReadCallLog(first);
    ExpectOpenFetchClosePerPart(log);
    for (const std::string& wanted : row.requiredNotes) {
      bool found = false;
      for (const std::string& note : log.notes) {
        found = found || note.find(wanted) != std::string::npos;
      }
      EXPECT_TRUE(found) << "no engine note contains \"" << wanted << "\"";
    }
    ExpectPartOutcomes(first, row.parts);
  }

  {
    // The second run starts from the first run's results: nothing may change.
    SCOPED_TRACE("second run in " + second.string());
    PrepareRunDirectory(second, kProgram, kThemeEngine, "replay " + first.string());
    ExpectCleanExit(RunProgramIn(second));
    ExpectOpenFetchClosePerPart(ReadCallLog(second));
    for (int part = 1; part <= kPartCount; ++part) {
      SCOPED_TRACE("part id " + std::to_string(part));
      const auto firstAfter = DumpBytes(first, part, true);
      const auto secondBefore = DumpBytes(second, part, false);
      const auto secondAfter = DumpBytes(second, part, true);
      if (!firstAfter) {
        EXPECT_FALSE(secondBefore.has_value());
        EXPECT_FALSE(secondAfter.has_value());
        continue;
      }
      ASSERT_TRUE(secondBefore && secondAfter);
      EXPECT_TRUE(*secondBefore == *firstAfter) << "the replay did not start from the first run's result";
      EXPECT_TRUE(*secondAfter == *firstAfter) << "a second run changed the part";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Themes, EndToEnd, testing::ValuesIn(kThemeCases),
                         [](const testing::TestParamInfo<ThemeCase>& caseInfo) { return TestCaseName(caseInfo.param.theme); });

}  // namespace
