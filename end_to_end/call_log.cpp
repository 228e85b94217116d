#include "end_to_end/call_log.h"

#include <sstream>

CallLog ParseCallLog(const std::string& text) {
  CallLog log;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.empty()) {
      continue;
    }
    if (line[0] == '#') {
      log.notes.push_back(line);
      continue;
    }
    std::istringstream words(line);
    LoggedCall call;
    words >> call.function;
    std::string word;
    while (words >> word) {
      const std::size_t equals = word.find('=');
      if (equals == std::string::npos) {
        continue;  // the "->" between arguments and results
      }
      std::string value = word.substr(equals + 1);
      if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
      }
      call.fields[word.substr(0, equals)] = value;
    }
    log.calls.push_back(call);
  }
  return log;
}
