// The graphical interface's two panels: the task bar on the left with the
// five stage buttons, and the tool panel at the top whose page of buttons
// follows the stage. Buttons whose commands the program does not offer are
// left out. While animation is on, a new set of buttons slides in: 10 pixels
// every 50 ms, (panel height div 10) + 2 steps.
#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "app/command_catalog.h"
#include "document/command_ids.h"

namespace tintara {

class CommandActions;
class CMyButton;

// Panel pages: 1 the task bar, 2..6 the tool panel of stages 0..4.
constexpr int kTaskPage = 1;
constexpr int kFirstToolPage = 2;
constexpr int kLastToolPage = 6;
constexpr int PageOfStage(int stage) { return stage + kFirstToolPage; }

// The stage commands in stage order, and the stage of a command (-1 for
// any other command).
CommandId StageCommand(int stage);
int StageOfCommand(CommandId id);

struct PanelPage {
  int page;
  const char* group;  // the page's name
  std::vector<PanelButton> buttons;
};

// The pages in order, 1..6, with the buttons the command catalogue places on them.
const std::vector<PanelPage>& PanelPages();
const PanelPage* FindPanelPage(int page);
// The small buttons at the end of the tool panel, on every page.
const std::vector<CommandId>& ToolBarCommands();

constexpr int kSlideStepPixels = 10;
constexpr int kSlideStepMilliseconds = 50;

// Moves a panel's buttons into place step by step.
class PanelSlide : public QObject {
  Q_OBJECT

 public:
  explicit PanelSlide(QObject* parent = nullptr);
  // Starts from `distance` pixels away; `steps` ticks bring it home.
  void Start(int distance, int steps);
  void Stop();
  bool Running() const { return timer_.isActive(); }
  int Offset() const { return offset_; }

 signals:
  void moved();

 private:
  void Tick();
  QTimer timer_;
  int offset_ = 0;
  int stepsLeft_ = 0;
};

class CTaskBar : public QWidget {
  Q_OBJECT

 public:
  CTaskBar(CommandActions& actions, QWidget* parent = nullptr);

  // Marks the button of `stage`; -1 marks none.
  void SetCurrentStage(int stage);
  int CurrentStage() const { return stage_; }
  void SetAnimation(bool on) { animation_ = on; }
  // Slides the buttons in sideways (when animation is on).
  void SlideIn();
  bool Sliding() const { return slide_.Running(); }
  const std::vector<CMyButton*>& Buttons() const { return buttons_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Place();

  std::vector<CMyButton*> buttons_;
  std::vector<int> stages_;
  PanelSlide slide_;
  int stage_ = -1;
  bool animation_ = true;
};

class CToolPanel : public QWidget {
  Q_OBJECT

 public:
  CToolPanel(CommandActions& actions, QWidget* parent = nullptr);

  // Clears the panel and fills it with the buttons of `page` (2..6).
  void SetPage(int page);
  int Page() const { return page_; }
  QString PageName() const { return title_; }
  void SetAnimation(bool on) { animation_ = on; }
  bool Sliding() const { return slide_.Running(); }
  // The page's buttons, in order (the small tool buttons are not among them).
  const std::vector<CMyButton*>& Buttons() const { return buttons_; }
  const std::vector<CMyButton*>& ToolButtons() const { return toolButtons_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Place();
  int TitleWidth() const;

  CommandActions& actions_;
  std::vector<CMyButton*> buttons_;
  std::vector<CMyButton*> toolButtons_;
  PanelSlide slide_;
  QString title_;
  int page_ = 0;
  bool animation_ = true;
};

}  // namespace tintara
