#include "colors/widgets/color_list_control.h"

#include <QStackedLayout>

#include "colors/widgets/color_detail_list.h"
#include "colors/widgets/color_swatch_grid.h"

namespace tintara {

ColorListControl::ColorListControl(QWidget* parent) : QWidget(parent) {
  grid_ = new ColorSwatchGrid(this);
  details_ = new ColorDetailList(this);
  stack_ = new QStackedLayout(this);
  stack_->setContentsMargins(0, 0, 0, 0);
  stack_->addWidget(grid_);
  stack_->addWidget(details_);
  setFocusProxy(grid_);
  connect(grid_, &ColorSwatchGrid::cellSelected, this, &ColorListControl::TakeSelection);
  connect(details_, &ColorDetailList::positionSelected, this, &ColorListControl::TakeSelection);
  connect(grid_, &ColorSwatchGrid::cellClicked, this, &ColorListControl::colorClicked);
  connect(details_, &ColorDetailList::positionClicked, this, &ColorListControl::colorClicked);
  connect(grid_, &ColorSwatchGrid::beeped, this, &ColorListControl::beeped);
}

void ColorListControl::SetColors(std::vector<CFlossColor> colors, std::vector<ColorNote> notes) {
  colors_ = std::move(colors);
  notes_ = std::move(notes);
  if (!notes_.empty() && notes_.size() != colors_.size()) notes_.resize(colors_.size());
  selected_ = -1;
  grid_->SetColors(colors_, notes_);
  details_->SetColors(colors_, notes_);
  details_->SetSelected(-1);
}

void ColorListControl::SetDetailsView(bool details) {
  QWidget* shown = details ? static_cast<QWidget*>(details_) : grid_;
  const bool hadFocus = focusWidget() != nullptr && isAncestorOf(focusWidget());
  stack_->setCurrentWidget(shown);
  setFocusProxy(shown);
  if (hadFocus) shown->setFocus();
  SetSelected(selected_);
}

bool ColorListControl::DetailsView() const { return stack_->currentWidget() == details_; }

void ColorListControl::SetSelected(int position) {
  selected_ = (position >= 0 && position < int(colors_.size())) ? position : -1;
  grid_->SetSelected(selected_);
  details_->SetSelected(selected_);
}

// One view reports the user's choice; the other follows without signalling.
void ColorListControl::TakeSelection(int position) {
  selected_ = position;
  if (sender() == grid_) {
    details_->SetSelected(position);
  } else {
    grid_->SetSelected(position);
  }
  emit colorSelected(position);
}

QAbstractScrollArea* ColorListControl::SwatchView() const { return grid_; }

QTreeWidget* ColorListControl::DetailView() const { return details_; }

QRect ColorListControl::CellRect(int position) const { return grid_->CellRect(position); }

}  // namespace tintara
