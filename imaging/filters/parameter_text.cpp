#include "imaging/filters/parameter_text.h"

#include <charconv>

namespace tintara {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsOpening(char c) { return c == '(' || c == '[' || c == '{'; }
bool IsClosing(char c) { return c == ')' || c == ']' || c == '}'; }

std::optional<int32_t> ParseInt(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int32_t value = 0;
  const char* end = text.data() + text.size();
  auto [rest, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || rest != end) return std::nullopt;
  return value;
}

// The integers inside one bracketed entry, separated by commas or blanks.
std::optional<std::vector<int32_t>> ParseIntList(std::string_view entry, size_t count) {
  if (entry.size() < 2 || !IsOpening(entry.front()) || !IsClosing(entry.back())) {
    return std::nullopt;
  }
  std::string_view inner = entry.substr(1, entry.size() - 2);
  std::vector<int32_t> values;
  size_t pos = 0;
  while (pos < inner.size()) {
    if (inner[pos] == ',' || IsBlank(inner[pos])) {
      ++pos;
      continue;
    }
    size_t end = pos;
    while (end < inner.size() && inner[end] != ',' && !IsBlank(inner[end])) ++end;
    std::optional<int32_t> value = ParseInt(inner.substr(pos, end - pos));
    if (!value || values.size() == count) return std::nullopt;
    values.push_back(*value);
    pos = end;
  }
  if (values.size() != count) return std::nullopt;
  return values;
}

std::optional<ParameterValue> Convert(std::string_view token, std::string_view entry) {
  if (token == "%d") {
    if (auto value = ParseInt(entry)) return ParameterValue(*value);
    return std::nullopt;
  }
  if (token == "%s") return ParameterValue(std::string(entry));
  if (token == "%c") {
    auto rgb = ParseIntList(entry, 3);
    if (!rgb) return std::nullopt;
    for (int32_t v : *rgb) {
      if (v < 0 || v > 255) return std::nullopt;
    }
    return ParameterValue(int32_t((*rgb)[0] + 256 * (*rgb)[1] + 65536 * (*rgb)[2]));
  }
  if (token == "%p") {
    auto xy = ParseIntList(entry, 2);
    if (!xy) return std::nullopt;
    return ParameterValue(Point{(*xy)[0], (*xy)[1]});
  }
  auto four = ParseIntList(entry, 4);  // "%r"
  if (!four) return std::nullopt;
  return ParameterValue(IntQuad{{(*four)[0], (*four)[1], (*four)[2], (*four)[3]}});
}

bool IsKnownToken(std::string_view token) {
  return token == "%d" || token == "%s" || token == "%c" || token == "%p" || token == "%r";
}

// Reads entries one at a time, so that text after the last entry converted is
// never looked at.
class EntryReader {
 public:
  enum Result { kEntry, kEnd, kMalformed };
  explicit EntryReader(std::string_view text) : text_(text) {}

  Result Next(std::string_view& entry) {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    if (pos_ >= text_.size()) return kEnd;
    size_t start = pos_;
    if (IsOpening(text_[pos_])) {
      int depth = 0;
      do {
        if (IsOpening(text_[pos_])) ++depth;
        if (IsClosing(text_[pos_])) --depth;
        ++pos_;
      } while (depth > 0 && pos_ < text_.size());
      if (depth > 0) return kMalformed;
    } else {
      while (pos_ < text_.size() && text_[pos_] != ',' && !IsBlank(text_[pos_])) ++pos_;
    }
    entry = text_.substr(start, pos_ - start);
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
    return kEntry;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

std::optional<std::vector<std::string_view>> SplitParameterEntries(std::string_view text) {
  std::vector<std::string_view> entries;
  EntryReader reader(text);
  std::string_view entry;
  while (true) {
    switch (reader.Next(entry)) {
      case EntryReader::kEntry: entries.push_back(entry); break;
      case EntryReader::kEnd: return entries;
      case EntryReader::kMalformed: return std::nullopt;
    }
  }
}

std::vector<std::string_view> SplitFormatTokens(std::string_view formats) {
  std::vector<std::string_view> tokens;
  size_t pos = 0;
  while (pos < formats.size()) {
    if (formats[pos] == ',' || IsBlank(formats[pos])) {
      ++pos;
      continue;
    }
    size_t end = pos;
    while (end < formats.size() && formats[end] != ',' && !IsBlank(formats[end])) ++end;
    tokens.push_back(formats.substr(pos, end - pos));
    pos = end;
  }
  return tokens;
}

std::optional<std::vector<ParameterValue>> ParseParameterText(std::string_view text,
                                                              std::string_view formats) {
  EntryReader reader(text);
  std::vector<ParameterValue> values;
  for (std::string_view token : SplitFormatTokens(formats)) {
    if (!IsKnownToken(token)) break;
    std::string_view entry;
    EntryReader::Result result = reader.Next(entry);
    if (result == EntryReader::kEnd) break;
    if (result == EntryReader::kMalformed) return std::nullopt;
    std::optional<ParameterValue> value = Convert(token, entry);
    if (!value) return std::nullopt;
    values.push_back(std::move(*value));
  }
  return values;
}

}  // namespace tintara
