#pragma once

#include <string>

#include "demo/part_dump_file.h"

/// How a part came out of the run, as its dumps show it.
enum class PartState { kRepainted, kSkipped, kFault };

/// The state and, for anything but a plain repaint, the reason in a few words
/// (e.g. "no bitmap", "not 32 bits per pixel", "wider than 64 pixels").
struct PartVerdict {
  PartState state = PartState::kSkipped;
  std::string reason;
};

/// Judges a part from its before and after dumps by the program's own rules:
/// a 32-bit bitmap at most 64 pixels wide must come out as the four-pane logo
/// painted over its old pixels; any other bitmap must come out unchanged.
/// Missing or unreadable dumps and changes the rules do not allow are faults.
PartVerdict JudgePart(const PartDumpFile& before, const PartDumpFile& after);

/// "64x64 32-bit".
std::string DescribeFormat(const PartDump& dump);

/// "repainted", "skipped (no bitmap)", "fault (no after dump)".
std::string DescribeVerdict(const PartVerdict& verdict);
