#pragma once

#include <filesystem>
#include <string>
#include <vector>

/// Parts the program visits, in order.
inline constexpr int kFirstPartId = 1;
inline constexpr int kLastPartId = 7;

/// What writing the page gave: its path and one line per part
/// ("part id 3: 64x64 32-bit, repainted"), or why it could not be written.
struct DemoPageResult {
  std::filesystem::path page;
  std::vector<std::string> partLines;
  bool anyFault = false;  // some part broke the program's rules (see JudgePart)
  std::string problem;    // empty when the page was written
};

/// Reads the before and after dumps of part ids 1..7 from `runDirectory` (and its
/// standin-calls.log, if any) and writes `outputDirectory`/index.html with
/// enlarged PNGs beside it (part-N-before.png, part-N-after.png). PNGs of parts
/// that now have no picture are removed, so a stale one is never shown.
DemoPageResult WriteDemoPage(const std::filesystem::path& runDirectory, const std::filesystem::path& outputDirectory);

/// The text with &, <, >, " and ' replaced by entities, safe inside HTML.
std::string EscapeHtml(const std::string& text);
