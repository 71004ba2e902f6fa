// The whole program in a test: a private program folder holding the brand
// files, real INI settings, and helpers that answer the dialogs a user would.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "app/main_frame.h"
#include "app/styled_message_dialog.h"
#include "app/tessel20_app.h"
#include "document/tessel_doc.h"
#include "platform/picture_files.h"
#include "platform/qt_settings_store.h"
#include "tests/gui/gui_helpers.h"
#include "tests/support/synthetic_images.h"
#include "tests/support/temp_dir.h"

namespace tintara::test {

// Answers the modal windows that come up, in order, one action each. Stops
// looking when it goes out of scope, so an unused answer cannot reach a later
// test.
class ModalScript {
 public:
  explicit ModalScript(std::vector<std::function<void(QWidget*)>> acts) : acts_(std::move(acts)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      // The window answered last may still be closing.
      if (modal == nullptr || modal == last_.data() || next_ >= acts_.size()) return;
      last_ = modal;
      acts_[next_++](modal);
      if (next_ == acts_.size()) timer_.stop();
    });
    timer_.start(5);
  }
  size_t Answered() const { return next_; }

 private:
  std::vector<std::function<void(QWidget*)>> acts_;
  size_t next_ = 0;
  QPointer<QWidget> last_;
  QTimer timer_;
};

// One modal window answered by `act`.
class ModalAnswer : public ModalScript {
 public:
  explicit ModalAnswer(std::function<void(QWidget*)> act) : ModalScript({std::move(act)}) {}
};

// The text of a message box of either interface.
inline QString MessageText(QWidget* modal) {
  if (auto* box = qobject_cast<QMessageBox*>(modal)) return box->text();
  if (auto* label = modal->findChild<QLabel*>(QStringLiteral("messageText"))) return label->text();
  return {};
}

// Presses the button of result `result` in a message box of either interface.
// Presses OK in a dialog's button box as the mouse would.
inline void ClickDialogOk(QDialog* dialog) {
  auto* buttons = dialog->findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

inline void PressMessageButton(QWidget* modal, int result) {
  if (auto* styled = qobject_cast<StyledMessageDialog*>(modal)) {
    styled->Button(result)->click();
    return;
  }
  auto* box = qobject_cast<QMessageBox*>(modal);
  ASSERT_NE(box, nullptr) << "not a message box: " << modal->metaObject()->className();
  QMessageBox::StandardButton button = result == kResultYes   ? QMessageBox::Yes
                                       : result == kResultNo  ? QMessageBox::No
                                       : result == kResultOk  ? QMessageBox::Ok
                                                              : QMessageBox::Cancel;
  box->button(button)->click();
}

// Answers the next message box with OK, whatever other windows come first.
class MessageCatcher {
 public:
  MessageCatcher() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || MessageText(modal).isEmpty()) return;
      told = MessageText(modal);
      timer_.stop();
      PressMessageButton(modal, kResultOk);
    });
    timer_.start(5);
  }
  QString told;

 private:
  QTimer timer_;
};

// Chooses `path` in a file dialog, or cancels it when `path` is empty.
inline void ChooseFile(QWidget* modal, const std::string& path) {
  auto* dialog = qobject_cast<QFileDialog*>(modal);
  ASSERT_NE(dialog, nullptr) << "not a file dialog: " << modal->metaObject()->className();
  if (path.empty()) return dialog->reject();
  dialog->selectFile(QString::fromStdString(path));
  static_cast<QDialog*>(dialog)->accept();  // the file dialog's own check runs
}

class AppFixture {
 public:
  AppFixture() : settings_(Ini()), oldHome_(qgetenv("HOME")) {
    namespace fs = std::filesystem;
    // The user's documents folder, where projects are proposed, is the test's own.
    fs::create_directories(Home());
    qputenv("HOME", QByteArray::fromStdString(Home().string()));
    fs::create_directories(ProgramDir());
    for (const auto& entry : fs::directory_iterator(ProgramFolder())) {
      if (entry.path().extension() == ".dat") {
        fs::copy_file(entry.path(), ProgramDir() / entry.path().filename());
      }
    }
    // Small patterns keep the pipeline quick: a custom A4 printer at 150 dpi.
    settings_.WriteInt("SETTINGS", "USECURPRN", 0);
    settings_.WriteInt("SETTINGS", "PRNRES", 0);
    settings_.WriteInt("INTERFACE", "WININTERFACE", 0);
    settings_.WriteInt("WIZARD", "SHOWONSTART", 1);
    // The classic pattern, which the exact outputs here were made with.
    settings_.WriteInt("SETTINGS", "COLORMATCH", 0);
    settings_.WriteInt("SETTINGS", "MERGESMALLAREAS", 0);
    settings_.WriteInt("SETTINGS", "AUTOORIENT", 0);
    settings_.Flush();
  }
  ~AppFixture() {
    if (app) app->Exit();
    app.reset();
    qputenv("HOME", oldHome_);
  }

  std::filesystem::path ProgramDir() const { return folder.Path() / "program"; }
  std::filesystem::path Home() const { return folder.Path() / "home"; }
  QString Ini() const { return QString::fromStdString(folder.File("settings.ini")); }
  // The settings file as the program will read it (write before Start).
  QtSettingsStore& StoredSettings() { return settings_; }

  StartResult Start(const std::string& fileToOpen = {}) {
    settings_.Flush();
    AppOptions options;
    options.programPath = QString::fromStdString((ProgramDir() / "tintara").string());
    options.settingsFile = Ini();
    options.fileToOpen = QString::fromStdString(fileToOpen);
    options.showSplash = false;
    options.scanFolder = scanFolder;
    app = std::make_unique<CTessel20App>(options);
    return app->Start();
  }

  CTessel20Doc& Doc() { return app->Doc(); }
  CMainFrame& Frame() { return *app->Frame(); }

  // The item `text` of the menu bar's menu `title`, searched in its submenus too.
  QAction* MenuItem(const QString& title, const QString& text) {
    for (QAction* top : Frame().menuBar()->actions()) {
      if (top->text() == title) return FindItem(top->menu(), text);
    }
    ADD_FAILURE() << "no menu " << title.toStdString();
    return nullptr;
  }
  static QAction* FindItem(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
      if (action->text() == text) return action;
      if (action->menu() == nullptr) continue;
      if (QAction* inner = FindItem(action->menu(), text)) return inner;
    }
    return nullptr;
  }
  // Chooses an enabled menu item as a click on it would.
  void Choose(const QString& title, const QString& text) {
    QAction* item = MenuItem(title, text);
    ASSERT_NE(item, nullptr) << text.toStdString();
    ASSERT_TRUE(item->isEnabled()) << text.toStdString();
    item->trigger();
  }
  // A key pressed on the main window.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    // A dialog that just closed may have taken the activation with it.
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    QTest::keyClick(&Frame(), key, modifiers);
  }

  // A photo-like picture file in the test folder.
  std::string WritePicture(const std::string& name, int width, int height) {
    std::string path = folder.File(name);
    EXPECT_EQ(SavePictureFile(*MakePhoto(width, height), QString::fromStdString(path)), "");
    return path;
  }

  TempDir folder;
  std::unique_ptr<CTessel20App> app;
  QString scanFolder;  // where scans wait to load; empty: the temporary folder

 private:
  QtSettingsStore settings_;
  QByteArray oldHome_;
};

}  // namespace tintara::test
