#include "repaint/repaint_pearl_part.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "testing/four_pane_logo_model.h"
#include "testing/test_case_name.h"
#include "windows_api_standin/standin_control.h"

namespace {

using Calls = std::vector<std::string>;

/// A bitmap with distinct bytes in every position. Parts too large to hold in a
/// test keep no bits: they are described but never read.
StandinPart Part(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel = 32) {
  StandinPart part{width, height, bitsPerPixel, {}, true, std::nullopt, std::nullopt};
  const std::int64_t bytes = std::int64_t{width} * height * bitsPerPixel / 8;
  if (width > 0 && height > 0 && bytes <= (1 << 20)) {
    part.bits.resize(static_cast<std::size_t>(bytes));
    for (std::size_t i = 0; i < part.bits.size(); ++i) {
      part.bits[i] = static_cast<std::uint8_t>(i * 31 + 7);
    }
  }
  return part;
}

std::vector<std::uint8_t> Painted(const StandinPart& part) {
  std::vector<std::uint8_t> bits = part.bits;
  PaintFourPaneLogoModel(bits.data(), part.width, part.height);
  return bits;
}

/// What every part starts with: the DPI, the theme opened, the direct bitmap
/// fetched, and the theme closed again before anything else.
Calls FetchCalls(std::int32_t partId, const std::string& theme) {
  return {"GetDpiForWindow(null)", "OpenThemeDataForDpi(null, TaskbarPearl, 96)",
          "GetThemeBitmap(" + theme + ", " + std::to_string(partId) + ", 0, 0, 1)", "CloseThemeData(" + theme + ")"};
}

Calls Joined(std::initializer_list<Calls> pieces) {
  Calls joined;
  for (const Calls& piece : pieces) {
    joined.insert(joined.end(), piece.begin(), piece.end());
  }
  return joined;
}

/// The calls of a part read, painted and written in full.
Calls RepaintCalls(std::int32_t partId, std::int32_t bytes) {
  const std::string bitmap = "bitmap" + std::to_string(partId);
  const std::string count = std::to_string(bytes);
  return {"GetObjectW(" + bitmap + ", 32)", "new[](" + count + ")", "GetBitmapBits(" + bitmap + ", " + count + ")",
          "SetBitmapBits(" + bitmap + ", " + count + ")", "delete[](" + count + ")"};
}

class RepaintPearlPartTest : public testing::Test {
 protected:
  void SetUp() override { ResetStandin(); }
};

TEST_F(RepaintPearlPartTest, SuccessPathCallsInOrderAndPaintsTheEnginesOwnBitmap) {
  // 16 x 200: no height limit; 16 x 200 x 4 bytes are read and written.
  const StandinPart before = Part(16, 200);
  SetStandinPart(3, before);

  EXPECT_TRUE(RepaintPearlPart(3));

  EXPECT_EQ(StandinCalls(), Joined({FetchCalls(3, "theme1"), RepaintCalls(3, 12800)}));
  EXPECT_EQ(GetStandinPart(3).bits, Painted(before));
}

enum class BitsAfter { kUnchanged, kPainted };

struct PartCase {
  const char* name;
  std::optional<StandinPart> part;  // none: the part has no bitmap
  bool failAllocation;
  bool repainted;
  Calls callsAfterFetch;
  BitsAfter bitsAfter;
};

StandinPart Undescribable() {
  StandinPart part = Part(16, 16);
  part.describable = false;
  return part;
}

StandinPart ShortRead() {
  StandinPart part = Part(16, 16);
  part.readLimit = 16 * 16 * 4 - 1;
  return part;
}

const Calls kDescribeOnly = {"GetObjectW(bitmap3, 32)"};

const std::vector<PartCase> kPartCases = {
    {"no bitmap", std::nullopt, false, false, {}, BitsAfter::kUnchanged},
    {"64 wide is repainted", Part(64, 64), false, true, RepaintCalls(3, 16384), BitsAfter::kPainted},
    {"65 wide is skipped", Part(65, 64), false, false, kDescribeOnly, BitsAfter::kUnchanged},
    {"24 bits per pixel", Part(16, 16, 24), false, false, kDescribeOnly, BitsAfter::kUnchanged},
    {"1 bit per pixel", Part(16, 16, 1), false, false, kDescribeOnly, BitsAfter::kUnchanged},
    {"1 x 1", Part(1, 1), false, true, RepaintCalls(3, 4), BitsAfter::kPainted},
    {"tall strip 16 x 4096", Part(16, 4096), false, true, RepaintCalls(3, 262144), BitsAfter::kPainted},
    // Description cannot be had: the zeroed record must not pass for a bitmap.
    {"GetObjectW fails", Undescribable(), false, false, kDescribeOnly, BitsAfter::kUnchanged},
    {"width 0", Part(0, 16), false, false, kDescribeOnly, BitsAfter::kUnchanged},
    {"height 0", Part(16, 0), false, false, kDescribeOnly, BitsAfter::kUnchanged},
    {"negative width", Part(-16, 16), false, false, kDescribeOnly, BitsAfter::kUnchanged},
    {"negative height", Part(16, -16), false, false, kDescribeOnly, BitsAfter::kUnchanged},
    // 64 x 2^23 x 4 is 2^31 bytes, one more than a signed 32-bit count holds.
    {"byte count overflows", Part(64, 1 << 23), false, false, kDescribeOnly, BitsAfter::kUnchanged},
    {"largest height", Part(1, INT32_MAX), false, false, kDescribeOnly, BitsAfter::kUnchanged},
    // One row less fits: the whole count is asked for (the allocation is made to fail here).
    {"largest byte count that fits", Part(64, (1 << 23) - 1), true, false,
     {"GetObjectW(bitmap3, 32)", "new[](2147483392) failed"}, BitsAfter::kUnchanged},
    {"allocation fails", Part(16, 16), true, false, {"GetObjectW(bitmap3, 32)", "new[](1024) failed"},
     BitsAfter::kUnchanged},
    // A short read must not be painted or written back over the engine's bitmap.
    {"GetBitmapBits reads short", ShortRead(), false, false,
     {"GetObjectW(bitmap3, 32)", "new[](1024)", "GetBitmapBits(bitmap3, 1024)", "delete[](1024)"},
     BitsAfter::kUnchanged},
};

void PrintTo(const PartCase& row, std::ostream* out) { *out << row.name; }

class RepaintPearlPartCase : public RepaintPearlPartTest, public testing::WithParamInterface<PartCase> {};

TEST_P(RepaintPearlPartCase, ChecksThenRepaintsOrSkipsWithoutWriting) {
  const PartCase& row = GetParam();
  if (row.part) {
    SetStandinPart(3, *row.part);
  }
  if (row.failAllocation) {
    FailNextNothrowArrayAllocation();
  }

  EXPECT_EQ(RepaintPearlPart(3), row.repainted);

  // The theme is closed before the bitmap is examined, and the bitmap is never released.
  EXPECT_EQ(StandinCalls(), Joined({FetchCalls(3, "theme1"), row.callsAfterFetch}));
  if (row.part) {
    EXPECT_EQ(GetStandinPart(3).bits, row.bitsAfter == BitsAfter::kPainted ? Painted(*row.part) : row.part->bits);
  }
}

INSTANTIATE_TEST_SUITE_P(Parts, RepaintPearlPartCase, testing::ValuesIn(kPartCases),
                         [](const testing::TestParamInfo<PartCase>& caseInfo) { return TestCaseName(caseInfo.param.name); });

TEST_F(RepaintPearlPartTest, ShortWriteIsReportedAsSkipped) {
  StandinPart part = Part(16, 16);
  part.writeLimit = 1000;
  SetStandinPart(3, part);

  EXPECT_FALSE(RepaintPearlPart(3));
  EXPECT_EQ(StandinCalls(), Joined({FetchCalls(3, "theme1"), RepaintCalls(3, 1024)}));
}

TEST_F(RepaintPearlPartTest, ThemeThatDoesNotOpenShowsAsMissingBitmapAndIsStillClosed) {
  SetStandinPart(3, Part(16, 16));
  SetStandinThemeOpens(false);

  EXPECT_FALSE(RepaintPearlPart(3));
  EXPECT_EQ(StandinCalls(), (Calls{"GetDpiForWindow(null)", "OpenThemeDataForDpi(null, TaskbarPearl, 96)",
                                   "GetThemeBitmap(null, 3, 0, 0, 1)", "CloseThemeData(null)"}));
}

TEST_F(RepaintPearlPartTest, SweepWithNoBitmapsAsksForEachPartOnceWithItsOwnTheme) {
  RepaintPearlParts();

  Calls expected;
  for (std::int32_t partId = 1; partId <= 7; ++partId) {
    expected = Joined({expected, FetchCalls(partId, "theme" + std::to_string(partId))});
  }
  EXPECT_EQ(StandinCalls(), expected);
}

TEST_F(RepaintPearlPartTest, SweepGoesOnPastSkippedParts) {
  const StandinPart orb = Part(54, 162);
  const StandinPart square = Part(64, 64);
  SetStandinPart(2, Part(54, 162, 24));
  SetStandinPart(3, orb);
  SetStandinPart(4, Undescribable());
  SetStandinPart(6, Part(65, 65));
  SetStandinPart(7, square);

  RepaintPearlParts();

  const Calls expected = Joined({
      FetchCalls(1, "theme1"),
      FetchCalls(2, "theme2"), {"GetObjectW(bitmap2, 32)"},
      FetchCalls(3, "theme3"), RepaintCalls(3, 54 * 162 * 4),
      FetchCalls(4, "theme4"), {"GetObjectW(bitmap4, 32)"},
      FetchCalls(5, "theme5"),
      FetchCalls(6, "theme6"), {"GetObjectW(bitmap6, 32)"},
      FetchCalls(7, "theme7"), RepaintCalls(7, 64 * 64 * 4),
  });
  EXPECT_EQ(StandinCalls(), expected);
  EXPECT_EQ(GetStandinPart(2).bits, Part(54, 162, 24).bits);
  EXPECT_EQ(GetStandinPart(3).bits, Painted(orb));
  EXPECT_EQ(GetStandinPart(6).bits, Part(65, 65).bits);
  EXPECT_EQ(GetStandinPart(7).bits, Painted(square));
}

}  // namespace
