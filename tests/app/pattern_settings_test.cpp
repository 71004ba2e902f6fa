// "Size of painting pattern" and "Type of color identification" from the
// guided Settings page and the Pattern menu, with their dialogs answered.
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/command_actions.h"
#include "app/frame_status_bar.h"
#include "app/panel_buttons.h"
#include "app/stage_panels.h"
#include "colors/tessel_params.h"
#include "colors/widgets/border_color_dialog.h"
#include "colors/widgets/color_list_control.h"
#include "colors/widgets/pattern_size_dialog.h"
#include "colors/widgets/pattern_type_dialog.h"
#include "storage/app_settings.h"
#include "tests/app/app_fixture.h"

namespace tintara::test {
namespace {

class PatternSettingsTest : public ::testing::Test, public AppFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(Start(), StartResult::kRunning);
    Frame().ToolPanel()->SetAnimation(false);
    ASSERT_TRUE(app->LoadPictureFile(WritePicture("photo.png", 120, 90)));
    ClickStage("Pattern");
    ASSERT_TRUE(Doc().HasPattern());
  }

  void ClickStage(const QString& caption) {
    for (CMyButton* button : Frame().TaskBar()->Buttons()) {
      if (button->Caption() == caption) return QTest::mouseClick(button, Qt::LeftButton);
    }
    FAIL() << "no stage " << caption.toStdString();
  }
  // A button of the Settings page.
  void ClickSetting(const QString& caption) {
    ClickStage("Settings");
    for (CMyButton* button : Frame().ToolPanel()->Buttons()) {
      if (button->Caption() == caption) return QTest::mouseClick(button, Qt::LeftButton);
    }
    FAIL() << "no button " << caption.toStdString();
  }
  QAction* PatternMenuItem(const QString& text) {
    for (QAction* top : Frame().menuBar()->actions()) {
      if (top->text() != "&Pattern") continue;
      for (QAction* action : top->menu()->actions()) {
        if (action->text() == text) return action;
      }
    }
    return nullptr;
  }
};

TEST_F(PatternSettingsTest, ChoosingAnotherTypeRedrawsThePatternAsOneUndoStep) {
  ImageRef before = ImageBuffer::Copy(*Doc().patternImage);
  int shownAt = -1;
  {
    ModalAnswer answer([&](QWidget* modal) {
      auto* dialog = qobject_cast<PatternTypeDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), "Type of pattern");
      shownAt = dialog->Selected();
      dialog->List()->setCurrentRow(1);  // "Areas with patterns"
      ClickDialogOk(dialog);
    });
    ClickSetting("Pattern Type");
    ASSERT_EQ(answer.Answered(), 1u);
  }
  EXPECT_EQ(shownAt, 0);  // numbers, the default
  EXPECT_EQ(Doc().params.patternType, kPatternTiles);
  EXPECT_EQ(app->Settings().ReadInt("SETTINGS", "TESSELMETHOD", -1), kPatternTiles);
  EXPECT_FALSE(SamePixels(*Doc().patternImage, *before));
  {
    // The menu item opens the same dialog, now on the new type; Cancel changes nothing.
    ModalAnswer answer([&](QWidget* modal) {
      auto* dialog = qobject_cast<PatternTypeDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      shownAt = dialog->Selected();
      dialog->reject();
    });
    PatternMenuItem("Type &of color identification...")->trigger();
  }
  EXPECT_EQ(shownAt, 1);
  ASSERT_TRUE(Frame().Actions().Action(cmd::kUndo)->isEnabled());
  Frame().Actions().Action(cmd::kUndo)->trigger();
  EXPECT_EQ(Doc().params.patternType, kPatternNumbers);
  EXPECT_TRUE(SamePixels(*Doc().patternImage, *before));
}

TEST_F(PatternSettingsTest, WithoutAPrinterTheCustomSizeIsForcedAndMoreSheetsRemakeThePattern) {
  int width = Doc().patternImage->Width();
  int height = Doc().patternImage->Height();
  {
    ModalScript answers({[&](QWidget* modal) {
      auto* dialog = qobject_cast<PatternSizeDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), "Size of Painting Pattern");
      // This machine has no printer: the custom one is the only choice.
      EXPECT_FALSE(dialog->DefaultPrinter()->isEnabled());
      EXPECT_TRUE(dialog->CustomPrinter()->isChecked());
      EXPECT_TRUE(dialog->Paper()->isEnabled());
      EXPECT_EQ(dialog->Pages()->count(), 3);
      dialog->Pages()->setCurrentIndex(1);  // 2x2 (4 pages)
      ClickDialogOk(dialog);
    },
    // Making the pattern again asks before the edits are lost.
    [](QWidget* modal) {
      EXPECT_EQ(MessageText(modal), "Your work will be reconverted!\nAll edits will be lost!\nContinue?");
      PressMessageButton(modal, kResultYes);
    }});
    ClickSetting("Size");
    ASSERT_EQ(answers.Answered(), 2u);
  }
  EXPECT_EQ(app->Environment().app.page.pageCount, 1);
  EXPECT_EQ(app->Settings().ReadInt("SETTINGS", "NUMPAGES", -1), 1);
  ASSERT_TRUE(Doc().HasPattern());
  // The picture is fitted to twice the sheet size each way.
  EXPECT_GT(Doc().patternImage->Width() + Doc().patternImage->Height(), width + height);
  EXPECT_EQ(Frame().Status()->SizeText().isEmpty(), false);
}

TEST_F(PatternSettingsTest, TheSizeDialogOffersTheLargerPapers) {
  const int width = Doc().patternImage->Width();
  const int height = Doc().patternImage->Height();
  QStringList offered;
  {
    ModalScript answers({[&](QWidget* modal) {
      auto* dialog = qobject_cast<PatternSizeDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      for (int i = 0; i < dialog->Paper()->count(); ++i) offered << dialog->Paper()->itemText(i);
      dialog->Paper()->setCurrentIndex(offered.indexOf("A2 (420 x 594 mm)"));
      ClickDialogOk(dialog);
    },
    [](QWidget* modal) { PressMessageButton(modal, kResultYes); }});
    ClickSetting("Size");
    ASSERT_EQ(answers.Answered(), 2u);
  }
  for (const char* paper : {"Letter (8 1/2 x 11 in)", "A5 (148 x 210 mm)", "A3 (297 x 420 mm)",
                            "A2 (420 x 594 mm)", "Tabloid (11 x 17 in)"}) {
    EXPECT_TRUE(offered.contains(paper)) << paper;
  }
  EXPECT_EQ(app->Settings().ReadInt("SETTINGS", "PRNPAGESIZE", -1), 6);
  // A2 is twice A4 each way: the pattern follows.
  ASSERT_TRUE(Doc().HasPattern());
  EXPECT_NEAR(Doc().patternImage->Width(), 2 * width, 2);
  EXPECT_NEAR(Doc().patternImage->Height(), 2 * height, 2);
}

TEST_F(PatternSettingsTest, AnUnchangedSizeLeavesThePatternAlone) {
  ImageBuffer* pattern = Doc().patternImage.get();
  ModalAnswer answer([&](QWidget* modal) {
    auto* dialog = qobject_cast<PatternSizeDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    // Each pair of choices holds its own: the stored orientation and printer.
    EXPECT_TRUE(dialog->Portrait()->isChecked());
    EXPECT_TRUE(dialog->CustomPrinter()->isChecked());
    dialog->Landscape()->setChecked(true);
    EXPECT_TRUE(dialog->CustomPrinter()->isChecked());
    dialog->Portrait()->setChecked(true);
    ClickDialogOk(dialog);
  });
  PatternMenuItem("Si&ze of painting pattern...")->trigger();
  ASSERT_EQ(answer.Answered(), 1u);
  EXPECT_EQ(Doc().patternImage.get(), pattern);
}

TEST_F(PatternSettingsTest, TheGuidedBordersButtonOffersTheGridAndAClickSetsTheColour) {
  QString info;
  ModalAnswer answer([&](QWidget* modal) {
    auto* dialog = qobject_cast<BorderColorDialog*>(modal);
    ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
    // The default grey 0x808080 is not on the grid: the nearest, 153 in each channel.
    info = dialog->InfoLine()->text();
    // Cell 5: red 0, green 0, blue 255.
    QRect cell = dialog->List()->CellRect(5);
    ASSERT_FALSE(cell.isEmpty());
    QTest::mouseClick(dialog->List()->SwatchView()->viewport(), Qt::LeftButton, {}, cell.center());
  });
  ClickSetting("Borders color");
  ASSERT_EQ(answer.Answered(), 1u);
  EXPECT_EQ(info, "Red: 153, Green: 153, Blue: 153");
  EXPECT_EQ(Doc().params.borderColor, 0xFF0000u);  // blue in the third byte
  EXPECT_EQ(app->Settings().ReadInt("SETTINGS", "BORDERCOLOR", -1), 0xFF0000);
}

}  // namespace
}  // namespace tintara::test
