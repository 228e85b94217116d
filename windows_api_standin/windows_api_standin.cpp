#include <algorithm>
#include <cstring>
#include <string>

#include "windows_api_standin/standin_state.h"
#include "windows_api_standin/windows_api.h"

namespace {

constexpr UINT kStandinDpi = 96;
constexpr HRESULT kSucceeded = 0;
constexpr HRESULT kInvalidHandle = static_cast<HRESULT>(0x80070006u);
constexpr HRESULT kNotFound = static_cast<HRESULT>(0x80070490u);
// Bitmap handles are this base plus the part id: never null, and they name the part.
constexpr std::uintptr_t kBitmapHandleBase = std::uintptr_t{1} << 40;

HBITMAP BitmapHandleOfPart(std::int32_t partId) {
  return reinterpret_cast<HBITMAP>(kBitmapHandleBase + static_cast<std::uint32_t>(partId));
}

StandinPart* PartOfHandle(const void* handle) {
  const auto value = reinterpret_cast<std::uintptr_t>(handle);
  if (value < kBitmapHandleBase || value - kBitmapHandleBase > UINT32_MAX) {
    return nullptr;
  }
  const auto partId = static_cast<std::int32_t>(static_cast<std::uint32_t>(value - kBitmapHandleBase));
  const auto part = Standin().parts.find(partId);
  return part == Standin().parts.end() ? nullptr : &part->second;
}

std::string HandleName(const void* handle) {
  const auto value = reinterpret_cast<std::uintptr_t>(handle);
  if (value == 0) {
    return "null";
  }
  if (value >= kBitmapHandleBase) {
    return "bitmap" + std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(value - kBitmapHandleBase)));
  }
  return "theme" + std::to_string(value);
}

std::string Narrow(LPCWSTR text) {
  std::string narrow;
  for (; text != nullptr && *text != L'\0'; ++text) {
    narrow += *text < 0x80 ? static_cast<char>(*text) : '?';
  }
  return narrow;
}

void Record(std::string call) { Standin().calls.push_back(std::move(call)); }

/// Copies at most `byteCount` bytes, and no more than the part holds or its limit allows.
LONG CopyableBytes(const StandinPart& part, std::int64_t byteCount, const std::optional<std::int32_t>& limit) {
  std::int64_t bytes = std::clamp<std::int64_t>(byteCount, 0, static_cast<std::int64_t>(part.bits.size()));
  if (limit) {
    bytes = std::min<std::int64_t>(bytes, std::max(*limit, 0));
  }
  return static_cast<LONG>(bytes);
}

}  // namespace

UINT GetDpiForWindow(HWND window) {
  Record("GetDpiForWindow(" + HandleName(window) + ")");
  return kStandinDpi;
}

HTHEME OpenThemeDataForDpi(HWND window, LPCWSTR classList, UINT dpi) {
  Record("OpenThemeDataForDpi(" + HandleName(window) + ", " + Narrow(classList) + ", " + std::to_string(dpi) + ")");
  if (!Standin().themeOpens || Narrow(classList) != "TaskbarPearl") {
    return nullptr;
  }
  return reinterpret_cast<HTHEME>(++Standin().themesOpened);
}

HRESULT GetThemeBitmap(HTHEME theme, int partId, int stateId, int propertyId, ULONG flags, HBITMAP* bitmap) {
  Record("GetThemeBitmap(" + HandleName(theme) + ", " + std::to_string(partId) + ", " + std::to_string(stateId) +
         ", " + std::to_string(propertyId) + ", " + std::to_string(flags) + ")");
  const auto themeNumber = reinterpret_cast<std::uintptr_t>(theme);
  if (themeNumber == 0 || themeNumber > Standin().themesOpened || themeNumber <= Standin().themesClosed) {
    return kInvalidHandle;
  }
  // Only the part's own image of state 0, handed out directly, is served.
  if (stateId != 0 || propertyId != 0 || flags != GBF_DIRECT || !Standin().parts.contains(partId)) {
    return kNotFound;
  }
  *bitmap = BitmapHandleOfPart(partId);
  return kSucceeded;
}

HRESULT CloseThemeData(HTHEME theme) {
  Record("CloseThemeData(" + HandleName(theme) + ")");
  const auto themeNumber = reinterpret_cast<std::uintptr_t>(theme);
  // Themes here are closed in the order they were opened, one at a time.
  if (themeNumber == 0 || themeNumber != Standin().themesClosed + 1) {
    return kInvalidHandle;
  }
  ++Standin().themesClosed;
  return kSucceeded;
}

int GetObjectW(HANDLE object, int bufferBytes, LPVOID buffer) {
  Record("GetObjectW(" + HandleName(object) + ", " + std::to_string(bufferBytes) + ")");
  const StandinPart* part = PartOfHandle(object);
  if (part == nullptr || !part->describable || bufferBytes < 0) {
    return 0;
  }
  const std::int64_t rowBytes = (std::int64_t{part->width} * part->bitsPerPixel + 15) / 16 * 2;
  BITMAP description{};
  description.bmWidth = part->width;
  description.bmHeight = part->height;
  description.bmWidthBytes = static_cast<LONG>(std::clamp<std::int64_t>(rowBytes, INT32_MIN, INT32_MAX));
  description.bmPlanes = 1;
  description.bmBitsPixel = part->bitsPerPixel;
  const std::size_t bytes = std::min(static_cast<std::size_t>(bufferBytes), sizeof description);
  std::memcpy(buffer, &description, bytes);
  return static_cast<int>(bytes);
}

LONG GetBitmapBits(HBITMAP bitmap, LONG byteCount, LPVOID bits) {
  Record("GetBitmapBits(" + HandleName(bitmap) + ", " + std::to_string(byteCount) + ")");
  const StandinPart* part = PartOfHandle(bitmap);
  if (part == nullptr) {
    return 0;
  }
  const LONG copied = CopyableBytes(*part, byteCount, part->readLimit);
  std::memcpy(bits, part->bits.data(), static_cast<std::size_t>(copied));
  return copied;
}

LONG SetBitmapBits(HBITMAP bitmap, DWORD byteCount, const void* bits) {
  Record("SetBitmapBits(" + HandleName(bitmap) + ", " + std::to_string(byteCount) + ")");
  StandinPart* part = PartOfHandle(bitmap);
  if (part == nullptr) {
    return 0;
  }
  const LONG copied = CopyableBytes(*part, byteCount, part->writeLimit);
  std::memcpy(part->bits.data(), bits, static_cast<std::size_t>(copied));
  return copied;
}

int DeleteObject(HGDIOBJ object) {
  Record("DeleteObject(" + HandleName(object) + ")");
  return 1;
}
