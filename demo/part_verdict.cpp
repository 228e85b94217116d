#include "demo/part_verdict.h"

#include <cstdint>

#include "testing/four_pane_logo_model.h"

namespace {

constexpr std::int32_t kMaxRepaintedWidth = 64;

/// Why the program must leave this bitmap alone; empty when it must repaint it.
std::string SkipReason(const PartDump& dump) {
  if (dump.bitsPerPixel != 32) {
    return "not 32 bits per pixel";
  }
  if (dump.width > kMaxRepaintedWidth) {
    return "wider than 64 pixels";
  }
  return {};
}

bool SameFormat(const PartDump& a, const PartDump& b) {
  return a.width == b.width && a.height == b.height && a.bitsPerPixel == b.bitsPerPixel &&
         a.widthBytes == b.widthBytes;
}

/// The bits the program should leave behind in a bitmap it repaints. Rows padded
/// past width x 4 bytes (which GDI never gives 32-bit bitmaps) match no logo.
std::vector<std::uint8_t> ExpectedLogo(const PartDump& before) {
  if (before.widthBytes != before.width * 4) {
    return {};
  }
  std::vector<std::uint8_t> bits = before.bits;
  PaintFourPaneLogoModel(bits.data(), before.width, before.height);
  return bits;
}

}  // namespace

PartVerdict JudgePart(const PartDumpFile& before, const PartDumpFile& after) {
  if (!before.present) {
    return after.present ? PartVerdict{PartState::kFault, "after dump without a before dump"}
                         : PartVerdict{PartState::kSkipped, "no bitmap"};
  }
  if (!before.dump) {
    return {PartState::kFault, "before dump unreadable: " + before.problem};
  }
  if (!after.present) {
    return {PartState::kFault, "no after dump"};
  }
  if (!after.dump) {
    return {PartState::kFault, "after dump unreadable: " + after.problem};
  }
  const PartDump& old = *before.dump;
  const PartDump& now = *after.dump;
  const bool changed = !SameFormat(old, now) || old.bits != now.bits;
  const std::string skipReason = SkipReason(old);
  if (!skipReason.empty()) {
    return changed ? PartVerdict{PartState::kFault, "changed, though " + skipReason}
                   : PartVerdict{PartState::kSkipped, skipReason};
  }
  if (!changed) {
    return old.bits == ExpectedLogo(old) ? PartVerdict{PartState::kSkipped, "unchanged; it already showed the logo"}
                                         : PartVerdict{PartState::kSkipped, "unchanged for another reason"};
  }
  if (!SameFormat(old, now)) {
    return {PartState::kFault, "format changed to " + DescribeFormat(now)};
  }
  return now.bits == ExpectedLogo(old) ? PartVerdict{PartState::kRepainted, {}}
                                       : PartVerdict{PartState::kFault, "changed, but not to the four-pane logo"};
}

std::string DescribeFormat(const PartDump& dump) {
  return std::to_string(dump.width) + "x" + std::to_string(dump.height) + " " + std::to_string(dump.bitsPerPixel) +
         "-bit";
}

std::string DescribeVerdict(const PartVerdict& verdict) {
  const char* word = verdict.state == PartState::kRepainted ? "repainted"
                     : verdict.state == PartState::kSkipped ? "skipped"
                                                            : "fault";
  return verdict.reason.empty() ? std::string(word) : std::string(word) + " (" + verdict.reason + ")";
}
