#include "app/panel_buttons.h"

#include <QAction>
#include <QMouseEvent>
#include <QPainter>

#include "app/command_catalog.h"
#include "app/command_icons.h"
#include "app/panel_style.h"

namespace tintara {

CMyButton::CMyButton(QAction* action, const QString& caption, int iconSide, QWidget* parent)
    : QAbstractButton(parent),
      action_(action),
      glyph_(GlyphOf(action->data().toInt())),
      iconSide_(iconSide) {
  setText(caption);
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_Hover);
  connect(this, &QAbstractButton::clicked, action, &QAction::trigger);
  connect(action, &QAction::changed, this, &CMyButton::FollowAction);
  FollowAction();
}

void CMyButton::FollowAction() {
  if (!action_) return;
  setEnabled(action_->isEnabled());
  setToolTip(action_->toolTip());
  setStatusTip(action_->statusTip());
  update();
}

void CMyButton::SetCurrent(bool current) {
  if (current_ == current) return;
  current_ = current;
  update();
}

void CMyButton::SetOnDark(bool onDark) {
  onDark_ = onDark;
  update();
}

ButtonFrame CMyButton::Frame() const {
  if (!isEnabled()) return ButtonFrame::kDisabled;
  if (isDown()) return ButtonFrame::kPressed;
  if (IsHot()) return ButtonFrame::kHot;
  return ButtonFrame::kNormal;
}

QSize CMyButton::sizeHint() const {
  QFontMetrics metrics(PanelCaptionFont());
  int width = qMax(iconSide_ + 24, metrics.horizontalAdvance(text()) + 14);
  return {width, iconSide_ + metrics.height() + 16};
}

void CMyButton::PaintPlate(QPainter& painter, ButtonFrame frame) {
  QRectF plate = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  const PanelColors& colors = Panel();
  QColor fill;
  QColor edge;
  if (frame == ButtonFrame::kPressed) {
    fill = colors.pressed;
    edge = colors.accent;
  } else if (current_) {
    fill = colors.current;
    edge = colors.accent;
  } else if (frame == ButtonFrame::kHot) {
    fill = colors.hot;
    edge = colors.hotEdge;
  } else {
    return;
  }
  painter.setPen(QPen(edge, 1.2));
  painter.setBrush(fill);
  painter.drawRoundedRect(plate, 6, 6);
}

void CMyButton::PaintTile(QPainter& painter, ButtonFrame frame, const QRect& icon) {
  const PanelColors& colors = Panel();
  QRectF tile = QRectF(icon).adjusted(-7, -7, 7, 7);
  QColor fill = colors.paperTop;
  if (frame == ButtonFrame::kDisabled) fill = QColor(150, 156, 166);
  if (frame == ButtonFrame::kPressed) fill = colors.pressed;
  painter.setPen(current_ ? QPen(colors.accent, 3) : QPen(Qt::NoPen));
  if (frame == ButtonFrame::kHot && !current_) painter.setPen(QPen(colors.hotEdge, 2));
  painter.setBrush(fill);
  painter.drawRoundedRect(tile, 9, 9);
}

void CMyButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  ButtonFrame frame = Frame();
  if (!onDark_) PaintPlate(painter, frame);
  QFontMetrics metrics(PanelCaptionFont());
  bool captioned = !text().isEmpty();
  int captionHeight = captioned ? metrics.height() : 0;
  int gap = captioned ? (onDark_ ? 11 : 3) : 0;
  int top = (height() - iconSide_ - captionHeight - gap) / 2;
  if (frame == ButtonFrame::kPressed) ++top;
  QRect icon((width() - iconSide_) / 2, top, iconSide_, iconSide_);
  if (onDark_) PaintTile(painter, frame, icon);
  QPixmap pixmap = GlyphPixmap(glyph_, iconSide_, devicePixelRatioF(),
                               frame == ButtonFrame::kDisabled);
  painter.drawPixmap(icon.topLeft(), pixmap);
  if (!captioned) return;
  QFont font = PanelCaptionFont();
  font.setBold(onDark_ && current_);
  painter.setFont(font);
  const PanelColors& colors = Panel();
  if (onDark_) {
    painter.setPen(frame == ButtonFrame::kDisabled ? QColor(130, 138, 150)
                   : current_                     ? QColor(255, 214, 170)
                                                  : QColor(236, 232, 224));
  } else {
    painter.setPen(frame == ButtonFrame::kDisabled ? colors.disabledText : colors.text);
  }
  QRect caption(1, top + iconSide_ + gap, width() - 2, captionHeight);
  painter.drawText(caption, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                   metrics.elidedText(text(), Qt::ElideRight, width() - 2));
}

void CMyAnimButton::enterEvent(QEnterEvent* event) {
  hot_ = true;
  update();
  CMyButton::enterEvent(event);
}

void CMyAnimButton::leaveEvent(QEvent* event) {
  hot_ = false;
  update();
  CMyButton::leaveEvent(event);
}

void CMyAnimButton::mouseReleaseEvent(QMouseEvent* event) {
  // The command may move the panel under the pointer; the next enter lights it again.
  hot_ = false;
  CMyButton::mouseReleaseEvent(event);
}

CMyToolButton::CMyToolButton(QAction* action, QWidget* parent)
    : CMyAnimButton(action, QString(), 20, parent) {}

QSize CMyToolButton::sizeHint() const { return {IconSide() + 12, IconSide() + 12}; }

}  // namespace tintara
