#pragma once

#include <cstdint>

/// The part ids of "TaskbarPearl" that are swept, inclusive.
inline constexpr std::int32_t kFirstPearlPart = 1;
inline constexpr std::int32_t kLastPearlPart = 7;
/// The widest bitmap, in pixels, that is repainted: 64 passes, 65 does not.
inline constexpr std::int32_t kMaxBitmapWidth = 64;

/// Repaints the four-pane logo into the theme engine's own bitmap of part
/// `partId`, state 0, of "TaskbarPearl". True when the bitmap passed every check
/// and its bits were read in full, painted and written back; false when the part
/// was skipped (no bitmap, not describable, not 32 bits per pixel, wider than
/// kMaxBitmapWidth, no pixels or too many, no memory, or a short read or write).
bool RepaintPearlPart(std::int32_t partId);

/// Repaints parts kFirstPearlPart to kLastPearlPart in order; a skipped part
/// does not stop the sweep.
void RepaintPearlParts();
