// Values of options that more than one subcommand takes, read with messages
// that say what was wrong with them.
#pragma once

#include <optional>
#include <string>

namespace tintara::cli {

// A whole number in lo..hi. False with `error` saying whether the text is no
// number or a number out of range, e.g. "-5 is out of range (2..256)".
bool ReadIntOption(const std::string& text, int lo, int hi, int& value, std::string& error);

// A pattern type: "numbers" (5), "patterns" (2), "borders" (0), in any letter
// case, or a number 0..6. A number of a type the program does not offer is
// taken (project files may hold one) with a one-line warning on standard error.
std::optional<int> ReadPatternType(const std::string& text, std::string& error);

}  // namespace tintara::cli
