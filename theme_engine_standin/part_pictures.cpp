#include "theme_engine_standin/part_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

struct Colour {
  double blue;
  double green;
  double red;
};

/// Brightens or darkens each orb state the way a button's normal, hot and
/// pressed looks differ.
constexpr double kStateBrightness[] = {1.0, 1.25, 0.7};

Colour OrbTint(Picture picture) {
  switch (picture) {
    case Picture::kGreenOrbs:
      return {0.25, 0.75, 0.3};
    case Picture::kAmberOrbs:
      return {0.1, 0.6, 0.95};
    default:
      return {0.95, 0.55, 0.15};
  }
}

std::uint8_t ToByte(double unit) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(unit, 0.0, 1.0) * 255.0));
}

void StorePixel(std::uint8_t* pixel, Colour colour, double alpha) {
  // Theme bitmaps hold premultiplied colour: no channel exceeds alpha.
  pixel[0] = ToByte(colour.blue * alpha);
  pixel[1] = ToByte(colour.green * alpha);
  pixel[2] = ToByte(colour.red * alpha);
  pixel[3] = ToByte(alpha);
}

/// A sphere lit from the top left: a vertical gradient, a highlight, and an edge
/// whose alpha falls off over one pixel so the rim is anti-aliased.
void DrawOrb(std::uint8_t* pixel, Picture picture, std::int32_t x, std::int32_t yInState,
             std::int32_t size, std::int32_t state) {
  const double centre = size / 2.0;
  const double radius = size / 2.0 - 2.0;
  const double dx = x + 0.5 - centre;
  const double dy = yInState + 0.5 - centre;
  const double distance = std::sqrt(dx * dx + dy * dy);
  const double coverage = std::clamp(radius + 0.5 - distance, 0.0, 1.0);
  const Colour tint = OrbTint(picture);
  const double brightness = kStateBrightness[state % 3];
  const double shade = (1.1 - 0.6 * (yInState / static_cast<double>(size))) * brightness;
  const double hx = dx + radius * 0.35;
  const double hy = dy + radius * 0.45;
  const double highlight = std::clamp(1.0 - std::sqrt(hx * hx + hy * hy) / (radius * 0.6), 0.0, 1.0) * 0.7;
  const Colour colour{tint.blue * shade + highlight, tint.green * shade + highlight,
                      tint.red * shade + highlight};
  StorePixel(pixel, colour, coverage);
}

}  // namespace

std::vector<std::uint8_t> DrawPicture(Picture picture, std::int32_t width, std::int32_t height) {
  const std::size_t columns = static_cast<std::size_t>(std::max(width, 0));
  const std::size_t rows = static_cast<std::size_t>(std::max(height, 0));
  std::vector<std::uint8_t> pixels(columns * rows * 4);
  std::uint32_t noise = 0x2545F491u;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      std::uint8_t* pixel =
          pixels.data() + (static_cast<std::size_t>(y) * columns + static_cast<std::size_t>(x)) * 4;
      switch (picture) {
        case Picture::kBlueOrbs:
        case Picture::kGreenOrbs:
        case Picture::kAmberOrbs:
          DrawOrb(pixel, picture, x, y % width, width, y / width);
          break;
        case Picture::kGradient: {
          const double across = (x + 0.5) / width;
          const double down = (y + 0.5) / height;
          StorePixel(pixel, {across, down, 1.0 - across * down}, 0.35 + 0.65 * across);
          break;
        }
        case Picture::kNoise:
          for (int channel = 0; channel < 4; ++channel) {
            // xorshift32: cheap and the same on every run, so dumps can be compared.
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            pixel[channel] = static_cast<std::uint8_t>(noise >> 24);
          }
          break;
      }
    }
  }
  return pixels;
}
