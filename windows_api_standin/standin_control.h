#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// A part's bitmap as the stand-in theme engine serves it.
struct StandinPart {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bitsPerPixel = 32;
  /// What GetBitmapBits reads from and SetBitmapBits writes into.
  std::vector<std::uint8_t> bits;
  /// False: GetObjectW fails (returns 0) and fills nothing, as for a dead handle.
  bool describable = true;
  /// When set, GetBitmapBits and SetBitmapBits copy at most this many bytes.
  std::optional<std::int32_t> readLimit;
  std::optional<std::int32_t> writeLimit;
};

/// Forgets every part and every recorded call; the theme opens again and the
/// DPI is 96.
void ResetStandin();

/// Serves `part` as the bitmap of `partId`, state 0, of "TaskbarPearl".
void SetStandinPart(std::int32_t partId, StandinPart part);

/// The part as it is now, after whatever SetBitmapBits wrote into it.
const StandinPart& GetStandinPart(std::int32_t partId);

/// Makes OpenThemeDataForDpi return a null handle, as for a missing class.
void SetStandinThemeOpens(bool opens);

/// Makes the next array allocation with std::nothrow fail (return null).
void FailNextNothrowArrayAllocation();

/// Every call so far, in order, one line each, for example
/// "GetThemeBitmap(theme1, 3, 0, 0, 1)" or "GetBitmapBits(bitmap3, 12800)".
/// Handles read theme<N> (the Nth opened), bitmap<partId> or null; nothrow array
/// allocations and their release read "new[](12800)" and "delete[](12800)".
const std::vector<std::string>& StandinCalls();
