#include "editing/widgets/select_region_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <span>

#include "editing/select_window_rules.h"

namespace tintara {

namespace {

// Pictures of the buttons, drawn in code.
enum PictureGlyph {
  kGlyphRectangle = 0, kGlyphEllipse, kGlyphPolygon, kGlyphFreehand, kGlyphMove,
  kGlyphNew = 10, kGlyphAdd, kGlyphSubtract,
  kGlyphRemove = 20,
};

void DrawGlyph(QPainter& painter, int glyph) {
  QPen dashed(QColor(20, 20, 20), 1.4, Qt::DashLine);
  QPen solid(QColor(20, 20, 20), 1.6);
  QBrush fill(QColor(120, 170, 230));
  painter.setPen(dashed);
  switch (glyph) {
    case kGlyphRectangle: painter.drawRect(QRectF(3, 5, 16, 12)); break;
    case kGlyphEllipse: painter.drawEllipse(QRectF(2, 4, 18, 14)); break;
    case kGlyphPolygon:
      painter.drawPolygon(QPolygonF({QPointF(3, 18), QPointF(6, 4), QPointF(19, 8),
                                     QPointF(14, 18)}));
      break;
    case kGlyphFreehand: {
      // A wobbly lasso with its tail, unlike the smooth ellipse.
      QPainterPath path(QPointF(6, 19));
      path.cubicTo(QPointF(1, 12), QPointF(4, 3), QPointF(10, 6));
      path.cubicTo(QPointF(13, 1), QPointF(21, 4), QPointF(18, 9));
      path.cubicTo(QPointF(22, 13), QPointF(15, 18), QPointF(11, 14));
      path.cubicTo(QPointF(9, 17), QPointF(12, 21), QPointF(16, 21));
      painter.drawPath(path);
      break;
    }
    case kGlyphMove:
      painter.setPen(solid);
      painter.drawLine(QPointF(4, 11), QPointF(18, 11));
      painter.drawPolyline(QPolygonF({QPointF(13, 6), QPointF(18, 11), QPointF(13, 16)}));
      break;
    case kGlyphNew:
      painter.setBrush(fill);
      painter.drawRect(QRectF(5, 5, 12, 12));
      break;
    case kGlyphAdd:
    case kGlyphSubtract:
      painter.setBrush(fill);
      painter.drawRect(QRectF(2, 3, 11, 11));
      painter.setBrush(glyph == kGlyphAdd ? fill : QBrush(Qt::white));
      painter.drawEllipse(QRectF(8, 8, 12, 12));
      break;
    case kGlyphRemove:
      painter.drawRect(QRectF(3, 4, 16, 14));
      painter.setPen(QPen(QColor(190, 30, 30), 2));
      painter.drawLine(QPointF(5, 6), QPointF(17, 16));
      painter.drawLine(QPointF(17, 6), QPointF(5, 16));
      break;
    default: break;
  }
}

QIcon GlyphIcon(int glyph) {
  QPixmap pixmap(22, 22);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawGlyph(painter, glyph);
  return QIcon(pixmap);
}

QSpinBox* NumberField(int maximum, int value, QWidget* parent) {
  auto* field = new QSpinBox(parent);
  field->setRange(0, maximum);
  field->setValue(value);
  return field;
}

}  // namespace

SelectRegionWindow::SelectRegionWindow(CSelectParams& params, QWidget* parent)
    : QWidget(parent, Qt::Tool), params_(params) {
  setWindowTitle(QStringLiteral("Select Region"));
  Build();
  ShowApplicable();
}

QToolButton* SelectRegionWindow::PictureButton(const QString& caption, const QString& tip,
                                               int glyph) {
  auto* button = new QToolButton(this);
  button->setText(caption);
  button->setToolTip(tip);
  button->setIcon(GlyphIcon(glyph));
  button->setIconSize(QSize(22, 22));
  button->setToolButtonStyle(Qt::ToolButtonIconOnly);
  button->setAutoRaise(false);
  return button;
}

void SelectRegionWindow::Build() {
  struct Choice {
    const char* caption;
    const char* tip;
    int value;
    int glyph;
  };
  const Choice shapes[] = {{"R", "Rectangle", kSelectRectangle, kGlyphRectangle},
                           {"E", "Ellipse", kSelectEllipse, kGlyphEllipse},
                           {"P", "Polygon: click the corners, double-click to close",
                            kSelectPolygon, kGlyphPolygon},
                           {"L", "Freehand", kSelectFreehand, kGlyphFreehand},
                           {">", "Move the selection", kSelectMove, kGlyphMove}};
  const Choice modes[] = {{"N", "New selection", kSelectModeNew, kGlyphNew},
                          {"+", "Add to the selection", kSelectModeAdd, kGlyphAdd},
                          {"-", "Subtract from the selection", kSelectModeSubtract,
                           kGlyphSubtract}};
  // One row of picture buttons per radio group, the current value checked.
  auto addRow = [this](std::span<const Choice> choices, QButtonGroup& group, int current) {
    auto* row = new QHBoxLayout;
    for (const Choice& choice : choices) {
      QToolButton* button = PictureButton(choice.caption, choice.tip, choice.glyph);
      button->setCheckable(true);
      button->setChecked(current == choice.value);
      group.addButton(button, choice.value);
      row->addWidget(button);
    }
    return row;
  };
  QHBoxLayout* shapeRow = addRow(shapes, shapes_, params_.shape);
  QHBoxLayout* modeRow = addRow(modes, modes_, params_.combineMode);
  modeRow->addStretch();
  remove_ = PictureButton(QStringLiteral("N"), QStringLiteral("Remove the selection"),
                          kGlyphRemove);
  remove_->setObjectName(QStringLiteral("removeSelection"));
  modeRow->addWidget(remove_);

  size_ = new QCheckBox(QStringLiteral("&Size"), this);
  size_->setChecked(params_.fixedSize != 0);
  square_ = new QCheckBox(QStringLiteral("S&quare"), this);
  square_->setChecked(params_.square != 0);
  widthLabel_ = new QLabel(QStringLiteral("&X : "), this);
  width_ = NumberField(999, params_.fixedWidth, this);
  widthLabel_->setBuddy(width_);
  heightLabel_ = new QLabel(QStringLiteral("&Y : "), this);
  height_ = NumberField(999, params_.fixedHeight, this);
  heightLabel_->setBuddy(height_);
  toleranceLabel_ = new QLabel(QStringLiteral("&Tolerance : "), this);
  tolerance_ = NumberField(255, params_.tolerance, this);
  toleranceLabel_->setBuddy(tolerance_);

  auto* grid = new QGridLayout;
  grid->addWidget(size_, 0, 0, 1, 2);
  grid->addWidget(square_, 0, 2, 1, 2);
  grid->addWidget(widthLabel_, 1, 0);
  grid->addWidget(width_, 1, 1);
  grid->addWidget(heightLabel_, 1, 2);
  grid->addWidget(height_, 1, 3);
  grid->addWidget(toleranceLabel_, 2, 0);
  grid->addWidget(tolerance_, 2, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(shapeRow);
  layout->addLayout(modeRow);
  layout->addLayout(grid);

  connect(&shapes_, &QButtonGroup::idClicked, this, &SelectRegionWindow::WriteAll);
  connect(&modes_, &QButtonGroup::idClicked, this, &SelectRegionWindow::WriteAll);
  connect(size_, &QCheckBox::clicked, this, &SelectRegionWindow::WriteAll);
  connect(square_, &QCheckBox::clicked, this, &SelectRegionWindow::WriteAll);
  for (QSpinBox* field : {width_, height_, tolerance_}) {
    connect(field, &QSpinBox::editingFinished, this, &SelectRegionWindow::WriteAll);
  }
  connect(remove_, &QToolButton::clicked, this, [this] {
    params_.pendingAction = kSelectActionRemove;
    emit removeRequested();
  });
}

QToolButton* SelectRegionWindow::ShapeButton(int shape) const {
  return qobject_cast<QToolButton*>(shapes_.button(shape));
}

QToolButton* SelectRegionWindow::ModeButton(int mode) const {
  return qobject_cast<QToolButton*>(modes_.button(mode));
}

void SelectRegionWindow::WriteAll() {
  params_.shape = shapes_.checkedId() >= 0 ? shapes_.checkedId() : kSelectRectangle;
  params_.combineMode = modes_.checkedId() >= 0 ? modes_.checkedId() : kSelectModeNew;
  params_.fixedSize = size_->isChecked() ? 1 : 0;
  params_.square = square_->isChecked() ? 1 : 0;
  params_.fixedWidth = width_->value();
  params_.fixedHeight = height_->value();
  params_.tolerance = tolerance_->value();
  ShowApplicable();
  emit paramsChanged();
}

void SelectRegionWindow::ShowApplicable() {
  SelectWindowVisibility shown = VisibilityFor(params_);
  size_->setVisible(shown.sizeBox);
  square_->setVisible(shown.squareBox);
  for (QWidget* widget : {static_cast<QWidget*>(widthLabel_), static_cast<QWidget*>(width_),
                          static_cast<QWidget*>(heightLabel_), static_cast<QWidget*>(height_)}) {
    widget->setVisible(shown.sizeFields);
  }
  toleranceLabel_->setVisible(shown.tolerance);
  tolerance_->setVisible(shown.tolerance);
}

void SelectRegionWindow::closeEvent(QCloseEvent* event) {
  emit closing(pos());
  QWidget::closeEvent(event);
}

}  // namespace tintara
