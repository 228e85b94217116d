#include "theme_engine_standin/theme_table.h"

namespace {

constexpr PartRecipe kMissing{};

constexpr PartRecipe Bitmap(std::int32_t bitsPerPixel, std::int32_t width, std::int32_t height,
                            Picture picture = Picture::kNoise) {
  return {PartKind::kBitmap, bitsPerPixel, width, height, picture};
}

constexpr PartRecipe DibSection(std::int32_t width, std::int32_t height, Picture picture) {
  return {PartKind::kDibSection, 32, width, height, picture};
}

constexpr PartRecipe Other(PartKind kind) { return {kind, 0, 0, 0, Picture::kNoise}; }

// Each hostile theme mixes in ordinary 32-bit parts, so a bad part that upset the
// program would show as a good part left unpainted.
constexpr ThemeRecipe kThemes[] = {
    {"demo",
     true,
     false,
     {DibSection(54, 162, Picture::kBlueOrbs), DibSection(54, 162, Picture::kGreenOrbs),
      DibSection(54, 162, Picture::kAmberOrbs), Bitmap(32, 64, 64, Picture::kGradient),
      Bitmap(24, 48, 48, Picture::kGradient), Bitmap(32, 65, 65, Picture::kGradient), kMissing}},
    {"stale-and-foreign-handles",
     true,
     false,
     {Other(PartKind::kDeletedBitmap), Other(PartKind::kBrush), Other(PartKind::kFontLikeBitmap),
      Other(PartKind::kNotAHandle), Bitmap(32, 20, 20), Other(PartKind::kSameAsPreviousPart),
      Bitmap(32, 9, 9)}},
    {"odd-formats-and-sizes",
     true,
     false,
     {Bitmap(1, 32, 32), Bitmap(32, 16, 4096), Bitmap(32, 1, 1), Bitmap(8, 32, 32), Bitmap(16, 32, 32),
      Bitmap(32, 3, 2), DibSection(63, 5, Picture::kNoise)}},
    {"every-part-missing", true, false, {kMissing, kMissing, kMissing, kMissing, kMissing, kMissing, kMissing}},
    {"class-not-served", false, false, {kMissing, kMissing, kMissing, kMissing, kMissing, kMissing, kMissing}},
    {"bitmaps-freed-on-close",
     true,
     true,
     {Bitmap(32, 16, 16), DibSection(54, 162, Picture::kBlueOrbs), kMissing, Bitmap(32, 64, 64), kMissing,
      kMissing, kMissing}},
};

}  // namespace

const ThemeRecipe* FindTheme(std::string_view name) {
  for (const ThemeRecipe& theme : kThemes) {
    if (theme.name == name) {
      return &theme;
    }
  }
  return nullptr;
}
