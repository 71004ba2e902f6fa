#include "cli/command_names.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "cli/cli_args.h"
#include "document/command_menu_texts.h"

namespace tintara::cli {

namespace {

size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The text as a menu shows it, without its access keys, shortcut and dots.
std::string ShownName(std::string_view text) {
  text = text.substr(0, text.find('\t'));
  std::string shown;
  for (char c : text) {
    if (c != '&') shown += c;
  }
  auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!shown.empty() && blank(shown.back())) shown.pop_back();
  if (shown.ends_with("...")) shown.resize(shown.size() - 3);
  while (!shown.empty() && blank(shown.back())) shown.pop_back();
  size_t first = 0;
  while (first < shown.size() && blank(shown[first])) ++first;
  return shown.substr(first);
}

}  // namespace

std::vector<std::string> AnswerKeysOf(const Command& command) {
  std::vector<std::string> keys;
  if (const char* menu = MenuTextOf(command.id)) keys.push_back(ShownName(menu));
  std::string own = ShownName(command.text);
  if (std::find(keys.begin(), keys.end(), own) == keys.end()) keys.push_back(std::move(own));
  return keys;
}

std::string PlainCommandName(std::string_view text) {
  std::string plain = ShownName(text);
  for (char& c : plain) c = char(std::tolower(static_cast<unsigned char>(c)));
  return plain;
}

namespace {

// The plain names a command answers to: its table text, then its menu text.
std::vector<std::string> PlainNamesOf(const Command& command) {
  std::vector<std::string> names = {PlainCommandName(command.text)};
  if (const char* menu = MenuTextOf(command.id)) {
    std::string name = PlainCommandName(menu);
    if (name != names.front()) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace

const Command* FindCommandNamed(const CommandTable& table, const std::string& word) {
  if (std::optional<int> id = ParseInt(word, 1, 65535)) return table.Find(CommandId(*id));
  std::string plain = PlainCommandName(word);
  if (plain.empty()) return nullptr;
  // The table's texts first: scripts written before the menu texts were
  // accepted keep naming the same commands.
  for (CommandId id : table.Ids()) {
    const Command* command = table.Find(id);
    if (PlainCommandName(command->text) == plain) return command;
  }
  for (CommandId id : table.Ids()) {
    const char* menu = MenuTextOf(id);
    if (menu != nullptr && PlainCommandName(menu) == plain) return table.Find(id);
  }
  return nullptr;
}

const Command* ClosestCommand(const CommandTable& table, const std::string& word) {
  std::string plain = PlainCommandName(word);
  const Command* best = nullptr;
  size_t bestDistance = 0;
  for (CommandId id : table.Ids()) {
    const Command* command = table.Find(id);
    for (const std::string& name : PlainNamesOf(*command)) {
      // A name typed short counts against the start of the command's name too.
      size_t distance =
          std::min(EditDistance(plain, name),
                   EditDistance(plain, std::string_view(name).substr(0, plain.size())));
      if (best == nullptr || distance < bestDistance) {
        best = command;
        bestDistance = distance;
      }
    }
  }
  return best;
}

}  // namespace tintara::cli
