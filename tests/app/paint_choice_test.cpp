// Choosing paints by how the picture looks in the "Colors" dialog, turning
// the page to suit the picture in "Size of Painting Pattern", and the status
// bar's note when fewer paints result than asked.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QTest>

#include "app/frame_status_bar.h"
#include "app/picture_info_dialog.h"
#include "colors/color_fidelity.h"
#include "app/panel_buttons.h"
#include "app/stage_panels.h"
#include "colors/reduction/working_palette.h"
#include "colors/widgets/colors_dialog.h"
#include "colors/widgets/pattern_size_dialog.h"
#include "pattern/pattern_quality.h"
#include "tests/app/app_fixture.h"

namespace tintara::test {
namespace {

class PaintChoiceTest : public ::testing::Test, public AppFixture {
 protected:
  void StartWithPicture(const std::string& path) {
    ASSERT_EQ(Start(), StartResult::kRunning);
    ASSERT_TRUE(app->LoadPictureFile(path));
  }
  // The guided "Pattern" stage makes the pattern, as a user would reach it.
  void MakePattern() {
    Frame().ToolPanel()->SetAnimation(false);
    for (CMyButton* button : Frame().TaskBar()->Buttons()) {
      if (button->Caption() == "Pattern") QTest::mouseClick(button, Qt::LeftButton);
    }
    ASSERT_TRUE(Doc().HasPattern());
  }
  std::vector<std::string> PaintNames() const {
    std::vector<std::string> names;
    for (const CFlossColor& c : app->Doc().params.workingPalette) names.push_back(c.colorName);
    return names;
  }
};

TEST_F(PaintChoiceTest, TheColorsDialogChoosesTheClosestPaintsAndKeepsTheChoice) {
  StartWithPicture(WritePicture("photo.png", 160, 120));
  MakePattern();
  const std::vector<std::string> classic = PaintNames();
  // What the closest choice gives for this picture, worked out directly.
  CTesselParams expected = Doc().params;
  ASSERT_EQ(BuildPaletteForPicture(PaintChoice::kClosest, expected, expected.neededNumColors,
                                   *Doc().initialPicture, 100),
            PaletteBuild::kBuilt);
  {
    ModalAnswer answer([&](QWidget* modal) {
      auto* dialog = qobject_cast<ColorsDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      QComboBox* choice = dialog->ChoiceList();
      ASSERT_NE(choice, nullptr);
      EXPECT_EQ(choice->currentText(), "Classic");
      ASSERT_EQ(choice->count(), 2);
      choice->setFocus();
      QTest::keyClick(choice, Qt::Key_Down);
      EXPECT_EQ(choice->currentText(), "Closest to the picture");
      // The list shows the new paints at once.
      EXPECT_EQ(dialog->List()->Colors().size(), expected.workingPalette.size());
      ClickDialogOk(dialog);
    });
    Choose("&Pattern", "&Painting colors...");
    ASSERT_EQ(answer.Answered(), 1u);
  }
  EXPECT_EQ(app->Settings().ReadInt("SETTINGS", "COLORMATCH", -1), 1);
  ASSERT_EQ(Doc().params.workingPalette.size(), expected.workingPalette.size());
  for (size_t i = 0; i < expected.workingPalette.size(); ++i) {
    EXPECT_EQ(Doc().params.workingPalette[i].colorName, expected.workingPalette[i].colorName);
  }
  EXPECT_NE(PaintNames(), classic);
  ASSERT_TRUE(Doc().HasPattern());

  // Reopened, the dialog shows the choice kept; going back to Classic
  // restores the classic paints.
  {
    ModalAnswer answer([&](QWidget* modal) {
      auto* dialog = qobject_cast<ColorsDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->ChoiceList()->currentText(), "Closest to the picture");
      dialog->ChoiceList()->setFocus();
      QTest::keyClick(dialog->ChoiceList(), Qt::Key_Up);
      ClickDialogOk(dialog);
    });
    Choose("&Pattern", "&Painting colors...");
    ASSERT_EQ(answer.Answered(), 1u);
  }
  EXPECT_EQ(app->Settings().ReadInt("SETTINGS", "COLORMATCH", -1), 0);
  EXPECT_EQ(PaintNames(), classic);
}

TEST_F(PaintChoiceTest, ANewUserGetsTheClosestMergedPatternOnATurnedPage) {
  for (const char* key : {"COLORMATCH", "MERGESMALLAREAS", "AUTOORIENT"}) {
    StoredSettings().Remove("SETTINGS", key);
  }
  StartWithPicture(WritePicture("wide.png", 300, 100));
  QAction* merging = MenuItem("&Pattern", "Merge small areas &when creating the pattern");
  ASSERT_NE(merging, nullptr);
  EXPECT_TRUE(merging->isChecked());
  MakePattern();
  // Turned to suit the wide picture: A4 at 150 dpi, 438 cells across.
  EXPECT_EQ(Doc().patternImage->Width(), 438);
  const PatternQuality quality =
      MeasurePatternQuality(*Doc().indexImage, true, Doc().PatternPixelMillimetres());
  EXPECT_GE(quality.smallestDiameterMm, 2.5);
  // At this small print resolution some areas are too small for digits, but
  // no two numbers collide.
  EXPECT_EQ(quality.overlappingBoxes, 0);
  {
    ModalScript answers({[&](QWidget* modal) {
      auto* dialog = qobject_cast<ColorsDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->ChoiceList()->currentText(), "Closest to the picture");
      dialog->reject();
    }});
    Choose("&Pattern", "&Painting colors...");
  }
  {
    ModalScript answers({[&](QWidget* modal) {
      auto* dialog = qobject_cast<PatternSizeDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_TRUE(dialog->AutoOrientation()->isChecked());
      dialog->reject();
    }});
    Choose("&Pattern", "Si&ze of painting pattern...");
  }
}

TEST_F(PaintChoiceTest, TurningThePageGivesAWidePictureTheLongSide) {
  StartWithPicture(WritePicture("wide.png", 300, 100));
  MakePattern();
  // Upright A4 at 150 dpi: 310 cells across.
  EXPECT_EQ(Doc().patternImage->Width(), 310);
  {
    ModalScript answers(
        {[&](QWidget* modal) {
           auto* dialog = qobject_cast<PatternSizeDialog*>(modal);
           ASSERT_NE(dialog, nullptr);
           ASSERT_NE(dialog->AutoOrientation(), nullptr);
           EXPECT_FALSE(dialog->AutoOrientation()->isChecked());
           QTest::mouseClick(dialog->AutoOrientation(), Qt::LeftButton, {},
                             QPoint(4, dialog->AutoOrientation()->height() / 2));
           EXPECT_TRUE(dialog->AutoOrientation()->isChecked());
           ClickDialogOk(dialog);
         },
         [](QWidget* modal) { PressMessageButton(modal, kResultYes); }});
    Choose("&Pattern", "Si&ze of painting pattern...");
  }
  EXPECT_EQ(app->Settings().ReadInt("SETTINGS", "AUTOORIENT", -1), 1);
  EXPECT_EQ(app->Settings().ReadInt("SETTINGS", "PRNORIENT", -1), 0);
  EXPECT_EQ(Doc().patternImage->Width(), 438);
  EXPECT_EQ(Doc().patternImage->Height(), 146);
}

TEST_F(PaintChoiceTest, FewerPaintsThanAskedAreNotedInTheStatusBar) {
  ImageRef two = MakeSolid(64, 32, 200, 30, 40);
  for (int32_t y = 0; y < 32; ++y) {
    uint8_t* row = two->WritableRows()->Row(y);
    for (int32_t x = 32; x < 64; ++x) {
      row[3 * x] = 180;
      row[3 * x + 1] = 90;
      row[3 * x + 2] = 30;
    }
  }
  const std::string path = folder.File("two.png");
  ASSERT_EQ(SavePictureFile(*two, QString::fromStdString(path)), "");
  StoredSettings().WriteInt("SETTINGS", "NEEDEDNUMCOLORS", 8);
  StartWithPicture(path);
  MakePattern();
  const size_t made = Doc().params.workingPalette.size();
  ASSERT_LT(made, 8u);
  EXPECT_EQ(Frame().Status()->currentMessage().toStdString(),
            std::to_string(made) + " different paints instead of the 8 colors asked for.");
}

TEST_F(PaintChoiceTest, PatternInformationGivesTheMeanDifferenceToThePhoto) {
  StartWithPicture(WritePicture("photo.png", 160, 120));
  MakePattern();
  const std::optional<double> expected =
      ConversionDifference(*Doc().initialPicture, *Doc().convertedPicture);
  ASSERT_TRUE(expected.has_value());
  ASSERT_GT(*expected, 0.0);
  QString shown;
  ModalAnswer read([&](QWidget* modal) {
    auto* dialog = qobject_cast<PatternInfoDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    auto* field = dialog->findChild<QLabel*>("meanDifference");
    ASSERT_NE(field, nullptr);
    shown = field->text();
    dialog->accept();
  });
  Choose("&File", "Picture/pattern in&formation...");
  ASSERT_EQ(read.Answered(), 1u);
  EXPECT_EQ(shown, QString::number(*expected, 'f', 2));
}

}  // namespace
}  // namespace tintara::test
