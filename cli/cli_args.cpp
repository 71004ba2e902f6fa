#include "cli/cli_args.h"

#include <cctype>
#include <charconv>

namespace tintara::cli {

std::optional<std::string> ParsedArgs::Value(const std::string& name) const {
  auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

namespace {

const OptionDef* FindOption(std::span<const OptionDef> options, const std::string& name) {
  for (const OptionDef& option : options) {
    if (name == option.name || (option.alias != nullptr && name == option.alias)) return &option;
  }
  return nullptr;
}

// "-5" is a value (a negative number), so that a range check can name it.
bool IsOptionWord(const std::string& word) {
  return word.size() > 1 && word[0] == '-' && !std::isdigit(static_cast<unsigned char>(word[1]));
}

// A word after an option that needs a value: anything but another option,
// so "-2" or "-nan" reach the option's own range check.
bool TakesAsValue(const std::string& word, std::span<const OptionDef> options) {
  if (!IsOptionWord(word)) return true;
  return word.rfind("--", 0) != 0 && FindOption(options, word.substr(0, word.find('='))) == nullptr;
}

}  // namespace

bool ParseArgs(std::span<const std::string> words, std::span<const OptionDef> options,
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
    const OptionDef* option = FindOption(options, name);
    if (option == nullptr) {
      error = "unknown option '" + name + "'";
      return false;
    }
    if (out.Has(option->name)) {
      error = "option '" + std::string(option->name) + "' given twice";
      return false;
    }
    if (!option->takesValue) {
      if (equals != std::string::npos) {
        error = "option '" + name + "' takes no value";
        return false;
      }
      out.SetFlag(option->name);
      continue;
    }
    if (equals != std::string::npos) {
      out.SetValue(option->name, word.substr(equals + 1));
    } else if (i + 1 < words.size() && TakesAsValue(words[i + 1], options)) {
      out.SetValue(option->name, words[++i]);
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
