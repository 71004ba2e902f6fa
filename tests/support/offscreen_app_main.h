// The main() of the test programs that need a QApplication: the offscreen
// platform and a private runtime folder, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace tintara::test {

inline int RunOffscreenApplicationTests(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::string runtime = (std::filesystem::temp_directory_path() / "tintara-qt-XXXXXX").string();
  if (mkdtemp(runtime.data()) == nullptr) return 1;
  chmod(runtime.c_str(), 0700);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  int result = 0;
  {
    QApplication application(argc, argv);
    // Closing a main window in one test must not end the event loops of later tests.
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    result = RUN_ALL_TESTS();
  }
  std::error_code ignored;
  std::filesystem::remove_all(runtime, ignored);
  return result;
}

}  // namespace tintara::test
