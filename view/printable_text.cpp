#include "view/printable_text.h"

#include <cstdint>
#include <cstdio>

namespace tintara {

namespace {

// Length of the valid UTF-8 sequence starting at `at`, or 0.
size_t Utf8Length(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return uint8_t(text[i]); };
  uint8_t lead = byte(at);
  size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  }
  uint8_t second = byte(at + 1);
  // Overlong forms, surrogates and values past U+10FFFF.
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
    return 0;
  }
  return length;
}

const char* NamedEscape(uint8_t c) {
  switch (c) {
    case '\n': return "\\n";
    case '\t': return "\\t";
    case '\r': return "\\r";
    case 0x1B: return "\\e";
    default: return nullptr;
  }
}

std::string Escape(const char* format, unsigned value) {
  char text[12];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

std::string PrintableText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    uint8_t c = uint8_t(text[i]);
    if (c >= 0x20 && c < 0x7F) {
      out += char(c);
      ++i;
      continue;
    }
    if (const char* named = NamedEscape(c)) {
      out += named;
      ++i;
      continue;
    }
    size_t length = c >= 0x80 ? Utf8Length(text, i) : 0;
    if (length == 0) {
      out += Escape("\\x%02X", c);
      ++i;
    } else if (length == 2 && c == 0xC2 && uint8_t(text[i + 1]) < 0xA0) {
      out += Escape("\\u%04x", uint8_t(text[i + 1]));  // C1 control, e.g. U+009B, a one-byte CSI
      i += 2;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

}  // namespace tintara
