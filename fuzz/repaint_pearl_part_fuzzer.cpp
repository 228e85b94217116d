// Drives RepaintPearlPart through the host stand-in of the Windows API with a
// fuzzed part: its description, its bits, a missing part, a failing GetObjectW,
// short reads and writes, a failing allocation and a theme that does not open.
//
// Input, little-endian:
//   byte 0       flags, see kPartMissing and below
//   bytes 1-2    bits per pixel, used only with kOtherBitsPerPixel (else 32)
//   bytes 3-6    width
//   bytes 7-10   height
//   bytes 11-12  how many bytes short GetBitmapBits falls, with kShortRead
//   bytes 13-14  how many bytes short SetBitmapBits falls, with kShortWrite
//   byte 15      the part id asked for, a signed byte
//   the rest     the bitmap's bits, repeated to fill them

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "repaint/repaint_pearl_part.h"
#include "testing/four_pane_logo_model.h"
#include "windows_api_standin/standin_control.h"

namespace {

constexpr std::uint8_t kPartMissing = 0x01;
constexpr std::uint8_t kNotDescribable = 0x02;
constexpr std::uint8_t kThemeFails = 0x04;
constexpr std::uint8_t kAllocationFails = 0x08;
constexpr std::uint8_t kShortRead = 0x10;
constexpr std::uint8_t kShortWrite = 0x20;
constexpr std::uint8_t kOtherBitsPerPixel = 0x40;

// Sizes whose byte count fits in int32 are folded (by the height) below this
// many bytes, so the buffers stay small; sizes that overflow are kept as they
// are, so the overflow guard meets them.
constexpr std::int64_t kMaxPixelBytes = 64 * 1024;
constexpr std::int64_t kBytesPerPixel = 4;
// A part too big, empty or negative in size holds at most this many input bytes.
constexpr std::size_t kMaxOtherBits = 4096;

struct FuzzCase {
  std::uint8_t flags = 0;
  std::int32_t partId = 0;
  StandinPart part;
};

bool Has(const FuzzCase& fuzzCase, std::uint8_t flag) { return (fuzzCase.flags & flag) != 0; }

/// width * height * 4 when both are positive and it fits in int32, else 0.
std::int64_t FittingPixelBytes(std::int32_t width, std::int32_t height) {
  if (width < 1 || height < 1) {
    return 0;
  }
  // Two int32 factors stay below 2^62; times 4 they could pass 2^63.
  const std::int64_t pixels = std::int64_t{width} * height;
  return pixels <= std::numeric_limits<std::int32_t>::max() / kBytesPerPixel ? pixels * kBytesPerPixel : 0;
}

FuzzCase DecodeCase(FuzzInput& input) {
  FuzzCase fuzzCase;
  fuzzCase.flags = ReadByte(input);
  const std::uint16_t bitsPerPixel = ReadUint16(input);
  StandinPart& part = fuzzCase.part;
  part.bitsPerPixel = Has(fuzzCase, kOtherBitsPerPixel) ? bitsPerPixel : std::uint16_t{32};
  part.width = ReadInt32(input);
  part.height = ReadInt32(input);
  const std::uint16_t readShortfall = ReadUint16(input);
  const std::uint16_t writeShortfall = ReadUint16(input);
  fuzzCase.partId = static_cast<std::int8_t>(ReadByte(input));
  part.describable = !Has(fuzzCase, kNotDescribable);

  const std::int64_t widthBytes = std::int64_t{part.width} * kBytesPerPixel;
  if (part.width >= 1 && widthBytes <= kMaxPixelBytes && FittingPixelBytes(part.width, part.height) > kMaxPixelBytes) {
    part.height = static_cast<std::int32_t>(1 + (part.height - 1) % (kMaxPixelBytes / widthBytes));
  }
  const std::int64_t pixelBytes = FittingPixelBytes(part.width, part.height);
  const std::span<const std::uint8_t> pattern = RemainingBytes(input);
  part.bits.resize(pixelBytes > 0 && pixelBytes <= kMaxPixelBytes ? static_cast<std::size_t>(pixelBytes)
                                                                   : std::min(pattern.size(), kMaxOtherBits));
  FillRepeating(part.bits, pattern);

  const auto heldBytes = static_cast<std::int32_t>(part.bits.size());
  if (Has(fuzzCase, kShortRead)) {
    part.readLimit = heldBytes - readShortfall;
  }
  if (Has(fuzzCase, kShortWrite)) {
    part.writeLimit = heldBytes - writeShortfall;
  }
  return fuzzCase;
}

/// How many bytes the stand-in copies when asked for `byteCount`.
std::int64_t CopiedBytes(const StandinPart& part, std::int64_t byteCount, const std::optional<std::int32_t>& limit) {
  std::int64_t bytes = std::min<std::int64_t>(byteCount, static_cast<std::int64_t>(part.bits.size()));
  if (limit) {
    bytes = std::min<std::int64_t>(bytes, std::max(*limit, 0));
  }
  return bytes;
}

bool StartsWith(std::string_view line, std::string_view prefix) { return line.substr(0, prefix.size()) == prefix; }

std::size_t CountStartingWith(const std::vector<std::string>& calls, std::string_view prefix) {
  return static_cast<std::size_t>(
      std::count_if(calls.begin(), calls.end(), [&](const std::string& call) { return StartsWith(call, prefix); }));
}

/// One close of the theme, before the bitmap is first described; no bitmap ever
/// released; every pixel buffer allocated is released, with its size, later.
void CheckCallRecord(const std::vector<std::string>& calls) {
  if (CountStartingWith(calls, "CloseThemeData(") != 1) {
    FailCheck("CloseThemeData is not called exactly once");
  }
  const auto close = std::find_if(calls.begin(), calls.end(),
                                  [](const std::string& call) { return StartsWith(call, "CloseThemeData("); });
  const auto firstDescription = std::find_if(calls.begin(), calls.end(),
                                             [](const std::string& call) { return StartsWith(call, "GetObjectW("); });
  if (firstDescription < close) {
    FailCheck("GetObjectW is called before CloseThemeData");
  }
  if (CountStartingWith(calls, "DeleteObject(") != 0) {
    FailCheck("the theme engine's bitmap is released");
  }
  // Buffers still open, by size, in the order they were allocated.
  std::vector<std::string> openSizes;
  for (const std::string& call : calls) {
    if (StartsWith(call, "new[](") && !call.ends_with(" failed")) {
      openSizes.push_back(call.substr(std::string_view("new[]").size()));
    } else if (StartsWith(call, "delete[](")) {
      const auto open = std::find(openSizes.begin(), openSizes.end(), call.substr(std::string_view("delete[]").size()));
      if (open == openSizes.end()) {
        FailCheck("a pixel buffer is released with another size than it was allocated with");
      }
      openSizes.erase(open);
    }
  }
  if (!openSizes.empty()) {
    FailCheck("a pixel buffer is not released");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input{{data, size}};
  const FuzzCase fuzzCase = DecodeCase(input);
  const StandinPart& part = fuzzCase.part;

  ResetStandin();
  // A missing part is served under another id, so the stand-in still holds one.
  const std::int32_t servedPartId = Has(fuzzCase, kPartMissing) ? fuzzCase.partId + 1 : fuzzCase.partId;
  SetStandinPart(servedPartId, part);
  SetStandinThemeOpens(!Has(fuzzCase, kThemeFails));
  if (Has(fuzzCase, kAllocationFails)) {
    FailNextNothrowArrayAllocation();
  }

  const bool repainted = RepaintPearlPart(fuzzCase.partId);

  // What the program must do with this part, worked out from the rules it keeps.
  const std::int64_t byteCount = FittingPixelBytes(part.width, part.height);
  const bool reachesAllocation = !Has(fuzzCase, kThemeFails) && !Has(fuzzCase, kPartMissing) && part.describable &&
                                 part.bitsPerPixel == 32 && part.width <= kMaxBitmapWidth && byteCount > 0;
  const bool paints = reachesAllocation && !Has(fuzzCase, kAllocationFails) &&
                      CopiedBytes(part, byteCount, part.readLimit) == byteCount;
  const std::int64_t writtenBytes = paints ? CopiedBytes(part, byteCount, part.writeLimit) : 0;

  const std::vector<std::string>& calls = StandinCalls();
  CheckCallRecord(calls);
  if ((CountStartingWith(calls, "new[](") != 0) != reachesAllocation) {
    FailCheck("a pixel buffer is allocated for a part that fails the checks, or not for one that passes");
  }
  if (repainted != (paints && writtenBytes == byteCount)) {
    FailCheck("the result does not tell whether the part was repainted in full");
  }

  const std::vector<std::uint8_t>& after = GetStandinPart(servedPartId).bits;
  if (!paints) {
    if (after != part.bits) {
      FailCheck("a skipped part's bits changed");
    }
    if (CountStartingWith(calls, "SetBitmapBits(") != 0) {
      FailCheck("a skipped part is written");
    }
    return 0;
  }
  if (CountStartingWith(calls, "SetBitmapBits(") != 1) {
    FailCheck("a repainted part is not written exactly once");
  }
  std::vector<std::uint8_t> expected = part.bits;
  PaintFourPaneLogoModel(expected.data(), part.width, part.height);
  // A short write leaves the bytes past it as they were.
  std::copy(part.bits.begin() + writtenBytes, part.bits.end(), expected.begin() + writtenBytes);
  if (after != expected) {
    FailCheck("a repainted part's bits differ from the per-pixel model");
  }
  return 0;
}
