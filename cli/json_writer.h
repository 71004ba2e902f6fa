// A small writer of JSON text that keeps members in the order they are written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tintara::cli {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  // The next member's name inside an object.
  JsonWriter& Key(const std::string& name);
  JsonWriter& String(const std::string& text);
  JsonWriter& Number(int64_t value);
  JsonWriter& Null();

  const std::string& Text() const { return text_; }

 private:
  void BeforeValue();
  void NewLine();

  std::string text_;
  // Per open container: whether it holds a value yet.
  std::vector<bool> filled_;
  bool afterKey_ = false;
};

// `text` (UTF-8) as a JSON string literal with its quotes.
std::string JsonQuoted(const std::string& text);

}  // namespace tintara::cli
