#pragma once

#include <cstddef>
#include <cstdint>

/// The four-pane logo rule written pixel by pixel, straight from its definition:
/// the plain model that tests, fuzz targets and the benchmark hold the fast
/// routine against. Same buffer layout and contract as PaintFourPaneLogo.
inline void PaintFourPaneLogoModel(std::uint8_t* pixels, std::int32_t width, std::int32_t height) {
  if (width < 1 || height < 1) {
    return;
  }
  const std::int64_t half = width / 2;
  for (std::int64_t y = 0; y < height; ++y) {
    for (std::int64_t x = 0; x < width; ++x) {
      std::uint8_t* pixel = pixels + static_cast<std::size_t>((y * width + x) * 4);
      const bool inGapColumn = x + 1 >= half && x + 1 < half + 2;
      const bool inGapRow = y + 1 >= half && y + 1 < half + 2;
      if (inGapColumn || inGapRow) {
        pixel[3] = 0;
      } else {
        pixel[0] = pixel[1] = pixel[2] = pixel[3] = 0xFF;
      }
    }
  }
}
