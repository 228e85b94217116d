#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "theme_engine_standin/part_pictures.h"

/// What the engine hands out for one part of "TaskbarPearl".
enum class PartKind {
  kMissing,              // no bitmap: GetThemeBitmap fails with a NULL handle
  kBitmap,               // a device-dependent bitmap (CreateBitmap)
  kDibSection,           // a bottom-up DIB section, as theme files are loaded into
  kDeletedBitmap,        // a bitmap's handle after DeleteObject
  kBrush,                // a live solid brush's handle
  kFontLikeBitmap,       // a live font whose LOGFONTW reads as a small 32-bit BITMAP
  kNotAHandle,           // a made-up value that names no GDI object
  kSameAsPreviousPart,   // the very handle of the part before it
};

struct PartRecipe {
  PartKind kind = PartKind::kMissing;
  std::int32_t bitsPerPixel = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  Picture picture = Picture::kNoise;
};

inline constexpr std::int32_t kPartCount = 7;

struct ThemeRecipe {
  std::string_view name;
  bool servesPearlClass;  // false: OpenThemeDataForDpi fails for "TaskbarPearl"
  // True: CloseThemeData deletes the bitmaps handed out through that theme handle,
  // as an engine might that ties a direct bitmap's life to the handle.
  bool freesBitmapsOnClose;
  std::array<PartRecipe, kPartCount> parts;  // part ids 1..7
};

/// The theme of that name from the table, or nullptr. The name `replay <dir>`
/// is not in the table: the engine builds that theme from a directory's dumps.
const ThemeRecipe* FindTheme(std::string_view name);
