#include "cli/cli_ui_host.h"

#include <algorithm>
#include <unistd.h>

namespace tintara::cli {

namespace {

constexpr int kBarWidth = 40;

}  // namespace

CliUiHost::CliUiHost(ScriptedAnswers* answers, std::FILE* stream, bool quiet)
    : ScriptedUiHost(answers),
      stream_(stream),
      quiet_(quiet),
      terminal_(isatty(fileno(stream)) != 0) {}

void CliUiHost::StartOperation(std::string what) {
  FinishLine();
  shown_ = -1;
  what_ = std::move(what);
  // Said at once: some steps take a while before they count anything.
  if (!what_.empty()) Draw(0);
}

void CliUiHost::StatusNote(const std::string& text) {
  ScriptedUiHost::StatusNote(text);
  if (quiet_) return;
  FinishLine();
  std::fprintf(stream_, "note: %s\n", text.c_str());
  std::fflush(stream_);
}

void CliUiHost::ShowPercent(int percent) { Draw(std::clamp(percent, 0, 100)); }

void CliUiHost::FinishOperation() {
  // The core's own count stops short of the end (its last step is never full).
  Draw(100);
  FinishLine();
}

bool CliUiHost::ProgressStep(const ProgressCounters& counters, int current, int total) {
  bool cancel = ScriptedUiHost::ProgressStep(counters, current, total);
  // Steps outside a counted operation (stepTotal 0) have no meaningful percent.
  if (counters.stepTotal > 0 && total > 0) {
    Draw(std::clamp(ProgressPercent(counters, current, total), 0, 100));
  }
  return cancel;
}

void CliUiHost::Draw(int percent) {
  if (quiet_) return;
  if (!terminal_) {
    int tenth = percent / 10;
    if (tenth <= shown_) return;
    shown_ = tenth;
    std::fprintf(stream_, "progress %d%%%s%s\n", tenth * 10, what_.empty() ? "" : " ",
                 what_.c_str());
    return;
  }
  if (percent <= shown_) return;
  shown_ = percent;
  int filled = percent * kBarWidth / 100;
  std::string bar(size_t(filled), '#');
  bar.resize(kBarWidth, '.');
  std::fprintf(stream_, "\r[%s] %3d%% %s", bar.c_str(), percent, what_.c_str());
  std::fflush(stream_);
  lineOpen_ = true;
}

void CliUiHost::FinishLine() {
  if (!lineOpen_) return;
  std::fputc('\n', stream_);
  lineOpen_ = false;
}

std::optional<std::string> CliUiHost::ErrorSince(size_t from) const {
  for (size_t i = messages.size(); i > from; --i) {
    const MessageRequest& message = messages[i - 1];
    if (message.icon == MessageIcon::kError || message.icon == MessageIcon::kWarning) {
      return message.text;
    }
  }
  return std::nullopt;
}

}  // namespace tintara::cli
