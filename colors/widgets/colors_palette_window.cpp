#include "colors/widgets/colors_palette_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "colors/widgets/color_notes.h"

namespace tintara {

ColorsPaletteWindow::ColorsPaletteWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setWindowTitle(QStringLiteral("Colors palette"));
  list_ = new ColorListControl(this);
  list_->SetDetailsView(false);
  add_ = new QPushButton(QStringLiteral("&Add..."), this);
  info_ = new QLabel(this);
  info_->setWordWrap(true);
  info_->setMinimumHeight(info_->fontMetrics().height() * 3);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addWidget(add_);
  layout->addWidget(info_);
  resize(8 * 24 + 40, 330);
  connect(add_, &QPushButton::clicked, this, &ColorsPaletteWindow::addRequested);
  connect(list_, &ColorListControl::colorSelected, this, [this](int position) {
    ShowInfo(position);
    emit colorChosen(position);
  });
}

void ColorsPaletteWindow::Reload(const std::vector<CFlossColor>& palette,
                                 std::vector<ColorNote> notes, int current) {
  list_->SetColors(palette, std::move(notes));
  SelectCurrent(current);
}

void ColorsPaletteWindow::SelectCurrent(int current) {
  const int count = int(list_->Colors().size());
  const int position = current >= 0 && current < count ? current : -1;
  list_->SetSelected(position);
  ShowInfo(position);
}

void ColorsPaletteWindow::ShowInfo(int position) { info_->setText(InfoLineAt(*list_, position)); }

void ColorsPaletteWindow::closeEvent(QCloseEvent* event) {
  emit closing(pos());
  QWidget::closeEvent(event);
}

}  // namespace tintara
