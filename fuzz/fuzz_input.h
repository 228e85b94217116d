#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>

/// A fuzzer's input, read front to back. Reading past its end yields zero bytes,
/// so every input, even an empty one, decodes to some case.
struct FuzzInput {
  std::span<const std::uint8_t> bytes;
  std::size_t offset = 0;
};

/// The next byte, or 0 past the end.
inline std::uint8_t ReadByte(FuzzInput& input) {
  return input.offset < input.bytes.size() ? input.bytes[input.offset++] : std::uint8_t{0};
}

/// The next two bytes as a little-endian unsigned value.
inline std::uint16_t ReadUint16(FuzzInput& input) {
  const std::uint16_t low = ReadByte(input);
  return static_cast<std::uint16_t>(low | ReadByte(input) << 8);
}

/// The next four bytes as a little-endian signed value.
inline std::int32_t ReadInt32(FuzzInput& input) {
  std::uint32_t value = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    value |= std::uint32_t{ReadByte(input)} << shift;
  }
  return static_cast<std::int32_t>(value);
}

/// The bytes not read yet.
inline std::span<const std::uint8_t> RemainingBytes(const FuzzInput& input) {
  return input.bytes.subspan(std::min(input.offset, input.bytes.size()));
}

/// Fills `out` with `pattern` over and over; with no pattern, with zeros.
inline void FillRepeating(std::span<std::uint8_t> out, std::span<const std::uint8_t> pattern) {
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = pattern.empty() ? std::uint8_t{0} : pattern[i % pattern.size()];
  }
}

/// Reports a broken property and stops the run as a crash, so libFuzzer keeps the input.
[[noreturn]] inline void FailCheck(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::fflush(stderr);
  __builtin_trap();
}
