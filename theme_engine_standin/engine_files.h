#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Plain Win32 file calls only: these run inside DllMain, where the C++ streams
// and their locale machinery are not safe to start.

/// The directory of `module`'s file, ending in a backslash; empty on failure.
std::wstring ModuleDirectory(HMODULE module);

/// The whole file, or nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::wstring& path);

/// Replaces the file with `bytes`; false when any byte could not be written.
bool WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

/// The first line of a text file, without its line end or trailing blanks.
std::string ReadFirstLine(const std::wstring& path);

/// UTF-8 to UTF-16 and back, for paths and class names in the log.
std::wstring Widen(std::string_view text);
std::string Narrow(const wchar_t* text);

/// Opens (emptying it) a log file that every AppendLine adds to.
HANDLE OpenLog(const std::wstring& path);
void AppendLine(HANDLE log, std::string_view line);
