#include "demo/demo_page.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "demo/dump_picture.h"
#include "demo/part_dump_file.h"
#include "demo/part_verdict.h"
#include "demo/png_file.h"
#include "testing/read_file.h"

namespace {

// A call log past this is cut: the page is for reading, the file is still there.
constexpr std::size_t kMaxLogBytes = 64 * 1024;
constexpr const char* kCallLogName = "standin-calls.log";

// Dark squares so that white, opaque panes stand out from the transparent gap.
constexpr const char* kStyle = R"(
body { font-family: sans-serif; margin: 2em; color: #222; max-width: 75em; }
h1 { font-size: 1.5em; }
table { border-collapse: collapse; }
th, td { border: 1px solid #ccc; padding: 0.5em 0.8em; text-align: left; vertical-align: top; }
th { background: #f0f0f0; }
td.part { font-weight: bold; }
.repainted td.result { color: #1a6b1a; }
.skipped td.result { color: #555; }
.fault td.result { color: #b00020; font-weight: bold; }
figure { margin: 0; }
figcaption { font-size: 0.85em; color: #555; margin-top: 0.3em; }
img.bitmap {
  display: block; border: 1px solid #888;
  background-color: #999;
  background-image: linear-gradient(45deg, #666 25%, transparent 25%, transparent 75%, #666 75%),
                    linear-gradient(45deg, #666 25%, transparent 25%, transparent 75%, #666 75%);
  background-size: 16px 16px;
  background-position: 0 0, 8px 8px;
}
p.tally { font-size: 1.15em; font-weight: bold; }
p.none { color: #777; font-style: italic; margin: 0; }
pre { background: #f6f6f6; border: 1px solid #ddd; padding: 0.8em; overflow-x: auto; font-size: 0.85em; }
)";

std::string PngName(int partId, bool after) {
  return "part-" + std::to_string(partId) + (after ? "-after.png" : "-before.png");
}

/// The HTML for one picture cell; writes its PNG, or removes a stale one when
/// the dump gives no picture. Sets `problem` when the PNG cannot be written.
std::string PictureCell(const PartDumpFile& file, const std::filesystem::path& pngPath, std::string& problem) {
  std::error_code ignored;
  if (!file.present || !file.dump) {
    std::filesystem::remove(pngPath, ignored);
    return file.present ? "<p class=\"none\">unreadable dump</p>" : "<p class=\"none\">no dump</p>";
  }
  const std::optional<Picture> picture = PictureFromDump(*file.dump);
  if (!picture) {
    std::filesystem::remove(pngPath, ignored);
    return "<p class=\"none\">no picture for " + std::to_string(file.dump->bitsPerPixel) + "-bit pixels</p>";
  }
  const std::int32_t scale = EnlargementFor(picture->width, picture->height);
  const Picture large = EnlargePicture(*picture, scale);
  const std::string writeProblem = WritePngFile(pngPath, large);
  if (!writeProblem.empty()) {
    problem = "cannot write " + pngPath.string() + ": " + writeProblem;
    return {};
  }
  const std::string name = pngPath.filename().string();
  return "<figure><img class=\"bitmap\" src=\"" + name + "\" width=\"" + std::to_string(large.width) +
         "\" height=\"" + std::to_string(large.height) + "\" alt=\"" + name + "\"><figcaption>enlarged " +
         std::to_string(scale) + "&times;</figcaption></figure>";
}

const char* StateClass(PartState state) {
  return state == PartState::kRepainted ? "repainted" : state == PartState::kSkipped ? "skipped" : "fault";
}

std::string CallLogSection(const std::filesystem::path& runDirectory) {
  const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(runDirectory / kCallLogName);
  if (!bytes) {
    return "<h2>Calls the theme engine received</h2>\n<p class=\"none\">The run directory holds no " +
           std::string(kCallLogName) + ": the stand-in theme engine was never loaded.</p>\n";
  }
  std::string log(bytes->begin(), bytes->end());
  const bool cut = log.size() > kMaxLogBytes;
  if (cut) {
    log.resize(kMaxLogBytes);
  }
  return "<h2>Calls the theme engine received</h2>\n<pre>" + EscapeHtml(log) + (cut ? "\n[cut]" : "") +
         "</pre>\n";
}

}  // namespace

std::string EscapeHtml(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&#39;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

DemoPageResult WriteDemoPage(const std::filesystem::path& runDirectory,
                             const std::filesystem::path& outputDirectory) {
  DemoPageResult result;
  std::error_code error;
  std::filesystem::create_directories(outputDirectory, error);
  if (error) {
    result.problem = "cannot create " + outputDirectory.string() + ": " + error.message();
    return result;
  }

  std::ostringstream rows;
  int counts[3] = {0, 0, 0};  // repainted, skipped, fault
  for (int partId = kFirstPartId; partId <= kLastPartId; ++partId) {
    const PartDumpFile before = ReadPartDumpFile(runDirectory / PartDumpFileName(partId, false));
    const PartDumpFile after = ReadPartDumpFile(runDirectory / PartDumpFileName(partId, true));
    const PartVerdict verdict = JudgePart(before, after);
    result.anyFault = result.anyFault || verdict.state == PartState::kFault;
    ++counts[verdict.state == PartState::kRepainted ? 0 : verdict.state == PartState::kSkipped ? 1 : 2];
    const std::string format = before.dump ? DescribeFormat(*before.dump) : std::string{};
    result.partLines.push_back("part id " + std::to_string(partId) + ": " + (format.empty() ? "" : format + ", ") +
                               DescribeVerdict(verdict));

    const std::string beforeCell = PictureCell(before, outputDirectory / PngName(partId, false), result.problem);
    const std::string afterCell = PictureCell(after, outputDirectory / PngName(partId, true), result.problem);
    if (!result.problem.empty()) {
      return result;
    }
    rows << "<tr class=\"" << StateClass(verdict.state) << "\"><td class=\"part\">" << partId << "</td><td>"
         << (format.empty() ? "&mdash;" : EscapeHtml(format)) << "</td><td class=\"result\">"
         << EscapeHtml(DescribeVerdict(verdict)) << "</td><td>" << beforeCell << "</td><td>" << afterCell
         << "</td></tr>\n";
  }

  std::ostringstream page;
  page << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
       << "<title>pearl-repaint: theme bitmaps before and after</title>\n<style>" << kStyle
       << "</style>\n</head>\n<body>\n"
       << "<h1>pearl-repaint: theme bitmaps before and after</h1>\n"
       << "<p>The program asked the theme engine for its bitmaps of class <code>TaskbarPearl</code>, parts "
       << kFirstPartId << " to " << kLastPartId
       << ", and was to repaint each 32-bit bitmap at most 64 pixels wide with the four-pane logo, leaving "
          "every other bitmap alone. The pictures are enlarged; the checkerboard shows through transparent "
          "pixels.</p>\n"
       << "<p class=\"tally\">" << counts[0] << " repainted, " << counts[1] << " skipped, " << counts[2]
       << (counts[2] == 1 ? " fault" : " faults") << ".</p>\n"
       << "<p>Run directory: <code>" << EscapeHtml(std::filesystem::absolute(runDirectory, error).string())
       << "</code></p>\n"
       << "<table>\n<thead><tr><th>Part</th><th>Format</th><th>Result</th><th>Before</th><th>After</th></tr>"
          "</thead>\n<tbody>\n"
       << rows.str() << "</tbody>\n</table>\n"
       << CallLogSection(runDirectory) << "</body>\n</html>\n";

  result.page = outputDirectory / "index.html";
  std::ofstream out(result.page, std::ios::binary | std::ios::trunc);
  out << page.str();
  out.close();
  if (!out) {
    result.problem = "cannot write " + result.page.string();
  }
  return result;
}
