// Text from outside (paint and brand names from palette files) made fit for
// an XML document: byte sequences that are not UTF-8 become U+FFFD, control
// characters other than tab and line feed are left out, and the characters
// markup gives a meaning to are escaped.
#pragma once

#include <string>
#include <string_view>

namespace tintara {

enum class XmlPlace {
  kText,       // element content: & < > and " escaped
  kAttribute,  // a quoted attribute value: the apostrophe as well
};

void AppendXmlText(std::string& out, std::string_view text, XmlPlace place = XmlPlace::kText);

}  // namespace tintara
