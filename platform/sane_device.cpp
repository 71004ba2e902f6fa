#include "platform/sane_device.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace tintara {

namespace {

double FromWord(SANE_Value_Type type, SANE_Word word) {
  return type == SANE_TYPE_FIXED ? SANE_UNFIX(word) : static_cast<double>(word);
}

// The word for `value` in the option's type; nothing when the type cannot hold it.
std::optional<SANE_Word> ToWord(SANE_Value_Type type, double value) {
  // A SANE word is 32 bits: fixed point keeps 16 of them for the whole part.
  const double limit = type == SANE_TYPE_FIXED ? 32767.0 : 2147483647.0;
  if (!std::isfinite(value) || std::abs(value) > limit) return std::nullopt;
  if (type == SANE_TYPE_FIXED) return SANE_FIX(value);
  if (type == SANE_TYPE_INT) return static_cast<SANE_Word>(std::lround(value));
  return std::nullopt;
}

std::string NumberText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

}  // namespace

SaneDevice::~SaneDevice() {
  if (handle_ != nullptr) sane_close(handle_);
}

SANE_Status SaneDevice::Open(const std::string& name) {
  return sane_open(name.c_str(), &handle_);
}

const SANE_Option_Descriptor* SaneDevice::Option(const char* name, int* index) const {
  if (handle_ == nullptr) return nullptr;
  SANE_Int count = 0;
  if (sane_control_option(handle_, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD) {
    return nullptr;
  }
  for (SANE_Int i = 1; i < count; ++i) {
    const SANE_Option_Descriptor* option = sane_get_option_descriptor(handle_, i);
    if (option == nullptr || option->name == nullptr || std::strcmp(option->name, name) != 0) {
      continue;
    }
    if (!SANE_OPTION_IS_ACTIVE(option->cap)) return nullptr;
    if (index != nullptr) *index = i;
    return option;
  }
  return nullptr;
}

std::optional<double> SaneDevice::Number(const char* name) const {
  int index = 0;
  const SANE_Option_Descriptor* option = Option(name, &index);
  if (option == nullptr || option->size < static_cast<SANE_Int>(sizeof(SANE_Word)) ||
      (option->type != SANE_TYPE_INT && option->type != SANE_TYPE_FIXED)) {
    return std::nullopt;
  }
  std::vector<SANE_Word> words(static_cast<size_t>(option->size) / sizeof(SANE_Word) + 1);
  if (sane_control_option(handle_, index, SANE_ACTION_GET_VALUE, words.data(), nullptr) !=
      SANE_STATUS_GOOD) {
    return std::nullopt;
  }
  return FromWord(option->type, words[0]);
}

bool SaneDevice::SetNumber(const char* name, double value) {
  int index = 0;
  const SANE_Option_Descriptor* option = Option(name, &index);
  if (option == nullptr || !SANE_OPTION_IS_SETTABLE(option->cap)) return false;
  std::optional<SANE_Word> word = ToWord(option->type, value);
  if (!word) return false;
  return sane_control_option(handle_, index, SANE_ACTION_SET_VALUE, &*word, nullptr) ==
         SANE_STATUS_GOOD;
}

std::optional<std::string> SaneDevice::Text(const char* name) const {
  int index = 0;
  const SANE_Option_Descriptor* option = Option(name, &index);
  if (option == nullptr || option->type != SANE_TYPE_STRING || option->size <= 0) {
    return std::nullopt;
  }
  std::vector<char> text(static_cast<size_t>(option->size) + 1, '\0');
  if (sane_control_option(handle_, index, SANE_ACTION_GET_VALUE, text.data(), nullptr) !=
      SANE_STATUS_GOOD) {
    return std::nullopt;
  }
  return std::string(text.data());
}

bool SaneDevice::SetText(const char* name, const std::string& value) {
  int index = 0;
  const SANE_Option_Descriptor* option = Option(name, &index);
  if (option == nullptr || option->type != SANE_TYPE_STRING ||
      !SANE_OPTION_IS_SETTABLE(option->cap)) {
    return false;
  }
  std::vector<char> text(std::max<size_t>(static_cast<size_t>(option->size), value.size() + 1),
                         '\0');
  std::memcpy(text.data(), value.data(), value.size());
  return sane_control_option(handle_, index, SANE_ACTION_SET_VALUE, text.data(), nullptr) ==
         SANE_STATUS_GOOD;
}

bool SaneDevice::SetFlag(const char* name, bool value) {
  int index = 0;
  const SANE_Option_Descriptor* option = Option(name, &index);
  if (option == nullptr || option->type != SANE_TYPE_BOOL ||
      !SANE_OPTION_IS_SETTABLE(option->cap)) {
    return false;
  }
  SANE_Bool flag = value ? SANE_TRUE : SANE_FALSE;
  return sane_control_option(handle_, index, SANE_ACTION_SET_VALUE, &flag, nullptr) ==
         SANE_STATUS_GOOD;
}

std::vector<std::string> SaneDevice::Choices(const char* name) const {
  std::vector<std::string> choices;
  const SANE_Option_Descriptor* option = Option(name);
  if (option == nullptr || option->constraint_type != SANE_CONSTRAINT_STRING_LIST) return choices;
  for (const SANE_String_Const* item = option->constraint.string_list; *item != nullptr; ++item) {
    choices.emplace_back(*item);
  }
  return choices;
}

std::optional<std::pair<double, double>> SaneDevice::Range(const char* name) const {
  const SANE_Option_Descriptor* option = Option(name);
  if (option == nullptr) return std::nullopt;
  if (option->constraint_type == SANE_CONSTRAINT_RANGE) {
    return std::pair{FromWord(option->type, option->constraint.range->min),
                     FromWord(option->type, option->constraint.range->max)};
  }
  std::vector<double> values = Values(name);
  if (values.empty()) return std::nullopt;
  auto [low, high] = std::minmax_element(values.begin(), values.end());
  return std::pair{*low, *high};
}

bool SaneDevice::Admits(const char* name, double value, std::string* allowed) const {
  const SANE_Option_Descriptor* option = Option(name);
  if (option == nullptr) return false;
  if (option->constraint_type == SANE_CONSTRAINT_RANGE) {
    const double low = FromWord(option->type, option->constraint.range->min);
    const double high = FromWord(option->type, option->constraint.range->max);
    if (value >= low && value <= high) return true;
    if (allowed != nullptr) *allowed = NumberText(low) + " to " + NumberText(high);
    return false;
  }
  if (option->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
    std::vector<double> values = Values(name);
    // The type's own rounding decides, as it does when the value is set.
    std::optional<SANE_Word> word = ToWord(option->type, value);
    for (double listed : values) {
      if (word && ToWord(option->type, listed) == word) return true;
    }
    if (allowed != nullptr) {
      allowed->clear();
      for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) *allowed += i + 1 == values.size() ? " or " : ", ";
        *allowed += NumberText(values[i]);
      }
    }
    return false;
  }
  // No constraint: whatever the type holds.
  if (ToWord(option->type, value)) return true;
  if (allowed != nullptr) *allowed = option->type == SANE_TYPE_FIXED ? "-32767 to 32767" : "a smaller number";
  return false;
}

double SaneDevice::Step(const char* name) const {
  const SANE_Option_Descriptor* option = Option(name);
  if (option == nullptr || option->constraint_type != SANE_CONSTRAINT_RANGE) return 0;
  return FromWord(option->type, option->constraint.range->quant);
}

std::vector<double> SaneDevice::Values(const char* name) const {
  std::vector<double> values;
  const SANE_Option_Descriptor* option = Option(name);
  if (option == nullptr || option->constraint_type != SANE_CONSTRAINT_WORD_LIST) return values;
  const SANE_Word* list = option->constraint.word_list;
  for (SANE_Word i = 1; i <= list[0]; ++i) values.push_back(FromWord(option->type, list[i]));
  return values;
}

std::string SaneStatusText(SANE_Status status) { return sane_strstatus(status); }

}  // namespace tintara
