// Choosing paints through the real windows: the "Colors" dialog from the
// Pattern menu and the Settings page, "Select color" from its "Add..." and
// from the status bar, and the floating colour palette window.
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <fstream>

#include "app/command_actions.h"
#include "app/frame_status_bar.h"
#include "app/palette_window_host.h"
#include "app/panel_buttons.h"
#include "app/stage_panels.h"
#include "colors/widgets/colors_dialog.h"
#include "colors/widgets/colors_palette_window.h"
#include "colors/widgets/select_color_dialog.h"
#include "tests/app/app_fixture.h"
#include "view/widgets/tessel20_view.h"

namespace tintara::test {
namespace {

QPushButton *ButtonOf(QWidget *dialog, const QString &text) {
  for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
    if (button->text() == text)
      return button;
  }
  ADD_FAILURE() << "no button " << text.toStdString();
  return nullptr;
}

void Press(QWidget *dialog, QDialogButtonBox::StandardButton which) {
  auto *buttons = dialog->findChild<QDialogButtonBox *>();
  ASSERT_NE(buttons, nullptr);
  QTest::mouseClick(buttons->button(which), Qt::LeftButton);
}

// Clicks the colour at `position` in the swatch grid of `list`.
void ClickColor(ColorListControl *list, int position) {
  if (list->DetailsView())
    list->SetDetailsView(false);
  QRect cell = list->CellRect(position);
  ASSERT_FALSE(cell.isEmpty()) << "colour " << position << " not shown";
  QTest::mouseClick(list->SwatchView()->viewport(), Qt::LeftButton, {},
                    cell.center());
}

// Clicks `button` once the current step has returned, so that a dialog it
// opens can be answered by the next step.
void Later(QAbstractButton* button) {
  ASSERT_NE(button, nullptr);
  QTimer::singleShot(0, button, &QAbstractButton::click);
}

void TypeNumber(ColorsDialog *dialog, const QString &text) {
  dialog->NumberField()->selectAll();
  QTest::keyClicks(dialog->NumberField(), text);
}

class ColorsDialogsTest : public ::testing::Test, public AppFixture {
protected:
  void SetUp() override {
    // A brand of twenty colours beside the supplied ones.
    std::ofstream twenty(ProgramDir() / "Twenty.dat", std::ios::binary);
    twenty << "PAINT=Twenty Paints\r\n";
    for (int i = 0; i < 20; ++i) {
      twenty << "Tone " << i << "," << 100 + i << "," << i * 12 << ","
             << 255 - i * 12 << "," << (i * 37) % 256 << ",\r\n";
    }
  }
  void StartWithPattern() {
    ASSERT_EQ(Start(), StartResult::kRunning);
    ASSERT_TRUE(app->LoadPictureFile(WritePicture("photo.png", 120, 90)));
    Frame().ToolPanel()->SetAnimation(false);
    for (CMyButton *button : Frame().TaskBar()->Buttons()) {
      if (button->Caption() == "Pattern")
        QTest::mouseClick(button, Qt::LeftButton);
    }
    ASSERT_TRUE(Doc().HasPattern());
  }
  // "Painting colors..." with the dialog handled by `act`.
  void WithColorsDialog(const std::function<void(ColorsDialog *)> &act) {
    ModalAnswer answer([&](QWidget *modal) {
      auto *dialog = qobject_cast<ColorsDialog *>(modal);
      ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
      act(dialog);
    });
    Choose("&Pattern", "&Painting colors...");
    ASSERT_EQ(answer.Answered(), 1u);
  }
};

TEST_F(ColorsDialogsTest,
       TheBrandIsFoundWithoutRegardToCaseAndTheNumberIsClampedToIt) {
  StartWithPattern();
  // A project from another system may name the brand file in other letters.
  std::string upper = (ProgramDir() / "GOLDENHEAVYBODY.DAT").string();
  Doc().params.brandFile = upper;
  WithColorsDialog([&](ColorsDialog *dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Colors");
    EXPECT_EQ(dialog->BrandList()->currentText(), "Golden Heavy Body Acrylics");
    EXPECT_EQ(dialog->NumberField()->text(), "32");
    // 50 typed, then the twenty-colour brand chosen: the number follows the
    // brand.
    TypeNumber(dialog, "50");
    QComboBox *brands = dialog->BrandList();
    brands->setFocus();
    int twenty = brands->findText("Twenty Paints");
    ASSERT_GE(twenty, 0);
    while (brands->currentIndex() != twenty) {
      QTest::keyClick(brands, brands->currentIndex() < twenty ? Qt::Key_Down
                                                              : Qt::Key_Up);
    }
    EXPECT_EQ(dialog->NumberField()->text(), "20");
    QLabel *label = nullptr;
    for (QLabel *each : dialog->findChildren<QLabel *>()) {
      if (each->text().startsWith("&Maximum"))
        label = each;
    }
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "&Maximum number of colors (1-20):");
    // 1 typed and a rebuild asked for: at least two colours.
    TypeNumber(dialog, "1");
    QTest::mouseClick(ButtonOf(dialog, "For bra&nd"), Qt::LeftButton);
    EXPECT_EQ(dialog->NumberField()->text(), "2");
    EXPECT_EQ(dialog->List()->Colors().size(), 2u);
    Press(dialog, QDialogButtonBox::Ok);
  });
  EXPECT_EQ(Doc().params.neededNumColors, 2);
  EXPECT_EQ(Doc().params.workingPalette.size(), 2u);
  EXPECT_EQ(Doc().params.workingPalette[0].brandName, "Twenty Paints");
  EXPECT_EQ(app->Settings().ReadInt("SETTINGS", "NEEDEDNUMCOLORS", -1), 2);
  // The pattern shown was made again with the two paints.
  ASSERT_TRUE(Doc().HasPattern());
  for (int y = 0; y < Doc().indexImage->Height(); ++y) {
    for (int x = 0; x < Doc().indexImage->Width(); ++x) {
      ASSERT_LT(Doc().indexImage->Row(y)[x], 2);
    }
  }
}

// A brand and a number chosen, then OK alone: the pattern is made with paints
// of that brand, as many as asked for at most.
TEST_F(ColorsDialogsTest, OkWithAnotherBrandAndNumberMakesThePaletteForThem) {
  StartWithPattern();
  const std::string oldBrand = Doc().params.workingPalette.at(0).brandName;
  ASSERT_NE(oldBrand, "Twenty Paints");
  WithColorsDialog([&](ColorsDialog *dialog) {
    QComboBox *brands = dialog->BrandList();
    brands->setFocus();
    int twenty = brands->findText("Twenty Paints");
    ASSERT_GE(twenty, 0);
    while (brands->currentIndex() != twenty) {
      QTest::keyClick(brands, brands->currentIndex() < twenty ? Qt::Key_Down : Qt::Key_Up);
    }
    TypeNumber(dialog, "6");
    Press(dialog, QDialogButtonBox::Ok);
  });
  const std::vector<CFlossColor> &palette = Doc().params.workingPalette;
  EXPECT_EQ(Doc().params.neededNumColors, 6);
  ASSERT_FALSE(palette.empty());
  EXPECT_LE(palette.size(), 6u);
  for (const CFlossColor &paint : palette) EXPECT_EQ(paint.brandName, "Twenty Paints");
  ASSERT_TRUE(Doc().HasPattern());
  for (int y = 0; y < Doc().indexImage->Height(); ++y) {
    for (int x = 0; x < Doc().indexImage->Width(); ++x) {
      ASSERT_LT(Doc().indexImage->Row(y)[x], palette.size());
    }
  }
  // Opened again, OK with nothing chosen keeps the palette as it is.
  const std::vector<CFlossColor> kept = palette;
  WithColorsDialog([&](ColorsDialog *dialog) { Press(dialog, QDialogButtonBox::Ok); });
  EXPECT_EQ(Doc().params.workingPalette, kept);
}

TEST_F(ColorsDialogsTest, AddingAColourAlreadyThereChangesNothingAndDeletingTheLastSelectsTheNewLast) {
  StartWithPattern();
  const std::vector<CFlossColor> before = Doc().params.workingPalette;
  const size_t count = before.size();
  bool asked = false;
  {
    ModalScript answers({
        [&](QWidget* modal) {
          auto* dialog = qobject_cast<ColorsDialog*>(modal);
          ASSERT_NE(dialog, nullptr);
          // The dialog it opens is answered next, once this returns.
          Later(ButtonOf(dialog, "&Add..."));
        },
        [&](QWidget* modal) {
          auto* select = qobject_cast<SelectColorDialog*>(modal);
          ASSERT_NE(select, nullptr) << modal->metaObject()->className();
          EXPECT_EQ(select->windowTitle(), "Select color");
          // Adding offers the brand's colours only.
          EXPECT_FALSE(select->CurrentColorsChoice()->isVisible());
          const std::vector<CFlossColor>& shown = select->List()->Colors();
          auto same = std::find(shown.begin(), shown.end(), before.front());
          ASSERT_NE(same, shown.end());
          ClickColor(select->List(), int(same - shown.begin()));
          Press(select, QDialogButtonBox::Ok);
        },
        [&](QWidget* modal) {
          auto* dialog = qobject_cast<ColorsDialog*>(modal);
          ASSERT_NE(dialog, nullptr);
          EXPECT_EQ(dialog->List()->Colors().size(), count);
          // Nothing was changed, so closing asks nothing.
          Later(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel));
        },
        [&](QWidget* modal) {
          asked = true;
          PressMessageButton(modal, kResultNo);
        },
    });
    Choose("&Pattern", "&Painting colors...");
    ASSERT_GE(answers.Answered(), 3u);
  }
  EXPECT_FALSE(asked);
  EXPECT_EQ(Doc().params.workingPalette, before);

  // Deleting the last colour selects the one before it; closing then asks,
  // Cancel keeps the dialog, No closes it and the document keeps its paints.
  QString question;
  ColorsDialog* colors = nullptr;
  ModalScript deleting({
      [&](QWidget* modal) {
        colors = qobject_cast<ColorsDialog*>(modal);
        ASSERT_NE(colors, nullptr);
        ClickColor(colors->List(), int(count) - 1);
        QTest::mouseClick(ButtonOf(colors, "&Delete"), Qt::LeftButton);
        EXPECT_EQ(colors->List()->Colors().size(), count - 1);
        EXPECT_EQ(colors->List()->Selected(), int(count) - 2);
        Later(colors->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel));
      },
      [&](QWidget* modal) {
        question = MessageText(modal);
        PressMessageButton(modal, kResultCancel);
      },
      [&](QWidget* modal) {
        // Still open after Cancel; closing again, No.
        ASSERT_EQ(modal, colors);
        Later(colors->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel));
      },
      [&](QWidget* modal) { PressMessageButton(modal, kResultNo); },
  });
  Choose("&Pattern", "&Painting colors...");
  ASSERT_EQ(deleting.Answered(), 4u);
  EXPECT_EQ(question, "Your palette was changed!\nSave these changes? ");
  EXPECT_EQ(Doc().params.workingPalette, before);
}

TEST_F(ColorsDialogsTest, AHandEditedPatternKeepsItsAreasUnderFewerColours) {
  StartWithPattern();
  ImageRef oldIndex = ImageBuffer::Copy(*Doc().indexImage);
  // The drawing tools mark their changes so.
  Doc().patternEditedByHand = true;
  WithColorsDialog([&](ColorsDialog *dialog) {
    TypeNumber(dialog, "3");
    QTest::mouseClick(ButtonOf(dialog, "For bra&nd"), Qt::LeftButton);
    Press(dialog, QDialogButtonBox::Ok);
  });
  ASSERT_EQ(Doc().params.workingPalette.size(), 3u);
  const ImageBuffer &now = *Doc().indexImage;
  ASSERT_EQ(now.Width(), oldIndex->Width());
  ASSERT_EQ(now.Height(), oldIndex->Height());
  // Each old area has one new colour: neighbours that were equal stay equal.
  for (int y = 0; y < now.Height(); ++y) {
    const uint8_t *oldRow = oldIndex->Row(y);
    const uint8_t *newRow = now.Row(y);
    for (int x = 0; x < now.Width(); ++x) {
      ASSERT_LT(newRow[x], 3);
      if (x > 0 && oldRow[x] == oldRow[x - 1]) {
        ASSERT_EQ(newRow[x], newRow[x - 1]);
      }
    }
  }
  EXPECT_TRUE(Doc().patternEditedByHand);
  // One undo step brings back the old paints and areas.
  Frame().Actions().Action(cmd::kUndo)->trigger();
  EXPECT_TRUE(SamePixels(*Doc().indexImage, *oldIndex));
}

// The palette window's shares follow every edit of the pattern and its undo.
TEST_F(ColorsDialogsTest, ThePaletteWindowsSharesFollowEditsAndUndo) {
  StartWithPattern();
  ColorsPaletteWindow *window = app->Palette()->Window();
  ASSERT_NE(window, nullptr);
  auto shareOfFirst = [&] { return window->List()->Notes().at(0).areaPercent; };
  // The list is counted again a moment after the change.
  auto settlesAt = [&](auto near) {
    for (int waited = 0; waited < 3000 && !near(shareOfFirst()); waited += 20) QTest::qWait(20);
    return near(shareOfFirst());
  };
  const double before = shareOfFirst();
  ASSERT_LT(before, 99.0);
  ClickColor(window->List(), 0);
  Key(Qt::Key_A);
  Choose("&Pattern", "&Selection");
  EXPECT_TRUE(settlesAt([](double share) { return share > 99.9; })) << shareOfFirst();
  Key(Qt::Key_Z);
  EXPECT_TRUE(settlesAt([&](double share) { return std::abs(share - before) < 0.05; }))
      << shareOfFirst() << " against " << before;
}

TEST_F(ColorsDialogsTest,
       ThePaletteWindowOpensBesideTheCanvasWhenItsPlaceIsOffTheDesktop) {
  StoredSettings().WriteInt("COLORSPAL", "POSX", -30000);
  StoredSettings().WriteInt("COLORSPAL", "POSY", -30000);
  StartWithPattern();
  // Made patterns open the palette window (PALETTES/COLORS is 1 by default).
  ColorsPaletteWindow *window = app->Palette()->Window();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(window->isVisible());
  QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(desktop.contains(window->frameGeometry()));
  QWidget *canvas = Frame().View()->viewport();
  EXPECT_GT(window->x(), canvas->mapToGlobal(canvas->rect().center()).x());
  QAction *toggle = MenuItem("&View", "Show/hide color pa&lette");
  ASSERT_NE(toggle, nullptr);
  EXPECT_TRUE(toggle->isChecked());

  // Choosing a colour in the window makes it the painting colour.
  ClickColor(window->List(), 1);
  EXPECT_EQ(Doc().params.currentColor, 1);
  EXPECT_EQ(app->Settings().ReadInt("SETTINGS", "CURCOLOR", -1), 1);
  EXPECT_TRUE(Frame().Status()->CurrentColorText().startsWith(
      QString::fromStdString(Doc().params.workingPalette[1].colorName)));

  // Closing it keeps where it was; the command opens it there again.
  window->move(120, 90);
  toggle->trigger();
  EXPECT_FALSE(Doc().paletteWindowShown);
  EXPECT_FALSE(toggle->isChecked());
  EXPECT_EQ(app->Settings().ReadInt("COLORSPAL", "POSX", 0), 120);
  toggle->trigger();
  ASSERT_NE(app->Palette()->Window(), nullptr);
  EXPECT_EQ(app->Palette()->Window()->pos(), QPoint(120, 90));
}

TEST_F(ColorsDialogsTest,
       TheStatusBarSwatchChoosesTheCurrentColourFromTheWholeBrand) {
  StartWithPattern();
  const size_t count = Doc().params.workingPalette.size();
  CFlossColor chosen;
  ModalAnswer answer([&](QWidget *modal) {
    auto *select = qobject_cast<SelectColorDialog *>(modal);
    ASSERT_NE(select, nullptr);
    EXPECT_TRUE(select->CurrentColorsChoice()->isChecked());
    EXPECT_FALSE(select->BrandList()->isVisible());
    QTest::mouseClick(select->BrandColorsChoice(), Qt::LeftButton);
    EXPECT_TRUE(select->BrandList()->isVisible());
    // A paint the pattern does not use yet.
    const std::vector<CFlossColor> &shown = select->List()->Colors();
    const std::vector<CFlossColor> &palette = Doc().params.workingPalette;
    auto unused =
        std::find_if(shown.begin(), shown.end(), [&](const CFlossColor &c) {
          return std::find(palette.begin(), palette.end(), c) == palette.end();
        });
    ASSERT_NE(unused, shown.end());
    chosen = *unused;
    ClickColor(select->List(), int(unused - shown.begin()));
    Press(select, QDialogButtonBox::Ok);
  });
  QTest::mouseClick(Frame().Status()->CurrentColorButton(), Qt::LeftButton);
  ASSERT_EQ(answer.Answered(), 1u);
  ASSERT_EQ(Doc().params.workingPalette.size(), count + 1);
  EXPECT_EQ(Doc().params.workingPalette.back(), chosen);
  EXPECT_EQ(Doc().params.workingPalette.back().paletteIndex, int(count));
  EXPECT_EQ(Doc().params.currentColor, int(count));
  EXPECT_EQ(Frame().Status()->CurrentColorText(),
            QString::fromStdString(chosen.colorName) +
                QStringLiteral(" (%1)").arg(chosen.catalogNumber));
  // The palette window follows.
  ASSERT_NE(app->Palette()->Window(), nullptr);
  EXPECT_EQ(app->Palette()->Window()->List()->Colors().size(), count + 1);
  EXPECT_EQ(app->Palette()->Window()->List()->Selected(), int(count));
}

} // namespace
} // namespace tintara::test
