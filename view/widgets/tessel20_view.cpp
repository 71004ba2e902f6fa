#include "view/widgets/tessel20_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "platform/image_drawing.h"

namespace tintara {

namespace {

Qt::CursorShape ShapeOf(ToolCursor cursor) {
  switch (cursor) {
    case ToolCursor::kArrow: return Qt::ArrowCursor;
    case ToolCursor::kCross:
    case ToolCursor::kSelectRectangle:
    case ToolCursor::kSelectEllipse:  // these two get drawn cursors of their own
    case ToolCursor::kSelectFree: return Qt::CrossCursor;
    case ToolCursor::kPen:
    case ToolCursor::kFill:
    case ToolCursor::kPicker: return Qt::PointingHandCursor;
    case ToolCursor::kText: return Qt::IBeamCursor;
    case ToolCursor::kMove: return Qt::SizeAllCursor;
  }
  return Qt::ArrowCursor;
}

// A cross hair with a small ellipse or polygon beside it, so that the pointer
// tells which shape the selection tool draws.
QCursor SelectionShapeCursor(bool ellipse) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  for (int pass = 0; pass < 2; ++pass) {
    painter.setPen(QPen(pass == 0 ? Qt::white : Qt::black, pass == 0 ? 3 : 1));
    painter.drawLine(8, 0, 8, 16);
    painter.drawLine(0, 8, 16, 8);
    if (ellipse) {
      painter.drawEllipse(QRect(15, 18, 14, 10));
    } else {
      painter.drawPolyline(QPolygon({QPoint(15, 28), QPoint(19, 17), QPoint(29, 21),
                                     QPoint(24, 29), QPoint(15, 28)}));
    }
  }
  return QCursor(pixmap, 8, 8);
}

uint32_t KeyFlags(const QMouseEvent* event) {
  uint32_t keys = 0;
  Qt::MouseButtons buttons = event->buttons();
  if (buttons & Qt::LeftButton) keys |= kMouseKeyLeft;
  if (buttons & Qt::RightButton) keys |= kMouseKeyRight;
  if (buttons & Qt::MiddleButton) keys |= kMouseKeyMiddle;
  if (event->modifiers() & Qt::ShiftModifier) keys |= kMouseKeyShift;
  if (event->modifiers() & Qt::ControlModifier) keys |= kMouseKeyControl;
  return keys;
}

}  // namespace

CTessel20View::CTessel20View(QWidget* parent) : QAbstractScrollArea(parent) {
  tile_ = MakeBackgroundTile();
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setMouseTracking(true);
  // Every pixel is painted by Render; Qt need not clear first.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  beep_ = [] { QApplication::beep(); };
  // The selection's dashes move along the outline ("marching ants").
  antsTimer_.setInterval(kAntsInterval);
  connect(&antsTimer_, &QTimer::timeout, this, &CTessel20View::MarchAnts);
  antsTimer_.start();
}

void CTessel20View::SetSource(ViewSource* source) {
  source_ = source;
  UpdateView();
}

void CTessel20View::SetStandardInterface(bool standard) {
  standardInterface_ = standard;
  viewport()->update();
}

void CTessel20View::SetBackgroundTile(const QImage& tile) {
  tile_ = tile;
  viewport()->update();
}

void CTessel20View::SetEmptyHint(const QString& hint) {
  emptyHint_ = hint;
  viewport()->update();
}

ViewMapping CTessel20View::Mapping() const {
  return state_.Mapping(PictureSize().height);
}

ImageSize CTessel20View::PictureSize() const {
  return source_ != nullptr ? source_->CurrentImageSize() : ImageSize{};
}

ViewportMetrics CTessel20View::Metrics() const {
  QMargins margins = viewportMargins();
  QSize client = contentsRect().size().shrunkBy(margins);
  return {{client.width(), client.height()},
          verticalScrollBar()->sizeHint().width(),
          horizontalScrollBar()->sizeHint().height()};
}

void CTessel20View::ApplyLayout() {
  if (inLayout_) return;
  inLayout_ = true;
  const ScrollLayout& layout = state_.Layout();
  setHorizontalScrollBarPolicy(layout.horizontalBar ? Qt::ScrollBarAlwaysOn
                                                    : Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(layout.verticalBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setRange(0, layout.limit.x);
  horizontal->setPageStep(std::max(layout.client.width, 1));
  horizontal->setSingleStep(std::max(layout.client.width / 20, 1));
  horizontal->setValue(std::max(layout.position.x, 0));
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, layout.limit.y);
  vertical->setPageStep(std::max(layout.client.height, 1));
  vertical->setSingleStep(std::max(layout.client.height / 20, 1));
  vertical->setValue(std::max(layout.position.y, 0));
  inLayout_ = false;
  viewport()->update();
}

void CTessel20View::UpdateView() {
  outlineValid_ = false;
  state_.SetScrollSizes(PictureSize(), Metrics());
  ApplyLayout();
}

void CTessel20View::AfterZoom(ZoomOutcome outcome) {
  if (outcome == ZoomOutcome::kRefused) {
    if (beep_) beep_();
    return;
  }
  if (outcome != ZoomOutcome::kChanged) return;
  ApplyLayout();
  NotifyMoved();
}

void CTessel20View::ZoomIn() { AfterZoom(state_.ZoomIn(PictureSize(), Metrics())); }
void CTessel20View::ZoomOut() { AfterZoom(state_.ZoomOut(PictureSize(), Metrics())); }

void CTessel20View::ZoomInAt(const QPoint& pointer) {
  AfterZoom(state_.ZoomIn(PictureSize(), Metrics(), Point{pointer.x(), pointer.y()}));
}

void CTessel20View::ZoomOutAt(const QPoint& pointer) {
  AfterZoom(state_.ZoomOut(PictureSize(), Metrics(), Point{pointer.x(), pointer.y()}));
}

void CTessel20View::ActualSize() { AfterZoom(state_.ActualSize(PictureSize(), Metrics())); }
void CTessel20View::FitToWindow() { AfterZoom(state_.FitToWindow(PictureSize(), Metrics())); }

void CTessel20View::ScrollTo(Point position) {
  Point before = state_.ScrollPosition();
  if (!state_.ScrollTo(position)) return;
  Point after = state_.ScrollPosition();
  inLayout_ = true;
  horizontalScrollBar()->setValue(std::max(after.x, 0));
  verticalScrollBar()->setValue(std::max(after.y, 0));
  inLayout_ = false;
  // Only the uncovered strip is repainted.
  viewport()->scroll(before.x - after.x, before.y - after.y);
  NotifyMoved();
}

void CTessel20View::scrollContentsBy(int, int) {
  if (inLayout_) return;
  ScrollTo({horizontalScrollBar()->value(), verticalScrollBar()->value()});
}

void CTessel20View::NotifyMoved() {
  if (source_ != nullptr) source_->VisiblePartMoved();
  emit visiblePartMoved();
}

void CTessel20View::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (inLayout_ || Frozen()) return;
  state_.SetScrollSizes(PictureSize(), Metrics());
  ApplyLayout();
}

const std::vector<OutlineSegment>& CTessel20View::Outline(const ImageBuffer& image) {
  const Region* selection = source_ != nullptr ? source_->Selection() : nullptr;
  ImageSize size{image.Width(), image.Height()};
  if (!outlineValid_ || selection != outlineRegion_ || !(size == outlineSize_)) {
    outline_.clear();
    if (selection != nullptr) outline_ = RegionOutline(*selection, size.width, size.height);
    outlineRegion_ = selection;
    outlineSize_ = size;
    outlineValid_ = true;
  }
  return outline_;
}

void CTessel20View::Render(QPainter& painter, const QRect& area) {
  const ImageBuffer* image = source_ != nullptr ? source_->DisplayedImage() : nullptr;
  Point scroll = state_.ScrollPosition();
  // The picture's area is never erased, so it cannot flicker.
  QRegion background(area);
  if (image != nullptr) {
    background -= PictureWindowRect({image->Width(), image->Height()}, state_.Zoom(), scroll);
  }
  if (!background.isEmpty()) {
    painter.save();
    painter.setClipRegion(background);
    if (standardInterface_ || tile_.isNull()) {
      painter.fillRect(area, palette().color(QPalette::Button));
    } else {
      DrawBackgroundTiles(painter, area, tile_, scroll);
    }
    painter.restore();
  }
  if (image == nullptr) {
    if (!emptyHint_.isEmpty()) DrawEmptyHint(painter);
    return;
  }
  DrawImageBuffer(painter, *image, state_.Zoom(), scroll, area, preview_ ? &*preview_ : nullptr,
                  source_->InkValue());
  if (source_->Selection() != nullptr) {
    DrawSelectionOutline(painter, Outline(*image), state_.Mapping(image->Height()), area,
                         antsPhase_, source_->Selection()->IsInverted());
  }
  if (const RubberBand* band = source_->SelectionFeedback()) DrawRubberBand(painter, *band);
  if (const RubberBand* band = source_->DrawingFeedback()) DrawRubberBand(painter, *band);
  BoxRect textBox;
  if (const ImageBuffer* mask = source_->PlacedText(textBox)) {
    WindowRect r = state_.Mapping(image->Height())
                       .ImageToWindow(ImageRect{textBox.x, textBox.y, textBox.x + textBox.width,
                                                textBox.y + textBox.height});
    DrawTextPreview(painter, *mask, QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)));
  }
}

void CTessel20View::SelectionChanged() {
  outlineValid_ = false;
  viewport()->update();
}

void CTessel20View::MarchAnts() {
  const Region* selection = source_ != nullptr ? source_->Selection() : nullptr;
  if (Frozen() || selection == nullptr) return;
  antsPhase_ = (antsPhase_ + 1) % kAntsPeriod;
  // Only the outline's box is repainted: the rest of a large picture stays.
  ImageSize picture = PictureSize();
  BoxRect box{0, 0, picture.width, picture.height};
  if (!selection->IsInverted()) box = Intersect(selection->Bounds(), box);
  if (box.IsEmpty()) return;
  WindowRect r = Mapping().ImageToWindow(
      ImageRect{box.x, box.y, box.x + box.width, box.y + box.height});
  viewport()->update(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)).adjusted(-2, -2, 2, 2));
}

void CTessel20View::DrawEmptyHint(QPainter& painter) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  QFont font = this->font();
  if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * 1.4);
  painter.setFont(font);
  QRect client = viewport()->rect();
  QRect text = painter.fontMetrics()
                   .boundingRect(client.adjusted(24, 0, -24, 0),
                                 Qt::AlignCenter | Qt::TextWordWrap, emptyHint_);
  if (!standardInterface_) {
    // A plate of the window colour keeps the text legible on the texture.
    QColor plate = palette().color(QPalette::Base);
    plate.setAlpha(215);
    painter.setPen(Qt::NoPen);
    painter.setBrush(plate);
    painter.drawRoundedRect(text.adjusted(-18, -10, 18, 10), 8, 8);
  }
  painter.setPen(palette().color(QPalette::Text));
  painter.drawText(text, Qt::AlignCenter | Qt::TextWordWrap, emptyHint_);
  painter.restore();
}

void CTessel20View::SetFrozen(bool frozen) {
  if (!frozen) {
    frozen_ = QImage();
    UpdateView();
    return;
  }
  frozen_ = QImage(viewport()->size(), QImage::Format_RGB32);
  if (frozen_.isNull()) return;
  QPainter painter(&frozen_);
  Render(painter, frozen_.rect());
}

void CTessel20View::SetPreviewTables(const PreviewTables* tables) {
  if (tables != nullptr) {
    preview_ = *tables;
  } else {
    preview_.reset();
  }
  viewport()->update();
}

void CTessel20View::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  if (!frozen_.isNull()) {
    painter.fillRect(event->rect(), palette().color(QPalette::Button));
    painter.drawImage(event->rect().topLeft(), frozen_, event->rect());
    return;
  }
  Render(painter, event->rect());
}

MouseInput CTessel20View::InputFrom(const QMouseEvent* event) const {
  QPoint at = event->position().toPoint();
  Point window{at.x(), at.y()};
  return {Mapping().WindowToImage(window), window, KeyFlags(event)};
}

void CTessel20View::UpdateCursor(const MouseInput& input) {
  ToolCursor cursor = ToolCursor::kArrow;
  MouseTool* tool = source_ != nullptr ? source_->CurrentTool() : nullptr;
  if ((tool != nullptr && tool->SetCursor(input, cursor)) ||
      (source_ != nullptr && source_->SelectionCursor(cursor))) {
    if (cursor == ToolCursor::kSelectEllipse || cursor == ToolCursor::kSelectFree) {
      viewport()->setCursor(SelectionShapeCursor(cursor == ToolCursor::kSelectEllipse));
      return;
    }
    viewport()->setCursor(ShapeOf(cursor));
  } else {
    viewport()->unsetCursor();
  }
}

void CTessel20View::mousePressEvent(QMouseEvent* event) {
  if (source_ == nullptr) return QAbstractScrollArea::mousePressEvent(event);
  MouseInput input = InputFrom(event);
  if (event->button() == Qt::RightButton) {
    emit contextMenuRequested(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  if (dispatch_.LeftDown(*source_, input)) return;
  if (!Frozen()) emit pictureClicked(input.image);
  QAbstractScrollArea::mousePressEvent(event);
}

void CTessel20View::mouseReleaseEvent(QMouseEvent* event) {
  if (source_ == nullptr) return QAbstractScrollArea::mouseReleaseEvent(event);
  MouseInput input = InputFrom(event);
  MouseTool* tool = source_->CurrentTool();
  if (event->button() == Qt::RightButton) {
    if (tool == nullptr || !tool->RightUp(input)) QAbstractScrollArea::mouseReleaseEvent(event);
    return;
  }
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseReleaseEvent(event);
  if (!dispatch_.LeftUp(*source_, input)) QAbstractScrollArea::mouseReleaseEvent(event);
}

void CTessel20View::mouseMoveEvent(QMouseEvent* event) {
  if (source_ == nullptr) return QAbstractScrollArea::mouseMoveEvent(event);
  MouseInput input = InputFrom(event);
  UpdateCursor(input);
  if (!dispatch_.Move(*source_, input)) QAbstractScrollArea::mouseMoveEvent(event);
}

void CTessel20View::mouseDoubleClickEvent(QMouseEvent* event) {
  if (source_ == nullptr || event->button() != Qt::LeftButton) {
    return QAbstractScrollArea::mouseDoubleClickEvent(event);
  }
  if (!dispatch_.DoubleClick(*source_, InputFrom(event))) {
    QAbstractScrollArea::mouseDoubleClickEvent(event);
  }
}

void CTessel20View::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) return QAbstractScrollArea::wheelEvent(event);
  event->accept();
  if (Frozen() || PictureSize().IsEmpty()) return;
  wheelAngle_ += event->angleDelta().y();
  int notches = wheelAngle_ / QWheelEvent::DefaultDeltasPerStep;
  if (notches == 0) return;
  wheelAngle_ -= notches * QWheelEvent::DefaultDeltasPerStep;
  QPoint pointer = event->position().toPoint();
  // Before the zoom: the bars it brings resize the viewport, which must not refit.
  emit wheelZooming();
  for (int i = 0; i < std::abs(notches); ++i) {
    if (notches > 0) {
      ZoomInAt(pointer);
    } else {
      ZoomOutAt(pointer);
    }
  }
}

}  // namespace tintara
