// UiHost for the Qt shell. Messages use the standard message box in the
// standard interface and the styled dialog in the graphical one; the progress
// window follows the step counters. Every call may come from the worker
// thread of a long operation: messages then wait for the user's answer on the
// user-interface thread, and notices are held back until the work is over,
// so that nothing reads the document while the worker changes it.
#pragma once

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

#include "app/progress_window.h"
#include "platform/image_drawing.h"
#include "ports/ui_host.h"

class QWidget;

namespace tintara {

class QtUiHost : public QObject, public UiHost {
  Q_OBJECT

 public:
  explicit QtUiHost(QWidget* mainWindow = nullptr);
  ~QtUiHost() override;

  void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }
  void SetStandardInterface(bool standard) { standard_ = standard; }
  bool StandardInterface() const { return standard_; }

  int ShowMessage(const MessageRequest& request) override;
  void Beep() override;
  void PushWaitCursor() override;
  void PopWaitCursor() override;
  void ProgressBegin(const ProgressCounters& counters) override;
  bool ProgressStep(const ProgressCounters& counters, int current, int total) override;
  void ProgressEnd(const ProgressCounters& counters) override;

  void UpdateViews() override;
  void FitViews() override;
  void RefreshNavigator() override;
  void RedrawNavigator() override;
  void ShowNavigator(bool on) override;
  void ShowPaletteWindow(bool on) override;
  void RefreshPaletteWindow(bool fullReload) override;
  void SetWorkStage(int stage) override;
  void PictureEditingChanged(bool on) override;
  void SetScrollSizes(int width, int height) override;
  void PreviewColorTables(const uint8_t* red, const uint8_t* green, const uint8_t* blue) override;
  void PopupMenu(const std::string& name) override;
  void StatusNote(const std::string& text) override;

  // The progress window while it is up, else null (user-interface thread only).
  ProgressWindow* Progress() const { return progress_; }
  // Emits the notices held back during long work, in order.
  void FlushDeferredNotices();

 signals:
  void updateViewsRequested();
  void fitViewsRequested();
  void refreshNavigatorRequested();
  void redrawNavigatorRequested();
  void showNavigatorRequested(bool on);
  void showPaletteWindowRequested(bool on);
  void refreshPaletteWindowRequested(bool fullReload);
  void workStageRequested(int stage);
  void pictureEditingChanged(bool on);
  void scrollSizesChanged(int width, int height);
  // Tables to show the picture through while a dialog previews; null withdraws them.
  void previewTablesChanged(const PreviewTables* tables);
  void beeped();
  // A remark for the status bar.
  void statusNoteRequested(const QString& text);
  // A picture-editing submenu is to pop up at the mouse position.
  void popupMenuRequested(const std::string& name);
  // Long work is about to start on a worker thread, or has ended.
  void longWorkStarted();
  void longWorkFinished();

 private:
  bool OnUiThread() const;
  // Runs `task` on the user-interface thread: at once there, else queued.
  void Post(std::function<void()> task);
  void Notify(std::function<void()> emitter);
  int ShowMessageNow(const MessageRequest& request);
  void OpenProgressWindow();
  void CloseProgressWindow();
  void ShowPercent(int percent);

  QPointer<QWidget> mainWindow_;
  bool standard_ = false;
  std::atomic<int> waitDepth_{0};
  QPointer<ProgressWindow> progress_;
  std::atomic<bool> cancelRequested_{false};
  std::atomic<int> shownPercent_{-1};
  std::mutex deferredMutex_;
  std::vector<std::function<void()>> deferred_;
};

}  // namespace tintara
