#pragma once

#include <cstdint>

/// Paints the four-pane logo over a 32-bit pixel buffer, in place.
/// `pixels` holds width x height pixels of 4 bytes (blue, green, red, alpha),
/// rows packed back to back with a stride of exactly width x 4 bytes; the caller
/// owns it and nothing is kept. The gap band is the 0-based columns and rows
/// width/2 - 1 and width/2 (rows too derive from the width): there only the alpha
/// byte is written, with 0; every other pixel becomes FF FF FF FF. A width or a
/// height below 1 leaves the buffer untouched.
void PaintFourPaneLogo(std::uint8_t* pixels, std::int32_t width, std::int32_t height);
