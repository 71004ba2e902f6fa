// What the view tells the user besides the picture: the hint on the empty
// canvas, the paint of a clicked area in the status bar's first pane, and the
// end of the fitted state once the wheel has zoomed.
#include <QAction>
#include <QKeySequence>

#include "app/command_actions.h"
#include "app/frame_status_bar.h"
#include "app/main_frame.h"
#include "app/tessel20_app.h"
#include "document/area_paint.h"
#include "document/tessel_doc.h"
#include "view/widgets/tessel20_view.h"

namespace tintara {

namespace {

// The hint names the key of the "Load picture" action itself, so they agree.
QString EmptyCanvasHint(const QAction* load) {
  QString key = load != nullptr ? load->shortcut().toString(QKeySequence::NativeText) : QString();
  return key.isEmpty() ? QStringLiteral("Open a picture or drop one here")
                       : QStringLiteral("Open a picture (%1) or drop one here").arg(key);
}

}  // namespace

void CTessel20App::ConnectViewFeedback() {
  CTessel20View* view = frame_->View();
  view->SetEmptyHint(EmptyCanvasHint(frame_->Actions().Action(cmd::kLoadPicture)));
  connect(view, &CTessel20View::wheelZooming, this, [this] { fitted_ = false; });
  connect(view, &CTessel20View::pictureClicked, this, &CTessel20App::ShowPaintAt);
}

void CTessel20App::ShowPaintAt(const Point& image) {
  if (frame_->Busy()) return;
  CFrameStatusBar* status = frame_->Status();
  // The view gives the upper edge of the pixel row under the pointer.
  std::optional<AreaPaint> paint = PaintAt(*doc_, image.x, image.y - 1);
  if (!paint) {
    ForgetPaintMessage();
    return;
  }
  paintMessage_ = QString::fromStdString(AreaPaintText(*paint));
  status->showMessage(paintMessage_);
}

void CTessel20App::ForgetPaintMessage() {
  // Only the paint's own text: another message (auto-save) stays.
  CFrameStatusBar* status = frame_->Status();
  if (!paintMessage_.isEmpty() && status->currentMessage() == paintMessage_) {
    status->clearMessage();
  }
  paintMessage_.clear();
}

}  // namespace tintara
