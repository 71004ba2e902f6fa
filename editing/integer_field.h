// The check of an integer entry field when its dialog is confirmed.
#pragma once

#include <optional>
#include <string>

namespace tintara {

// The whole text as an integer (blanks around it allowed), or nothing.
std::optional<long long> ParseIntegerField(const std::string& text);
// The message that refuses the text: "Please enter an integer." for text that
// is no integer, "Please enter an integer between LO and HI." outside the
// range; nothing when the value is accepted.
std::optional<std::string> IntegerFieldError(const std::string& text, int lo, int hi);

}  // namespace tintara
