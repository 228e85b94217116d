#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "testing/part_dump.h"

/// A picture ready for a PNG: width x height pixels of 4 bytes (red, green,
/// blue, alpha, straight alpha), rows top to bottom, packed without padding.
struct Picture {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> rgba;
};

/// Converts a consistent dump (see PartDumpProblem) to a picture. 32-bit pixels
/// keep their alpha; 24-bit and 1-bit ones (0 black, 1 white) are opaque. Rows
/// are read widthBytes apart, as GetBitmapBits pads them. Empty for other depths.
std::optional<Picture> PictureFromDump(const PartDump& dump);

/// Each pixel becomes a `scale` x `scale` square (nearest neighbour); scale >= 1.
Picture EnlargePicture(const Picture& picture, std::int32_t scale);

/// The enlargement for a bitmap: 4x, so a one-pixel gap stays plain to see; 8x
/// when neither side passes 16 pixels; less when a side passes 256, to keep the
/// picture within about 1024 pixels.
std::int32_t EnlargementFor(std::int32_t width, std::int32_t height);
