#include "raster/four_pane_logo.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

namespace {

constexpr std::size_t kBytesPerPixel = 4;
constexpr std::uint8_t kOpaqueWhiteByte = 0xFF;
// Clears the alpha byte (byte 3) of each of two little-endian 4-byte pixels.
constexpr std::uint64_t kTwoPixelColourMask = 0x00FFFFFF00FFFFFFull;
constexpr std::uint32_t kOnePixelColourMask = 0x00FFFFFFu;
// Rows whose kept gap pixels are saved on the stack before one memset whitens
// them: at 64 pixels a row, 8 KiB, so the block is still in L1 when they go back.
constexpr std::size_t kRowsPerBlock = 32;

/// Keeps the colour bytes of `pixelCount` pixels and sets their alpha to 0.
void ClearAlpha(std::uint8_t* pixels, std::size_t pixelCount) {
  for (std::size_t i = 0; i < pixelCount; ++i) {
    std::uint32_t pixel;
    std::memcpy(&pixel, pixels + i * kBytesPerPixel, sizeof pixel);
    pixel &= kOnePixelColourMask;
    std::memcpy(pixels + i * kBytesPerPixel, &pixel, sizeof pixel);
  }
}

/// Whitens `rowCount` packed rows except the two gap pixels at byte `gapOffset`
/// of each row, which keep their colour and lose their alpha. The rows are
/// contiguous, so one memset per block does the bulk; the gap pixels are saved
/// first and put back after it.
void PaintPaneRows(std::uint8_t* rows, std::size_t rowCount, std::size_t stride,
                   std::size_t gapOffset) {
  std::array<std::uint64_t, kRowsPerBlock> keptGapPixels;
  for (std::size_t blockStart = 0; blockStart < rowCount; blockStart += kRowsPerBlock) {
    const std::size_t blockRows = std::min(kRowsPerBlock, rowCount - blockStart);
    std::uint8_t* block = rows + blockStart * stride;
    for (std::size_t row = 0; row < blockRows; ++row) {
      std::memcpy(&keptGapPixels[row], block + row * stride + gapOffset, sizeof(std::uint64_t));
    }
    std::memset(block, kOpaqueWhiteByte, blockRows * stride);
    for (std::size_t row = 0; row < blockRows; ++row) {
      const std::uint64_t gapPixels = keptGapPixels[row] & kTwoPixelColourMask;
      std::memcpy(block + row * stride + gapOffset, &gapPixels, sizeof gapPixels);
    }
  }
}

}  // namespace

void PaintFourPaneLogo(std::uint8_t* pixels, std::int32_t width, std::int32_t height) {
  if (width < 1 || height < 1) {
    return;
  }
  const auto columns = static_cast<std::size_t>(width);
  const auto rows = static_cast<std::size_t>(height);
  const std::size_t stride = columns * kBytesPerPixel;

  // Below three columns the two gap columns cover every column there is.
  if (columns < 3) {
    ClearAlpha(pixels, columns * rows);
    return;
  }

  // With at least three columns, half >= 1: the gap is exactly the columns and
  // rows half - 1 and half, and the gap columns always lie inside the row.
  const std::size_t half = columns / 2;
  const std::size_t gapFirst = half - 1;
  const std::size_t gapRowsBegin = std::min(gapFirst, rows);
  const std::size_t gapRowsEnd = std::min(half + 1, rows);
  const std::size_t gapOffset = gapFirst * kBytesPerPixel;

  PaintPaneRows(pixels, gapRowsBegin, stride, gapOffset);
  ClearAlpha(pixels + gapRowsBegin * stride, (gapRowsEnd - gapRowsBegin) * columns);
  PaintPaneRows(pixels + gapRowsEnd * stride, rows - gapRowsEnd, stride, gapOffset);
}
