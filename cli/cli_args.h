// The command line of one subcommand: positional words, options with values
// ("--name VALUE" or "--name=VALUE") and flags. Options may come anywhere;
// "--" ends them.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace tintara::cli {

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitError = 1;
constexpr int kExitUsage = 2;

struct OptionDef {
  const char* name;  // "--colors", or a short form such as "-o"
  bool takesValue;
  const char* alias = nullptr;  // another spelling of the same option
};

class ParsedArgs {
 public:
  std::vector<std::string> positional;

  bool Has(const std::string& name) const { return flags_.count(name) || values_.count(name); }
  std::optional<std::string> Value(const std::string& name) const;

  void SetFlag(const std::string& name) { flags_.insert(name); }
  void SetValue(const std::string& name, std::string value) { values_[name] = std::move(value); }

 private:
  std::set<std::string> flags_;
  std::map<std::string, std::string> values_;
};

// False, with `error` naming the problem, for an unknown option, a missing
// value, or an option given twice. Aliases are stored under the main name.
bool ParseArgs(std::span<const std::string> words, std::span<const OptionDef> options,
               ParsedArgs& out, std::string& error);

// A whole decimal number in lo..hi, nothing else.
std::optional<int> ParseInt(const std::string& text, int lo, int hi);

}  // namespace tintara::cli
