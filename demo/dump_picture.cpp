#include "demo/dump_picture.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr std::int32_t kEnlargement = 4;
constexpr std::int32_t kTinySide = 16;
constexpr std::int32_t kMaxEnlargedSide = 1024;

}  // namespace

std::optional<Picture> PictureFromDump(const PartDump& dump) {
  if (dump.bitsPerPixel != 32 && dump.bitsPerPixel != 24 && dump.bitsPerPixel != 1) {
    return std::nullopt;
  }
  const auto width = static_cast<std::size_t>(dump.width);
  const auto height = static_cast<std::size_t>(dump.height);
  const auto rowBytes = static_cast<std::size_t>(dump.widthBytes);
  Picture picture{dump.width, dump.height, std::vector<std::uint8_t>(width * height * 4)};
  for (std::size_t y = 0; y < height; ++y) {
    const std::uint8_t* row = dump.bits.data() + y * rowBytes;
    for (std::size_t x = 0; x < width; ++x) {
      std::uint8_t* out = picture.rgba.data() + (y * width + x) * 4;
      if (dump.bitsPerPixel == 32) {
        const std::uint8_t* in = row + x * 4;  // blue, green, red, alpha
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = in[3];
      } else if (dump.bitsPerPixel == 24) {
        const std::uint8_t* in = row + x * 3;  // blue, green, red
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = 0xFF;
      } else {
        // Monochrome rows hold the leftmost pixel in the top bit of each byte.
        const bool set = (row[x / 8] >> (7 - x % 8)) & 1;
        out[0] = out[1] = out[2] = set ? 0xFF : 0x00;
        out[3] = 0xFF;
      }
    }
  }
  return picture;
}

Picture EnlargePicture(const Picture& picture, std::int32_t scale) {
  const auto factor = static_cast<std::size_t>(std::max(scale, 1));
  const auto width = static_cast<std::size_t>(picture.width);
  const auto height = static_cast<std::size_t>(picture.height);
  Picture large{picture.width * static_cast<std::int32_t>(factor), picture.height * static_cast<std::int32_t>(factor),
                std::vector<std::uint8_t>(width * height * factor * factor * 4)};
  const std::size_t largeWidth = width * factor;
  for (std::size_t y = 0; y < height * factor; ++y) {
    for (std::size_t x = 0; x < largeWidth; ++x) {
      const std::uint8_t* in = picture.rgba.data() + ((y / factor) * width + x / factor) * 4;
      std::copy(in, in + 4, large.rgba.data() + (y * largeWidth + x) * 4);
    }
  }
  return large;
}

std::int32_t EnlargementFor(std::int32_t width, std::int32_t height) {
  const std::int32_t longer = std::max({width, height, 1});
  if (longer <= kTinySide) {
    return 2 * kEnlargement;
  }
  return std::clamp(kMaxEnlargedSide / longer, 1, kEnlargement);
}
