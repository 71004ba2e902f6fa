#include "imaging/filters/parameter_text.h"

#include <gtest/gtest.h>

namespace tintara {
namespace {

std::vector<std::string_view> Entries(std::string_view text) {
  auto entries = SplitParameterEntries(text);
  EXPECT_TRUE(entries.has_value()) << text;
  return entries.value_or(std::vector<std::string_view>{});
}

TEST(ParameterTextTest, EntriesSplitAtCommasBlanksAndMatchingBrackets) {
  EXPECT_EQ(Entries("5,5,0,0"), (std::vector<std::string_view>{"5", "5", "0", "0"}));
  EXPECT_EQ(Entries(" \t7,\t 8 , 9"), (std::vector<std::string_view>{"7", "8", "9"}));
  EXPECT_EQ(Entries("{640,480},0,300,300"),
            (std::vector<std::string_view>{"{640,480}", "0", "300", "300"}));
  // Nesting is counted over all three kinds of bracket.
  EXPECT_EQ(Entries("{(1,2),[3,{4}]},x"), (std::vector<std::string_view>{"{(1,2),[3,{4}]}", "x"}));
  EXPECT_EQ(Entries("(1,2],3"), (std::vector<std::string_view>{"(1,2]", "3"}));
  EXPECT_EQ(Entries("1,,2"), (std::vector<std::string_view>{"1", "", "2"}));
  EXPECT_TRUE(Entries("").empty());
  EXPECT_EQ(Entries("3,3,"), (std::vector<std::string_view>{"3", "3"}));
  EXPECT_FALSE(SplitParameterEntries("{1,2").has_value());
  EXPECT_FALSE(SplitParameterEntries("3,[{4}").has_value());
}

TEST(ParameterTextTest, FormatTokensSplitAtCommasAndBlanks) {
  EXPECT_EQ(SplitFormatTokens("%d,%c"), (std::vector<std::string_view>{"%d", "%c"}));
  EXPECT_EQ(SplitFormatTokens(" %p %d,,%r "), (std::vector<std::string_view>{"%p", "%d", "%r"}));
}

TEST(ParameterTextTest, TokensConvertTheirEntries) {
  auto values = ParseParameterText("-12,hello,{1,2,3},{640 480},(1,-2,3,4)", "%d,%s,%c,%p,%r");
  ASSERT_TRUE(values.has_value());
  ASSERT_EQ(values->size(), 5u);
  EXPECT_EQ(std::get<int32_t>((*values)[0]), -12);
  EXPECT_EQ(std::get<std::string>((*values)[1]), "hello");
  EXPECT_EQ(std::get<int32_t>((*values)[2]), 1 + 256 * 2 + 65536 * 3);
  EXPECT_EQ(std::get<Point>((*values)[3]), (Point{640, 480}));
  EXPECT_EQ(std::get<IntQuad>((*values)[4]), (IntQuad{{1, -2, 3, 4}}));
}

TEST(ParameterTextTest, ColourPacksRedLowest) {
  auto blue = ParseParameterText("{0,0,255}", "%c");
  auto red = ParseParameterText("[255, 0, 0]", "%c");
  ASSERT_TRUE(blue && red);
  EXPECT_EQ(std::get<int32_t>(blue->at(0)), 255 * 65536);
  EXPECT_EQ(std::get<int32_t>(red->at(0)), 255);
}

TEST(ParameterTextTest, ConversionStopsQuietlyWhenAListRunsOutOrATokenIsUnknown) {
  auto shorter = ParseParameterText("5", "%d,%d,%d,%d");
  ASSERT_TRUE(shorter.has_value());
  EXPECT_EQ(shorter->size(), 1u);

  auto longer = ParseParameterText("1,2,3", "%d");
  ASSERT_TRUE(longer.has_value());
  EXPECT_EQ(longer->size(), 1u);

  auto unknown = ParseParameterText("1,2,3", "%d,%x,%d");
  ASSERT_TRUE(unknown.has_value());
  EXPECT_EQ(unknown->size(), 1u);

  // What follows the last entry converted is never read, broken or not.
  auto tail = ParseParameterText("1,{2,3", "%d");
  ASSERT_TRUE(tail.has_value());
  EXPECT_EQ(tail->size(), 1u);
}

TEST(ParameterTextTest, EntriesThatDoNotFitTheirTokenAreRejected) {
  for (auto [text, formats] : std::vector<std::pair<const char*, const char*>>{
           {"abc", "%d"},
           {"12x", "%d"},
           {",5", "%d"},  // an empty entry is not the end of the list
           {"3,,4", "%d,%d,%d"},
           {"99999999999", "%d"},
           {"{1,2}", "%d"},
           {"{1,2}", "%c"},
           {"{1,2,256}", "%c"},
           {"{-1,0,0}", "%c"},
           {"{1,2,3}", "%p"},
           {"5", "%p"},
           {"{1,2,3}", "%r"},
           {"{1,(2),3,4}", "%r"},
           {"{1,2", "%p"},
       }) {
    EXPECT_FALSE(ParseParameterText(text, formats).has_value()) << text << " / " << formats;
  }
}

}  // namespace
}  // namespace tintara
