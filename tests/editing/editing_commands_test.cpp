#include <gtest/gtest.h>

#include "editing/picture_adjustments.h"
#include "editing/picture_transforms.h"
#include "tests/editing/editing_fixture.h"

namespace tintara::test {
namespace {

using Answers = ScriptValue::Object;

class EditingCommandsTest : public ::testing::Test, public EditingFixture {};

TEST_F(EditingCommandsTest, CommandsWorkOnlyWhileThePictureIsEditedAndEachIsOneUndoStep) {
  doc->ReplaceWithPicture(MakePhoto(30, 20), kOriginFile, "p.png", false);
  const CommandId all[] = {cmd::kFlipHorizontal, cmd::kFlipVertical,  cmd::kFlipBoth,
                           cmd::kRotateLeft,     cmd::kRotateRight,   cmd::kRotateByAngle,
                           cmd::kCropToSelection, cmd::kLighter,      cmd::kDarker,
                           cmd::kMoreContrast,   cmd::kLessContrast,  cmd::kSharpen,
                           cmd::kSmooth,         cmd::kSmartTune,     cmd::kResizePicture,
                           cmd::kRotatePopup,    cmd::kFilterPopup,   cmd::kSizePopup};
  for (CommandId id : all) EXPECT_FALSE(commands.IsEnabled(id)) << id;
  ASSERT_TRUE(commands.Run(cmd::kStartPictureEditing));
  for (CommandId id : all) EXPECT_TRUE(commands.IsEnabled(id)) << id;
  EXPECT_EQ(commands.Find(cmd::kFlipBoth)->text, "Flip horizontal and vertical");
  EXPECT_EQ(commands.Find(cmd::kRotateRight)->text, "Rotate picture right by 90 degree");

  ImageRef original = ImageBuffer::Copy(Working());
  commands.Run(cmd::kRotateRight);
  EXPECT_EQ(Working().Width(), 20);
  commands.Run(cmd::kLighter);
  commands.Run(cmd::kSharpen);
  commands.Run(cmd::kSmooth);
  EXPECT_TRUE(doc->pictureUndo[3] != nullptr);
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(commands.Run(cmd::kUndo));
  EXPECT_TRUE(SamePixels(Working(), *original));
  EXPECT_FALSE(commands.IsEnabled(cmd::kUndo));
  commands.Run(cmd::kRedo);
  EXPECT_TRUE(SamePixels(Working(), *RotateRight(*original)));
}

TEST_F(EditingCommandsTest, SharpenAndSmoothChangeTheSelectionOnly) {
  Edit(MakePhoto(40, 30, 9));
  ImageRef before = ImageBuffer::Copy(Working());
  doc->selection = RegionCreateRect({5, 5, 10, 8});
  commands.Run(cmd::kSmooth);
  EXPECT_FALSE(SamePixels(Working(), *before));
  for (int32_t y = 0; y < 30; ++y) {
    for (int32_t x = 0; x < 40; ++x) {
      bool inside = x >= 5 && x < 15 && y >= 5 && y < 13;
      if (!inside) {
        ASSERT_EQ(PixelAt(Working(), x, y), PixelAt(*before, x, y)) << x << "," << y;
      }
    }
  }
}

TEST_F(EditingCommandsTest, RotationByAngleTurnsAsChosenAndAsksTheBackgroundOnlyOffTheRightAngles) {
  Edit(MakePhoto(31, 17, 4));
  ImageRef original = ImageBuffer::Copy(Working());
  // 90 degrees to the left passes 27000: exactly the counter-clockwise quarter turn.
  answers.Add("Rotate picture", Answers{{"angle", 90}, {"direction", "left"}});
  commands.Run(cmd::kRotateByAngle);
  EXPECT_TRUE(SamePixels(Working(), *RotateLeft(*original)));
  EXPECT_EQ(scripted.opened, (std::vector<std::string>{"Rotate picture"}));

  // 45 to the right asks for the colour and passes 4500; a cancelled colour changes nothing.
  commands.Run(cmd::kUndo);
  answers.Add("Rotate picture", Answers{{"angle", 45}, {"direction", "right"}});
  commands.Run(cmd::kRotateByAngle);
  EXPECT_EQ(scripted.opened.back(), "Background color for Rotate");
  EXPECT_TRUE(SamePixels(Working(), *original));
  EXPECT_FALSE(commands.IsEnabled(cmd::kUndo));

  answers.Add("Rotate picture", Answers{{"angle", 45}});
  answers.Add("Background color for Rotate", ScriptValue::List{255, 0, 0});
  commands.Run(cmd::kRotateByAngle);
  // A turn by 45 degrees (not by 4500 or 0.45) holds the whole picture: both sides about
  // (31 + 17) / sqrt 2.
  EXPECT_NEAR(Working().Width(), 34, 2);
  EXPECT_NEAR(Working().Height(), 34, 2);
  // The uncovered corner takes the chosen colour.
  EXPECT_EQ(PixelAt(Working(), 0, 0), (std::array<uint8_t, 3>{0, 0, 255}));

  // 360 to the left is a turn by 0; 361 is refused and cancels.
  commands.Run(cmd::kUndo);
  answers.Add("Rotate picture", Answers{{"angle", 361}});
  commands.Run(cmd::kRotateByAngle);
  EXPECT_EQ(scripted.refused.size(), 1u);
  EXPECT_TRUE(SamePixels(Working(), *original));
}

TEST_F(EditingCommandsTest, CropOfARectangleAsksNothingAndOfAnEllipseFillsTheCorners) {
  Edit(MakePhoto(50, 40, 2));
  ImageRef original = ImageBuffer::Copy(Working());
  commands.Run(cmd::kCropToSelection);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Please select a region first!  ");
  EXPECT_FALSE(commands.IsEnabled(cmd::kUndo));

  doc->selection = RegionCreateRect({10, 5, 20, 12});
  commands.Run(cmd::kCropToSelection);
  EXPECT_TRUE(scripted.opened.empty());
  ASSERT_EQ(Working().Width(), 20);
  ASSERT_EQ(Working().Height(), 12);
  EXPECT_EQ(PixelAt(Working(), 0, 0), PixelAt(*original, 10, 5));
  EXPECT_EQ(PixelAt(Working(), 19, 11), PixelAt(*original, 29, 16));
  // The selection now lies at the new picture's origin.
  EXPECT_EQ(doc->selection->Bounds(), (BoxRect{0, 0, 20, 12}));

  commands.Run(cmd::kUndo);
  doc->selection = RegionCreateEllipse({4, 6, 30, 20});
  commands.Run(cmd::kCropToSelection);  // the colour chooser is cancelled
  EXPECT_EQ(scripted.opened, (std::vector<std::string>{"Background color for Crop"}));
  EXPECT_EQ(Working().Width(), 50);
  answers.Add("Background color for Crop", ScriptValue::List{0, 200, 40});
  commands.Run(cmd::kCropToSelection);
  ASSERT_EQ(Working().Width(), 30);
  ASSERT_EQ(Working().Height(), 20);
  EXPECT_EQ(PixelAt(Working(), 0, 0), (std::array<uint8_t, 3>{40, 200, 0}));
  EXPECT_EQ(PixelAt(Working(), 29, 19), (std::array<uint8_t, 3>{40, 200, 0}));
  EXPECT_EQ(PixelAt(Working(), 15, 10), PixelAt(*original, 19, 16));
}

TEST_F(EditingCommandsTest, CropOfAnInvertedSelectionKeepsTheSizeAndBlanksTheShape) {
  Edit(MakePhoto(24, 18, 3));
  ImageRef original = ImageBuffer::Copy(Working());
  doc->selection = RegionCreateRect({4, 4, 6, 5});
  doc->selection->SetInverted(true);
  commands.Run(cmd::kCropToSelection);
  ASSERT_EQ(Working().Width(), 24);
  EXPECT_EQ(PixelAt(Working(), 5, 5), (std::array<uint8_t, 3>{0, 0, 0}));
  EXPECT_EQ(PixelAt(Working(), 20, 15), PixelAt(*original, 20, 15));
  EXPECT_EQ(doc->selection->Bounds(), (BoxRect{4, 4, 6, 5}));
}

TEST_F(EditingCommandsTest, ResizeFollowsTheDialogAndKeepsTheResolution) {
  ImageRef photo = MakePhoto(300, 200, 6);
  photo->SetResolution(96 | (96u << 16));
  Edit(photo);
  answers.Add("Resize", Answers{{"width", 150}});
  commands.Run(cmd::kResizePicture);
  EXPECT_EQ(Working().Width(), 150);
  EXPECT_EQ(Working().Height(), 100);
  EXPECT_EQ(Working().HorizontalDpi(), 96);
  answers.Add("Resize", Answers{{"aspect", false}, {"width", 40}, {"height", 90}});
  commands.Run(cmd::kResizePicture);
  EXPECT_EQ(Working().Width(), 40);
  EXPECT_EQ(Working().Height(), 90);
  // A size the dialog refuses cancels it.
  answers.Add("Resize", Answers{{"width", 1}});
  commands.Run(cmd::kResizePicture);
  EXPECT_EQ(Working().Width(), 40);
  ASSERT_EQ(scripted.refused.size(), 1u);
  EXPECT_NE(scripted.refused[0].find("Please enter an integer between 2 and 100000."),
            std::string::npos);
}

class PreviewingUi : public ScriptedUiHost {
 public:
  using ScriptedUiHost::ScriptedUiHost;
  void PreviewColorTables(const uint8_t* red, const uint8_t* green, const uint8_t* blue) override {
    if (red == nullptr) {
      shown.push_back(-1);
      return;
    }
    EXPECT_TRUE(red == green && green == blue);
    shown.push_back(red[64]);
  }
  std::vector<int> shown;
};

TEST(SmartTuneCommandTest, PreviewsEachChoiceThenAppliesTheChosenTableToTheSelection) {
  EditingFixture fixture;
  PreviewingUi ui(&fixture.answers);
  DocumentEnvironment env(ui, fixture.scripted, fixture.settings);
  env.filters = &fixture.site;
  CTessel20Doc doc(env, *CTesselParams::Create(fixture.settings, fixture.env.programFolder));
  CommandTable commands;
  RegisterDocumentCommands(commands, doc);
  RegisterEditingCommands(commands, doc);
  ImageRef photo = MakeSolid(20, 10, 64, 64, 64);
  SetPixel(*photo, 0, 0, 20, 20, 20);
  SetPixel(*photo, 1, 0, 120, 120, 120);
  doc.ReplaceWithPicture(photo, kOriginFile, "", false);
  commands.Run(cmd::kStartPictureEditing);

  commands.Run(cmd::kSmartTune);  // cancelled: "Auto" shown, then withdrawn
  EXPECT_EQ(ui.shown, (std::vector<int>{64 * 255 / 100, -1}));
  EXPECT_FALSE(commands.IsEnabled(cmd::kUndo));

  ui.shown.clear();
  doc.selection = RegionCreateRect({10, 0, 10, 10});
  fixture.answers.Add("Smart Tune", "Light Shadow");
  commands.Run(cmd::kSmartTune);
  EXPECT_EQ(ui.shown, (std::vector<int>{64 * 255 / 100, 72, -1}));
  EXPECT_EQ(PixelAt(*doc.workingPicture, 15, 5), (std::array<uint8_t, 3>{72, 72, 72}));
  EXPECT_EQ(PixelAt(*doc.workingPicture, 5, 5), (std::array<uint8_t, 3>{64, 64, 64}));

  fixture.answers.Add("Smart Tune", "Sunny");
  commands.Run(cmd::kSmartTune);
  EXPECT_EQ(fixture.scripted.refused.size(), 1u);
}

TEST_F(EditingCommandsTest, TenEditsOfAPictureKeepOnlyTheChangedCopies) {
  Edit(MakePhoto(400, 300, 8));
  ImageRef before = doc->workingPicture;
  commands.Run(cmd::kLighter);
  // The undo step shares the old pixels instead of copying them.
  ASSERT_TRUE(doc->pictureUndo[0]);
  EXPECT_TRUE(doc->pictureUndo[0]->SharesPixelsWith(*before));
  for (int i = 0; i < 11; ++i) commands.Run(i % 2 == 0 ? cmd::kDarker : cmd::kFlipVertical);
  std::vector<const ImageBuffer*> planes = {doc->workingPicture.get()};
  for (const ImageRef& step : doc->pictureUndo) {
    ASSERT_TRUE(step);
    for (const ImageBuffer* seen : planes) EXPECT_FALSE(step->SharesPixelsWith(*seen));
    planes.push_back(step.get());
  }
  EXPECT_EQ(planes.size(), 11u);
}

}  // namespace
}  // namespace tintara::test
