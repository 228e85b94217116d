#include "theme_engine_standin/part_objects.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

/// Rows of a device-dependent bitmap as GetBitmapBits and SetBitmapBits lay them
/// out: padded to a multiple of 2 bytes, whatever the description says.
std::size_t DeviceRowBytes(std::int32_t width, std::int32_t bitsPerPixel) {
  return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 15) / 16 * 2;
}

/// The picture converted to a bitmap's row layout: 32 bits as drawn, 24 bits
/// without alpha, any other depth the picture's bytes as they come.
std::vector<std::uint8_t> PackPicture(const PartRecipe& recipe) {
  const std::vector<std::uint8_t> picture = DrawPicture(recipe.picture, recipe.width, recipe.height);
  const std::size_t rowBytes = DeviceRowBytes(recipe.width, recipe.bitsPerPixel);
  const auto width = static_cast<std::size_t>(recipe.width);
  std::vector<std::uint8_t> bits(rowBytes * static_cast<std::size_t>(recipe.height), 0);
  for (std::size_t y = 0; y < static_cast<std::size_t>(recipe.height); ++y) {
    const std::uint8_t* source = picture.data() + y * width * 4;
    std::uint8_t* row = bits.data() + y * rowBytes;
    if (recipe.bitsPerPixel == 24) {
      for (std::size_t x = 0; x < width; ++x) {
        row[x * 3] = source[x * 4];
        row[x * 3 + 1] = source[x * 4 + 1];
        row[x * 3 + 2] = source[x * 4 + 2];
      }
    } else {
      for (std::size_t i = 0; i < rowBytes && i < width * 4; ++i) {
        row[i] = source[i];
      }
    }
  }
  return bits;
}

bool FillBitmap(HBITMAP bitmap, const std::vector<std::uint8_t>& bits) {
  return SetBitmapBits(bitmap, static_cast<DWORD>(bits.size()), bits.data()) ==
         static_cast<LONG>(bits.size());
}

HBITMAP CreateDeviceBitmap(const PartRecipe& recipe) {
  HBITMAP bitmap = CreateBitmap(recipe.width, recipe.height, 1, static_cast<UINT>(recipe.bitsPerPixel), nullptr);
  if (bitmap != nullptr && !FillBitmap(bitmap, PackPicture(recipe))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

HBITMAP CreateBottomUpDibSection(const PartRecipe& recipe) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = recipe.width;
  info.bmiHeader.biHeight = recipe.height;  // positive: rows stored bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  // SetBitmapBits takes rows top-down even for a bottom-up section, so the picture stands upright.
  if (bitmap != nullptr && !FillBitmap(bitmap, PackPicture(recipe))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

/// A font whose LOGFONTW, copied into a BITMAP-sized buffer, lines up as an
/// 8 x 8 bitmap of 32 bits per pixel: lfWidth falls on bmWidth, lfEscapement on
/// bmHeight, lfOrientation on bmWidthBytes and lfWeight on bmPlanes + bmBitsPixel.
HFONT CreateFontLikeBitmap() {
  LOGFONTW font{};
  font.lfHeight = 0;
  font.lfWidth = 8;
  font.lfEscapement = 8;
  font.lfOrientation = 32;
  font.lfWeight = (32 << 16) | 1;
  return CreateFontIndirectW(&font);
}

}  // namespace

HGDIOBJ CreatePartObject(const PartRecipe& recipe, HGDIOBJ previous) {
  switch (recipe.kind) {
    case PartKind::kMissing:
      return nullptr;
    case PartKind::kBitmap:
      return CreateDeviceBitmap(recipe);
    case PartKind::kDibSection:
      return CreateBottomUpDibSection(recipe);
    case PartKind::kDeletedBitmap: {
      HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
      DeleteObject(bitmap);
      return bitmap;
    }
    case PartKind::kBrush:
      return CreateSolidBrush(RGB(0x20, 0x40, 0x80));
    case PartKind::kFontLikeBitmap:
      return CreateFontLikeBitmap();
    case PartKind::kNotAHandle:
      return reinterpret_cast<HGDIOBJ>(std::uintptr_t{0x5EADBEE0});
    case PartKind::kSameAsPreviousPart:
      return previous;
  }
  return nullptr;
}

HBITMAP CreateBitmapFromDump(const PartDump& dump) {
  if (dump.width < 1 || dump.height < 1 || dump.bitsPerPixel < 1 || dump.bitsPerPixel > 32) {
    return nullptr;
  }
  HBITMAP bitmap = CreateBitmap(dump.width, dump.height, 1, static_cast<UINT>(dump.bitsPerPixel), nullptr);
  if (bitmap != nullptr && !FillBitmap(bitmap, dump.bits)) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

std::optional<PartDump> ReadBitmapDump(HGDIOBJ object) {
  if (object == nullptr || GetObjectType(object) != OBJ_BITMAP) {
    return std::nullopt;
  }
  BITMAP description{};
  if (GetObjectW(object, sizeof description, &description) != sizeof description ||
      description.bmWidth < 1 || description.bmHeight < 1) {
    return std::nullopt;
  }
  PartDump dump;
  dump.width = description.bmWidth;
  dump.height = description.bmHeight;
  dump.bitsPerPixel = description.bmBitsPixel;
  dump.widthBytes = description.bmWidthBytes;
  // Room for either row layout (the description's or GetBitmapBits' own); the
  // count actually copied decides the dump's length.
  const std::size_t rowBytes = std::max(static_cast<std::size_t>(description.bmWidthBytes),
                                        DeviceRowBytes(description.bmWidth, description.bmBitsPixel));
  dump.bits.resize(rowBytes * static_cast<std::size_t>(description.bmHeight));
  const LONG copied = GetBitmapBits(static_cast<HBITMAP>(object), static_cast<LONG>(dump.bits.size()), dump.bits.data());
  if (copied <= 0) {
    return std::nullopt;
  }
  dump.bits.resize(static_cast<std::size_t>(copied));
  return dump;
}

std::string DescribeObject(HGDIOBJ object) {
  if (object == nullptr) {
    return "none";
  }
  BITMAP asBitmap{};
  const int filled = GetObjectW(object, sizeof asBitmap, &asBitmap);
  char line[256];
  std::snprintf(line, sizeof line,
                "handle=%p type=%lu GetObjectW=%d bmWidth=%ld bmHeight=%ld bmWidthBytes=%ld bmBitsPixel=%u",
                object, GetObjectType(object), filled, asBitmap.bmWidth, asBitmap.bmHeight,
                asBitmap.bmWidthBytes, static_cast<unsigned>(asBitmap.bmBitsPixel));
  return line;
}
