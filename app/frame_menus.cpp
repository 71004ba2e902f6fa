// The standard menu, the standard tool bars and the pop-up menus of the main
// frame, filled from the places the command catalogue names. Commands the
// program does not offer are left out, and so are separators that would end
// up doubled or at an edge.
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/command_actions.h"
#include "app/command_catalog.h"
#include "app/main_frame.h"

namespace tintara {

void CMainFrame::AddCommands(QWidget* target, const std::vector<CommandId>& ids) {
  bool separatorDue = false;
  bool anything = false;
  for (CommandId id : ids) {
    if (id == kSeparator) {
      separatorDue = anything;
      continue;
    }
    QAction* action = actions_->Action(id);
    if (action == nullptr) continue;
    if (separatorDue) {
      if (auto* menu = qobject_cast<QMenu*>(target)) {
        menu->addSeparator();
      } else if (auto* bar = qobject_cast<QToolBar*>(target)) {
        bar->addSeparator();
      }
      separatorDue = false;
    }
    target->addAction(action);
    anything = true;
  }
}

QMenu* CMainFrame::AddMenu(const QString& title, Place place) {
  QMenu* menu = menuBar()->addMenu(title);
  AddCommands(menu, CommandsAt(place));
  // Enabling rules may read state no notice covers (the clipboard): refresh on opening.
  connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
  mainMenus_.push_back(menu);
  return menu;
}

void CMainFrame::BuildMenus() {
  QMenu* file = AddMenu(QStringLiteral("&File"), Place::kFileMenu);
  // "Print" and "Print Preview" follow "Print Setup" as submenus.
  QMenu* print = new QMenu(QStringLiteral("&Print"), file);
  AddCommands(print, CommandsAt(Place::kPrintChoice));
  QMenu* preview = new QMenu(QStringLiteral("Print Pre&view"), file);
  AddCommands(preview, CommandsAt(Place::kPreviewChoice));
  QAction* before = actions_->Action(cmd::kSaveAsPdf);
  if (before != nullptr && file->actions().contains(before)) {
    file->insertMenu(before, print);
    file->insertMenu(before, preview);
  } else {
    file->addMenu(print);
    file->addMenu(preview);
  }
  BuildPicturePopups(AddMenu(QStringLiteral("&Edit"), Place::kEditMenu));
  QMenu* view = AddMenu(QStringLiteral("&View"), Place::kViewMenu);
  view->addSeparator();
  AddCommands(view->addMenu(QStringLiteral("Work &stage")), CommandsAt(Place::kStageMenu));
  BuildDrawingMenus();
  QMenu* pattern = AddMenu(QStringLiteral("&Pattern"), Place::kPatternMenu);
  pattern->addSeparator();
  pattern->addMenu(drawMenu_);
  pattern->addMenu(fillMenu_);
  QMenu* options = AddMenu(QStringLiteral("&Options"), Place::kOptionsMenu);
  options->addSeparator();
  AddCommands(options->addMenu(QStringLiteral("&Interface")), CommandsAt(Place::kInterfaceMenu));
  AddMenu(QStringLiteral("&Help"), Place::kHelpMenu);
}

void CMainFrame::BuildDrawingMenus() {
  auto make = [this](const QString& title, Place place) {
    auto* menu = new QMenu(title, this);
    AddCommands(menu, CommandsAt(place));
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
    return menu;
  };
  penSizeMenu_ = make(QStringLiteral("Pen &Width"), Place::kPenSizeMenu);
  penShapeMenu_ = make(QStringLiteral("Pen S&hape"), Place::kPenShapeMenu);
  drawMenu_ = make(QStringLiteral("&Draw"), Place::kDrawMenu);
  drawMenu_->addSeparator();
  drawMenu_->addMenu(penSizeMenu_);
  drawMenu_->addMenu(penShapeMenu_);
  fillMenu_ = make(QStringLiteral("&Fill"), Place::kFillMenu);
}

QMenu* CMainFrame::DrawingMenu(Place place) const {
  switch (place) {
    case Place::kDrawMenu: return drawMenu_;
    case Place::kPenSizeMenu: return penSizeMenu_;
    case Place::kPenShapeMenu: return penShapeMenu_;
    case Place::kFillMenu: return fillMenu_;
    default: return nullptr;
  }
}

void CMainFrame::PopupDrawingMenu(Place place, const QPoint& globalPosition) {
  if (QMenu* menu = DrawingMenu(place)) menu->popup(globalPosition);
}

void CMainFrame::BuildToolBars() {
  standardBar_ = new QToolBar(QStringLiteral("Standard"), this);
  standardBar_->setObjectName(QStringLiteral("standardBar"));
  standardBar_->setIconSize(QSize(20, 20));
  standardBar_->setMovable(false);
  AddCommands(standardBar_, CommandsAt(Place::kStandardBar));
  addToolBar(Qt::TopToolBarArea, standardBar_);
  pictureBar_ = new QToolBar(QStringLiteral("Picture"), this);
  pictureBar_->setObjectName(QStringLiteral("pictureBar"));
  pictureBar_->setIconSize(QSize(20, 20));
  pictureBar_->setMovable(false);
  AddCommands(pictureBar_, CommandsAt(Place::kPictureBar));
  addToolBar(Qt::TopToolBarArea, pictureBar_);
  // The tool bars belong to the standard interface alone.
  for (QToolBar* bar : {standardBar_, pictureBar_}) {
    bar->toggleViewAction()->setVisible(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->hide();
  }
}

void CMainFrame::BuildPopups() {
  viewChoiceMenu_ = new QMenu(QStringLiteral("What view"), this);
  AddCommands(viewChoiceMenu_, CommandsAt(Place::kViewChoice));
  connect(viewChoiceMenu_, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
  printChoiceMenu_ = new QMenu(QStringLiteral("What print"), this);
  printChoiceMenu_->setObjectName(QStringLiteral("printChoiceMenu"));
  AddCommands(printChoiceMenu_, CommandsAt(Place::kPrintChoice));
  previewChoiceMenu_ = new QMenu(QStringLiteral("What view"), this);
  previewChoiceMenu_->setObjectName(QStringLiteral("previewChoiceMenu"));
  AddCommands(previewChoiceMenu_, CommandsAt(Place::kPreviewChoice));
  for (QMenu* menu : {printChoiceMenu_, previewChoiceMenu_}) {
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
  }
  contextMenu_ = new QMenu(QStringLiteral("Context Menu"), this);
  connect(contextMenu_, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
}

void CMainFrame::PopupViewChoice(const QPoint& globalPosition) {
  viewChoiceMenu_->popup(globalPosition);
}

void CMainFrame::PopupPrintChoice(const QPoint& globalPosition) {
  printChoiceMenu_->popup(globalPosition);
}

void CMainFrame::PopupPreviewChoice(const QPoint& globalPosition) {
  previewChoiceMenu_->popup(globalPosition);
}

void CMainFrame::PopupContextMenu(const QPoint& globalPosition) {
  contextMenu_->clear();
  AddCommands(contextMenu_, CommandsAt(Place::kContextMenu));
  // Without the menu bar, its menus stay within reach here.
  if (!menuBar()->isVisible()) {
    contextMenu_->addSeparator();
    for (QMenu* menu : mainMenus_) contextMenu_->addMenu(menu);
  }
  contextMenu_->popup(globalPosition);
}

}  // namespace tintara
