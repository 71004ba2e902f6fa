#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <memory>
#include <vector>

#include "app/color_correction_dialog.h"
#include "app/general_options_dialog.h"
#include "app/interface_dialog.h"
#include "app/interface_options.h"
#include "app/picture_info_dialog.h"
#include "app/reduction_dialogs.h"
#include "app/styled_message_dialog.h"
#include "colors/widgets/border_color_dialog.h"
#include "colors/widgets/pattern_size_dialog.h"
#include "colors/widgets/pattern_type_dialog.h"

namespace tintara {
namespace {

std::vector<std::unique_ptr<QDialog>> EveryFramedDialog() {
  PictureInfo picture;
  picture.width = 4000;
  picture.height = 3000;
  picture.widthLength = 141.1;
  picture.heightLength = 105.8;
  picture.unitLabel = "Centimeters";
  picture.origin = "/home/user/Pictures/lake.jpg";
  PatternInfo pattern;
  pattern.usedColors = 24;
  pattern.brands = {"Harmonia Artist Acrylics"};
  std::vector<std::unique_ptr<QDialog>> dialogs;
  dialogs.push_back(std::make_unique<ColorCorrectionDialog>(100));
  dialogs.push_back(std::make_unique<GeneralOptionsDialog>(InterfaceOptions{}));
  dialogs.push_back(std::make_unique<InterfaceDialog>());
  dialogs.push_back(std::make_unique<PictureInfoDialog>(picture));
  dialogs.push_back(std::make_unique<PatternInfoDialog>(pattern));
  dialogs.push_back(std::make_unique<PosterizeDialog>(PosterizeLevels{}, nullptr));
  dialogs.push_back(std::make_unique<ReduceColorsDialog>(24));
  dialogs.push_back(std::make_unique<PatternSizeDialog>(PatternPageSettings{}, true));
  dialogs.push_back(std::make_unique<PatternTypeDialog>(0));
  dialogs.push_back(std::make_unique<BorderColorDialog>(0x808080));
  return dialogs;
}

// What a frame takes beside its title: the title in a bold face, an icon
// and three buttons as wide as the bar is high with a little space between,
// and a bar's height of padding on each side. (A common window manager
// elided "Color correction" in a frame 201 pixels wide.)
int FrameWidthFor(const QString& title) {
  QFont font = QApplication::font();
  font.setBold(true);
  QFontMetrics metrics(font);
  int bar = metrics.height() + 4;
  return metrics.horizontalAdvance(title) + 4 * (bar + 4) + 2 * bar;
}

// Labels and buttons that do not wrap get at least the width their text needs.
void ExpectNoTextCut(QWidget* dialog) {
  for (QLabel* label : dialog->findChildren<QLabel*>()) {
    if (label->wordWrap() || label->text().isEmpty()) continue;
    EXPECT_GE(label->width(), label->minimumSizeHint().width()) << label->text().toStdString();
  }
  for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
    if (!button->isVisible()) continue;
    EXPECT_GE(button->width(), button->minimumSizeHint().width()) << button->text().toStdString();
  }
}

// Shown, then made as small as the dialog allows (a small screen, or the
// user's doing).
void ShowAtSmallest(QWidget* dialog) {
  dialog->show();
  QApplication::processEvents();
  dialog->resize(dialog->minimumSize());
  QApplication::processEvents();
}

TEST(DialogFit, EveryDialogIsWideEnoughForItsTitleAndItsTexts) {
  for (const auto& dialog : EveryFramedDialog()) {
    SCOPED_TRACE(dialog->windowTitle().toStdString());
    ShowAtSmallest(dialog.get());
    EXPECT_GE(dialog->width(), FrameWidthFor(dialog->windowTitle()));
    ExpectNoTextCut(dialog.get());
    dialog->hide();
  }
}

TEST(DialogFit, TheFramelessMessageShowsALongCaptionInFull) {
  MessageRequest request;
  request.caption = "Tintara could not save the painting pattern you asked for";
  request.text = "Cannot save out/p.mop: the folder does not exist";
  request.buttons = MessageButtons::kYesNoCancel;
  StyledMessageDialog dialog(request);
  ShowAtSmallest(&dialog);
  ExpectNoTextCut(&dialog);
  auto* caption = dialog.findChild<QLabel*>(QStringLiteral("messageCaption"));
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->text().toStdString(), request.caption);
}

}  // namespace
}  // namespace tintara
