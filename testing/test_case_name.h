#pragma once

#include <cctype>
#include <string>
#include <string_view>

/// A table row's name made fit for a GoogleTest case name: every character that
/// is not a letter or a digit becomes '_'.
inline std::string TestCaseName(std::string_view rowName) {
  std::string name;
  for (const char c : rowName) {
    name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  }
  return name;
}
