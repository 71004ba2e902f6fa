// Picture editing as the user does it: the Edit menu's submenus, the picture
// page's pop-ups, the dialogs and the two panels, through their widgets.
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "app/panel_buttons.h"
#include "app/reduction_dialogs.h"
#include "app/stage_panels.h"
#include "view/widgets/tessel20_view.h"
#include "editing/picture_transforms.h"
#include "editing/widgets/panel_preview.h"
#include "editing/widgets/picture_dialogs.h"
#include "editing/widgets/picture_panel_dialog.h"
#include "tests/app/app_fixture.h"

namespace tintara::test {
namespace {

class PictureEditingTest : public ::testing::Test, public AppFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(Start(), StartResult::kRunning);
    ASSERT_TRUE(app->LoadPictureFile(WritePicture("edit.png", 90, 60)));
    // The guided interface starts picture editing with the picture's stage.
    if (!Doc().pictureEditing) Choose("&Edit", "Start picture &editing");
    ASSERT_TRUE(Doc().pictureEditing);
    original = ImageBuffer::Copy(*Doc().workingPicture);
  }

  const ImageBuffer& Working() { return *Doc().workingPicture; }

  template <typename T>
  static T* As(QWidget* modal) {
    auto* widget = qobject_cast<T*>(modal);
    EXPECT_NE(widget, nullptr) << modal->metaObject()->className();
    return widget;
  }

  ImageRef original;
};

using PanelDialog = PicturePanelDialog;

// Presses after the current answer returns: a modal window the press opens
// must meet the script's timer outside the act that is running.
void Later(std::function<void()> press) { QTimer::singleShot(0, std::move(press)); }

void ClickOk(QDialog* dialog) {
  auto* buttons = dialog->findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

void Press(QWidget* modal, const char* caption) {
  auto* panel = qobject_cast<PanelDialog*>(modal);
  ASSERT_NE(panel, nullptr);
  QPushButton* button = panel->Button(QString::fromUtf8(caption));
  ASSERT_NE(button, nullptr) << caption;
  ASSERT_TRUE(button->isEnabled()) << caption;
  QTest::mouseClick(button, Qt::LeftButton);
}

TEST_F(PictureEditingTest, TheEditMenuSubmenusRunTurnsFlipsAndTones) {
  Choose("&Edit", "Right 90");
  EXPECT_TRUE(SamePixels(Working(), *RotateRight(*original)));
  Choose("&Edit", "Flip Both");
  EXPECT_TRUE(SamePixels(Working(), *FlipBoth(*RotateRight(*original))));
  Key(Qt::Key_Z);
  Key(Qt::Key_Z);
  EXPECT_TRUE(SamePixels(Working(), *original));
  Choose("&Edit", "Lighter");
  EXPECT_FALSE(SamePixels(Working(), *original));
  // Without a selection the crop explains itself.
  QString said;
  ModalAnswer answer([&said](QWidget* modal) {
    said = MessageText(modal);
    PressMessageButton(modal, kResultOk);
  });
  Choose("&Edit", "Crop To  Selection");
  EXPECT_EQ(said, QStringLiteral("Please select a region first!  "));
  // Outside picture editing the submenus' items are off.
  Choose("&Edit", "&Finish picture editing");
  EXPECT_FALSE(MenuItem("&Edit", "Left 90")->isEnabled());
}

TEST_F(PictureEditingTest, ThePicturePageButtonsPopUpTheirSubmenus) {
  Frame().ShowStage(1);
  std::map<QString, CMyButton*> buttons;
  for (CMyButton* button : Frame().ToolPanel()->Buttons()) buttons[button->Caption()] = button;
  ASSERT_TRUE(buttons.count("Rotate") && buttons.count("Filter") && buttons.count("Size"));
  const std::pair<QString, QStringList> expected[] = {
      {"Rotate", {"Left 90", "Right 90", "By Degree...", "Flip Horizontal", "Flip Vertical",
                  "Flip Both"}},
      {"Filter", {"Smart Tune...", "Lighter", "Darker", "More Contrast", "Less Contrast",
                  "Posterize...", "Reduce Colors...", "Sharpen", "Smooth"}},
      {"Size", {"Crop To  Selection", "Resize..."}}};
  for (const auto& [caption, items] : expected) {
    QTest::mouseClick(buttons[caption], Qt::LeftButton);
    QMenu* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(shown, nullptr) << caption.toStdString();
    QStringList texts;
    for (QAction* action : shown->actions()) {
      if (!action->isSeparator()) texts << action->text();
    }
    EXPECT_EQ(texts, items);
    shown->close();
  }
}

TEST_F(PictureEditingTest, RotatePictureRefusesAnAngleOutOfRangeThenAsksTheBackground) {
  QString refused;
  QString colourTitle;
  ModalScript script({
      [](QWidget* modal) {
        auto* dialog = As<RotatePictureDialog>(modal);
        ASSERT_TRUE(dialog->RightButton()->isChecked());
        EXPECT_EQ(dialog->AngleField()->text(), QStringLiteral("0"));
        dialog->AngleField()->setText(QStringLiteral("400"));
        Later([dialog] { ClickOk(dialog); });
      },
      [&refused](QWidget* modal) {
        refused = MessageText(modal);
        fprintf(stderr, "ACT2 %s\n", qPrintable(refused));
        PressMessageButton(modal, kResultOk);
      },
      [](QWidget* modal) {
        auto* dialog = As<RotatePictureDialog>(modal);
        fprintf(stderr, "ACT3\n");
        dialog->AngleField()->setText(QStringLiteral("45"));
        dialog->LeftButton()->click();
        dialog->accept();
      },
      [&colourTitle](QWidget* modal) {
        fprintf(stderr, "ACT4 %s\n", modal->metaObject()->className());
        auto* chooser = As<QColorDialog>(modal);
        colourTitle = chooser->windowTitle();
        chooser->setCurrentColor(QColor(0, 0, 255));
        chooser->accept();
      },
  });
  Choose("&Edit", "By Degree...");
  EXPECT_EQ(refused, QStringLiteral("Please enter an integer between 0 and 360."));
  EXPECT_EQ(colourTitle, QStringLiteral("Background color for Rotate"));
  // 45 degrees to the left: the turned picture is larger and its corners blue.
  EXPECT_GT(Working().Width(), 90);
  const uint8_t* corner = Working().Row(0);
  EXPECT_EQ(corner[0], 255);
  EXPECT_EQ(corner[2], 0);
}

TEST_F(PictureEditingTest, ResizeProposesTheOtherSideAndRefusesNonNumbers) {
  QString refused;
  ModalScript script({
      [](QWidget* modal) {
        auto* dialog = As<ResizeDialog>(modal);
        EXPECT_TRUE(dialog->AspectBox()->isChecked());
        EXPECT_EQ(dialog->WidthField()->text(), QStringLiteral("90"));
        dialog->WidthField()->selectAll();
        QTest::keyClicks(dialog->WidthField(), QStringLiteral("30"));
        EXPECT_EQ(dialog->HeightField()->text(), QStringLiteral("20"));
        dialog->HeightField()->setFocus();
        dialog->HeightField()->selectAll();
        QTest::keyClicks(dialog->HeightField(), QStringLiteral("x"));
        Later([dialog] { ClickOk(dialog); });
      },
      [&refused](QWidget* modal) {
        refused = MessageText(modal);
        PressMessageButton(modal, kResultOk);
      },
      [](QWidget* modal) {
        auto* dialog = As<ResizeDialog>(modal);
        EXPECT_EQ(dialog->focusWidget(), dialog->HeightField());
        dialog->HeightField()->selectAll();
        QTest::keyClicks(dialog->HeightField(), QStringLiteral("12"));
        EXPECT_EQ(dialog->WidthField()->text(), QStringLiteral("18"));
        dialog->accept();
      },
  });
  Choose("&Edit", "Resize...");
  EXPECT_EQ(refused, QStringLiteral("Please enter an integer."));
  EXPECT_EQ(Working().Width(), 18);
  EXPECT_EQ(Working().Height(), 12);
}

TEST_F(PictureEditingTest, SmartTuneShowsEachMethodInTheViewUntilItCloses) {
  QImage before = Frame().View()->viewport()->grab().toImage();
  QImage during;
  ModalAnswer answer([&](QWidget* modal) {
    auto* dialog = As<SmartTuneDialog>(modal);
    EXPECT_EQ(dialog->Methods()->count(), 8);
    EXPECT_EQ(dialog->Methods()->currentText(), QStringLiteral("Auto"));
    dialog->Methods()->setCurrentIndex(2);  // "Inside Flash" darkens the middle tones
    during = Frame().View()->viewport()->grab().toImage();
    dialog->reject();
  });
  Choose("&Edit", "Smart Tune...");
  EXPECT_NE(during, before);
  EXPECT_EQ(Frame().View()->viewport()->grab().toImage(), before);
  EXPECT_TRUE(SamePixels(Working(), *original));
}

TEST_F(PictureEditingTest, AdjustPanelUndoesAndRedoesOnItsCopyAndNextHandsItOn) {
  ModalAnswer answer([this](QWidget* modal) {
    auto* panel = As<PanelDialog>(modal);
    EXPECT_EQ(panel->windowTitle(), QStringLiteral("Adjust Image"));
    EXPECT_FALSE(panel->Button("&Undo")->isEnabled());
    Press(modal, "Rotate &Left 90");
    Press(modal, "Flip &Vertical");
    // The document is untouched until the panel hands its copy over.
    EXPECT_TRUE(SamePixels(Working(), *original));
    const QSize turned = panel->Preview()->Shown().size();
    EXPECT_LT(turned.width(), turned.height());
    Press(modal, "&Undo");
    Press(modal, "&Undo");
    EXPECT_FALSE(panel->Button("&Undo")->isEnabled());
    Press(modal, "Re&do");
    EXPECT_TRUE(panel->Button("Re&do")->isEnabled());  // the flip is still there to redo
    Press(modal, "&Next >");
  });
  Choose("&Edit", "Ad&just Image...");
  EXPECT_TRUE(SamePixels(Working(), *RotateLeft(*original)));
  // The hand-over is one picture step: undone at once, and kept by "Finish".
  Key(Qt::Key_Z);
  EXPECT_TRUE(SamePixels(Working(), *original));
  Key(Qt::Key_Y);
  ImageRef turned = ImageBuffer::Copy(Working());
  Choose("&Edit", "&Finish picture editing");
  EXPECT_TRUE(SamePixels(*Doc().initialPicture, *turned));
}

TEST_F(PictureEditingTest, AdjustPanelCropsTheRectangleDraggedOverThePreview) {
  ModalAnswer answer([](QWidget* modal) {
    auto* panel = As<PanelDialog>(modal);
    Press(modal, "&Crop");
    PanelPreview* preview = panel->Preview();
    const QRect at = preview->ImageRect();
    ASSERT_GT(at.width(), 0);
    // The left half, the upper two thirds of the shown picture.
    const QPoint from = at.topLeft();
    const QPoint to = at.topLeft() + QPoint(at.width() / 2, at.height() * 2 / 3);
    QTest::mousePress(preview, Qt::LeftButton, {}, from);
    QTest::mouseMove(preview, to);
    QTest::mouseRelease(preview, Qt::LeftButton, {}, to);
    Press(modal, "&Next >");
  });
  Choose("&Edit", "Ad&just Image...");
  EXPECT_NEAR(Working().Width(), 45, 1);
  EXPECT_NEAR(Working().Height(), 40, 1);
  // The picture's top-left pixel stays the top-left one (row H - 1 is the top).
  const uint8_t* topLeft = Working().Row(Working().Height() - 1);
  const uint8_t* wasTopLeft = original->Row(59);
  EXPECT_EQ(std::vector<uint8_t>(topLeft, topLeft + 3),
            std::vector<uint8_t>(wasTopLeft, wasTopLeft + 3));
}

TEST_F(PictureEditingTest, FilterPanelCloseAsksToSaveAndCancelKeepsItOpen) {
  QStringList questions;
  ModalScript script({
      [](QWidget* modal) {
        Press(modal, "&Lighter");
        Later([modal] { Press(modal, "Close"); });
      },
      [&questions](QWidget* modal) {
        questions << MessageText(modal);
        PressMessageButton(modal, kResultCancel);
      },
      // Cancel kept the panel up: close it again, this time discarding.
      [](QWidget* modal) { Later([modal] { Press(modal, "Close"); }); },
      [&questions](QWidget* modal) {
        questions << MessageText(modal);
        PressMessageButton(modal, kResultNo);
      },
  });
  Choose("&Edit", "Filter Ima&ge...");
  const QString question = QStringLiteral("Save changes made to picture?");
  EXPECT_EQ(questions, QStringList({question, question}));
  EXPECT_TRUE(SamePixels(Working(), *original));

  // Yes hands the lighter copy over; without changes Close asks nothing.
  ModalScript yes({
      [](QWidget* modal) {
        Press(modal, "D&arker");
        Later([modal] { Press(modal, "Close"); });
      },
      [](QWidget* modal) { PressMessageButton(modal, kResultYes); },
  });
  Choose("&Edit", "Filter Ima&ge...");
  EXPECT_FALSE(SamePixels(Working(), *original));
}

// Largest red and green byte of what the panel's preview shows.
std::pair<int, int> RedGreenPeaks(const QImage& shown) {
  int red = 0;
  int green = 0;
  for (int y = 0; y < shown.height(); ++y) {
    const uchar* pixel = shown.constScanLine(y);
    for (int x = 0; x < shown.width(); ++x, pixel += 3) {
      red = std::max(red, int(pixel[0]));
      green = std::max(green, int(pixel[1]));
    }
  }
  return {red, green};
}

TEST_F(PictureEditingTest, FilterPanelPreviewsPosterizePerChannelInItsOwnPreview) {
  std::pair<int, int> before{};
  std::pair<int, int> during{};
  std::pair<int, int> after{};
  PanelDialog* panel = nullptr;
  ModalScript script({
      [&](QWidget* modal) {
        panel = As<PanelDialog>(modal);
        before = RedGreenPeaks(panel->Preview()->Shown());
        Later([modal] { Press(modal, "&Posterize..."); });
      },
      [&](QWidget* modal) {
        auto* dialog = As<PosterizeDialog>(modal);
        dialog->Red()->setValue(1);  // one level: every red byte 0
        dialog->Green()->setValue(256);
        during = RedGreenPeaks(panel->Preview()->Shown());
        dialog->reject();
        Later([&panel, &after] {
          after = RedGreenPeaks(panel->Preview()->Shown());
          panel->done(0);
        });
      },
  });
  Choose("&Edit", "Filter Ima&ge...");
  EXPECT_GT(before.first, 100);
  EXPECT_EQ(during.first, 0);
  // 256 levels move each value up by one (the reduction's own table).
  EXPECT_EQ(during.second, std::min(255, before.second + 1));
  EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace tintara::test
