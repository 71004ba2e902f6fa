#include "app/selection_window_host.h"

#include "app/floating_window_place.h"
#include "editing/widgets/select_region_window.h"
#include "storage/app_settings.h"
#include "storage/settings_keys.h"
#include "view/widgets/tessel20_view.h"

namespace tintara {

SelectionWindowHost::SelectionWindowHost(CTessel20Doc& doc, AppSettings& app,
                                         SettingsStore& settings, CTessel20View* view,
                                         QWidget* owner)
    : tool_(doc, params_),
      viewHost_([view] { return view->Mapping(); },
                [this, view] {
                  view->SelectionChanged();
                  emit selectionChanged();
                },
                [view] { view->viewport()->update(); }),
      app_(app),
      settings_(settings),
      owner_(owner),
      canvas_(view->viewport()) {
  tool_.Attach(&viewHost_);
}

SelectionWindowHost::~SelectionWindowHost() {
  // The position is kept however the window goes away.
  if (window_) window_->close();
}

void SelectionWindowHost::Open() {
  if (!window_) {
    window_ = new SelectRegionWindow(params_, owner_);
    window_->setAttribute(Qt::WA_DeleteOnClose);
    connect(window_, &SelectRegionWindow::removeRequested, this,
            [this] { tool_.RunPendingAction(); });
    connect(window_, &SelectRegionWindow::closing, this, &SelectionWindowHost::Closing);
    window_->adjustSize();
    std::optional<QPoint> stored;
    if (app_.selectorPlaced) stored = QPoint(app_.selectorPosX, app_.selectorPosY);
    ShowFloatingWindow(*window_, *canvas_, stored);
  }
  window_->show();
  window_->raise();
}

void SelectionWindowHost::Closing(QPoint topLeft) {
  app_.selectorPosX = topLeft.x();
  app_.selectorPosY = topLeft.y();
  app_.selectorPlaced = true;
  WriteSetting(settings_, Setting::kSelectorPosX, topLeft.x());
  WriteSetting(settings_, Setting::kSelectorPosY, topLeft.y());
  // Without its window the tool stops taking the mouse.
  tool_.SetArmed(false);
  // The window deletes itself later; "Select..." before then makes a new one.
  window_.clear();
}

}  // namespace tintara
