// The command-line tool's way to the user: questions are answered from the
// scripted answers (or get their default button), messages are kept so the
// tool can report the error that ended a step, and progress goes to standard
// error — a redrawn bar on a terminal, a line every tenth otherwise.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "ports/scripted_ui_host.h"

namespace tintara::cli {

class CliUiHost : public ScriptedUiHost {
 public:
  CliUiHost(ScriptedAnswers* answers, std::FILE* stream, bool quiet);

  bool ProgressStep(const ProgressCounters& counters, int current, int total) override;
  // One line "note: TEXT" on the stream, unless it is quiet.
  void StatusNote(const std::string& text) override;

  // The text of the newest error or warning shown since `from` (an index
  // into `messages`), if any.
  std::optional<std::string> ErrorSince(size_t from) const;
  // A new operation begins: its progress starts from nothing. The steps of
  // one operation (each filter begins and ends the indicator) only go forward.
  // `what` names it beside the percent ("loading", "saving").
  void StartOperation(std::string what = {});
  // Progress of the operation that the core does not count itself.
  void ShowPercent(int percent);
  // The operation is done: 100 % is shown and the line ended.
  void FinishOperation();
  // Ends a bar that is still drawn, before other output.
  void FinishLine();

 private:
  void Draw(int percent);

  std::FILE* stream_;
  bool quiet_;
  bool terminal_;
  bool lineOpen_ = false;
  int shown_ = -1;  // the percent (terminal) or tenth (log) last written
  std::string what_;
};

}  // namespace tintara::cli
