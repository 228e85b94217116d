#include "demo/demo_page.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <optional>
#include <string>
#include <vector>

#include "demo/dump_picture.h"
#include "demo/part_dump_file.h"
#include "demo/part_verdict.h"
#include "testing/four_pane_logo_model.h"
#include "testing/part_dump.h"

namespace {

namespace fs = std::filesystem;

/// A fresh directory of its own for each test, removed afterwards.
class DemoPageTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "demo_page_test.XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    run_ = root_ / "run";
    out_ = root_ / "out";
    fs::create_directories(run_);
  }
  void TearDown() override { fs::remove_all(root_); }

  void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good()) << path;
  }
  void WriteDump(int partId, bool after, const PartDump& dump) {
    WriteFile(run_ / PartDumpFileName(partId, after), EncodePartDump(dump));
  }

  fs::path root_;
  fs::path run_;
  fs::path out_;
};

std::string ReadText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

/// Decodes a PNG with libpng into RGBA, independently of how it was written.
std::optional<Picture> DecodePng(const fs::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGBA;
  Picture picture{static_cast<std::int32_t>(image.width), static_cast<std::int32_t>(image.height),
                  std::vector<std::uint8_t>(static_cast<std::size_t>(image.width) * image.height * 4)};
  if (png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr) == 0) {
    png_image_free(&image);
    return std::nullopt;
  }
  return picture;
}

/// A 32-bit dump whose every byte differs from its neighbours, alpha never 0 or FF.
PartDump Pattern32(std::int32_t width, std::int32_t height) {
  PartDump dump{width, height, 32, width * 4, std::vector<std::uint8_t>(static_cast<std::size_t>(width * height * 4))};
  for (std::size_t i = 0; i < dump.bits.size(); ++i) {
    dump.bits[i] = i % 4 == 3 ? static_cast<std::uint8_t>(0x40 + i % 64) : static_cast<std::uint8_t>(i * 13 + 5);
  }
  return dump;
}

PartDump Painted(PartDump dump) {
  PaintFourPaneLogoModel(dump.bits.data(), dump.width, dump.height);
  return dump;
}

struct Rgba {
  std::uint8_t r, g, b, a;
  bool operator==(const Rgba&) const = default;
};

std::ostream& operator<<(std::ostream& stream, const Rgba& pixel) {
  return stream << "rgba(" << int{pixel.r} << "," << int{pixel.g} << "," << int{pixel.b} << "," << int{pixel.a}
                << ")";
}

Rgba PixelAt(const Picture& picture, std::int32_t x, std::int32_t y) {
  const std::uint8_t* p =
      picture.rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                             static_cast<std::size_t>(x)) * 4;
  return {p[0], p[1], p[2], p[3]};
}

/// Checks that every screen pixel of the enlarged source pixel (x, y) has `expected`.
void ExpectEnlargedPixel(const Picture& png, std::int32_t scale, std::int32_t x, std::int32_t y, Rgba expected) {
  SCOPED_TRACE("source pixel x=" + std::to_string(x) + " y=" + std::to_string(y));
  for (std::int32_t dy = 0; dy < scale; ++dy) {
    for (std::int32_t dx = 0; dx < scale; ++dx) {
      ASSERT_EQ(PixelAt(png, x * scale + dx, y * scale + dy), expected);
    }
  }
}

Rgba From32(const PartDump& dump, std::int32_t x, std::int32_t y) {
  const std::uint8_t* p = dump.bits.data() + static_cast<std::size_t>(y * dump.widthBytes + x * 4);
  return {p[2], p[1], p[0], p[3]};
}

// One run directory with every kind of part the page must tell apart.
TEST_F(DemoPageTest, WritesPageAndPicturesForEveryKindOfPart) {
  const PartDump logo = Pattern32(64, 64);
  WriteDump(1, false, logo);
  WriteDump(1, true, Painted(logo));
  // Part id 2 has no bitmap, so no dumps.

  // 5 pixels of 3 bytes: rows padded from 15 to 16 bytes; each pixel (B, G, R) = (x, y, 0x80 + x + 10y).
  PartDump rgb{5, 3, 24, 16, std::vector<std::uint8_t>(48, 0xEE)};
  for (std::int32_t y = 0; y < 3; ++y) {
    for (std::int32_t x = 0; x < 5; ++x) {
      std::uint8_t* p = rgb.bits.data() + y * 16 + x * 3;
      p[0] = static_cast<std::uint8_t>(x);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = static_cast<std::uint8_t>(0x80 + x + 10 * y);
    }
  }
  WriteDump(3, false, rgb);
  WriteDump(3, true, rgb);

  // 10 pixels of 1 bit: rows of 2 bytes, leftmost pixel in the top bit.
  const PartDump mono{10, 2, 1, 2, {0b1000'0001, 0b0100'0000, 0b0000'0000, 0b1100'0000}};
  WriteDump(4, false, mono);
  WriteDump(4, true, mono);

  const PartDump wide = Pattern32(96, 8);
  WriteDump(5, false, wide);
  WriteDump(5, true, wide);

  const PartDump untouched = Pattern32(16, 16);
  WriteDump(6, false, untouched);
  WriteDump(6, true, untouched);

  PartDump scribbled = Painted(Pattern32(16, 16));
  scribbled.bits[0] ^= 1;
  WriteDump(7, false, Pattern32(16, 16));
  WriteDump(7, true, scribbled);

  WriteFile(run_ / "standin-calls.log", {'G', 'e', 't', ' ', '<', 'b', '>', '&', '\n'});

  const DemoPageResult result = WriteDemoPage(run_, out_);
  ASSERT_EQ(result.problem, "");
  EXPECT_EQ(result.page, out_ / "index.html");
  const std::vector<std::string> expectedLines = {
      "part id 1: 64x64 32-bit, repainted",
      "part id 2: skipped (no bitmap)",
      "part id 3: 5x3 24-bit, skipped (not 32 bits per pixel)",
      "part id 4: 10x2 1-bit, skipped (not 32 bits per pixel)",
      "part id 5: 96x8 32-bit, skipped (wider than 64 pixels)",
      "part id 6: 16x16 32-bit, skipped (unchanged for another reason)",
      "part id 7: 16x16 32-bit, fault (changed, but not to the four-pane logo)",
  };
  EXPECT_EQ(result.partLines, expectedLines);
  EXPECT_TRUE(result.anyFault);

  const std::string page = ReadText(result.page);
  for (const char* status :
       {"<td class=\"result\">repainted</td>", "skipped (no bitmap)", "skipped (not 32 bits per pixel)",
        "skipped (wider than 64 pixels)", "skipped (unchanged for another reason)",
        "fault (changed, but not to the four-pane logo)", "5x3 24-bit", "96x8 32-bit"}) {
    EXPECT_NE(page.find(status), std::string::npos) << status;
  }
  EXPECT_NE(page.find("1 repainted, 5 skipped, 1 fault."), std::string::npos);
  EXPECT_NE(page.find("Get &lt;b&gt;&amp;"), std::string::npos) << "call log missing or not escaped";
  EXPECT_EQ(page.find("<b>"), std::string::npos);
  EXPECT_EQ(page.find("part-2-"), std::string::npos) << "part id 2 has no pictures";
  EXPECT_FALSE(fs::exists(out_ / "part-2-before.png"));

  struct PngCase {
    std::string name;
    std::int32_t width, height, scale;
  };
  const std::vector<PngCase> pngCases = {
      {"part-1-before.png", 64, 64, 4}, {"part-1-after.png", 64, 64, 4}, {"part-3-before.png", 5, 3, 8},
      {"part-4-after.png", 10, 2, 8},   {"part-5-before.png", 96, 8, 4}, {"part-7-after.png", 16, 16, 8},
  };
  for (const PngCase& row : pngCases) {
    SCOPED_TRACE(row.name);
    EXPECT_NE(page.find("src=\"" + row.name + "\" width=\"" + std::to_string(row.width * row.scale) + "\""),
              std::string::npos);
    const std::optional<Picture> png = DecodePng(out_ / row.name);
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->width, row.width * row.scale);
    EXPECT_EQ(png->height, row.height * row.scale);
  }

  const Picture before1 = *DecodePng(out_ / "part-1-before.png");
  const Picture after1 = *DecodePng(out_ / "part-1-after.png");
  ExpectEnlargedPixel(before1, 4, 0, 0, From32(logo, 0, 0));
  ExpectEnlargedPixel(before1, 4, 63, 17, From32(logo, 63, 17));
  ExpectEnlargedPixel(after1, 4, 0, 0, {0xFF, 0xFF, 0xFF, 0xFF});
  ExpectEnlargedPixel(after1, 4, 63, 63, {0xFF, 0xFF, 0xFF, 0xFF});
  // The gap keeps its colour and turns transparent.
  const Rgba gap = From32(logo, 31, 5);
  ExpectEnlargedPixel(after1, 4, 31, 5, {gap.r, gap.g, gap.b, 0});

  const Picture rgbPng = *DecodePng(out_ / "part-3-before.png");
  ExpectEnlargedPixel(rgbPng, 8, 0, 0, {0x80, 0, 0, 0xFF});
  ExpectEnlargedPixel(rgbPng, 8, 4, 1, {0x80 + 4 + 10, 1, 4, 0xFF});
  ExpectEnlargedPixel(rgbPng, 8, 2, 2, {0x80 + 2 + 20, 2, 2, 0xFF});

  const Picture monoPng = *DecodePng(out_ / "part-4-after.png");
  const Rgba white{0xFF, 0xFF, 0xFF, 0xFF};
  const Rgba black{0, 0, 0, 0xFF};
  ExpectEnlargedPixel(monoPng, 8, 0, 0, white);
  ExpectEnlargedPixel(monoPng, 8, 1, 0, black);
  ExpectEnlargedPixel(monoPng, 8, 7, 0, white);
  ExpectEnlargedPixel(monoPng, 8, 9, 0, white);
  ExpectEnlargedPixel(monoPng, 8, 8, 0, black);
  ExpectEnlargedPixel(monoPng, 8, 8, 1, white);
  ExpectEnlargedPixel(monoPng, 8, 9, 1, white);
  ExpectEnlargedPixel(monoPng, 8, 0, 1, black);
}

TEST_F(DemoPageTest, RemovesStalePicturesAndSaysWhenTheEngineLeftNoLog) {
  const PartDump dump = Pattern32(8, 8);
  WriteDump(2, false, dump);
  WriteDump(2, true, Painted(dump));
  ASSERT_EQ(WriteDemoPage(run_, out_).problem, "");
  ASSERT_TRUE(fs::exists(out_ / "part-2-after.png"));

  fs::remove(run_ / PartDumpFileName(2, false));
  fs::remove(run_ / PartDumpFileName(2, true));
  const DemoPageResult result = WriteDemoPage(run_, out_);
  ASSERT_EQ(result.problem, "");
  EXPECT_EQ(result.partLines[1], "part id 2: skipped (no bitmap)");
  EXPECT_FALSE(result.anyFault);
  EXPECT_FALSE(fs::exists(out_ / "part-2-before.png"));
  EXPECT_FALSE(fs::exists(out_ / "part-2-after.png"));
  EXPECT_NE(ReadText(result.page).find("holds no standin-calls.log"), std::string::npos);
}

TEST_F(DemoPageTest, ReportsAnOutputDirectoryItCannotCreate) {
  WriteFile(root_ / "a-file", {1});
  const DemoPageResult result = WriteDemoPage(run_, root_ / "a-file" / "out");
  EXPECT_NE(result.problem, "");
}

TEST_F(DemoPageTest, ShowsDepthsItCannotDrawAsText) {
  const PartDump eightBit{4, 2, 8, 4, std::vector<std::uint8_t>(8, 3)};
  WriteDump(1, false, eightBit);
  WriteDump(1, true, eightBit);
  const DemoPageResult result = WriteDemoPage(run_, out_);
  ASSERT_EQ(result.problem, "");
  EXPECT_EQ(result.partLines[0], "part id 1: 4x2 8-bit, skipped (not 32 bits per pixel)");
  EXPECT_NE(ReadText(result.page).find("no picture for 8-bit pixels"), std::string::npos);
  EXPECT_FALSE(fs::exists(out_ / "part-1-before.png"));
}

struct DumpFileCase {
  const char* name;
  std::vector<std::uint8_t> bytes;
  const char* problemStart;
};

std::vector<std::uint8_t> Encoded(PartDump dump) { return EncodePartDump(dump); }

TEST_F(DemoPageTest, RejectsDumpsWhoseHeaderDoesNotMatchTheirBits) {
  const std::vector<DumpFileCase> cases = {
      {"wrong magic", {'P', 'E', 'A', 'R', 'L', 'X', 'X', 'X', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       "not a part dump"},
      {"short header", {'P', 'E', 'A', 'R', 'L', 'D', 'M', 'P', 1, 0}, "not a part dump"},
      {"one byte short", Encoded({2, 2, 32, 8, std::vector<std::uint8_t>(15)}), "15 bytes of bits"},
      {"one byte over", Encoded({2, 2, 32, 8, std::vector<std::uint8_t>(17)}), "17 bytes of bits"},
      {"24-bit rows too narrow", Encoded({5, 1, 24, 14, std::vector<std::uint8_t>(14)}), "rows of 14 bytes"},
      {"1-bit rows too narrow", Encoded({9, 1, 1, 1, std::vector<std::uint8_t>(1)}), "rows of 1 bytes"},
      {"zero width", Encoded({0, 4, 32, 0, {}}), "size 0x4"},
      {"negative height", Encoded({4, -4, 32, 16, {}}), "size 4x-4"},
      {"huge, with few bits", Encoded({1 << 30, 1 << 30, 32, 0, {}}), "size"},
      {"widthBytes overflowing", Encoded({1, 1, 32, -1, std::vector<std::uint8_t>(4)}), "rows of -1 bytes"},
      {"no bits per pixel", Encoded({1, 1, 0, 4, std::vector<std::uint8_t>(4)}), "0 bits per pixel"},
  };
  for (const DumpFileCase& row : cases) {
    SCOPED_TRACE(row.name);
    WriteFile(run_ / "case.dump", row.bytes);
    const PartDumpFile file = ReadPartDumpFile(run_ / "case.dump");
    EXPECT_TRUE(file.present);
    EXPECT_FALSE(file.dump.has_value());
    EXPECT_EQ(file.problem.rfind(row.problemStart, 0), 0U) << file.problem;
  }
  const PartDumpFile missing = ReadPartDumpFile(run_ / "absent.dump");
  EXPECT_FALSE(missing.present);
  EXPECT_FALSE(missing.dump.has_value());
}

TEST(EnlargementFor, KeepsSmallBitmapsLegibleAndLargeOnesWithinAboutAThousandPixels) {
  const struct {
    std::int32_t width, height, scale;
  } cases[] = {{1, 1, 8},   {16, 16, 8},   {17, 1, 4}, {64, 64, 4},  {54, 162, 4},
               {1, 256, 4}, {257, 10, 3}, {512, 4, 2}, {4000, 1, 1}, {16384, 16384, 1}};
  for (const auto& row : cases) {
    SCOPED_TRACE(std::to_string(row.width) + "x" + std::to_string(row.height));
    EXPECT_EQ(EnlargementFor(row.width, row.height), row.scale);
  }
}

struct VerdictCase {
  const char* name;
  PartDumpFile before;
  PartDumpFile after;
  std::string expected;
};

PartDumpFile Present(PartDump dump) { return {true, std::move(dump), {}}; }
PartDumpFile Unreadable(const char* problem) { return {true, std::nullopt, problem}; }

TEST(JudgePart, FollowsTheProgramsRules) {
  const PartDump small = Pattern32(16, 16);
  const PartDump painted = Painted(small);
  PartDump wide = Pattern32(65, 4);
  PartDump wideChanged = wide;
  wideChanged.bits[0] ^= 0xFF;
  PartDump rgb{2, 1, 24, 6, {1, 2, 3, 4, 5, 6}};
  PartDump rgbChanged = rgb;
  rgbChanged.bits[5] = 0;
  PartDump resized = painted;
  resized.height = 8;
  resized.bits.resize(16 * 8 * 4);
  const PartDump widest = Pattern32(64, 2);
  PartDump scribbled = painted;
  scribbled.bits[7 * 4 + 3] = 0xFF;  // a gap pixel left opaque

  const std::vector<VerdictCase> cases = {
      {"no dumps", {}, {}, "skipped (no bitmap)"},
      {"after without before", {}, Present(small), "fault (after dump without a before dump)"},
      {"before unreadable", Unreadable("not a part dump"), Present(small),
       "fault (before dump unreadable: not a part dump)"},
      {"no after", Present(small), {}, "fault (no after dump)"},
      {"after unreadable", Present(small), Unreadable("x"), "fault (after dump unreadable: x)"},
      {"repainted", Present(small), Present(painted), "repainted"},
      {"64 wide repainted", Present(widest), Present(Painted(widest)), "repainted"},
      {"already the logo", Present(painted), Present(painted), "skipped (unchanged; it already showed the logo)"},
      {"left alone", Present(small), Present(small), "skipped (unchanged for another reason)"},
      {"painted wrong", Present(small), Present(scribbled), "fault (changed, but not to the four-pane logo)"},
      {"format changed", Present(small), Present(resized), "fault (format changed to 16x8 32-bit)"},
      {"65 wide left alone", Present(wide), Present(wide), "skipped (wider than 64 pixels)"},
      {"65 wide changed", Present(wide), Present(wideChanged), "fault (changed, though wider than 64 pixels)"},
      {"24-bit left alone", Present(rgb), Present(rgb), "skipped (not 32 bits per pixel)"},
      {"24-bit changed", Present(rgb), Present(rgbChanged), "fault (changed, though not 32 bits per pixel)"},
  };
  for (const VerdictCase& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DescribeVerdict(JudgePart(row.before, row.after)), row.expected);
  }
}

}  // namespace
