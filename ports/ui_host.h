// The core's way to the user: messages, beeps, the wait cursor, the progress
// indicator and the notices that views and floating windows follow.
#pragma once

#include <cstdint>
#include <string>

namespace tintara {

enum class MessageButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class MessageIcon { kNone, kInformation, kWarning, kError, kQuestion };

// Result codes of a message box.
enum MessageResult : int {
  kResultOk = 1,
  kResultCancel = 2,
  kResultYes = 6,
  kResultNo = 7,
};

struct MessageRequest {
  std::string text;
  MessageButtons buttons = MessageButtons::kOk;
  MessageIcon icon = MessageIcon::kNone;
  std::string caption;  // empty: the program's title
  int defaultResult = 0;  // 0: the first button
};

// The first button of a button set, which a box selects when nothing else is said.
int FirstButton(MessageButtons buttons);
int DefaultResultOf(const MessageRequest& request);

// Application-wide step counters of a long operation; the indicator shows
// (current + number × total) × 100 / (total × stepTotal + 1) percent.
struct ProgressCounters {
  int stepTotal = 0;
  int stepNumber = -1;
};
int ProgressPercent(const ProgressCounters& counters, int current, int total);

class UiHost {
 public:
  virtual ~UiHost() = default;

  virtual int ShowMessage(const MessageRequest& request) = 0;
  virtual void Beep() = 0;
  // Nested: the cursor shows while at least one guard is alive.
  virtual void PushWaitCursor() = 0;
  virtual void PopWaitCursor() = 0;

  virtual void ProgressBegin(const ProgressCounters& counters) = 0;
  // True when the user cancelled.
  virtual bool ProgressStep(const ProgressCounters& counters, int current, int total) = 0;
  virtual void ProgressEnd(const ProgressCounters& counters) = 0;

  // Notices; a host without the matching window ignores them.
  virtual void UpdateViews() {}
  virtual void FitViews() {}
  virtual void RefreshNavigator() {}
  virtual void RedrawNavigator() {}
  virtual void ShowNavigator(bool /*on*/) {}
  virtual void ShowPaletteWindow(bool /*on*/) {}
  virtual void RefreshPaletteWindow(bool /*fullReload*/) {}
  // The document asks the main frame to move its stage panel to `stage`.
  virtual void SetWorkStage(int /*stage*/) {}
  // A stage command ran: the frame shows that stage's panel page.
  virtual void StageEntered(int /*stage*/) {}
  // The side panel shows document state that changed.
  virtual void RefreshPanels() {}
  virtual void PictureEditingChanged(bool /*on*/) {}
  virtual void SetScrollSizes(int /*width*/, int /*height*/) {}
  // While an adjustment dialog is open the view shows the picture through
  // three 256-entry tables (red, green, blue); null withdraws them.
  virtual void PreviewColorTables(const uint8_t* /*red*/, const uint8_t* /*green*/,
                                  const uint8_t* /*blue*/) {}

  // Pops up a picture-editing submenu ("Rotate", "Filters", "Size") at the
  // mouse position.
  virtual void PopupMenu(const std::string& /*name*/) {}

  // A one-line remark that needs no answer: the status bar in the program,
  // a line on standard error in the command-line tool.
  virtual void StatusNote(const std::string& /*text*/) {}

  // Convenience for a plain message with an OK button.
  int Message(const std::string& text, MessageIcon icon = MessageIcon::kNone);
};

// Shows the wait cursor for the guard's lifetime, on every way out.
class WaitCursor {
 public:
  explicit WaitCursor(UiHost& host) : host_(host) { host_.PushWaitCursor(); }
  ~WaitCursor() { host_.PopWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  UiHost& host_;
};

}  // namespace tintara
