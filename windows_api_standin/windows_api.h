#pragma once

// A host stand-in of the few Windows types, constants and functions the repaint
// code uses, with the platform's names so the same code compiles against either.
// The functions are defined in windows_api_standin.cpp, which serves parts that
// a test scripts and records every call (see standin_control.h).

#include <cstdint>

using UINT = unsigned int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using HRESULT = std::int32_t;
using LPCWSTR = const wchar_t*;
using LPVOID = void*;
using HANDLE = void*;
using HGDIOBJ = void*;

// Distinct pointer types, as with strict handle types, so that mixing handles up
// does not compile. The structs are never defined.
struct StandinWindow;
struct StandinTheme;
struct StandinBitmap;
using HWND = StandinWindow*;
using HTHEME = StandinTheme*;
using HBITMAP = StandinBitmap*;

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};

inline constexpr ULONG GBF_DIRECT = 0x1;

UINT GetDpiForWindow(HWND window);
HTHEME OpenThemeDataForDpi(HWND window, LPCWSTR classList, UINT dpi);
HRESULT GetThemeBitmap(HTHEME theme, int partId, int stateId, int propertyId, ULONG flags, HBITMAP* bitmap);
HRESULT CloseThemeData(HTHEME theme);
int GetObjectW(HANDLE object, int bufferBytes, LPVOID buffer);
LONG GetBitmapBits(HBITMAP bitmap, LONG byteCount, LPVOID bits);
LONG SetBitmapBits(HBITMAP bitmap, DWORD byteCount, const void* bits);
// Declared so that releasing a bitmap compiles, and shows in the record.
int DeleteObject(HGDIOBJ object);
