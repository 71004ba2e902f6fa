#include "document/xml_text.h"

#include <cstdint>

namespace tintara {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

void AppendAscii(std::string& out, char c, XmlPlace place) {
  switch (c) {
    case '&': out += "&amp;"; return;
    case '<': out += "&lt;"; return;
    case '>': out += "&gt;"; return;
    case '"': out += "&quot;"; return;
    case '\'':
      out += place == XmlPlace::kAttribute ? "&apos;" : "'";
      return;
    case '\t':
    case '\n': out += c; return;
    default:
      // XML has no place for the other C0 controls; DEL is a control too.
      if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) out += c;
  }
}

// The length of the UTF-8 sequence led by `lead` and the range its second
// byte must lie in (which rules out overlong forms, surrogates and code
// points past U+10FFFF); 0 for a byte that leads nothing.
int SequenceLength(uint8_t lead, uint8_t& low, uint8_t& high) {
  low = 0x80;
  high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
    return 4;
  }
  return 0;
}

}  // namespace

void AppendXmlText(std::string& out, std::string_view text, XmlPlace place) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<uint8_t>(text[i]);
    if (lead < 0x80) {
      AppendAscii(out, text[i], place);
      ++i;
      continue;
    }
    uint8_t low = 0, high = 0;
    const int length = SequenceLength(lead, low, high);
    uint32_t code = lead & (0x7F >> length);
    int taken = 1;
    for (; length > 0 && taken < length && i + size_t(taken) < text.size(); ++taken) {
      const auto next = static_cast<uint8_t>(text[i + size_t(taken)]);
      if (next < (taken == 1 ? low : 0x80) || next > (taken == 1 ? high : 0xBF)) break;
      code = (code << 6) | (next & 0x3F);
    }
    if (length == 0 || taken < length) {
      // One replacement for the longest start of a sequence that went wrong.
      out += kReplacement;
      i += size_t(taken);
      continue;
    }
    if (code >= 0x80 && code <= 0x9F) {
      // C1 controls are left out like the C0 ones.
    } else if (code == 0xFFFE || code == 0xFFFF) {
      out += kReplacement;  // not characters XML allows
    } else {
      out.append(text.substr(i, size_t(length)));
    }
    i += size_t(length);
  }
}

}  // namespace tintara
