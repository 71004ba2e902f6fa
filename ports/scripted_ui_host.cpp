#include "ports/scripted_ui_host.h"

#include <algorithm>
#include <cctype>

namespace tintara {

int MessageResultFromWord(const std::string& word) {
  std::string lower;
  for (char c : word) lower.push_back(char(std::tolower(static_cast<unsigned char>(c))));
  if (lower == "yes") return kResultYes;
  if (lower == "no") return kResultNo;
  if (lower == "ok") return kResultOk;
  if (lower == "cancel") return kResultCancel;
  return 0;
}

int ScriptedUiHost::ShowMessage(const MessageRequest& request) {
  messages.push_back(request);
  if (answers_ != nullptr) {
    if (auto answer = answers_->Take(request.text)) {
      if (auto word = answer->AsString()) {
        if (int result = MessageResultFromWord(*word)) return result;
      }
      if (auto code = answer->AsInt()) return int(*code);
    }
  }
  return DefaultResultOf(request);
}

void ScriptedUiHost::PushWaitCursor() {
  ++waitCursorDepth;
  maxWaitCursorDepth = std::max(maxWaitCursorDepth, waitCursorDepth);
}

void ScriptedUiHost::ProgressBegin(const ProgressCounters& counters) {
  ++progressBegins;
  if (counters.stepTotal != 0 && counters.stepNumber == 0) progressShown = true;
}

bool ScriptedUiHost::ProgressStep(const ProgressCounters& counters, int current, int total) {
  if (counters.stepTotal != 0) progressPercents.push_back(ProgressPercent(counters, current, total));
  const bool cancel = cancelWhen_ && cancelWhen_(counters, current, total);
  if (cancel && counters.stepTotal != 0) progressShown = false;
  return cancel;
}

void ScriptedUiHost::ProgressEnd(const ProgressCounters& counters) {
  ++progressEnds;
  if (counters.stepNumber == counters.stepTotal - 1) progressShown = false;
}

void ScriptedUiHost::RefreshPaletteWindow(bool fullReload) {
  if (fullReload) {
    ++paletteReloads;
  } else {
    ++paletteCurrentUpdates;
  }
}

void ScriptedUiHost::SetScrollSizes(int width, int height) {
  scrollWidth = width;
  scrollHeight = height;
}

}  // namespace tintara
