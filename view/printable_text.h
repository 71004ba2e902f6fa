// Text from a file, made safe to print on a terminal: control characters
// (and bytes that are not UTF-8) would otherwise move the cursor, recolour
// or retitle the terminal, so they are shown as escapes instead.
#pragma once

#include <string>
#include <string_view>

namespace tintara {

// "\n", "\t", "\r", "\e" for the usual ones, "\xNN" for other C0 controls,
// DEL and stray bytes, "\u0080".."\u009f" for C1 controls; valid UTF-8 text
// otherwise passes unchanged.
std::string PrintableText(std::string_view text);

}  // namespace tintara
