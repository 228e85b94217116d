// Holds PaintFourPaneLogo against the plain per-pixel model on fuzzed sizes and
// pixels, in a buffer with guard bytes on both sides.
//
// Input: byte 0 the width and byte 1 the height, each a signed byte (-128 stands
// for INT32_MIN); byte 2, low three bits, how far the buffer sits off an 8-byte
// boundary; the rest the pixel bytes, repeated to fill the buffer.

#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "raster/four_pane_logo.h"
#include "testing/four_pane_logo_model.h"

namespace {

constexpr std::size_t kGuardBytes = 64;
constexpr std::uint8_t kGuardByte = 0xA5;
constexpr std::size_t kMaxMisalignment = 7;

std::int32_t DecodeSide(std::uint8_t byte) {
  const auto side = static_cast<std::int8_t>(byte);
  // So that the early return also meets the most negative value there is.
  return side == std::numeric_limits<std::int8_t>::min() ? std::numeric_limits<std::int32_t>::min()
                                                         : std::int32_t{side};
}

std::size_t PixelBytes(std::int32_t width, std::int32_t height) {
  if (width < 1 || height < 1) {
    return 0;
  }
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input{{data, size}};
  const std::int32_t width = DecodeSide(ReadByte(input));
  const std::int32_t height = DecodeSide(ReadByte(input));
  const std::size_t misalignment = ReadByte(input) & kMaxMisalignment;
  const std::size_t pixelBytes = PixelBytes(width, height);

  std::vector<std::uint8_t> expected(pixelBytes);
  FillRepeating(expected, RemainingBytes(input));

  const std::size_t leadingGuardBytes = kGuardBytes + misalignment;
  std::vector<std::uint8_t> arena(leadingGuardBytes + pixelBytes + kGuardBytes, kGuardByte);
  std::uint8_t* const pixels = arena.data() + leadingGuardBytes;
  std::copy(expected.begin(), expected.end(), pixels);

  // Poisoned guards make AddressSanitizer report even a read outside the
  // buffer, at the faulting instruction; the byte comparison below also catches
  // writes where the poison cannot reach (the granule shared with the buffer).
  ASAN_POISON_MEMORY_REGION(arena.data(), leadingGuardBytes);
  ASAN_POISON_MEMORY_REGION(pixels + pixelBytes, kGuardBytes);
  PaintFourPaneLogo(pixels, width, height);
  ASAN_UNPOISON_MEMORY_REGION(arena.data(), arena.size());

  PaintFourPaneLogoModel(expected.data(), width, height);
  if (!std::equal(expected.begin(), expected.end(), pixels)) {
    FailCheck("PaintFourPaneLogo differs from the per-pixel model");
  }
  const auto isGuard = [](std::uint8_t byte) { return byte == kGuardByte; };
  if (!std::all_of(arena.data(), pixels, isGuard) ||
      !std::all_of(pixels + pixelBytes, arena.data() + arena.size(), isGuard)) {
    FailCheck("PaintFourPaneLogo wrote outside the buffer");
  }
  return 0;
}
