#include "theme_engine_standin/engine_files.h"

#include <limits>

std::wstring ModuleDirectory(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return {};
    }
    // A full buffer may mean a truncated path: grow and ask again.
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring{} : path.substr(0, slash + 1);
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  std::optional<std::vector<std::uint8_t>> result;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) && size.QuadPart <= std::numeric_limits<DWORD>::max()) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                          read == bytes.size())) {
      result = std::move(bytes);
    }
  }
  CloseHandle(file);
  return result;
}

bool WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  DWORD written = 0;
  const bool ok = bytes.size() <= std::numeric_limits<DWORD>::max() &&
                  (bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                              nullptr)) &&
                  written == bytes.size();
  return CloseHandle(file) && ok;
}

std::string ReadFirstLine(const std::wstring& path) {
  const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path);
  if (!bytes) {
    return {};
  }
  std::string line(bytes->begin(), bytes->end());
  line = line.substr(0, line.find_first_of("\r\n"));
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
    line.pop_back();
  }
  return line;
}

std::wstring Widen(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) {
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
  }
  return wide;
}

std::string Narrow(const wchar_t* text) {
  if (text == nullptr) {
    return {};
  }
  const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) {
    return {};
  }
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), length, nullptr, nullptr);
  narrow.pop_back();  // the terminating NUL
  return narrow;
}

HANDLE OpenLog(const std::wstring& path) {
  return CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

void AppendLine(HANDLE log, std::string_view line) {
  if (log == INVALID_HANDLE_VALUE) {
    return;
  }
  std::string text(line);
  text += '\n';
  DWORD written = 0;
  WriteFile(log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}
