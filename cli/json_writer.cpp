#include "cli/json_writer.h"

#include <QString>
#include <cstdio>

namespace tintara::cli {

std::string JsonQuoted(const std::string& text) {
  // Names come from files as bytes; anything that is not UTF-8 becomes U+FFFD.
  const std::string valid = QString::fromUtf8(text.data(), qsizetype(text.size())).toStdString();
  std::string out = "\"";
  for (unsigned char c : valid) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += char(c);
        }
    }
  }
  return out + "\"";
}

void JsonWriter::NewLine() {
  text_ += '\n';
  text_.append(2 * open_.size(), ' ');
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (open_.empty()) return;
  Container& container = open_.back();
  if (container.filled) text_ += container.oneLine ? ", " : ",";
  if (!container.oneLine) NewLine();
  container.filled = true;
}

JsonWriter& JsonWriter::BeginObject() {
  BeforeValue();
  text_ += '{';
  open_.push_back({});
  return *this;
}

JsonWriter& JsonWriter::BeginArray(bool oneLine) {
  BeforeValue();
  text_ += '[';
  open_.push_back({false, oneLine});
  return *this;
}

JsonWriter& JsonWriter::End(char close) {
  Container container = open_.back();
  open_.pop_back();
  if (container.filled && !container.oneLine) NewLine();
  text_ += close;
  return *this;
}

JsonWriter& JsonWriter::EndObject() { return End('}'); }
JsonWriter& JsonWriter::EndArray() { return End(']'); }

JsonWriter& JsonWriter::Key(const std::string& name) {
  BeforeValue();
  text_ += JsonQuoted(name) + ": ";
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(const std::string& text) {
  BeforeValue();
  text_ += JsonQuoted(text);
  return *this;
}

JsonWriter& JsonWriter::Number(int64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Decimal(double value, int places) {
  BeforeValue();
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", places, value);
  text_ += text;
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  text_ += "null";
  return *this;
}

}  // namespace tintara::cli
