#include "app/stage_panels.h"

#include <QAction>
#include <QPainter>
#include <iterator>

#include "app/command_actions.h"
#include "app/panel_buttons.h"
#include "app/panel_style.h"

namespace tintara {

namespace {

constexpr int kTaskButtonWidth = 86;
constexpr int kTaskButtonHeight = 82;
constexpr int kTaskBarWidth = 96;
constexpr int kPageIconSide = 28;
constexpr int kToolPanelHeight = 70;
constexpr int kMargin = 6;

}  // namespace

namespace {

constexpr CommandId kStageCommands[] = {cmd::kStageStart, cmd::kStagePicture,
                                        cmd::kStageSettings, cmd::kStagePattern,
                                        cmd::kStageFinish};

}  // namespace

CommandId StageCommand(int stage) {
  return stage >= 0 && stage < int(std::size(kStageCommands)) ? kStageCommands[stage] : 0;
}

int StageOfCommand(CommandId id) {
  for (int stage = 0; stage < int(std::size(kStageCommands)); ++stage) {
    if (kStageCommands[stage] == id) return stage;
  }
  return -1;
}

const std::vector<PanelPage>& PanelPages() {
  static const std::vector<PanelPage> pages = {
      {kTaskPage, "Task", PanelButtonsAt(Place::kTaskBar)},
      {2, "Start", PanelButtonsAt(Place::kStartPage)},
      {3, "Picture", PanelButtonsAt(Place::kPicturePage)},
      {4, "Settings", PanelButtonsAt(Place::kSettingsPage)},
      {5, "Edit pattern", PanelButtonsAt(Place::kPatternPage)},
      {6, "Finish", PanelButtonsAt(Place::kFinishPage)},
  };
  return pages;
}

const PanelPage* FindPanelPage(int page) {
  for (const PanelPage& entry : PanelPages()) {
    if (entry.page == page) return &entry;
  }
  return nullptr;
}

const std::vector<CommandId>& ToolBarCommands() {
  static const std::vector<CommandId> commands = [] {
    std::vector<CommandId> ids = CommandsAt(Place::kPanelTools);
    std::erase(ids, kSeparator);
    return ids;
  }();
  return commands;
}

PanelSlide::PanelSlide(QObject* parent) : QObject(parent) {
  timer_.setInterval(kSlideStepMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &PanelSlide::Tick);
}

void PanelSlide::Start(int distance, int steps) {
  offset_ = distance;
  stepsLeft_ = steps;
  timer_.start();
  emit moved();
}

void PanelSlide::Stop() {
  timer_.stop();
  offset_ = 0;
  stepsLeft_ = 0;
  emit moved();
}

void PanelSlide::Tick() {
  // The buttons move towards their place and never past it.
  offset_ = offset_ < 0 ? qMin(0, offset_ + kSlideStepPixels) : qMax(0, offset_ - kSlideStepPixels);
  if (--stepsLeft_ <= 0) {
    timer_.stop();
    offset_ = 0;
  }
  emit moved();
}

CTaskBar::CTaskBar(CommandActions& actions, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("taskBar"));
  const PanelPage* page = FindPanelPage(kTaskPage);
  int stage = 0;
  for (const PanelButton& entry : page->buttons) {
    if (QAction* action = actions.Action(entry.id)) {
      auto* button = new CMyAnimButton(action, QString::fromUtf8(entry.caption), 32, this);
      button->SetOnDark(true);
      button->resize(kTaskButtonWidth, kTaskButtonHeight);
      buttons_.push_back(button);
      stages_.push_back(stage);
    }
    ++stage;
  }
  connect(&slide_, &PanelSlide::moved, this, &CTaskBar::Place);
  setFixedWidth(kTaskBarWidth);
}

QSize CTaskBar::sizeHint() const {
  return {kTaskBarWidth, int(buttons_.size()) * (kTaskButtonHeight + 4) + 2 * kMargin};
}

void CTaskBar::SetCurrentStage(int stage) {
  stage_ = stage;
  for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetCurrent(stages_[i] == stage);
}

void CTaskBar::SlideIn() {
  if (!animation_) return slide_.Stop();
  slide_.Start(-width(), width() / kSlideStepPixels + 2);
}

void CTaskBar::Place() {
  int x = (width() - kTaskButtonWidth) / 2 + slide_.Offset();
  int y = kMargin + 4;
  for (CMyButton* button : buttons_) {
    button->move(x, y);
    y += kTaskButtonHeight + 4;
  }
}

void CTaskBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Place();
}

void CTaskBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintTaskBarBackground(painter, rect());
}

CToolPanel::CToolPanel(CommandActions& actions, QWidget* parent)
    : QWidget(parent), actions_(actions) {
  setObjectName(QStringLiteral("toolPanel"));
  for (CommandId id : ToolBarCommands()) {
    if (QAction* action = actions.Action(id)) {
      auto* button = new CMyToolButton(action, this);
      button->resize(button->sizeHint());
      toolButtons_.push_back(button);
    }
  }
  connect(&slide_, &PanelSlide::moved, this, &CToolPanel::Place);
  setFixedHeight(kToolPanelHeight);
}

QSize CToolPanel::sizeHint() const { return {600, kToolPanelHeight}; }

void CToolPanel::SetPage(int page) {
  const PanelPage* definition = FindPanelPage(page);
  if (definition == nullptr || page == kTaskPage) return;
  // Hidden while it is emptied and refilled, as one change.
  bool wasVisible = isVisible();
  setVisible(false);
  for (CMyButton* button : buttons_) delete button;
  buttons_.clear();
  page_ = page;
  title_ = QString::fromUtf8(definition->group);
  for (const PanelButton& entry : definition->buttons) {
    QAction* action = actions_.Action(entry.id);
    if (action == nullptr) continue;
    auto* button = new CMyAnimButton(action, QString::fromUtf8(entry.caption), kPageIconSide, this);
    QSize hint = button->sizeHint();
    button->resize(qMax(hint.width(), 74), kToolPanelHeight - 8);
    button->show();
    buttons_.push_back(button);
  }
  if (animation_) {
    slide_.Start(-height(), height() / kSlideStepPixels + 2);
  } else {
    slide_.Stop();
  }
  Place();
  setVisible(wasVisible);
}

int CToolPanel::TitleWidth() const {
  QFontMetrics metrics(PanelTitleFont());
  return metrics.horizontalAdvance(title_) + 36;
}

void CToolPanel::Place() {
  int x = TitleWidth();
  int y = 4 + slide_.Offset();
  for (CMyButton* button : buttons_) {
    button->move(x, y);
    x += button->width() + 2;
  }
  int right = width() - kMargin;
  for (auto it = toolButtons_.rbegin(); it != toolButtons_.rend(); ++it) {
    right -= (*it)->width();
    (*it)->move(right, (height() - (*it)->height()) / 2);
    right -= 2;
  }
  update();
}

void CToolPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Place();
}

void CToolPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  PaintToolPanelBackground(painter, rect());
  const PanelColors& colors = Panel();
  // The page's name, with a short accent rule under it.
  painter.setFont(PanelTitleFont());
  painter.setPen(colors.title);
  QRect title(16, 0, TitleWidth() - 24, height() - 6);
  painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter, title_);
  QFontMetrics metrics(PanelTitleFont());
  int ruleY = height() / 2 + metrics.height() / 2;
  painter.setPen(QPen(colors.accent, 2.5, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(17, ruleY), QPointF(37, ruleY));
  // A thin divider before the small tool buttons.
  if (!toolButtons_.empty()) {
    int x = toolButtons_.front()->x() - 8;
    painter.setPen(colors.rule);
    painter.drawLine(x, 12, x, height() - 12);
  }
}

}  // namespace tintara
