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
  // `oneLine`: a short list of plain values written on one line.
  JsonWriter& BeginArray(bool oneLine = false);
  JsonWriter& EndArray();
  // The next member's name inside an object.
  JsonWriter& Key(const std::string& name);
  JsonWriter& String(const std::string& text);
  JsonWriter& Number(int64_t value);
  // A fractional number with `places` digits after the point.
  JsonWriter& Decimal(double value, int places);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  const std::string& Text() const { return text_; }

 private:
  void BeforeValue();
  void NewLine();

  std::string text_;
  struct Container {
    bool filled = false;  // holds a value yet
    bool oneLine = false;
  };
  JsonWriter& End(char close);

  std::vector<Container> open_;
  bool afterKey_ = false;
};

// `text` (UTF-8) as a JSON string literal with its quotes.
std::string JsonQuoted(const std::string& text);

}  // namespace tintara::cli
