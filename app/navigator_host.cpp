#include "app/navigator_host.h"

#include <QEvent>

#include "app/floating_window_place.h"
#include "document/tessel_doc.h"
#include "storage/settings_keys.h"
#include "view/widgets/tessel20_view.h"

namespace tintara {

NavigatorHost::NavigatorHost(CTessel20Doc& doc, SettingsStore& settings, CTessel20View& view,
                             QWidget* owner)
    : doc_(doc), settings_(settings), view_(view), owner_(owner) {
  connect(&view_, &CTessel20View::visiblePartMoved, this, &NavigatorHost::RedrawFrame);
  view_.viewport()->installEventFilter(this);
}

NavigatorHost::~NavigatorHost() {
  // The position is kept however the window goes away.
  if (window_) window_->close();
}

void NavigatorHost::Show(bool on) {
  if (on && !window_) Open();
  if (!on && window_) window_->close();
}

void NavigatorHost::Open() {
  window_ = new NavigatorWindow(
      [this]() -> std::optional<const ImageBuffer*> {
        if (view_.Frozen()) return std::nullopt;
        return NavigatorImage(doc_);
      },
      [this](const LtrbRect& picture) { return FrameFor(picture); }, owner_,
      [this] { return NavigatorInk(doc_); });
  window_->setAttribute(Qt::WA_DeleteOnClose);
  connect(window_, &NavigatorWindow::closing, this, &NavigatorHost::Closing);
  connect(window_->Control(), &NavigatorThumbnailControl::frameDropped, this,
          &NavigatorHost::ScrollToFrame);
  std::optional<QPoint> stored;
  if (HasSetting(settings_, Setting::kNavigatorPosX)) {
    stored = QPoint(ReadSetting(settings_, Setting::kNavigatorPosX),
                    ReadSetting(settings_, Setting::kNavigatorPosY));
  }
  ShowFloatingWindow(*window_, *view_.viewport(), stored);
  window_->Control()->Refresh();
  emit shownChanged();
}

void NavigatorHost::Refresh() {
  if (window_) window_->Control()->Refresh();
}

void NavigatorHost::RedrawFrame() {
  if (window_) window_->Control()->RedrawFrame();
}

void NavigatorHost::Closing(QPoint topLeft) {
  WriteSetting(settings_, Setting::kNavigatorPosX, topLeft.x());
  WriteSetting(settings_, Setting::kNavigatorPosY, topLeft.y());
  doc_.navigatorWindowShown = false;
  // The window deletes itself later; from now on it is gone.
  window_ = nullptr;
  emit shownChanged();
}

LtrbRect NavigatorHost::FrameFor(const LtrbRect& thumbnailPicture) const {
  // While long work changes the document the frame stays where it is.
  if (view_.Frozen()) return window_ ? window_->Control()->Frame() : LtrbRect{};
  const ImageBuffer* image = NavigatorImage(doc_);
  if (image == nullptr) return {};
  WindowRect p = view_.Mapping().ImageToWindow(ImageRect{0, 0, image->Width(), image->Height()});
  if (p.top > p.bottom) std::swap(p.top, p.bottom);
  if (p.left > p.right) std::swap(p.left, p.right);
  const QSize client = view_.viewport()->size();
  return FrameFromView(thumbnailPicture, LtrbRect{0, 0, client.width(), client.height()}, p);
}

void NavigatorHost::ScrollToFrame(const LtrbRect& frame, const LtrbRect& thumbnailPicture) {
  // Only the axes with a scroll bar move; the view clamps and keeps the others.
  view_.ScrollTo(ScrollFromFrame(frame, thumbnailPicture, view_.State().Layout().content));
  RedrawFrame();
}

bool NavigatorHost::eventFilter(QObject* target, QEvent* event) {
  // The view lays itself out for the new size first.
  if (event->type() == QEvent::Resize && target == view_.viewport()) {
    QMetaObject::invokeMethod(this, &NavigatorHost::RedrawFrame, Qt::QueuedConnection);
  }
  return QObject::eventFilter(target, event);
}

}  // namespace tintara
