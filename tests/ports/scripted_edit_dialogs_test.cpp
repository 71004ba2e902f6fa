#include <gtest/gtest.h>

#include "editing/resize_form.h"
#include "ports/scripted_dialogs.h"

namespace tintara {
namespace {

class ScriptedEditDialogsTest : public ::testing::Test {
 protected:
  ScriptedAnswers answers;
  ScriptedDialogs dialogs{answers};
};

TEST_F(ScriptedEditDialogsTest, RotatePictureTakesAnAngleAndADirection) {
  answers.Add("Rotate picture", ScriptValue::Object{{"angle", 45}, {"direction", "right"}});
  answers.Add("Rotate picture", ScriptValue::Object{{"angle", 90}, {"direction", "left"}});
  answers.Add("Rotate picture", ScriptValue::Object{{"angle", 360}});
  answers.Add("Rotate picture", ScriptValue::Object{{"angle", 361}});
  answers.Add("Rotate picture", ScriptValue::Object{{"angle", 10}, {"direction", "up"}});
  answers.Add("Rotate picture", 45);
  EXPECT_EQ(dialogs.RotatePicture(), (RotateAnswer{45, false}));
  EXPECT_EQ(dialogs.RotatePicture(), (RotateAnswer{90, true}));
  EXPECT_EQ(dialogs.RotatePicture(), (RotateAnswer{360, false}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(dialogs.RotatePicture(), std::nullopt);
  EXPECT_EQ(dialogs.refused.size(), 3u);
  EXPECT_EQ(dialogs.RotatePicture(), std::nullopt);  // used up: Cancel
  EXPECT_EQ(dialogs.refused.size(), 3u);
}

TEST_F(ScriptedEditDialogsTest, ResizeTypesIntoTheFormAsTheDialogWould) {
  answers.Add("Resize", ScriptValue::Object{{"height", 50}});
  answers.Add("Resize", ScriptValue::Object{{"aspect", false}, {"width", 7}, {"height", 9}});
  answers.Add("Resize", ScriptValue::Object{{"width", 100001}});
  answers.Add("Resize", ScriptValue::Object{{"width", "wide"}});
  ResizeForm first(300, 200);
  ASSERT_TRUE(dialogs.ResizePicture(first));
  EXPECT_EQ(first.Accept(), (PictureSize{75, 50}));
  ResizeForm second(300, 200);
  ASSERT_TRUE(dialogs.ResizePicture(second));
  EXPECT_EQ(second.Accept(), (PictureSize{7, 9}));
  ResizeForm third(300, 200);
  EXPECT_FALSE(dialogs.ResizePicture(third));
  ResizeForm fourth(300, 200);
  EXPECT_FALSE(dialogs.ResizePicture(fourth));
  ASSERT_EQ(dialogs.refused.size(), 2u);
  EXPECT_EQ(dialogs.refused[0], "\"Resize\": width: Please enter an integer between 2 and 100000.");
  EXPECT_EQ(dialogs.refused[1], "\"Resize\": width: Please enter an integer.");
}

TEST_F(ScriptedEditDialogsTest, SmartTuneAndTheBackgroundChoosersAnswerByNameAndColour) {
  const std::vector<std::string> methods = {"Auto", "Light Shadow", "Faded"};
  answers.Add("Smart Tune", "Faded");
  answers.Add("Smart Tune", 1);
  std::vector<int> previewed;
  EXPECT_EQ(dialogs.SmartTune(methods, [&](int i) { previewed.push_back(i); }), 2);
  EXPECT_EQ(dialogs.SmartTune(methods, {}), std::nullopt);
  EXPECT_EQ(previewed, std::vector<int>{2});

  answers.Add("Background color for Crop", ScriptValue::List{1, 2, 3});
  answers.Add("Background color for Rotate", ScriptValue::List{0, 0, 256});
  EXPECT_EQ(dialogs.ChooseBackgroundColor("Background color for Crop"), 0x030201u);
  EXPECT_EQ(dialogs.ChooseBackgroundColor("Background color for Rotate"), std::nullopt);
  // Each chooser keeps to its own key.
  EXPECT_EQ(dialogs.ChooseBackgroundColor("Background color for Crop"), std::nullopt);
  EXPECT_EQ(dialogs.refused.size(), 2u);
}

}  // namespace
}  // namespace tintara
