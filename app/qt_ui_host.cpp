#include "app/qt_ui_host.h"

#include <algorithm>

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QThread>
#include <QWidget>

#include "app/styled_message_dialog.h"

namespace tintara {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation: return QMessageBox::Information;
    case MessageIcon::kWarning: return QMessageBox::Warning;
    case MessageIcon::kError: return QMessageBox::Critical;
    case MessageIcon::kQuestion: return QMessageBox::Question;
    case MessageIcon::kNone: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButton StandardButtonOf(int result) {
  switch (result) {
    case kResultOk: return QMessageBox::Ok;
    case kResultCancel: return QMessageBox::Cancel;
    case kResultYes: return QMessageBox::Yes;
    case kResultNo: return QMessageBox::No;
    default: return QMessageBox::NoButton;
  }
}

int ResultOf(int standardButton) {
  switch (standardButton) {
    case QMessageBox::Ok: return kResultOk;
    case QMessageBox::Cancel: return kResultCancel;
    case QMessageBox::Yes: return kResultYes;
    case QMessageBox::No: return kResultNo;
    default: return kResultCancel;
  }
}

}  // namespace

QtUiHost::QtUiHost(QWidget* mainWindow) : mainWindow_(mainWindow) {}

QtUiHost::~QtUiHost() {
  if (progress_) delete progress_.data();
  while (waitDepth_ > 0) PopWaitCursor();
}

bool QtUiHost::OnUiThread() const { return QThread::currentThread() == thread(); }

void QtUiHost::Post(std::function<void()> task) {
  if (OnUiThread()) {
    task();
  } else {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
  }
}

void QtUiHost::Notify(std::function<void()> emitter) {
  if (OnUiThread()) return emitter();
  std::lock_guard<std::mutex> lock(deferredMutex_);
  deferred_.push_back(std::move(emitter));
}

void QtUiHost::FlushDeferredNotices() {
  std::vector<std::function<void()>> notices;
  {
    std::lock_guard<std::mutex> lock(deferredMutex_);
    notices.swap(deferred_);
  }
  for (auto& notice : notices) notice();
}

int QtUiHost::ShowMessage(const MessageRequest& request) {
  if (OnUiThread()) return ShowMessageNow(request);
  int result = DefaultResultOf(request);
  QMetaObject::invokeMethod(
      this, [&] { result = ShowMessageNow(request); }, Qt::BlockingQueuedConnection);
  return result;
}

int QtUiHost::ShowMessageNow(const MessageRequest& request) {
  // A message during counted work stays above the progress window.
  QWidget* parent = progress_ ? static_cast<QWidget*>(progress_.data()) : mainWindow_.data();
  if (!standard_) {
    StyledMessageDialog dialog(request, parent);
    return dialog.exec();
  }
  QMessageBox box(BoxIcon(request.icon), MessageCaption(request),
                  QString::fromStdString(request.text), QMessageBox::NoButton, parent);
  for (const MessageButtonChoice& choice : ButtonsOf(request.buttons)) {
    box.addButton(StandardButtonOf(choice.result));
  }
  box.setDefaultButton(StandardButtonOf(DefaultResultOf(request)));
  box.setEscapeButton(box.button(StandardButtonOf(EscapeResultOf(request.buttons))));
  return ResultOf(box.exec());
}

void QtUiHost::Beep() {
  Post([this] {
    QApplication::beep();
    emit beeped();
  });
}

void QtUiHost::PushWaitCursor() {
  if (waitDepth_++ == 0) Post([] { QGuiApplication::setOverrideCursor(Qt::WaitCursor); });
}

void QtUiHost::PopWaitCursor() {
  if (waitDepth_ > 0 && --waitDepth_ == 0) Post([] { QGuiApplication::restoreOverrideCursor(); });
}

void QtUiHost::OpenProgressWindow() {
  if (progress_) return;
  progress_ = new ProgressWindow(mainWindow_);
  connect(progress_, &ProgressWindow::cancelRequested, this, [this] { cancelRequested_ = true; });
  progress_->show();
  progress_->activateWindow();
  progress_->setFocus();
}

void QtUiHost::CloseProgressWindow() {
  if (progress_) delete progress_.data();
  shownPercent_ = -1;
}

void QtUiHost::ShowPercent(int percent) {
  if (progress_) progress_->SetPercent(percent);
}

void QtUiHost::ProgressBegin(const ProgressCounters& counters) {
  if (counters.stepTotal == 0 || counters.stepNumber != 0) return;
  cancelRequested_ = false;
  Post([this] { OpenProgressWindow(); });
}

bool QtUiHost::ProgressStep(const ProgressCounters& counters, int current, int total) {
  // Outside a counted operation no window shows and nothing can be cancelled.
  if (counters.stepTotal == 0) return false;
  if (OnUiThread()) {
    // The work runs on this thread: let the window repaint and hear Escape.
    QCoreApplication::processEvents();
  }
  if (cancelRequested_.exchange(false)) {
    Post([this] { CloseProgressWindow(); });
    return true;
  }
  int percent = ProgressPercent(counters, current, total);
  if (shownPercent_.exchange(percent) != percent) Post([this, percent] { ShowPercent(percent); });
  return false;
}

void QtUiHost::ProgressEnd(const ProgressCounters& counters) {
  if (counters.stepNumber != counters.stepTotal - 1) return;
  Post([this] { CloseProgressWindow(); });
}

void QtUiHost::UpdateViews() { Notify([this] { emit updateViewsRequested(); }); }
void QtUiHost::FitViews() { Notify([this] { emit fitViewsRequested(); }); }
void QtUiHost::RefreshNavigator() { Notify([this] { emit refreshNavigatorRequested(); }); }
void QtUiHost::RedrawNavigator() { Notify([this] { emit redrawNavigatorRequested(); }); }
void QtUiHost::ShowNavigator(bool on) { Notify([this, on] { emit showNavigatorRequested(on); }); }
void QtUiHost::ShowPaletteWindow(bool on) {
  Notify([this, on] { emit showPaletteWindowRequested(on); });
}
void QtUiHost::RefreshPaletteWindow(bool fullReload) {
  Notify([this, fullReload] { emit refreshPaletteWindowRequested(fullReload); });
}
void QtUiHost::SetWorkStage(int stage) { Notify([this, stage] { emit workStageRequested(stage); }); }
void QtUiHost::PictureEditingChanged(bool on) {
  Notify([this, on] { emit pictureEditingChanged(on); });
}
void QtUiHost::SetScrollSizes(int width, int height) {
  Notify([this, width, height] { emit scrollSizesChanged(width, height); });
}

void QtUiHost::StatusNote(const std::string& text) {
  const QString note = QString::fromStdString(text);
  Notify([this, note] { emit statusNoteRequested(note); });
}

void QtUiHost::PopupMenu(const std::string& name) {
  Notify([this, name] { emit popupMenuRequested(name); });
}

void QtUiHost::PreviewColorTables(const uint8_t* red, const uint8_t* green, const uint8_t* blue) {
  // Shown at once: the dialog that previews is open on this thread.
  if (red == nullptr || green == nullptr || blue == nullptr) {
    Post([this] { emit previewTablesChanged(nullptr); });
    return;
  }
  PreviewTables tables;
  std::copy_n(red, 256, tables.red.begin());
  std::copy_n(green, 256, tables.green.begin());
  std::copy_n(blue, 256, tables.blue.begin());
  Post([this, tables] { emit previewTablesChanged(&tables); });
}

}  // namespace tintara
