#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <vector>

#include "app/color_correction_dialog.h"
#include "app/general_options_dialog.h"
#include "app/interface_dialog.h"
#include "app/interface_options.h"
#include "tests/gui/gui_helpers.h"

namespace tintara {
namespace {

QStringList LabelTexts(QWidget* dialog) {
  QStringList texts;
  for (QLabel* label : dialog->findChildren<QLabel*>()) texts << label->text();
  return texts;
}

QPushButton* StandardButton(QWidget* dialog, QDialogButtonBox::StandardButton which) {
  return dialog->findChild<QDialogButtonBox*>()->button(which);
}

TEST(InterfaceDialog, ShowsTheChoiceAndCancelQuits) {
  InterfaceDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), "Interface");
  EXPECT_EQ(dialog.GraphicalButton()->text(), "&Graphical interface");
  EXPECT_EQ(dialog.StandardButton()->text(), "&Standard interface");
  QStringList texts = LabelTexts(&dialog);
  for (const char* expected :
       {"Please select what type of interface do you prefer",
        "Interface with graphic toolbars and guided Start to Finish workflow.",
        "Standard interface with menus and standard toolbars. Choose this option if you are "
        "used to the menus of other desktop programs.",
        "Note: You can switch interface type later using Interface-Standard interface command "
        "from Options menu."}) {
    EXPECT_TRUE(texts.contains(expected)) << expected;
  }
  // The question names no other system.
  for (const QString& text : texts + QStringList{dialog.StandardButton()->text()}) {
    EXPECT_FALSE(text.contains("Windows")) << text.toStdString();
  }

  test::WhenModalAppears([](QWidget* modal) {
    StandardButton(modal, QDialogButtonBox::Cancel)->click();
  });
  EXPECT_EQ(AskInterfaceStyle(), std::nullopt);

  test::WhenModalAppears([](QWidget* modal) {
    static_cast<InterfaceDialog*>(modal)->StandardButton()->setChecked(true);
    StandardButton(modal, QDialogButtonBox::Ok)->click();
  });
  EXPECT_EQ(AskInterfaceStyle(), std::optional<bool>(true));

  test::WhenModalAppears([](QWidget* modal) {
    StandardButton(modal, QDialogButtonBox::Ok)->click();
  });
  EXPECT_EQ(AskInterfaceStyle(), std::optional<bool>(false));
}

TEST(InterfaceOptions, MenuAndToolBarsNeverBothOff) {
  InterfaceOptions options{true, true, false, false};
  ToggleMenu(options);  // hiding the menu with the tool bars hidden brings them back
  EXPECT_FALSE(options.menu);
  EXPECT_TRUE(options.graph);
  ToggleGraph(options);
  EXPECT_FALSE(options.graph);
  EXPECT_TRUE(options.menu);
  ToggleGraph(options);
  EXPECT_TRUE(options.graph);
  EXPECT_TRUE(options.menu);
  ToggleMenu(options);
  EXPECT_FALSE(options.menu);
  EXPECT_TRUE(options.graph);
}

TEST(GeneralOptions, StartsFromTheSettingsAndAppliesChanges) {
  InterfaceOptions current{false, true, true, true};
  GeneralOptionsDialog dialog(current);
  EXPECT_EQ(dialog.windowTitle(), "General options");
  EXPECT_EQ(dialog.AnimationBox()->text(), "&Animation");
  EXPECT_EQ(dialog.MenuBox()->text(), "&Menu");
  EXPECT_EQ(dialog.GraphBox()->text(), "&Graphic Toolbars");
  EXPECT_EQ(dialog.AutoSaveBox()->text(), "Auto &save");
  EXPECT_EQ(dialog.ApplyButton()->text(), "Apply");
  EXPECT_EQ(dialog.Options(), current);
  EXPECT_FALSE(dialog.ApplyButton()->isEnabled());

  std::vector<InterfaceOptions> applied;
  QObject::connect(&dialog, &GeneralOptionsDialog::applied,
                   [&](const InterfaceOptions& options) { applied.push_back(options); });
  dialog.AnimationBox()->click();
  EXPECT_TRUE(dialog.ApplyButton()->isEnabled());
  dialog.ApplyButton()->click();
  ASSERT_EQ(applied.size(), 1u);
  EXPECT_EQ(applied[0], (InterfaceOptions{true, true, true, true}));
  EXPECT_FALSE(dialog.ApplyButton()->isEnabled());

  dialog.AutoSaveBox()->click();
  dialog.accept();
  ASSERT_EQ(applied.size(), 2u);
  EXPECT_FALSE(applied[1].autoSave);
}

TEST(GeneralOptions, UntickingBothMenuAndToolBarsTicksTheOtherAgain) {
  GeneralOptionsDialog dialog({true, true, false, false});
  int graphForced = 0, menuForced = 0;
  QObject::connect(&dialog, &GeneralOptionsDialog::graphForcedOn, [&] { ++graphForced; });
  QObject::connect(&dialog, &GeneralOptionsDialog::menuForcedOn, [&] { ++menuForced; });
  dialog.MenuBox()->click();
  EXPECT_FALSE(dialog.MenuBox()->isChecked());
  EXPECT_TRUE(dialog.GraphBox()->isChecked());
  EXPECT_EQ(graphForced, 1);
  dialog.GraphBox()->click();
  EXPECT_FALSE(dialog.GraphBox()->isChecked());
  EXPECT_TRUE(dialog.MenuBox()->isChecked());
  EXPECT_EQ(menuForced, 1);
  // With the other box ticked nothing is forced.
  dialog.GraphBox()->click();
  EXPECT_TRUE(dialog.MenuBox()->isChecked());
  EXPECT_EQ(graphForced + menuForced, 2);
}

TEST(ColorCorrection, EditsTheBrightnessFactorWithinItsRange) {
  ColorCorrectionDialog dialog(100);
  EXPECT_EQ(dialog.windowTitle(), "Color correction");
  EXPECT_TRUE(LabelTexts(&dialog).contains("Brightness fa&ctor:"));
  EXPECT_EQ(dialog.FactorBox()->minimum(), 0);
  EXPECT_EQ(dialog.FactorBox()->maximum(), 10000);
  EXPECT_EQ(dialog.Percent(), 100);

  test::WhenModalAppears([](QWidget* modal) {
    auto* box = modal->findChild<QSpinBox*>();
    box->setValue(12345);  // beyond the range: kept at the largest value
    StandardButton(modal, QDialogButtonBox::Ok)->click();
  });
  EXPECT_EQ(AskBrightnessFactor(100), std::optional<int>(10000));

  test::WhenModalAppears([](QWidget* modal) {
    modal->findChild<QSpinBox*>()->setValue(140);
    StandardButton(modal, QDialogButtonBox::Cancel)->click();
  });
  EXPECT_EQ(AskBrightnessFactor(100), std::nullopt);
}

}  // namespace
}  // namespace tintara
