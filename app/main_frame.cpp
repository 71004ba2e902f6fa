#include "app/main_frame.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/command_actions.h"
#include "app/frame_status_bar.h"
#include "app/stage_panels.h"
#include "storage/app_settings.h"
#include "storage/recent_file_list.h"
#include "view/widgets/tessel20_view.h"

namespace tintara {

CMainFrame::CMainFrame(const CommandTable& table, QWidget* parent)
    : QMainWindow(parent), table_(table) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(QString::fromUtf8(kFrameTitle));
  setMinimumSize(kFrameMinimumWidth, kFrameMinimumHeight);
  setAcceptDrops(true);
  actions_ = new CommandActions(table_, this);
  view_ = new CTessel20View(this);
  view_->setObjectName(QStringLiteral("patternView"));
  view_->setFrameShape(QFrame::NoFrame);
  status_ = new CFrameStatusBar(this);
  setStatusBar(status_);
  connect(view_, &CTessel20View::visiblePartMoved, this, &CMainFrame::UpdateStatusPanes);
  connect(view_, &CTessel20View::contextMenuRequested, this, &CMainFrame::PopupContextMenu);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildControls() {
  actions_->Sync();
  taskBar_ = new CTaskBar(*actions_, this);
  toolPanel_ = new CToolPanel(*actions_, this);
  auto* central = new QWidget(this);
  auto* columns = new QHBoxLayout(central);
  columns->setContentsMargins(0, 0, 0, 0);
  columns->setSpacing(0);
  columns->addWidget(taskBar_);
  auto* rows = new QVBoxLayout;
  rows->setContentsMargins(0, 0, 0, 0);
  rows->setSpacing(0);
  rows->addWidget(toolPanel_);
  rows->addWidget(view_, 1);
  columns->addLayout(rows, 1);
  setCentralWidget(central);
  BuildMenus();
  BuildToolBars();
  BuildPopups();
  UpdateActions();
}

void CMainFrame::ApplyInterface(const AppSettings& settings, bool pictureEditing) {
  standard_ = settings.winInterface.value_or(0) == 1;
  graph_ = settings.graph != 0;
  pictureEditing_ = pictureEditing;
  bool animation = settings.animation != 0;
  taskBar_->SetAnimation(animation);
  toolPanel_->SetAnimation(animation);
  if (standard_) {
    menuBar()->setVisible(true);
    taskBar_->setVisible(false);
    toolPanel_->setVisible(false);
    standardBar_->setVisible(true);
    pictureBar_->setVisible(pictureEditing);
    status_->setVisible(true);
  } else {
    standardBar_->setVisible(false);
    pictureBar_->setVisible(false);
    menuBar()->setVisible(settings.menu != 0);
    bool wasShown = taskBar_->isVisible();
    taskBar_->setVisible(graph_);
    toolPanel_->setVisible(graph_);
    status_->setVisible(graph_);
    if (graph_ && !wasShown) taskBar_->SlideIn();
  }
  status_->SetGraphical(!standard_);
  view_->SetStandardInterface(standard_);
  UpdateActions();
  update();
}

void CMainFrame::EnablePanels(bool on) {
  for (QWidget* panel : {static_cast<QWidget*>(taskBar_), static_cast<QWidget*>(toolPanel_),
                         static_cast<QWidget*>(status_)}) {
    if (panel != nullptr && panel->isVisible()) panel->setEnabled(on);
  }
}

void CMainFrame::SetPictureEditing(bool on) {
  pictureEditing_ = on;
  if (standard_) pictureBar_->setVisible(on);
}

void CMainFrame::ShowStage(int stage) {
  stage_ = stage;
  taskBar_->SetCurrentStage(-1);
  // The same page again (the document confirming the stage) would only slide
  // the same buttons in a second time.
  if (toolPanel_->Page() != PageOfStage(stage)) toolPanel_->SetPage(PageOfStage(stage));
  taskBar_->SetCurrentStage(stage);
}

void CMainFrame::UpdateActions() {
  if (busy_) return;
  actions_->Update();
  UpdateStatusPanes();
}

void CMainFrame::UpdateStatusPanes() {
  if (busy_) return;
  ImageSize size = view_->Source() != nullptr ? view_->Source()->CurrentImageSize() : ImageSize{};
  status_->SetPictureSize(size.width, size.height);
  if (size.width > 0) {
    status_->SetZoom(view_->Zoom().numerator, view_->Zoom().denominator);
  } else {
    status_->SetZoom(0, 0);
  }
}

void CMainFrame::SetRecentFiles(const std::vector<std::string>& paths) {
  for (int i = 0; i < cmd::kRecentFileCount; ++i) {
    QAction* action = actions_->Action(cmd::kRecentFile1 + i);
    if (action == nullptr) continue;
    bool used = i < int(paths.size());
    action->setVisible(used);
    if (!used) continue;
    action->setText(QString::fromStdString(RecentFileMenuText(paths, i)));
    action->setStatusTip(QStringLiteral("Open this document"));
    action->setToolTip(QString::fromStdString(paths[size_t(i)]));
  }
}

void CMainFrame::SetDocumentTitle(const std::string& title) {
  setWindowTitle(QStringLiteral("%1 - %2").arg(QString::fromStdString(title),
                                               QString::fromUtf8(kFrameTitle)));
}

namespace {

// The one local file a drag carries, or "".
QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  // urls() builds a new list on every call: keep one, never a reference into a temporary.
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1) return {};
  const QUrl& url = urls.front();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!busy_ && !DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  QString path = DroppedFile(event->mimeData());
  if (busy_ || path.isEmpty()) return;
  event->acceptProposedAction();
  emit fileDropped(path);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (closeGuard_ && !closeGuard_()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

}  // namespace tintara
