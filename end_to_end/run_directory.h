#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

/// What a finished program left: its exit code and everything it wrote to
/// standard output and standard error.
struct ProgramRun {
  bool finished = false;  // false: it could not be started or did not end in time
  std::uint32_t exitCode = 0;
  std::string standardOutput;
  std::string standardError;
};

/// Empties `directory` (creating it if need be) and copies the program, the
/// stand-in theme engine and a standin-theme.txt naming `themeName` into it.
void PrepareRunDirectory(const std::filesystem::path& directory, const std::filesystem::path& program,
                         const std::filesystem::path& themeEngine, const std::string& themeName);

/// Starts pearl-repaint.exe in `directory` with uxtheme=n added to Wine's DLL
/// overrides, so the stand-in beside it is loaded, and waits for it to end.
ProgramRun RunProgramIn(const std::filesystem::path& directory);
