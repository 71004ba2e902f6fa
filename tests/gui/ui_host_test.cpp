#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <map>
#include <QPushButton>
#include <QThread>
#include <atomic>
#include <stdexcept>
#include <vector>

#include "app/long_work.h"
#include "app/progress_window.h"
#include "app/qt_ui_host.h"
#include "app/splash_window.h"
#include "app/styled_message_dialog.h"
#include "tests/gui/gui_helpers.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

struct Answer {
  MessageButtons buttons;
  int click;  // result code of the button to press; 0 presses Escape
  int expected;
};

const Answer kAnswers[] = {
    {MessageButtons::kOk, kResultOk, kResultOk},
    {MessageButtons::kOk, 0, kResultOk},
    {MessageButtons::kOkCancel, kResultCancel, kResultCancel},
    {MessageButtons::kOkCancel, 0, kResultCancel},
    {MessageButtons::kYesNo, kResultYes, kResultYes},
    {MessageButtons::kYesNo, kResultNo, kResultNo},
    {MessageButtons::kYesNo, 0, kResultNo},
    {MessageButtons::kYesNoCancel, kResultNo, kResultNo},
    {MessageButtons::kYesNoCancel, 0, kResultCancel},
};

// Presses the button of `result` (or Escape) in whatever message box is up.
void Press(QWidget* modal, int result) {
  if (auto* styled = qobject_cast<StyledMessageDialog*>(modal)) {
    if (result == 0) return styled->reject();
    return styled->Button(result)->click();
  }
  auto* box = qobject_cast<QMessageBox*>(modal);
  ASSERT_NE(box, nullptr);
  if (result == 0) return box->escapeButton()->click();
  std::map<int, QMessageBox::StandardButton> standard = {
      {kResultOk, QMessageBox::Ok}, {kResultCancel, QMessageBox::Cancel},
      {kResultYes, QMessageBox::Yes}, {kResultNo, QMessageBox::No}};
  box->button(standard[result])->click();
}

TEST(Messages, BothInterfacesGiveTheSameTextsButtonsAndResults) {
  for (bool standard : {false, true}) {
    QtUiHost host;
    host.SetStandardInterface(standard);
    for (const Answer& answer : kAnswers) {
      MessageRequest request{"Your work will be reconverted!\nContinue?", answer.buttons,
                             MessageIcon::kQuestion, "", 0};
      QString shownText;
      QStringList shownButtons;
      test::WhenModalAppears([&](QWidget* modal) {
        for (QPushButton* button : modal->findChildren<QPushButton*>()) {
          if (button->isVisible()) shownButtons << button->text().remove('&');
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) shownText = box->text();
        for (QLabel* label : modal->findChildren<QLabel*>()) {
          if (label->text().startsWith("Your work")) shownText = label->text();
        }
        Press(modal, answer.click);
      });
      EXPECT_EQ(host.ShowMessage(request), answer.expected)
          << (standard ? "standard " : "styled ") << int(answer.buttons) << " " << answer.click;
      EXPECT_EQ(shownText.toStdString(), request.text);
      QStringList expectedButtons;
      for (const MessageButtonChoice& choice : ButtonsOf(answer.buttons)) {
        expectedButtons << QString(choice.text).remove('&');
      }
      shownButtons.sort();
      expectedButtons.sort();
      EXPECT_EQ(shownButtons, expectedButtons);
    }
  }
}

TEST(Messages, TheDefaultButtonIsTheRequestedOne) {
  MessageRequest request{"Save changes?", MessageButtons::kYesNoCancel, MessageIcon::kNone, "",
                         kResultNo};
  StyledMessageDialog dialog(request);
  EXPECT_TRUE(dialog.Button(kResultNo)->isDefault());
  EXPECT_FALSE(dialog.Button(kResultYes)->isDefault());
  EXPECT_EQ(dialog.windowTitle(), "Tintara");
  EXPECT_EQ(dialog.Button(kResultOk), nullptr);
}

ProgressCounters Counters(int total, int number) { return {total, number}; }

TEST(Progress, WindowFollowsTheStepsAndEscapeCancels) {
  QtUiHost host;
  host.ProgressBegin(Counters(0, 0));
  EXPECT_EQ(host.Progress(), nullptr) << "no window outside a counted operation";
  EXPECT_FALSE(host.ProgressStep(Counters(0, 0), 5, 10));

  host.ProgressBegin(Counters(2, 0));
  ProgressWindow* window = host.Progress();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  host.ProgressBegin(Counters(2, 1));
  EXPECT_EQ(host.Progress(), window) << "a begin during a later step does nothing";

  EXPECT_FALSE(host.ProgressStep(Counters(2, 0), 50, 100));
  EXPECT_EQ(window->Text(), QString("Processed: %1%").arg(ProgressPercent({2, 0}, 50, 100)));
  EXPECT_EQ(window->Text(), "Processed: 24%");
  EXPECT_TRUE(window->HintVisible());

  // Pressing Escape alone does nothing; its release cancels at the next step.
  test::SendKey(window, QEvent::KeyPress, Qt::Key_Escape);
  EXPECT_FALSE(host.ProgressStep(Counters(2, 0), 60, 100));
  test::SendKey(window, QEvent::KeyRelease, Qt::Key_Escape);
  EXPECT_TRUE(host.ProgressStep(Counters(2, 0), 70, 100));
  EXPECT_EQ(host.Progress(), nullptr);
}

TEST(Progress, AboveNinetyEightPercentItCannotBeCancelled) {
  QtUiHost host;
  host.ProgressBegin(Counters(1, 0));
  ProgressWindow* window = host.Progress();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(host.ProgressStep(Counters(1, 0), 99, 100));  // 99·100 / 101 = 98
  EXPECT_EQ(window->Text(), "Processed: 98%");
  EXPECT_FALSE(host.ProgressStep(Counters(1, 0), 100, 100));  // 99
  EXPECT_EQ(window->Text(), "Generating template");
  EXPECT_FALSE(window->HintVisible());
  test::SendKey(window, QEvent::KeyRelease, Qt::Key_Escape);
  EXPECT_FALSE(host.ProgressStep(Counters(1, 0), 100, 100));
  ASSERT_EQ(host.Progress(), window);
  // An end after an earlier step keeps the window; after the last it goes.
  host.ProgressEnd(Counters(3, 1));
  EXPECT_EQ(host.Progress(), window);
  host.ProgressEnd(Counters(1, 0));
  EXPECT_EQ(host.Progress(), nullptr);
}

TEST(LongWork, WorkerSeesEscapeWhileTheWindowRepaints) {
  QtUiHost host;
  std::atomic<int> stepsBeforeCancel{-1};
  bool escapeSent = false;
  QTimer escape;
  QObject::connect(&escape, &QTimer::timeout, [&] {
    ProgressWindow* window = host.Progress();
    if (window == nullptr) return;
    QString shown = window->Text();
    if (shown.remove("Processed: ").remove('%').toInt() < 10) return;
    test::SendKey(window, QEvent::KeyRelease, Qt::Key_Escape);
    escapeSent = true;
    escape.stop();
  });
  escape.start(5);
  RunLongWork(host, [&] {
    ProgressCounters counters{1, 0};
    host.ProgressBegin(counters);
    for (int row = 0; row < 100000; ++row) {
      if (host.ProgressStep(counters, row, 100000)) {
        stepsBeforeCancel = row;
        return;
      }
      QThread::usleep(50);
    }
  });
  EXPECT_TRUE(escapeSent);
  EXPECT_GT(stepsBeforeCancel, 10000) << "cancelled only once the window showed 10 %";
  EXPECT_EQ(host.Progress(), nullptr);
}

TEST(LongWork, QuestionsAreAnsweredAndNoticesWaitForTheEnd) {
  QtUiHost host;
  std::atomic<bool> workDone{false};
  std::vector<bool> updatesSeenAfterWork;
  QObject::connect(&host, &QtUiHost::updateViewsRequested,
                   [&] { updatesSeenAfterWork.push_back(workDone.load()); });
  std::vector<int> stages;
  QObject::connect(&host, &QtUiHost::workStageRequested, [&](int stage) { stages.push_back(stage); });
  test::WhenModalAppears([](QWidget* modal) { Press(modal, kResultNo); });
  int answer = 0;
  Qt::HANDLE workerThread = nullptr;
  RunLongWork(host, [&] {
    workerThread = QThread::currentThreadId();
    host.UpdateViews();
    host.SetWorkStage(3);
    answer = host.ShowMessage({"Continue?", MessageButtons::kYesNo, MessageIcon::kNone, "", 0});
    host.UpdateViews();
    workDone = true;
  });
  EXPECT_NE(workerThread, QThread::currentThreadId());
  EXPECT_EQ(answer, kResultNo);
  EXPECT_EQ(updatesSeenAfterWork, (std::vector<bool>{true, true}));
  EXPECT_EQ(stages, std::vector<int>{3});

  EXPECT_THROW(RunLongWork(host, [] { throw std::runtime_error("out of paint"); }),
               std::runtime_error);
}

TEST(Splash, AnyPressClosesItAndIsSwallowed) {
  QWidget behind;
  behind.show();
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::MouseButtonPress}) {
    SplashWindow splash(QStringLiteral("notice"));
    splash.show();
    ASSERT_TRUE(splash.isVisible());
    bool reached = false;
    struct Watch : QObject {
      bool* reached;
      explicit Watch(bool* r) : reached(r) {}
      bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) {
          *reached = true;
        }
        return false;
      }
    } watch(&reached);
    behind.installEventFilter(&watch);
    if (type == QEvent::KeyPress) {
      test::SendKey(&behind, type, Qt::Key_A);
    } else {
      test::SendMouse(&behind, type, QPoint(3, 3), Qt::RightButton, Qt::RightButton);
    }
    behind.removeEventFilter(&watch);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(reached);
  }
  // With the splash gone, presses reach the window again.
  bool reachedLater = false;
  struct Count : QObject {
    bool* flag;
    explicit Count(bool* f) : flag(f) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::KeyPress) *flag = true;
      return false;
    }
  } count(&reachedLater);
  behind.installEventFilter(&count);
  test::SendKey(&behind, QEvent::KeyPress, Qt::Key_A);
  EXPECT_TRUE(reachedLater);
}

TEST(Splash, ClosesByItselfAfterThreeSeconds) {
  QElapsedTimer clock;
  clock.start();
  SplashWindow* splash = ShowSplash({});
  QPointer<SplashWindow> watched(splash);
  ASSERT_TRUE(test::WaitFor([&] { return watched.isNull(); }, 6000));
  EXPECT_GE(clock.elapsed(), kSplashMilliseconds);
}

TEST(Splash, ShowsThePaintDataNoticeFromTheProgramFolder) {
  QString notice = ReadPaintDataNotice(QString::fromStdString(test::ProgramFolder().string()));
  EXPECT_TRUE(notice.contains("MIT License")) << notice.toStdString();
  SplashWindow splash(notice);
  EXPECT_EQ(splash.Notice(), notice);
  test::TempDir empty;
  EXPECT_EQ(ReadPaintDataNotice(QString::fromStdString(empty.Path().string())), "");
  SplashWindow plain{QString()};
  EXPECT_LT(plain.height(), splash.height());
}

}  // namespace
}  // namespace tintara
