#include <gtest/gtest.h>

#include "editing/integer_field.h"
#include "editing/resize_form.h"

namespace tintara::test {
namespace {

TEST(ResizeFormTest, TheFocusedFieldDrivesTheOtherWhileTheAspectIsKept) {
  ResizeForm form(300, 200);
  EXPECT_EQ(form.WidthText(), "300");
  EXPECT_EQ(form.HeightText(), "200");
  EXPECT_TRUE(form.KeepAspect());
  form.TypeWidth("150");
  EXPECT_EQ(form.HeightText(), "100");
  form.TypeHeight("7");
  EXPECT_EQ(form.WidthText(), "10");  // 7 × 300 / 200, integer division
  form.TypeWidth("abc");               // nothing to follow
  EXPECT_EQ(form.HeightText(), "7");

  form.SetKeepAspect(false);
  form.TypeWidth("90");
  EXPECT_EQ(form.HeightText(), "7");
  // Switching it on again sets the height from the width.
  form.SetKeepAspect(true);
  EXPECT_EQ(form.HeightText(), "60");
  EXPECT_EQ(form.Accept(), (PictureSize{90, 60}));
  // A huge typed number leaves the other field alone instead of overflowing.
  form.TypeWidth("99999999999999999");
  EXPECT_EQ(form.HeightText(), "60");
}

TEST(ResizeFormTest, OkRefusesTheFirstBadFieldWithTheRangeMessages) {
  ResizeForm form(300, 200);
  form.SetKeepAspect(false);
  ResizeForm::Refusal refusal;
  form.TypeWidth("1");
  EXPECT_FALSE(form.Accept(&refusal));
  EXPECT_TRUE(refusal.widthField);
  EXPECT_EQ(refusal.message, "Please enter an integer between 2 and 100000.");
  form.TypeWidth("100000");
  form.TypeHeight("12x");
  EXPECT_FALSE(form.Accept(&refusal));
  EXPECT_FALSE(refusal.widthField);
  EXPECT_EQ(refusal.message, "Please enter an integer.");
  form.TypeHeight(" 2 ");
  EXPECT_EQ(form.Accept(), (PictureSize{100000, 2}));
}

TEST(IntegerFieldTest, AcceptsWholeNumbersInRangeOnly) {
  EXPECT_EQ(IntegerFieldError("360", 0, 360), std::nullopt);
  EXPECT_EQ(IntegerFieldError("0", 0, 360), std::nullopt);
  EXPECT_EQ(IntegerFieldError("-1", 0, 360), "Please enter an integer between 0 and 360.");
  EXPECT_EQ(IntegerFieldError("", 0, 360), "Please enter an integer.");
  EXPECT_EQ(IntegerFieldError("4.5", 0, 360), "Please enter an integer.");
  EXPECT_EQ(ParseIntegerField("+12"), 12);
  EXPECT_EQ(ParseIntegerField("99999999999999999999"), std::nullopt);
}

}  // namespace
}  // namespace tintara::test
