// Keeps the floating navigator for the document: opens it where it was last
// closed, renders it again after every change of the picture, moves its
// frame with the view and scrolls the view to a dragged frame.
#pragma once

#include <QObject>
#include <QPointer>

#include "view/widgets/navigator_window.h"

class QWidget;

namespace tintara {

class CTessel20Doc;
class CTessel20View;
class SettingsStore;

class NavigatorHost : public QObject {
  Q_OBJECT

 public:
  NavigatorHost(CTessel20Doc& doc, SettingsStore& settings, CTessel20View& view, QWidget* owner);
  ~NavigatorHost() override;

  void Show(bool on);
  void Refresh();
  void RedrawFrame();
  NavigatorWindow* Window() const { return window_; }

 signals:
  // The window opened or closed.
  void shownChanged();

 private:
  void Open();
  void Closing(QPoint topLeft);
  LtrbRect FrameFor(const LtrbRect& thumbnailPicture) const;
  void ScrollToFrame(const LtrbRect& frame, const LtrbRect& thumbnailPicture);
  bool eventFilter(QObject* target, QEvent* event) override;

  CTessel20Doc& doc_;
  SettingsStore& settings_;
  CTessel20View& view_;
  QPointer<QWidget> owner_;
  QPointer<NavigatorWindow> window_;
};

}  // namespace tintara
