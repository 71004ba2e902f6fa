// The standard menu, the standard tool bars and the pop-up menus of the main
// frame. Lists name commands by number; 0 stands for a separator. Commands
// the program does not offer are left out, and so are separators that would
// end up doubled or at an edge.
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/command_actions.h"
#include "app/main_frame.h"

namespace tintara {

namespace {

constexpr CommandId kSeparator = 0;

std::vector<CommandId> RecentFileIds() {
  std::vector<CommandId> ids;
  for (int i = 0; i < cmd::kRecentFileCount; ++i) ids.push_back(cmd::kRecentFile1 + i);
  return ids;
}

std::vector<CommandId> FileMenu() {
  std::vector<CommandId> ids = {
      cmd::kNewProject,         cmd::kOpenProject,      cmd::kSaveProject,
      cmd::kSaveProjectAs,      kSeparator,             cmd::kLoadPicture,
      cmd::kPastePicture,       kSeparator,             cmd::kSavePictureAs,
      cmd::kSaveConvertedAs,    cmd::kSavePatternAs,    cmd::kSaveCurrentView,
      cmd::kSaveColorKey,       kSeparator,             cmd::kPictureInformation,
      kSeparator};
  for (CommandId id : RecentFileIds()) ids.push_back(id);
  ids.push_back(kSeparator);
  ids.push_back(cmd::kExit);
  return ids;
}

const std::vector<CommandId> kEditMenu = {
    cmd::kUndo, cmd::kRedo, kSeparator, cmd::kStartPictureEditing, cmd::kFinishPictureEditing,
    cmd::kUndoAllPictureEdits, kSeparator, cmd::kReduceColorLevels, cmd::kReduceColorsOptimized};

const std::vector<CommandId> kViewMenu = {
    cmd::kViewInitialPicture, cmd::kViewConvertedPicture, cmd::kViewPaintingPattern, kSeparator,
    cmd::kZoomIn,             cmd::kZoomOut,              cmd::kActualSize};

const std::vector<CommandId> kStageMenu = {cmd::kStageStart, cmd::kStagePicture,
                                           cmd::kStageSettings, cmd::kStagePattern,
                                           cmd::kStageFinish};

const std::vector<CommandId> kPatternMenu = {
    cmd::kCreateDrawingPattern, cmd::kViewAsColorBlocks, kSeparator,
    cmd::kRemoveSmallAreas,     cmd::kSelectOneArea,     cmd::kBorderColor};

const std::vector<CommandId> kOptionsMenu = {cmd::kOptions, cmd::kColorCorrection,
                                             cmd::kAutoSave};

const std::vector<CommandId> kInterfaceMenu = {cmd::kStandardInterface, kSeparator,
                                               cmd::kToggleMenu, cmd::kToggleToolbars,
                                               cmd::kToggleAnimation};

const std::vector<CommandId> kStandardBar = {
    cmd::kOpenProject,         cmd::kLoadPicture,          cmd::kSaveProject,
    kSeparator,                cmd::kUndo,                 cmd::kRedo,
    cmd::kZoomIn,              cmd::kZoomOut,              cmd::kActualSize,
    kSeparator,                cmd::kStartPictureEditing,  kSeparator,
    cmd::kViewInitialPicture,  cmd::kViewConvertedPicture, cmd::kViewPaintingPattern};

// The second brush bar: picture commands while the picture is edited.
const std::vector<CommandId> kPictureBar = {
    cmd::kReduceColorLevels, cmd::kReduceColorsOptimized, kSeparator, cmd::kUndoAllPictureEdits,
    cmd::kSavePictureAs,     kSeparator,                  cmd::kFinishPictureEditing};

const std::vector<CommandId> kViewChoice = {cmd::kViewInitialPicture, cmd::kViewConvertedPicture,
                                            cmd::kViewPaintingPattern};

const std::vector<CommandId> kContextMenu = {cmd::kUndo, cmd::kRedo};

}  // namespace

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

QMenu* CMainFrame::AddMenu(const QString& title, const std::vector<CommandId>& ids) {
  QMenu* menu = menuBar()->addMenu(title);
  AddCommands(menu, ids);
  // Enabling rules may read state no notice covers (the clipboard): refresh on opening.
  connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
  mainMenus_.push_back(menu);
  return menu;
}

void CMainFrame::BuildMenus() {
  AddMenu(QStringLiteral("&File"), FileMenu());
  AddMenu(QStringLiteral("&Edit"), kEditMenu);
  QMenu* view = AddMenu(QStringLiteral("&View"), kViewMenu);
  view->addSeparator();
  AddCommands(view->addMenu(QStringLiteral("Work &stage")), kStageMenu);
  AddMenu(QStringLiteral("&Pattern"), kPatternMenu);
  QMenu* options = AddMenu(QStringLiteral("&Options"), kOptionsMenu);
  options->addSeparator();
  QMenu* interface = options->addMenu(QStringLiteral("&Interface"));
  AddCommands(interface, kInterfaceMenu);
  AddMenu(QStringLiteral("&Help"), {cmd::kAbout});
}

void CMainFrame::BuildToolBars() {
  standardBar_ = new QToolBar(QStringLiteral("Standard"), this);
  standardBar_->setObjectName(QStringLiteral("standardBar"));
  standardBar_->setIconSize(QSize(20, 20));
  standardBar_->setMovable(false);
  AddCommands(standardBar_, kStandardBar);
  addToolBar(Qt::TopToolBarArea, standardBar_);
  pictureBar_ = new QToolBar(QStringLiteral("Picture"), this);
  pictureBar_->setObjectName(QStringLiteral("pictureBar"));
  pictureBar_->setIconSize(QSize(20, 20));
  pictureBar_->setMovable(false);
  AddCommands(pictureBar_, kPictureBar);
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
  AddCommands(viewChoiceMenu_, kViewChoice);
  connect(viewChoiceMenu_, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
  contextMenu_ = new QMenu(QStringLiteral("Context Menu"), this);
  connect(contextMenu_, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
}

void CMainFrame::PopupViewChoice(const QPoint& globalPosition) {
  viewChoiceMenu_->popup(globalPosition);
}

void CMainFrame::PopupContextMenu(const QPoint& globalPosition) {
  contextMenu_->clear();
  AddCommands(contextMenu_, kContextMenu);
  // Without the menu bar, its menus stay within reach here.
  if (!menuBar()->isVisible()) {
    contextMenu_->addSeparator();
    for (QMenu* menu : mainMenus_) contextMenu_->addMenu(menu);
  }
  contextMenu_->popup(globalPosition);
}

}  // namespace tintara
