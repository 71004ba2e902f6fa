// Answers prepared in advance for questions and dialogs, keyed by the
// message text or the dialog caption, each key a list used in order. The
// command-line tool fills it from a JSON file; tests fill it directly.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tintara {

struct ScriptValue {
  using List = std::vector<ScriptValue>;
  using Object = std::map<std::string, ScriptValue>;
  std::variant<std::monostate, bool, int64_t, double, std::string, List, Object> value;

  ScriptValue() = default;
  ScriptValue(bool b) : value(b) {}
  ScriptValue(int i) : value(int64_t(i)) {}
  ScriptValue(int64_t i) : value(i) {}
  ScriptValue(double d) : value(d) {}
  ScriptValue(const char* s) : value(std::string(s)) {}
  ScriptValue(std::string s) : value(std::move(s)) {}
  ScriptValue(List l) : value(std::move(l)) {}
  ScriptValue(Object o) : value(std::move(o)) {}

  std::optional<int64_t> AsInt() const;
  std::optional<std::string> AsString() const;
  const List* AsList() const { return std::get_if<List>(&value); }
  const Object* AsObject() const { return std::get_if<Object>(&value); }
  // Member of an object, or null.
  const ScriptValue* Find(const std::string& key) const;
};

class ScriptedAnswers {
 public:
  void Add(const std::string& key, ScriptValue answer);
  // The next unused answer for the key, if any.
  std::optional<ScriptValue> Take(const std::string& key);

  struct Unused {
    std::string key;
    size_t position;  // 1-based, among the answers given for the key
    size_t given;
  };
  // Every answer no question or dialog took, key by key, in order.
  std::vector<Unused> Left() const;

 private:
  std::map<std::string, std::deque<ScriptValue>> answers_;
  std::map<std::string, size_t> given_;
};

}  // namespace tintara
