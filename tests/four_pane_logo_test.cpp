#include "raster/four_pane_logo.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "testing/four_pane_logo_model.h"
#include "testing/test_case_name.h"

namespace {

constexpr std::size_t kGuardBytes = 64;
constexpr std::uint8_t kGuardByte = 0xA5;

/// A pixel buffer with guard bytes on both sides, so writes outside it show.
struct GuardedPixels {
  std::vector<std::uint8_t> bytes;
  std::uint8_t* pixels() { return bytes.data() + kGuardBytes; }
  std::size_t pixelBytes() const { return bytes.size() - 2 * kGuardBytes; }
};

/// Every pixel gets distinct colour bytes and a non-zero, non-FF alpha, so a
/// cleared or a whitened byte can be told from a kept one.
GuardedPixels MakePixels(std::int32_t width, std::int32_t height) {
  const std::size_t pixelBytes =
      width > 0 && height > 0 ? static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4 : 0;
  GuardedPixels buffer{std::vector<std::uint8_t>(pixelBytes + 2 * kGuardBytes, kGuardByte)};
  for (std::size_t i = 0; i < pixelBytes; ++i) {
    buffer.pixels()[i] = i % 4 == 3 ? 0x44 : static_cast<std::uint8_t>(i * 7 + 1);
  }
  return buffer;
}

void ExpectGuardsIntact(const GuardedPixels& buffer) {
  for (std::size_t i = 0; i < kGuardBytes; ++i) {
    ASSERT_EQ(buffer.bytes[i], kGuardByte) << "before the buffer, byte " << i;
    ASSERT_EQ(buffer.bytes[buffer.bytes.size() - 1 - i], kGuardByte) << "after the buffer, byte " << i;
  }
}

/// Checks one painted pixel: '#' opaque white, '.' original colour with alpha 0.
void ExpectPixel(char expected, const std::uint8_t* painted, const std::uint8_t* original,
                 std::int32_t x, std::int32_t y) {
  SCOPED_TRACE("pixel x=" + std::to_string(x) + " y=" + std::to_string(y));
  if (expected == '#') {
    EXPECT_EQ(painted[0], 0xFF);
    EXPECT_EQ(painted[1], 0xFF);
    EXPECT_EQ(painted[2], 0xFF);
    EXPECT_EQ(painted[3], 0xFF);
  } else {
    EXPECT_EQ(painted[0], original[0]);
    EXPECT_EQ(painted[1], original[1]);
    EXPECT_EQ(painted[2], original[2]);
    EXPECT_EQ(painted[3], 0x00);
  }
}

struct PictureCase {
  const char* name;
  std::int32_t width;
  std::int32_t height;
  std::vector<std::string> picture;  // one string per row: '#' white, '.' gap
};

const std::vector<PictureCase> kPictureCases = {
    {"1x1 all gap", 1, 1, {"."}},
    {"2x2 all gap", 2, 2, {"..", ".."}},
    {"3x3 right pane one wider", 3, 3, {"...", "...", "..#"}},
    {"9x9 3x3 top-left, 4x4 bottom-right",
     9,
     9,
     {"###..####", "###..####", "###..####", ".........", ".........", "###..####", "###..####",
      "###..####", "###..####"}},
    {"16x16 four 7x7 squares",
     16,
     16,
     {"#######..#######", "#######..#######", "#######..#######", "#######..#######",
      "#######..#######", "#######..#######", "#######..#######", "................",
      "................", "#######..#######", "#######..#######", "#######..#######",
      "#######..#######", "#######..#######", "#######..#######", "#######..#######"}},
    {"16 wide, 4 high: gap rows never reached",
     16,
     4,
     {"#######..#######", "#######..#######", "#######..#######", "#######..#######"}},
    {"7 wide, 12 high: lower panes eight rows high",
     7,
     12,
     {"##..###", "##..###", ".......", ".......", "##..###", "##..###", "##..###", "##..###",
      "##..###", "##..###", "##..###", "##..###"}},
};

class FourPaneLogoPicture : public testing::TestWithParam<PictureCase> {};

TEST_P(FourPaneLogoPicture, PaintsPanesAndGapAsDrawn) {
  const PictureCase& row = GetParam();
  GuardedPixels buffer = MakePixels(row.width, row.height);
  const GuardedPixels original = buffer;

  PaintFourPaneLogo(buffer.pixels(), row.width, row.height);

  ExpectGuardsIntact(buffer);
  for (std::int32_t y = 0; y < row.height; ++y) {
    for (std::int32_t x = 0; x < row.width; ++x) {
      const std::size_t offset = (static_cast<std::size_t>(y) * static_cast<std::size_t>(row.width) +
                                  static_cast<std::size_t>(x)) * 4;
      ExpectPixel(row.picture[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)],
                  buffer.pixels() + offset, original.bytes.data() + kGuardBytes + offset, x, y);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Pictures, FourPaneLogoPicture, testing::ValuesIn(kPictureCases),
                         [](const testing::TestParamInfo<PictureCase>& caseInfo) { return TestCaseName(caseInfo.param.name); });

struct WidthCase {
  std::int32_t width;
  std::int32_t whiteLeft;   // white columns left of the gap
  std::int32_t gap;         // gap columns
  std::int32_t whiteRight;  // white columns right of the gap
};

// Columns of a row below the gap rows, for each width.
const std::vector<WidthCase> kWidthCases = {
    {1, 0, 1, 0}, {2, 0, 2, 0}, {3, 0, 2, 1}, {4, 1, 2, 1}, {5, 1, 2, 2},
    {9, 3, 2, 4}, {16, 7, 2, 7}, {32, 15, 2, 15}, {63, 30, 2, 31}, {64, 31, 2, 31},
};

TEST(FourPaneLogo, ColumnsOfEachWidth) {
  for (const WidthCase& row : kWidthCases) {
    SCOPED_TRACE("width " + std::to_string(row.width));
    ASSERT_EQ(row.whiteLeft + row.gap + row.whiteRight, row.width);
    const std::int32_t height = row.width + 3;
    GuardedPixels buffer = MakePixels(row.width, height);
    const GuardedPixels original = buffer;
    PaintFourPaneLogo(buffer.pixels(), row.width, height);
    ExpectGuardsIntact(buffer);

    const std::int32_t half = row.width / 2;
    std::string expectedPaneRow = std::string(static_cast<std::size_t>(row.whiteLeft), '#') +
                                  std::string(static_cast<std::size_t>(row.gap), '.') +
                                  std::string(static_cast<std::size_t>(row.whiteRight), '#');
    for (std::int32_t y = 0; y < height; ++y) {
      // Rows half - 1 and half are the horizontal gap; every other row looks alike.
      const bool gapRow = y == half - 1 || y == half;
      for (std::int32_t x = 0; x < row.width; ++x) {
        const std::size_t offset = static_cast<std::size_t>(y * row.width + x) * 4;
        const char expected = gapRow ? '.' : expectedPaneRow[static_cast<std::size_t>(x)];
        ExpectPixel(expected, buffer.pixels() + offset, original.bytes.data() + kGuardBytes + offset, x, y);
      }
    }
  }
}

TEST(FourPaneLogo, GapPixelKeepsColourAndPanePixelTurnsWhiteWhateverItWas) {
  // 4x1: columns 1 and 2 are the gap, 0 and 3 are panes.
  std::vector<std::uint8_t> pixels = {0x00, 0x00, 0x00, 0x00, 0x11, 0x22, 0x33, 0x44,
                                      0xFF, 0x00, 0xFF, 0x00, 0x12, 0x34, 0x56, 0x78};
  PaintFourPaneLogo(pixels.data(), 4, 1);
  const std::vector<std::uint8_t> expected = {0xFF, 0xFF, 0xFF, 0xFF, 0x11, 0x22, 0x33, 0x00,
                                              0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(pixels, expected);
}

TEST(FourPaneLogo, EmptyOrNegativeSizesLeaveBufferUntouched) {
  const std::int32_t sizes[][2] = {{16, 0}, {0, 16}, {0, 0}, {16, -1}, {-1, 16}, {-64, -64}};
  for (const auto& size : sizes) {
    SCOPED_TRACE("width " + std::to_string(size[0]) + " height " + std::to_string(size[1]));
    // A buffer large enough for the absolute sizes, so a stray write would land in it.
    std::vector<std::uint8_t> pixels(64 * 64 * 4, 0x5A);
    PaintFourPaneLogo(pixels.data(), size[0], size[1]);
    EXPECT_EQ(pixels, std::vector<std::uint8_t>(64 * 64 * 4, 0x5A));
  }
}

TEST(FourPaneLogo, MatchesModelStaysInBoundsAndIsIdempotent) {
  // Every width up to past the program's limit, with heights around the gap rows and
  // past the routine's internal block of rows.
  const std::int32_t heights[] = {1, 2, 3, 5, 17, 33, 34, 255, 256, 257, 600};
  for (std::int32_t width = 1; width <= 70; ++width) {
    for (const std::int32_t height : heights) {
      SCOPED_TRACE("width " + std::to_string(width) + " height " + std::to_string(height));
      GuardedPixels painted = MakePixels(width, height);
      GuardedPixels modelled = painted;
      PaintFourPaneLogo(painted.pixels(), width, height);
      PaintFourPaneLogoModel(modelled.pixels(), width, height);
      ExpectGuardsIntact(painted);
      ASSERT_EQ(painted.bytes, modelled.bytes);

      const GuardedPixels once = painted;
      PaintFourPaneLogo(painted.pixels(), width, height);
      ASSERT_EQ(painted.bytes, once.bytes) << "painting twice changed the bytes";
    }
  }
}

}  // namespace
