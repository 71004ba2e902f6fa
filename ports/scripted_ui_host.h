// A UiHost whose questions are answered from ScriptedAnswers (the message text
// is the key; "Yes", "No", "OK" or "Cancel"); a question without an answer gets
// its default button. It records what the core showed, for tests and for the
// command-line tool.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ports/scripted_answers.h"
#include "ports/ui_host.h"

namespace tintara {

class ScriptedUiHost : public UiHost {
 public:
  explicit ScriptedUiHost(ScriptedAnswers* answers = nullptr) : answers_(answers) {}

  void SetAnswers(ScriptedAnswers* answers) { answers_ = answers; }
  // Called on every progress step; returning true cancels.
  void SetCancelWhen(std::function<bool(const ProgressCounters&, int, int)> predicate) {
    cancelWhen_ = std::move(predicate);
  }

  int ShowMessage(const MessageRequest& request) override;
  void Beep() override { ++beeps; }
  void PushWaitCursor() override;
  void PopWaitCursor() override { --waitCursorDepth; }
  void ProgressBegin(const ProgressCounters& counters) override;
  bool ProgressStep(const ProgressCounters& counters, int current, int total) override;
  void ProgressEnd(const ProgressCounters& counters) override;

  void UpdateViews() override { ++updateViews; }
  void FitViews() override { ++fitViews; }
  void RefreshNavigator() override { ++refreshNavigator; }
  void ShowNavigator(bool on) override { navigatorShown = on; }
  void ShowPaletteWindow(bool on) override { paletteWindowShown = on; }
  void RefreshPaletteWindow(bool fullReload) override;
  void SetWorkStage(int stage) override { workStages.push_back(stage); }
  void StatusNote(const std::string& text) override { statusNotes.push_back(text); }
  void StageEntered(int stage) override { stagesEntered.push_back(stage); }
  void PictureEditingChanged(bool on) override { pictureEditingBar = on; }
  void SetScrollSizes(int width, int height) override;

  // What the core did, in order.
  std::vector<MessageRequest> messages;
  std::vector<std::string> statusNotes;
  std::vector<int> workStages;
  std::vector<int> stagesEntered;
  std::vector<int> progressPercents;
  int beeps = 0;
  int waitCursorDepth = 0;
  int maxWaitCursorDepth = 0;
  int progressBegins = 0;
  int progressEnds = 0;
  // Whether a progress window would be up: it opens at the first step of a
  // counted operation and closes at its last step or on a cancel.
  bool progressShown = false;
  int updateViews = 0;
  int fitViews = 0;
  int refreshNavigator = 0;
  int paletteReloads = 0;
  int paletteCurrentUpdates = 0;
  int scrollWidth = 0;
  int scrollHeight = 0;
  bool navigatorShown = false;
  bool paletteWindowShown = false;
  bool pictureEditingBar = false;

 private:
  ScriptedAnswers* answers_;
  std::function<bool(const ProgressCounters&, int, int)> cancelWhen_;
};

// "Yes" -> kResultYes and so on; 0 for an unknown word.
int MessageResultFromWord(const std::string& word);

}  // namespace tintara
