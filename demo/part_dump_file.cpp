#include "demo/part_dump_file.h"

#include <system_error>
#include <vector>

#include "testing/read_file.h"

namespace {

// Far above any theme bitmap; keeps a corrupt header from asking for gigabytes of pixels.
constexpr std::int64_t kMaxSide = 16384;

}  // namespace

std::string PartDumpProblem(const PartDump& dump) {
  if (dump.width < 1 || dump.height < 1 || dump.width > kMaxSide || dump.height > kMaxSide) {
    return "size " + std::to_string(dump.width) + "x" + std::to_string(dump.height) + " out of range";
  }
  if (dump.bitsPerPixel < 1 || dump.bitsPerPixel > 32) {
    return std::to_string(dump.bitsPerPixel) + " bits per pixel out of range";
  }
  const std::int64_t rowBits = std::int64_t{dump.width} * dump.bitsPerPixel;
  if (std::int64_t{dump.widthBytes} * 8 < rowBits || dump.widthBytes > kMaxSide * 4) {
    return "rows of " + std::to_string(dump.widthBytes) + " bytes cannot hold " + std::to_string(rowBits) +
           " bits";
  }
  const std::int64_t expected = std::int64_t{dump.widthBytes} * dump.height;
  if (static_cast<std::int64_t>(dump.bits.size()) != expected) {
    return std::to_string(dump.bits.size()) + " bytes of bits where " + std::to_string(expected) +
           " were expected";
  }
  return {};
}

PartDumpFile ReadPartDumpFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    return {};
  }
  const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(path);
  if (!bytes) {
    return {true, std::nullopt, "cannot be read"};
  }
  std::optional<PartDump> dump = DecodePartDump(*bytes);
  if (!dump) {
    return {true, std::nullopt, "not a part dump"};
  }
  std::string problem = PartDumpProblem(*dump);
  if (!problem.empty()) {
    return {true, std::nullopt, problem};
  }
  return {true, std::move(dump), {}};
}
