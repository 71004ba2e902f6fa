#include "ports/ui_host.h"

namespace tintara {

int FirstButton(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk:
    case MessageButtons::kOkCancel: return kResultOk;
    case MessageButtons::kYesNo:
    case MessageButtons::kYesNoCancel: return kResultYes;
  }
  return kResultOk;
}

int DefaultResultOf(const MessageRequest& request) {
  return request.defaultResult != 0 ? request.defaultResult : FirstButton(request.buttons);
}

int ProgressPercent(const ProgressCounters& counters, int current, int total) {
  long long numerator = (static_cast<long long>(current) +
                         static_cast<long long>(counters.stepNumber) * total) * 100;
  long long denominator = static_cast<long long>(total) * counters.stepTotal + 1;
  return static_cast<int>(numerator / denominator);
}

int UiHost::Message(const std::string& text, MessageIcon icon) {
  MessageRequest request;
  request.text = text;
  request.icon = icon;
  return ShowMessage(request);
}

}  // namespace tintara
