#include "cli/option_values.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "colors/file_names.h"
#include "colors/tessel_params.h"

namespace tintara::cli {

namespace {

struct NamedType {
  const char* name;
  int type;
};

// The types the program offers; the others are left from older versions.
constexpr std::array<NamedType, 3> kOfferedTypes = {
    {{"numbers", kPatternNumbers}, {"patterns", kPatternTiles}, {"borders", kPatternBordersOnly}}};

}  // namespace

bool ReadIntOption(const std::string& text, int lo, int hi, int& value, std::string& error) {
  long long number = 0;
  const char* end = text.data() + text.size();
  auto [next, code] = std::from_chars(text.data(), end, number);
  std::string range = "(";
  range.append(std::to_string(lo)).append("..").append(std::to_string(hi)).append(")");
  if (text.empty() || next != end || (code != std::errc() && code != std::errc::result_out_of_range)) {
    error = "'" + text + "' is not a whole number " + range;
    return false;
  }
  if (code == std::errc::result_out_of_range || number < lo || number > hi) {
    error = text + " is out of range " + range;
    return false;
  }
  value = int(number);
  return true;
}

std::optional<int> ReadPatternType(const std::string& text, std::string& error) {
  for (const NamedType& offered : kOfferedTypes) {
    if (EqualsIgnoreCase(text, offered.name)) return offered.type;
  }
  int type = 0;
  if (!ReadIntOption(text, kPatternBordersOnly, kPatternNothing, type, error)) {
    error += "; give numbers, patterns or borders";
    return std::nullopt;
  }
  bool offered = false;
  for (const NamedType& named : kOfferedTypes) offered |= named.type == type;
  if (!offered) {
    std::fprintf(stderr,
                 "tintara-cli: warning: the program does not offer pattern type %d; "
                 "it offers numbers (5), patterns (2) and borders (0)\n",
                 type);
  }
  return type;
}

}  // namespace tintara::cli
