#include "repaint/repaint_pearl_part.h"

#include <cstddef>
#include <limits>
#include <memory>
#include <new>

#include "raster/four_pane_logo.h"
#include "repaint/platform.h"

namespace {

constexpr const wchar_t* kPearlClassName = L"TaskbarPearl";
constexpr int kPearlStateId = 0;
constexpr int kPearlPropertyId = 0;  // no named bitmap property: the part's own image
constexpr DWORD kPearlBitmapFlags = GBF_DIRECT;
constexpr WORD kRequiredBitsPerPixel = 32;
constexpr std::int64_t kBytesPerPixel = 4;

/// The pixel buffer's size in bytes, or 0 when the description has no pixels or
/// more bytes than the signed 32-bit counts of GetBitmapBits and SetBitmapBits hold.
std::int32_t PixelBufferBytes(std::int32_t width, std::int32_t height) {
  if (width < 1 || height < 1) {
    return 0;
  }
  // Both factors are below 2^31, so their product fits in 64 bits; times four it
  // might not, so the limit is checked before the last multiplication.
  const std::int64_t pixels = std::int64_t{width} * std::int64_t{height};
  if (pixels > std::numeric_limits<std::int32_t>::max() / kBytesPerPixel) {
    return 0;
  }
  return static_cast<std::int32_t>(pixels * kBytesPerPixel);
}

}  // namespace

bool RepaintPearlPart(std::int32_t partId) {
  const UINT dpi = GetDpiForWindow(nullptr);
  // A failed open is not tested for: it shows as a missing bitmap below.
  HTHEME theme = OpenThemeDataForDpi(nullptr, kPearlClassName, dpi);
  HBITMAP bitmap = nullptr;
  GetThemeBitmap(theme, partId, kPearlStateId, kPearlPropertyId, kPearlBitmapFlags, &bitmap);
  // A direct bitmap stays valid after its theme handle is closed, so close it at
  // once: no path below can then leak it.
  CloseThemeData(theme);
  if (bitmap == nullptr) {
    return false;
  }

  // Zeroed, so that a description GetObjectW leaves unfilled cannot pass the checks.
  BITMAP description{};
  if (GetObjectW(bitmap, static_cast<int>(sizeof description), &description) == 0) {
    return false;
  }
  if (description.bmBitsPixel != kRequiredBitsPerPixel || description.bmWidth > kMaxBitmapWidth) {
    return false;
  }
  const std::int32_t byteCount = PixelBufferBytes(description.bmWidth, description.bmHeight);
  if (byteCount == 0) {
    return false;
  }

  const auto bufferBytes = static_cast<std::size_t>(byteCount);
  const std::unique_ptr<std::uint8_t[]> pixels(new (std::nothrow) std::uint8_t[bufferBytes]);
  if (!pixels) {
    return false;
  }
  // After a short read the buffer holds uninitialised bytes or half an image;
  // writing that into the engine's own bitmap would destroy it.
  if (GetBitmapBits(bitmap, byteCount, pixels.get()) != byteCount) {
    return false;
  }
  PaintFourPaneLogo(pixels.get(), description.bmWidth, description.bmHeight);
  // The bitmap is never released: it belongs to the theme engine.
  return SetBitmapBits(bitmap, static_cast<DWORD>(byteCount), pixels.get()) == byteCount;
}

void RepaintPearlParts() {
  for (std::int32_t partId = kFirstPearlPart; partId <= kLastPearlPart; ++partId) {
    RepaintPearlPart(partId);
  }
}
