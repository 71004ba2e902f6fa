#include <gtest/gtest.h>

#include "editing/picture_panel.h"
#include "editing/picture_transforms.h"
#include "tests/editing/editing_fixture.h"

namespace tintara::test {
namespace {

class PicturePanelTest : public ::testing::Test, public EditingFixture {};

TEST_F(PicturePanelTest, ItsUndoHoldsTenStepsAndANewStepEmptiesTheRedo) {
  Edit(MakePhoto(30, 20, 5));
  PicturePanel panel(*doc);
  ImageRef start = panel.Picture();
  EXPECT_FALSE(panel.CanUndo());
  for (int i = 0; i < 12; ++i) ASSERT_TRUE(panel.Run(PanelAction::kRotateRight));
  int undone = 0;
  while (panel.CanUndo()) {
    panel.Undo();
    ++undone;
  }
  EXPECT_EQ(undone, 10);
  // Twelve quarter turns, ten undone: two remain, a half turn.
  EXPECT_TRUE(SamePixels(*panel.Picture(), *FlipBoth(*start)));
  panel.Redo();
  EXPECT_TRUE(panel.CanRedo());
  ASSERT_TRUE(panel.Run(PanelAction::kLighter));
  EXPECT_FALSE(panel.CanRedo());
  // The document's picture is untouched until the panel hands over.
  EXPECT_TRUE(SamePixels(Working(), *start));
  panel.Reset();
  EXPECT_FALSE(panel.CanUndo());
  EXPECT_TRUE(SamePixels(*panel.Picture(), *start));
}

TEST_F(PicturePanelTest, CloseAsksOnlyAfterAChangeAndFollowsTheAnswer) {
  Edit(MakePhoto(30, 20, 6));
  ImageRef start = ImageBuffer::Copy(Working());
  {
    PicturePanel panel(*doc);
    EXPECT_TRUE(panel.Close());
    EXPECT_TRUE(ui.messages.empty());
  }
  const std::string question = "Save changes made to picture?";
  PicturePanel panel(*doc);
  panel.Run(PanelAction::kDarker);
  answers.Add(question, "Cancel");
  EXPECT_FALSE(panel.Close());
  answers.Add(question, "No");
  EXPECT_TRUE(panel.Close());
  EXPECT_TRUE(SamePixels(Working(), *start));
  answers.Add(question, "Yes");
  EXPECT_TRUE(panel.Close());
  EXPECT_TRUE(SamePixels(Working(), *ChangeBrightness(*start, nullptr, -1)));
  ASSERT_EQ(ui.messages.size(), 3u);
  EXPECT_EQ(ui.messages[0].buttons, MessageButtons::kYesNoCancel);
}

TEST(PreviewMappingTest, ADraggedRectangleIsScaledAndCountedFromTheBottom) {
  // A 200 × 100 preview of a 1000 × 500 picture: five picture pixels per preview pixel.
  BoxRect box = PreviewRectToPicture({20, 10, 120, 60}, 200, 100, 1000, 500);
  EXPECT_EQ(box, (BoxRect{100, 200, 500, 250}));
  // Dragged upwards and to the left gives the same rectangle.
  EXPECT_EQ(PreviewRectToPicture({120, 60, 20, 10}, 200, 100, 1000, 500), box);
  // Never larger than the picture.
  BoxRect all = PreviewRectToPicture({0, 0, 201, 101}, 200, 100, 1000, 500);
  EXPECT_EQ(all.width, 1000);
  EXPECT_EQ(all.height, 500);
}

TEST_F(PicturePanelTest, ScriptedButtonsCropAndHandOverThroughTheCommand) {
  Edit(MakePhoto(40, 30, 2));
  ImageRef start = ImageBuffer::Copy(Working());
  answers.Add("Adjust Image",
              ScriptValue::List{"Rotate Left 90", "Undo",
                                ScriptValue::Object{{"crop", ScriptValue::List{5, 10, 20, 12}}},
                                "Next >"});
  ASSERT_TRUE(commands.Run(cmd::kAdjustImagePanel));
  ASSERT_EQ(Working().Width(), 20);
  ASSERT_EQ(Working().Height(), 12);
  EXPECT_EQ(PixelAt(Working(), 0, 0), PixelAt(*start, 5, 10));
  // A button the panel does not have stops the answer.
  answers.Add("Filter Image", ScriptValue::List{"Lighter", "Brighter"});
  commands.Run(cmd::kFilterImagePanel);
  EXPECT_EQ(Working().Width(), 20);
  ASSERT_EQ(scripted.refused.size(), 1u);
  EXPECT_NE(scripted.refused[0].find("Brighter"), std::string::npos);
}

}  // namespace
}  // namespace tintara::test
