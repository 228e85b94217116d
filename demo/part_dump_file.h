#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "testing/part_dump.h"

/// What reading one dump file gave: no file at all, a file that is not a
/// consistent dump (with why), or the dump itself.
struct PartDumpFile {
  bool present = false;
  std::optional<PartDump> dump;  // set only when present and consistent
  std::string problem;           // why a present file was rejected
};

/// Reads `path` and checks that the dump is consistent (positive size, rows wide
/// enough for the bits per pixel, as many bytes as widthBytes x height), so
/// callers may index its rows without further checks.
PartDumpFile ReadPartDumpFile(const std::filesystem::path& path);

/// Empty when `dump` is consistent as above, else the reason it is not.
std::string PartDumpProblem(const PartDump& dump);
