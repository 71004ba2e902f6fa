#include "colors/widgets/border_color_dialog.h"

#include <QAbstractScrollArea>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "app/window_title_fit.h"
#include "colors/reduction/nearest_color.h"
#include "colors/widgets/color_list_control.h"
#include "colors/widgets/color_swatch_grid.h"

namespace tintara {

namespace {

constexpr int kLevels = 6;
constexpr int kLevelStep = 51;
// 216 colours in rows of 18: twelve full rows, then the white cells up to
// the 256th, all without scrolling.
constexpr int kGridColumns = 18;
constexpr int kGridRows = (ColorSwatchGrid::kMinimumCells + kGridColumns - 1) / kGridColumns;

std::vector<CFlossColor> GridRecords(const std::vector<Rgb>& grid) {
  std::vector<CFlossColor> records;
  records.reserve(grid.size());
  for (const Rgb& rgb : grid) {
    CFlossColor record;
    record.red = rgb.red;
    record.green = rgb.green;
    record.blue = rgb.blue;
    records.push_back(record);
  }
  return records;
}

}  // namespace

std::vector<Rgb> BorderGridColors() {
  std::vector<Rgb> grid;
  grid.reserve(kLevels * kLevels * kLevels);
  for (int red = 0; red < kLevels; ++red) {
    for (int green = 0; green < kLevels; ++green) {
      for (int blue = 0; blue < kLevels; ++blue) {
        grid.push_back({uint8_t(red * kLevelStep), uint8_t(green * kLevelStep),
                        uint8_t(blue * kLevelStep)});
      }
    }
  }
  return grid;
}

BorderColorDialog::BorderColorDialog(uint32_t current, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Set borders color"));
  const std::vector<Rgb> grid = BorderGridColors();
  list_ = new ColorListControl(this);
  list_->SetColors(GridRecords(grid));
  auto* view = static_cast<ColorSwatchGrid*>(list_->SwatchView());
  view->setMinimumSize(view->SizeForCells(kGridColumns, kGridRows));
  info_ = new QLabel(this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &ColorListControl::colorSelected, this, &BorderColorDialog::ShowInfo);
  connect(list_, &ColorListControl::colorClicked, this, &BorderColorDialog::Choose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(info_);
  layout->addWidget(buttons);
  // An equal colour is at distance 0, so the nearest search also finds it.
  const int start = NearestPaletteIndex(grid, UnpackColor(current));
  list_->SetSelected(start);
  ShowInfo(start);
  list_->setFocus();
  FitWidthToTitle(this);
}

void BorderColorDialog::ShowInfo(int position) {
  if (position < 0) return info_->clear();
  info_->setText(QString::fromStdString(list_->Colors()[size_t(position)].RgbLine()));
}

void BorderColorDialog::Choose(int position) {
  if (position < 0) return;
  chosen_ = list_->Colors()[size_t(position)].ColorValue();
  accept();
}

void BorderColorDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    return Choose(list_->Selected());
  }
  QDialog::keyPressEvent(event);
}

}  // namespace tintara
