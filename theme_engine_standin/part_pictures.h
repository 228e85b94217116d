#pragma once

#include <cstdint>
#include <vector>

/// What a stand-in part's bitmap shows when the engine creates it.
enum class Picture {
  kBlueOrbs,   // three 54x54 orb states (normal, hot, pressed) stacked top to bottom
  kGreenOrbs,
  kAmberOrbs,
  kGradient,   // a diagonal colour ramp with an alpha ramp
  kNoise,      // repeatable pseudo-random bytes, alpha included
};

/// The picture as `height` rows of `width` premultiplied B, G, R, A pixels, packed
/// with a stride of width x 4 bytes. Orb pictures repeat every `width` rows, one
/// square state after another.
std::vector<std::uint8_t> DrawPicture(Picture picture, std::int32_t width, std::int32_t height);
