#include "editing/integer_field.h"

#include <cctype>
#include <charconv>

namespace tintara {

std::optional<long long> ParseIntegerField(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  if (begin < end && text[begin] == '+') ++begin;
  long long value = 0;
  const char* first = text.data() + begin;
  const char* last = text.data() + end;
  auto [stop, error] = std::from_chars(first, last, value);
  if (first == last || error != std::errc() || stop != last) return std::nullopt;
  return value;
}

std::optional<std::string> IntegerFieldError(const std::string& text, int lo, int hi) {
  std::optional<long long> value = ParseIntegerField(text);
  if (!value) return std::string("Please enter an integer.");
  if (*value < lo || *value > hi) {
    return "Please enter an integer between " + std::to_string(lo) + " and " + std::to_string(hi) +
           ".";
  }
  return std::nullopt;
}

}  // namespace tintara
