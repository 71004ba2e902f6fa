// The drawing commands in the program: the tools draw through the pattern
// view, the pop-up menus open at the pointer, the pen and shape tools close
// the "Select Region" window, and an inserted picture comes from the picture
// file chooser with Ctrl read as the command starts and as the chooser closes.
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QWidget>

#include "app/command_catalog.h"
#include "app/main_frame.h"
#include "app/qt_image_files.h"
#include "app/selection_window_host.h"
#include "editing/widgets/select_region_window.h"
#include "app/tessel20_app.h"
#include "document/command_ids.h"
#include "document/tessel_doc.h"
#include "editing/drawing_commands.h"
#include "editing/drawing_tool.h"
#include "editing/pattern_edits.h"
#include "view/drawing_input.h"
#include "view/widgets/tessel20_view.h"

namespace tintara {

namespace {

bool ControlHeld() {
  return (QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier) != 0;
}

}  // namespace

void CTessel20App::AttachDrawingTool() {
  CTessel20View* view = frame_->View();
  MappedDrawingHost::Notices notices;
  notices.repaintWindow = [view](const LtrbRect& r) {
    view->viewport()->update(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)));
  };
  notices.feedbackChanged = [view] { view->viewport()->update(); };
  notices.toolChanged = [this] { AfterCommand(); };
  drawingHost_ = std::make_unique<MappedDrawingHost>([view] { return view->Mapping(); },
                                                     std::move(notices));
  drawing_ = std::make_unique<DrawingTool>(*doc_);
  drawing_->Attach(drawingHost_.get());
}

void CTessel20App::RegisterDrawingCommands() {
  tintara::RegisterDrawingCommands(
      table_, *doc_, selection_->Tool(), [this](bool& keepProportions) {
        keepProportions = ControlHeld();
        std::optional<OpenedPicture> opened = OpenPictureWithDialog(*imageFiles_, host_);
        if (!opened) return ImageRef();
        keepProportions = keepProportions || ControlHeld();
        return opened->image;
      });
  // The pen and shape tools take the mouse from the selection window.
  for (CommandId id : {cmd::kPenTool, cmd::kLineTool, cmd::kRectangleTool, cmd::kEllipseTool}) {
    const Command* tool = table_.Find(id);
    table_.Add({id, tool->text,
                [this, run = tool->run] {
                  run();
                  if (SelectRegionWindow* window = selection_->Window()) window->close();
                },
                tool->enabled, tool->checked});
  }
  auto allowed = [this] { return DrawingAllowed(*doc_); };
  struct Popup {
    CommandId id;
    const char* text;
    Place place;
    bool always;
  };
  for (const Popup& popup :
       {Popup{cmd::kPenSizeMenu, "Selects size of drawing tool", Place::kPenSizeMenu, true},
        Popup{cmd::kPenShapeMenu, "Selects shape of drawing tool", Place::kPenShapeMenu, true},
        Popup{cmd::kDrawMenu, "Draw over pattern", Place::kDrawMenu, false},
        Popup{cmd::kFillMenu, "Fill selected area", Place::kFillMenu, false}}) {
    const Place place = popup.place;
    table_.Add({popup.id, popup.text,
                [this, place] { frame_->PopupDrawingMenu(place, QCursor::pos()); },
                popup.always ? std::function<bool()>() : allowed, {}});
  }
}

}  // namespace tintara
