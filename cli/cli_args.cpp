#include "cli/cli_args.h"

#include <charconv>

namespace tintara::cli {

std::optional<std::string> ParsedArgs::Value(const std::string& name) const {
  auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

namespace {

const OptionSpec* FindSpec(std::span<const OptionSpec> specs, const std::string& name) {
  for (const OptionSpec& spec : specs) {
    if (name == spec.name || (spec.alias != nullptr && name == spec.alias)) return &spec;
  }
  return nullptr;
}

bool IsOptionWord(const std::string& word) { return word.size() > 1 && word[0] == '-'; }

}  // namespace

bool ParseArgs(std::span<const std::string> words, std::span<const OptionSpec> specs,
               ParsedArgs& out, std::string& error) {
  bool optionsEnded = false;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (optionsEnded || !IsOptionWord(word)) {
      out.positional.push_back(word);
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    size_t equals = word.find('=');
    std::string name = word.substr(0, equals);
    const OptionSpec* spec = FindSpec(specs, name);
    if (spec == nullptr) {
      error = "unknown option '" + name + "'";
      return false;
    }
    if (out.Has(spec->name)) {
      error = "option '" + std::string(spec->name) + "' given twice";
      return false;
    }
    if (!spec->takesValue) {
      if (equals != std::string::npos) {
        error = "option '" + name + "' takes no value";
        return false;
      }
      out.SetFlag(spec->name);
      continue;
    }
    if (equals != std::string::npos) {
      out.SetValue(spec->name, word.substr(equals + 1));
    } else if (i + 1 < words.size() && !IsOptionWord(words[i + 1])) {
      out.SetValue(spec->name, words[++i]);
    } else {
      error = "option '" + name + "' needs a value";
      return false;
    }
  }
  return true;
}

std::optional<int> ParseInt(const std::string& text, int lo, int hi) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [next, code] = std::from_chars(text.data(), end, value);
  if (text.empty() || code != std::errc() || next != end || value < lo || value > hi) {
    return std::nullopt;
  }
  return value;
}

}  // namespace tintara::cli
