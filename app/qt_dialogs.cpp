#include "app/qt_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>

#include "app/reduction_dialogs.h"
#include "app/scan_settings_dialog.h"
#include "app/twain_settings_dialog.h"
#include "colors/floss_color.h"
#include "colors/widgets/border_color_dialog.h"
#include "colors/widgets/colors_dialog.h"
#include "colors/widgets/pattern_settings_sheet.h"
#include "colors/widgets/pattern_size_dialog.h"
#include "colors/widgets/pattern_type_dialog.h"
#include "editing/widgets/add_text_dialog.h"
#include "colors/widgets/select_color_dialog.h"
#include "editing/widgets/picture_dialogs.h"
#include "editing/widgets/picture_panel_dialog.h"
#include "view/widgets/how_to_print_dialog.h"
#include "view/widgets/print_range_dialog.h"

namespace tintara {

std::optional<uint32_t> QtDialogs::ChooseBorderColor(uint32_t current, bool standardInterface) {
  if (!standardInterface) {
    // The guided interface offers a grid of evenly spaced colours, chosen by one click.
    BorderColorDialog dialog(current, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
  }
  Rgb rgb = UnpackColor(current);
  QColor chosen = QColorDialog::getColor(QColor(rgb.red, rgb.green, rgb.blue), parent_,
                                         QStringLiteral("Color of borders and digits"));
  if (!chosen.isValid()) return std::nullopt;
  return PackColor(uint8_t(chosen.red()), uint8_t(chosen.green()), uint8_t(chosen.blue()));
}

std::optional<PosterizeLevels> QtDialogs::Posterize(
    const PosterizeLevels& initial, const std::function<void(const PosterizeLevels&)>& changed) {
  PosterizeDialog dialog(initial, changed, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Levels();
}

std::optional<std::string> QtDialogs::AddText(TextFont& font) {
  AddTextDialog dialog(font, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Text().toStdString();
}

std::optional<int> QtDialogs::ReduceColors(int initial) {
  ReduceColorsDialog dialog(initial, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Colors();
}

std::optional<PatternPageSettings> QtDialogs::ChoosePatternSize(const PatternPageSettings& current,
                                                                bool defaultPrinterAvailable) {
  PatternSizeDialog dialog(current, defaultPrinterAvailable, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Settings();
}

std::optional<int> QtDialogs::ChoosePatternType(int listPosition) {
  PatternTypeDialog dialog(listPosition, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Selected();
}

bool QtDialogs::EditColors(ColorsEditor& editor) {
  ColorsDialog dialog(editor, parent_);
  return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::SelectColor(ColorSelector& selector) {
  SelectColorDialog dialog(selector, parent_);
  return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::Refuse(const std::string& message) {
  if (host_ != nullptr) host_->Message(message, MessageIcon::kWarning);
}

std::optional<RotateAnswer> QtDialogs::RotatePicture() {
  RotatePictureDialog dialog([this](const std::string& m) { Refuse(m); }, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Answer();
}

bool QtDialogs::ResizePicture(ResizeForm& form) {
  ResizeDialog dialog(form, [this](const std::string& m) { Refuse(m); }, parent_);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<int> QtDialogs::SmartTune(const std::vector<std::string>& methods,
                                        const std::function<void(int)>& changed) {
  SmartTuneDialog dialog(methods, changed, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Method();
}

std::optional<uint32_t> QtDialogs::ChooseBackgroundColor(const std::string& caption) {
  QColor chosen = QColorDialog::getColor(Qt::black, parent_, QString::fromStdString(caption));
  if (!chosen.isValid()) return std::nullopt;
  return PackColor(uint8_t(chosen.red()), uint8_t(chosen.green()), uint8_t(chosen.blue()));
}

bool QtDialogs::ShowPicturePanel(PicturePanel& panel, bool filters) {
  PicturePanelDialog dialog(panel, filters, parent_);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<PrintSetupChoice> QtDialogs::HowToPrint(const PrintSetupChoice& current,
                                                      const std::function<void()>& printerSetup) {
  HowToPrintDialog dialog(current, printerSetup, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

std::optional<PrintRangeChoice> QtDialogs::ChoosePrintRange(int pagesPerSide) {
  PrintRangeDialog dialog(pagesPerSide, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

bool QtDialogs::PatternSettings(ColorsEditor& editor, PatternSheetPages& pages) {
  PatternSettingsSheet sheet(editor, pages, parent_);
  if (sheet.exec() != QDialog::Accepted) return false;
  pages = sheet.Pages();
  return true;
}

std::optional<TwainSourceNames> QtDialogs::TwainSettings(const std::vector<std::string>& sources,
                                                        const TwainSourceNames& stored,
                                                        std::optional<DeviceKind> onlyKind) {
  TwainSettingsDialog dialog(sources, stored, onlyKind, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Names();
}

std::optional<ScanOptions> QtDialogs::ScanSettings(const std::string& device,
                                                  const ScanCapabilities& offered,
                                                  const ScanOptions& initial) {
  ScanSettingsDialog dialog(device, offered, initial, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Options();
}

std::optional<SvgFileChoice> QtDialogs::SavePatternSvg(const std::string& startPath) {
  // The file type chosen picks the style.
  const QString outline = QStringLiteral("SVG outline, to paint on (*.svg)");
  const QString filled = QStringLiteral("SVG filled with the paints, a preview (*.svg)");
  QString chosen = outline;
  QString path = QFileDialog::getSaveFileName(parent_, QStringLiteral("Save pattern as SVG"),
                                              QString::fromStdString(startPath),
                                              outline + QStringLiteral(";;") + filled, &chosen);
  if (path.isEmpty()) return std::nullopt;
  return SvgFileChoice{path.toStdString(), chosen == filled};
}

}  // namespace tintara
