#include "app/floating_window_place.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace tintara {

namespace {

constexpr int kMargin = 8;

// The outer size of a window not yet shown: its frame is not known before the
// window manager adds it, so a title bar's height is allowed for.
QSize FrameSizeOf(QWidget& window) {
  if (window.isVisible()) return window.frameGeometry().size();
  // Polishing may change the fonts: the size shown is the one after it.
  window.ensurePolished();
  if (QLayout* layout = window.layout()) layout->activate();
  const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
  return window.size() + QSize(0, titleBar);
}

// The other floating windows of the same main window, as they lie now.
std::vector<QRect> TakenBy(const QWidget& window, const QWidget& canvas) {
  std::vector<QRect> taken;
  const QWidget* mainWindow = canvas.window();
  for (const QWidget* other : mainWindow->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (other == &window || !other->isVisible() || other->windowType() != Qt::Tool) continue;
    taken.push_back(other->frameGeometry());
  }
  return taken;
}

QRect CanvasOnScreen(const QWidget& canvas) {
  return QRect(canvas.mapToGlobal(QPoint(0, 0)), canvas.size());
}

}  // namespace

QPoint FirstFloatingPlace(const QRect& canvas, QSize frame, const std::vector<QRect>& taken,
                          const QRect& available) {
  const QRect bounds = canvas.intersected(available).isEmpty() ? available
                                                                 : canvas.intersected(available);
  const int top = bounds.top() + kMargin;
  QRect spot(QPoint(bounds.right() + 1 - kMargin - frame.width(), top), frame);
  // Each step passes one window or starts a column: the loop ends.
  for (size_t step = 0; step <= 2 * taken.size(); ++step) {
    auto covered = std::find_if(taken.begin(), taken.end(),
                                [&spot](const QRect& other) { return other.intersects(spot); });
    if (covered == taken.end()) break;
    spot.moveTop(covered->bottom() + 1 + kMargin);
    if (spot.bottom() > bounds.bottom() && spot.top() != top) {
      spot.moveTopLeft(QPoint(spot.left() - frame.width() - kMargin, top));
    }
  }
  // A window larger than the room left stays whole on the screen.
  spot.moveLeft(std::clamp(spot.left(), available.left(),
                           std::max(available.left(), available.right() + 1 - frame.width())));
  spot.moveTop(std::clamp(spot.top(), available.top(),
                          std::max(available.top(), available.bottom() + 1 - frame.height())));
  return spot.topLeft();
}

std::optional<QPoint> StoredFloatingPlace(QPoint stored, QSize frame,
                                          const std::vector<QRect>& screens) {
  const QRect wanted(stored, frame);
  const QRect* best = nullptr;
  long long bestArea = 0;
  for (const QRect& screen : screens) {
    const QRect shared = screen.intersected(wanted);
    const long long area = shared.isEmpty() ? 0 : 1LL * shared.width() * shared.height();
    if (area > bestArea) {
      best = &screen;
      bestArea = area;
    }
  }
  if (best == nullptr) return std::nullopt;
  const int x = std::clamp(stored.x(), best->left(),
                           std::max(best->left(), best->right() + 1 - frame.width()));
  const int y = std::clamp(stored.y(), best->top(),
                           std::max(best->top(), best->bottom() + 1 - frame.height()));
  return QPoint(x, y);
}

namespace {

std::vector<QRect> AvailableScreens() {
  std::vector<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    screens.push_back(screen->availableGeometry());
  }
  return screens;
}

QPoint PlaceFor(QWidget& window, const QWidget& canvas, std::optional<QPoint> stored) {
  const QSize frame = FrameSizeOf(window);
  if (stored) {
    if (std::optional<QPoint> kept = StoredFloatingPlace(*stored, frame, AvailableScreens())) {
      return *kept;
    }
  }
  const QRect onScreen = CanvasOnScreen(canvas);
  const QScreen* screen = QGuiApplication::screenAt(onScreen.center());
  if (screen == nullptr) screen = canvas.screen();
  const QRect available = screen != nullptr ? screen->availableGeometry() : onScreen;
  return FirstFloatingPlace(onScreen, frame, TakenBy(window, canvas), available);
}

}  // namespace

void ShowFloatingWindow(QWidget& window, const QWidget& canvas, std::optional<QPoint> stored) {
  window.move(PlaceFor(window, canvas, stored));
  window.show();
  // Only a shown window knows its frame: what the estimate missed is made good.
  const QRect frame = window.frameGeometry();
  if (std::optional<QPoint> inside =
          StoredFloatingPlace(frame.topLeft(), frame.size(), AvailableScreens())) {
    if (*inside != frame.topLeft()) window.move(window.pos() + (*inside - frame.topLeft()));
  }
}

}  // namespace tintara
