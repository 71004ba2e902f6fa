// The owner-drawn buttons of the graphical interface. Each shows the
// pictogram of its command in one of four looks (disabled, normal, hot,
// pressed) with the command's caption under it in a small face; the panel
// behind paints the background first.
#pragma once

#include <QAbstractButton>
#include <QPointer>

#include "app/icon_glyphs.h"

class QAction;

namespace tintara {

enum class ButtonFrame { kDisabled = 0, kNormal = 1, kHot = 2, kPressed = 3 };

// A button bound to a command's action: a click triggers the action, and the
// action's enabled state is the button's.
class CMyButton : public QAbstractButton {
  Q_OBJECT

 public:
  CMyButton(QAction* action, const QString& caption, int iconSide, QWidget* parent = nullptr);

  QAction* Action() const { return action_; }
  QString Caption() const { return text(); }
  ButtonFrame Frame() const;
  // The stage button of the current stage stays marked.
  void SetCurrent(bool current);
  bool IsCurrent() const { return current_; }
  // On the dark task bar each pictogram sits on a light tile.
  void SetOnDark(bool onDark);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  virtual bool IsHot() const { return false; }
  int IconSide() const { return iconSide_; }

 private:
  void FollowAction();
  void PaintPlate(QPainter& painter, ButtonFrame frame);
  void PaintTile(QPainter& painter, ButtonFrame frame, const QRect& icon);

  QPointer<QAction> action_;
  Glyph glyph_;
  int iconSide_;
  bool current_ = false;
  bool onDark_ = false;
};

// A button that lights up while the pointer is over it.
class CMyAnimButton : public CMyButton {
  Q_OBJECT

 public:
  using CMyButton::CMyButton;

 protected:
  bool IsHot() const override { return hot_ && isEnabled(); }
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool hot_ = false;
};

// The small square buttons without caption (undo, zoom, options).
class CMyToolButton : public CMyAnimButton {
  Q_OBJECT

 public:
  CMyToolButton(QAction* action, QWidget* parent = nullptr);
  QSize sizeHint() const override;
};

}  // namespace tintara
