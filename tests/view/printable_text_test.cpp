#include "view/printable_text.h"

#include <gtest/gtest.h>

namespace tintara {
namespace {

TEST(PrintableText, ControlCharactersAreShownAsEscapes) {
  // A title-setting and a screen-clearing sequence from a stored name.
  EXPECT_EQ(PrintableText("a\x1b]0;owned\x07z"), "a\\e]0;owned\\x07z");
  EXPECT_EQ(PrintableText("\x1b[2J\r\n\t"), "\\e[2J\\r\\n\\t");
  EXPECT_EQ(PrintableText(std::string("nul\0x", 5)), "nul\\x00x");
  EXPECT_EQ(PrintableText("del\x7f"), "del\\x7F");
  // U+009B is a one-character CSI on terminals that read C1 controls.
  EXPECT_EQ(PrintableText("c1\xc2\x9b" "2J"), "c1\\u009b2J");
  // Bytes that are not UTF-8 (a lone 0x9B is CSI on 8-bit terminals).
  EXPECT_EQ(PrintableText("\x9b" "31m\xc3"), "\\x9B31m\\xC3");
  EXPECT_EQ(PrintableText("\xe0\x80\x80"), "\\xE0\\x80\\x80");  // overlong
}

TEST(PrintableText, OrdinaryTextPassesUnchanged) {
  EXPECT_EQ(PrintableText("Cadmium Red Light, 6500"), "Cadmium Red Light, 6500");
  EXPECT_EQ(PrintableText("C:\\photos\\été.jpg"), "C:\\photos\\été.jpg");
  const std::string symbols = "\xe2\x82\xac \xf0\x9f\x8e\xa8 \xc2\xa0";  // euro, palette, no-break space
  EXPECT_EQ(PrintableText(symbols), symbols);
  EXPECT_EQ(PrintableText(""), "");
}

}  // namespace
}  // namespace tintara
