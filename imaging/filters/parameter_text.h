// Parameter texts of the filter wrappers: "5,5,0,0" read by "%d,%d,%d,%d",
// "{640,480},0,300,300" by "%p,%d,%d,%d", "4500,{0,0,255}" by "%d,%c".
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "imaging/filters/parameter_value.h"

namespace tintara {

// Entries are separated by commas; leading blanks and tabs are skipped; an entry
// that opens with "(", "[" or "{" runs to its matching closing bracket (nesting
// counted over all three kinds), any other ends at a blank, tab or comma.
// Empty when a bracket is never closed.
std::optional<std::vector<std::string_view>> SplitParameterEntries(std::string_view text);

// Tokens of a format list, separated by commas or blanks.
std::vector<std::string_view> SplitFormatTokens(std::string_view formats);

// Converts entry i by token i: "%d" integer, "%s" the text itself, "%c" red,
// green, blue packed as red + 256 green + 65536 blue, "%p" two integers,
// "%r" four. Stops quietly at the first unknown token or when either list runs
// out. Empty when an entry does not fit its token.
std::optional<std::vector<ParameterValue>> ParseParameterText(std::string_view text,
                                                              std::string_view formats);

}  // namespace tintara
