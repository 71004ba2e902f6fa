#include "colors/widgets/color_detail_list.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "colors/widgets/color_detail_delegate.h"

namespace tintara {

namespace {

constexpr int kPositionRole = Qt::UserRole;
constexpr int kSortKeyRole = Qt::UserRole + 1;

// Orders rows by the list's sort column; equal keys keep the list order, so
// that a second click reverses the whole order exactly.
class ColorItem : public QTreeWidgetItem {
 public:
  using QTreeWidgetItem::QTreeWidgetItem;

  bool operator<(const QTreeWidgetItem& other) const override {
    const auto* list = static_cast<const ColorDetailList*>(treeWidget());
    const int column = list != nullptr ? list->SortColumn() : 0;
    const QVariant mine = data(column, kSortKeyRole);
    const QVariant theirs = other.data(column, kSortKeyRole);
    int order = 0;
    if (mine.typeId() == QMetaType::QString) {
      order = QString::compare(mine.toString(), theirs.toString(), Qt::CaseInsensitive);
    } else {
      const double a = mine.toDouble();
      const double b = theirs.toDouble();
      order = a < b ? -1 : (b < a ? 1 : 0);
    }
    if (order != 0) return order < 0;
    return data(0, kPositionRole).toInt() < other.data(0, kPositionRole).toInt();
  }
};

QTreeWidgetItem* MakeItem(const CFlossColor& color, const ColorNote& note, int position,
                          bool withArea) {
  auto* item = new ColorItem;
  item->setData(0, kPositionRole, position);
  item->setData(ColorDetailList::kColorColumn, ColorDetailDelegate::kColorRole,
                QColor(color.red, color.green, color.blue));
  item->setData(ColorDetailList::kColorColumn, ColorDetailDelegate::kMarkedRole,
                !note.similarPaints.empty());
  item->setData(ColorDetailList::kColorColumn, kSortKeyRole,
                int(color.red) + int(color.green) + int(color.blue));
  const QString name = QString::fromStdString(color.colorName);
  const QString brand = QString::fromStdString(color.brandName);
  item->setText(ColorDetailList::kNameColumn, name);
  item->setData(ColorDetailList::kNameColumn, kSortKeyRole, name);
  item->setText(ColorDetailList::kNumberColumn, QString::number(color.catalogNumber));
  item->setData(ColorDetailList::kNumberColumn, kSortKeyRole, color.catalogNumber);
  item->setText(ColorDetailList::kBrandColumn, brand);
  item->setData(ColorDetailList::kBrandColumn, kSortKeyRole, brand);
  const int columns = withArea ? 5 : 4;
  if (withArea) {
    item->setText(ColorDetailList::kAreaColumn,
                  note.areaPercent >= 0 ? AreaText(note.areaPercent) : QString());
    item->setData(ColorDetailList::kAreaColumn, kSortKeyRole, note.areaPercent);
    item->setTextAlignment(ColorDetailList::kAreaColumn, Qt::AlignRight | Qt::AlignVCenter);
  }
  item->setTextAlignment(ColorDetailList::kNumberColumn, Qt::AlignRight | Qt::AlignVCenter);
  const QString tip = ColorInfoLine(color, &note);
  for (int column = 0; column < columns; ++column) item->setToolTip(column, tip);
  return item;
}

}  // namespace

ColorDetailList::ColorDetailList(QWidget* parent) : QTreeWidget(parent) {
  delegate_ = new ColorDetailDelegate(this);
  setItemDelegate(delegate_);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // The columns share the control's width exactly, so the frame would cut them.
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTextElideMode(Qt::ElideNone);
  header()->setStretchLastSection(false);
  header()->setSectionsClickable(true);
  header()->setSortIndicatorShown(false);
  connect(header(), &QHeaderView::sectionClicked, this, &ColorDetailList::SortBy);
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (updating_ || current == nullptr) return;
    emit positionSelected(current->data(0, kPositionRole).toInt());
  });
  connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    emit positionClicked(item->data(0, kPositionRole).toInt());
  });
  setHeaderLabels({QStringLiteral("Color"), QStringLiteral("Name"), QStringLiteral("Number"),
                   QStringLiteral("Brand")});
}

void ColorDetailList::SetColors(const std::vector<CFlossColor>& colors,
                                const std::vector<ColorNote>& notes) {
  const bool withArea = std::any_of(notes.begin(), notes.end(),
                                    [](const ColorNote& note) { return note.areaPercent >= 0; });
  updating_ = true;
  clear();
  QStringList labels{QStringLiteral("Color"), QStringLiteral("Name"), QStringLiteral("Number"),
                     QStringLiteral("Brand")};
  if (withArea) labels << QStringLiteral("Area");
  setColumnCount(int(labels.size()));
  setHeaderLabels(labels);
  if (sortColumn_ >= columnCount()) sortColumn_ = -1;
  header()->setSortIndicatorShown(sortColumn_ >= 0);
  QList<QTreeWidgetItem*> items;
  items.reserve(qsizetype(colors.size()));
  const ColorNote none;
  for (size_t i = 0; i < colors.size(); ++i) {
    items.append(MakeItem(colors[i], i < notes.size() ? notes[i] : none, int(i), withArea));
  }
  addTopLevelItems(items);
  if (sortColumn_ >= 0) sortItems(sortColumn_, sortOrder_);
  updating_ = false;
  ApplyColumnWidths();
}

void ColorDetailList::SetSelected(int position) {
  updating_ = true;
  QTreeWidgetItem* found = nullptr;
  for (int row = 0; row < topLevelItemCount() && found == nullptr; ++row) {
    if (PositionOfRow(row) == position) found = topLevelItem(row);
  }
  if (found != nullptr) {
    setCurrentItem(found);
    scrollToItem(found);
  } else {
    clearSelection();
    setCurrentItem(nullptr);
  }
  updating_ = false;
}

int ColorDetailList::PositionOfRow(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item != nullptr ? item->data(0, kPositionRole).toInt() : -1;
}

QString ColorDetailList::ShownText(int row, int column) const {
  const QModelIndex index = model()->index(row, column);
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualRect(index);
  return delegate_->ShownText(option, index);
}

void ColorDetailList::SortBy(int column) {
  sortOrder_ = (column == sortColumn_ && sortOrder_ == Qt::AscendingOrder) ? Qt::DescendingOrder
                                                                           : Qt::AscendingOrder;
  sortColumn_ = column;
  header()->setSortIndicatorShown(true);
  sortItems(column, sortOrder_);
  if (currentItem() != nullptr) scrollToItem(currentItem());
}

// W is the width less a vertical scroll bar's; "Color", "Number" (and "Area")
// take W / 8 each, "Name" and "Brand" share the rest equally.
void ColorDetailList::ApplyColumnWidths() {
  const int width = this->width() - verticalScrollBar()->sizeHint().width();
  const int eighth = width / 8;
  const int narrow = columnCount() == 5 ? 3 : 2;
  const int wide = (width - narrow * eighth) / 2;
  setColumnWidth(kColorColumn, eighth);
  setColumnWidth(kNameColumn, wide);
  setColumnWidth(kNumberColumn, eighth);
  setColumnWidth(kBrandColumn, wide);
  if (columnCount() == 5) setColumnWidth(kAreaColumn, eighth);
}

void ColorDetailList::resizeEvent(QResizeEvent* event) {
  QTreeWidget::resizeEvent(event);
  ApplyColumnWidths();
}

}  // namespace tintara
