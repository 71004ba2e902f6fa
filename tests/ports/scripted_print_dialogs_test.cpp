#include <gtest/gtest.h>

#include "ports/scripted_dialogs.h"

namespace tintara {
namespace {

class ScriptedPrintDialogsTest : public ::testing::Test {
 protected:
  ScriptedAnswers answers;
  ScriptedDialogs dialogs{answers};
};

TEST_F(ScriptedPrintDialogsTest, HowToPrintChangesTheFieldsGivenAndMayPressPrinter) {
  answers.Add("How to print", ScriptValue::Object{{"pages", 4}, {"marks", true}, {"overlapMm", 15},
                                                  {"printer", true}});
  answers.Add("How to print", ScriptValue::Object{{"shoppingList", true}, {"pot", 250},
                                                  {"coats", 3}, {"coverage", 80}});
  int pressed = 0;
  PrintSetupChoice current;
  current.sheetColors = true;
  std::optional<PrintSetupChoice> first = dialogs.HowToPrint(current, [&] { ++pressed; });
  ASSERT_TRUE(first);
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(first->pagesPerSide, 4);
  EXPECT_TRUE(first->registrationMarks);
  EXPECT_EQ(first->overlapMm, 15);
  EXPECT_TRUE(first->sheetColors);  // kept as opened
  std::optional<PrintSetupChoice> second = dialogs.HowToPrint(current, {});
  ASSERT_TRUE(second);
  EXPECT_TRUE(second->shoppingList);
  EXPECT_EQ(second->potMillilitres, 250);
  EXPECT_EQ(second->coats, 3);
  EXPECT_EQ(second->coverageMicrolitres, 80);
  EXPECT_EQ(second->pagesPerSide, 1);
  EXPECT_EQ(dialogs.HowToPrint(current, {}), std::nullopt);  // no answer left: Cancel
  EXPECT_TRUE(dialogs.refused.empty());
}

TEST_F(ScriptedPrintDialogsTest, HowToPrintRefusesWhatTheDialogCannotHold) {
  answers.Add("How to print", ScriptValue::Object{{"pages", 11}});
  answers.Add("How to print", ScriptValue::Object{{"overlapMm", 16}});
  answers.Add("How to print", ScriptValue::Object{{"marks", 1}});
  answers.Add("How to print", 3);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(dialogs.HowToPrint({}, {}), std::nullopt) << i;
  ASSERT_EQ(dialogs.refused.size(), 4u);
  EXPECT_NE(dialogs.refused[0].find("pages"), std::string::npos);
  EXPECT_NE(dialogs.refused[1].find("overlapMm"), std::string::npos);
  EXPECT_NE(dialogs.refused[2].find("marks"), std::string::npos);
}

TEST_F(ScriptedPrintDialogsTest, PrintRangeIsAllOrOneSheetWithinTheGrid) {
  answers.Add("Print range", "all");
  answers.Add("Print range", ScriptValue::Object{{"row", 3}, {"column", 1}});
  answers.Add("Print range", ScriptValue::Object{{"row", 4}, {"column", 1}});
  answers.Add("Print range", ScriptValue::Object{{"row", 2}});
  answers.Add("Print range", "some");
  EXPECT_EQ(dialogs.ChoosePrintRange(3), PrintRangeChoice{});
  EXPECT_EQ(dialogs.ChoosePrintRange(3), (PrintRangeChoice{true, 3, 1}));
  EXPECT_EQ(dialogs.ChoosePrintRange(3), std::nullopt);  // row beyond the grid
  EXPECT_EQ(dialogs.ChoosePrintRange(3), std::nullopt);  // no column
  EXPECT_EQ(dialogs.ChoosePrintRange(3), std::nullopt);
  EXPECT_EQ(dialogs.refused.size(), 3u);
  EXPECT_EQ(dialogs.ChoosePrintRange(3), std::nullopt);  // none left: the job is abandoned
  EXPECT_EQ(dialogs.opened.size(), 6u);
}

}  // namespace
}  // namespace tintara
