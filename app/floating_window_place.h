// Where the floating windows of the main window (navigator, colour palette,
// "Select Region") open: where the user left them when that is still on a
// screen, otherwise beside the canvas's right edge, below the ones already open.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

class QWidget;

namespace tintara {

// Top-left corner for a window whose frame is `frame` big, first opened:
// against the right side of `canvas`, below every rectangle of `taken` it
// would cover, and kept within `available`. A full column starts another to
// its left. All in global coordinates.
QPoint FirstFloatingPlace(const QRect& canvas, QSize frame, const std::vector<QRect>& taken,
                          const QRect& available);

// `stored` when a window of `frame` size placed there lies wholly within one
// of `screens` (available geometries); moved onto the screen it touches most
// when it hangs off it; nothing when it touches none.
std::optional<QPoint> StoredFloatingPlace(QPoint stored, QSize frame,
                                          const std::vector<QRect>& screens);

// Shows `window`, a tool window of the main window, in its place: `stored`
// is the position kept from the last time, if any, `canvas` the view it
// stands beside otherwise.
void ShowFloatingWindow(QWidget& window, const QWidget& canvas, std::optional<QPoint> stored);

}  // namespace tintara
