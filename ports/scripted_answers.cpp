#include "ports/scripted_answers.h"

#include <cmath>

namespace tintara {

std::optional<int64_t> ScriptValue::AsInt() const {
  if (const auto* i = std::get_if<int64_t>(&value)) return *i;
  if (const auto* d = std::get_if<double>(&value)) {
    if (std::isfinite(*d) && std::fabs(*d) < 9.0e18) return int64_t(std::llround(*d));
  }
  if (const auto* b = std::get_if<bool>(&value)) return *b ? 1 : 0;
  return std::nullopt;
}

std::optional<std::string> ScriptValue::AsString() const {
  if (const auto* s = std::get_if<std::string>(&value)) return *s;
  return std::nullopt;
}

const ScriptValue* ScriptValue::Find(const std::string& key) const {
  const Object* object = AsObject();
  if (object == nullptr) return nullptr;
  auto it = object->find(key);
  return it == object->end() ? nullptr : &it->second;
}

void ScriptedAnswers::Add(const std::string& key, ScriptValue answer) {
  answers_[key].push_back(std::move(answer));
  ++given_[key];
}

std::vector<ScriptedAnswers::Unused> ScriptedAnswers::Left() const {
  std::vector<Unused> left;
  for (const auto& [key, waiting] : answers_) {
    const size_t given = given_.at(key);
    for (size_t i = given - waiting.size(); i < given; ++i) left.push_back({key, i + 1, given});
  }
  return left;
}

std::optional<ScriptValue> ScriptedAnswers::Take(const std::string& key) {
  auto it = answers_.find(key);
  if (it == answers_.end() || it->second.empty()) return std::nullopt;
  ScriptValue answer = std::move(it->second.front());
  it->second.pop_front();
  return answer;
}

}  // namespace tintara
