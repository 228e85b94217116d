#pragma once

#include <map>
#include <string>
#include <vector>

/// One line of standin-calls.log: the function's name and its key=value fields,
/// arguments and results alike (quotes around a value removed).
struct LoggedCall {
  std::string function;
  std::map<std::string, std::string> fields;
};

struct CallLog {
  std::vector<LoggedCall> calls;
  std::vector<std::string> notes;  // the engine's own "# ..." lines
};

/// Parses the stand-in's call log; blank lines are ignored.
CallLog ParseCallLog(const std::string& text);
