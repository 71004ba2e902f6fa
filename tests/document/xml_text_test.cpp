#include "document/xml_text.h"

#include <gtest/gtest.h>

namespace tintara {
namespace {

std::string Clean(std::string_view text, XmlPlace place = XmlPlace::kText) {
  std::string out;
  AppendXmlText(out, text, place);
  return out;
}

const std::string kFffd = "\xEF\xBF\xBD";

TEST(XmlText, MarkupIsEscapedAndTheApostropheOnlyInAttributes) {
  EXPECT_EQ(Clean("Payne's <Grey> & \"Blue\""), "Payne's &lt;Grey&gt; &amp; &quot;Blue&quot;");
  EXPECT_EQ(Clean("Payne's", XmlPlace::kAttribute), "Payne&apos;s");
  // Sound UTF-8 passes as it is: accents, CJK, a character past the BMP.
  EXPECT_EQ(Clean("Amarelo Lim\xC3\xA3o \xE8\x97\x8D \xF0\x9F\x8E\xA8"),
            "Amarelo Lim\xC3\xA3o \xE8\x97\x8D \xF0\x9F\x8E\xA8");
}

TEST(XmlText, ControlCharactersOtherThanTabAndLineFeedAreLeftOut) {
  EXPECT_EQ(Clean(std::string("a\0b\x01\x1f\rc\x7f", 8) + "\td\n"), "abc\td\n");
  // C1 controls, written as UTF-8, go too.
  EXPECT_EQ(Clean("x\xC2\x80y\xC2\x9Fz\xC2\xA0"), "xyz\xC2\xA0");
}

TEST(XmlText, BrokenUtf8BecomesReplacementCharacters) {
  // A lone continuation byte, a lead byte cut short by ASCII and at the end.
  EXPECT_EQ(Clean("a\x80" "b"), "a" + kFffd + "b");
  EXPECT_EQ(Clean("\xE2\x82" "c"), kFffd + "c");
  EXPECT_EQ(Clean("d\xF0\x9F\x8E"), "d" + kFffd);
  // Overlong forms, an encoded surrogate and a code point past U+10FFFF.
  EXPECT_EQ(Clean("\xC0\xBC"), kFffd + kFffd);
  EXPECT_EQ(Clean("\xE0\x80\xBC"), kFffd + kFffd + kFffd);
  EXPECT_EQ(Clean("\xED\xA0\x80"), kFffd + kFffd + kFffd);
  EXPECT_EQ(Clean("\xF4\x90\x80\x80"), kFffd + kFffd + kFffd + kFffd);
  EXPECT_EQ(Clean("\xFF\xFE"), kFffd + kFffd);
  // Non-characters XML refuses.
  EXPECT_EQ(Clean("\xEF\xBF\xBE\xEF\xBF\xBF"), kFffd + kFffd);
}

}  // namespace
}  // namespace tintara
