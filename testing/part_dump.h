#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

/// A theme part's bitmap as the stand-in theme engine saw it, before or after a
/// run: its description and its bits exactly as GetBitmapBits delivers them.
/// The engine writes these under Wine; host tools and tests read them.
struct PartDump {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t bitsPerPixel = 0;
  std::int32_t widthBytes = 0;  // bytes per row, as the bitmap's description gives it
  std::vector<std::uint8_t> bits;
};

/// File layout: the 8 bytes "PEARLDMP", then width, height, bitsPerPixel and
/// widthBytes as little-endian 32-bit integers, then the bits to the end of file.
inline constexpr char kPartDumpMagic[8] = {'P', 'E', 'A', 'R', 'L', 'D', 'M', 'P'};
inline constexpr std::size_t kPartDumpHeaderBytes = sizeof kPartDumpMagic + 4 * 4;

/// "part-3-before.dump" or "part-3-after.dump"; a part with no bitmap has no file.
inline std::string PartDumpFileName(std::int32_t partId, bool after) {
  return "part-" + std::to_string(partId) + (after ? "-after.dump" : "-before.dump");
}

inline std::vector<std::uint8_t> EncodePartDump(const PartDump& dump) {
  std::vector<std::uint8_t> bytes(kPartDumpMagic, kPartDumpMagic + sizeof kPartDumpMagic);
  for (const std::int32_t field : {dump.width, dump.height, dump.bitsPerPixel, dump.widthBytes}) {
    const auto value = static_cast<std::uint32_t>(field);
    for (int shift = 0; shift < 32; shift += 8) {
      bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
  }
  bytes.insert(bytes.end(), dump.bits.begin(), dump.bits.end());
  return bytes;
}

/// Empty when the bytes are not a dump (wrong magic or a short header).
inline std::optional<PartDump> DecodePartDump(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < kPartDumpHeaderBytes ||
      std::memcmp(bytes.data(), kPartDumpMagic, sizeof kPartDumpMagic) != 0) {
    return std::nullopt;
  }
  std::int32_t fields[4];
  for (std::size_t i = 0; i < 4; ++i) {
    std::uint32_t value = 0;
    for (std::size_t b = 0; b < 4; ++b) {
      value |= static_cast<std::uint32_t>(bytes[sizeof kPartDumpMagic + i * 4 + b]) << (8 * b);
    }
    fields[i] = static_cast<std::int32_t>(value);
  }
  PartDump dump{fields[0], fields[1], fields[2], fields[3],
                std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(kPartDumpHeaderBytes),
                                          bytes.end())};
  return dump;
}
