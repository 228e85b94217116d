#include "end_to_end/run_directory.h"

#include <windows.h>

#include <fstream>

#include "testing/read_file.h"

namespace {

constexpr DWORD kRunTimeoutMilliseconds = 120'000;
constexpr wchar_t kProgramName[] = L"pearl-repaint.exe";

/// This process's environment with WINEDLLOVERRIDES extended by uxtheme=n,
/// keeping whatever overrides the test preset set, as a CreateProcessW block.
/// Wine 8 itself reads overrides from the Unix environment the child inherits,
/// which CMake sets for this test; the block says the same for any other loader.
std::wstring EnvironmentWithNativeUxtheme() {
  std::wstring block;
  std::wstring overrides;
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
    const std::wstring variable(entry);
    if (_wcsnicmp(entry, L"WINEDLLOVERRIDES=", 17) == 0) {
      overrides = variable.substr(17);
    } else {
      block += variable;
      block += L'\0';
    }
  }
  FreeEnvironmentStringsW(strings);
  block += L"WINEDLLOVERRIDES=" + (overrides.empty() ? std::wstring{} : overrides + L";") + L"uxtheme=n";
  block += L'\0';
  block += L'\0';
  return block;
}

HANDLE CreateInheritableFile(const std::filesystem::path& path) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string ReadText(const std::filesystem::path& path) {
  const auto bytes = ReadFileBytes(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<unreadable>");
}

}  // namespace

void PrepareRunDirectory(const std::filesystem::path& directory, const std::filesystem::path& program,
                         const std::filesystem::path& themeEngine, const std::string& themeName) {
  std::filesystem::remove_all(directory);
  std::filesystem::create_directories(directory);
  std::filesystem::copy_file(program, directory / kProgramName);
  std::filesystem::copy_file(themeEngine, directory / L"uxtheme.dll");
  std::ofstream(directory / L"standin-theme.txt", std::ios::binary) << themeName << '\n';
}

ProgramRun RunProgramIn(const std::filesystem::path& directory) {
  ProgramRun run;
  // Files rather than pipes: nothing can block on a full pipe, and they stay for a look afterwards.
  const std::filesystem::path outputPath = directory / L"program-stdout.txt";
  const std::filesystem::path errorPath = directory / L"program-stderr.txt";
  HANDLE output = CreateInheritableFile(outputPath);
  HANDLE error = CreateInheritableFile(errorPath);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = output;
  startup.hStdError = error;
  std::wstring commandLine = L"\"" + (directory / kProgramName).wstring() + L"\"";
  std::wstring environment = EnvironmentWithNativeUxtheme();
  PROCESS_INFORMATION process{};
  const bool started = output != INVALID_HANDLE_VALUE && error != INVALID_HANDLE_VALUE &&
                       CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                                      environment.data(), directory.c_str(), &startup, &process);
  if (started) {
    if (WaitForSingleObject(process.hProcess, kRunTimeoutMilliseconds) == WAIT_OBJECT_0) {
      DWORD exitCode = 0;
      run.finished = GetExitCodeProcess(process.hProcess, &exitCode) != 0;
      run.exitCode = exitCode;
    } else {
      TerminateProcess(process.hProcess, 1);
      WaitForSingleObject(process.hProcess, INFINITE);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  if (output != INVALID_HANDLE_VALUE) {
    CloseHandle(output);
  }
  if (error != INVALID_HANDLE_VALUE) {
    CloseHandle(error);
  }
  run.standardOutput = ReadText(outputPath);
  run.standardError = ReadText(errorPath);
  return run;
}
