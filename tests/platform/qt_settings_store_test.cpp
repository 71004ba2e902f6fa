// Settings files are read whole by QSettings: one far larger than any the
// program writes is not read, and never written over.
#include "platform/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

// An INI file naming a budget, padded past `bytes` with keys of its own.
void WriteSettingsFile(const std::string& path, size_t bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path);
  out << "[MEMORY]\nPICTURESMB=64\n[PADDING]\n";
  for (size_t i = 0; size_t(out.tellp()) < bytes; ++i) {
    out << "KEY" << i << "=" << std::string(100, 'x') << "\n";
  }
}

TEST(QtSettingsStore, AFileOverTheLimitIsNotReadAndNeverWrittenOver) {
  test::TempDir dir;
  const std::string path = dir.File("big.ini");
  WriteSettingsFile(path, size_t(kMaxSettingsFileBytes) + 1);
  const auto size = std::filesystem::file_size(path);
  {
    QtSettingsStore store(QString::fromStdString(path));
    const std::string& text = store.RefusalText();
    EXPECT_NE(text.find(path), std::string::npos) << text;
    EXPECT_NE(text.find("larger than 1 MiB"), std::string::npos) << text;
    EXPECT_NE(text.find("the default settings are used"), std::string::npos) << text;
    EXPECT_FALSE(store.Contains("MEMORY", "PICTURESMB"));
    EXPECT_EQ(store.ReadInt("MEMORY", "PICTURESMB", 2048), 2048);
    // What the program writes lasts for the run only.
    store.WriteInt("MEMORY", "PICTURESMB", 128);
    store.WriteString("PATHS", "PROJECTS", "/tmp");
    EXPECT_EQ(store.ReadInt("MEMORY", "PICTURESMB", 2048), 128);
    EXPECT_EQ(store.ReadString("PATHS", "PROJECTS", ""), "/tmp");
    store.Flush();
  }
  EXPECT_EQ(std::filesystem::file_size(path), size);

  const std::string small = dir.File("small.ini");
  WriteSettingsFile(small, size_t(kMaxSettingsFileBytes) - 200);
  QtSettingsStore store(QString::fromStdString(small));
  EXPECT_EQ(store.RefusalText(), "");
  EXPECT_EQ(store.ReadInt("MEMORY", "PICTURESMB", 2048), 64);
}

TEST(QtSettingsStore, TheUsersStoreOverTheLimitIsNotReadEither) {
  test::TempDir dir;
  const QByteArray old = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.File("config")));
  const std::string path = dir.File("config/TAVEN Imaging Tintara/Tintara 2.0.conf");
  WriteSettingsFile(path, 1000);
  {
    // The file checked is the one QSettings reads.
    QSettings native(QStringLiteral("TAVEN Imaging Tintara"), QStringLiteral("Tintara 2.0"));
    EXPECT_EQ(native.fileName().toStdString(), path);
    QtSettingsStore store;
    EXPECT_EQ(store.RefusalText(), "");
    EXPECT_EQ(store.ReadInt("MEMORY", "PICTURESMB", 2048), 64);
  }
  WriteSettingsFile(path, size_t(kMaxSettingsFileBytes) + 1);
  {
    QtSettingsStore store;
    EXPECT_NE(store.RefusalText().find(path), std::string::npos) << store.RefusalText();
    EXPECT_EQ(store.ReadInt("MEMORY", "PICTURESMB", 2048), 2048);
  }
  qputenv("XDG_CONFIG_HOME", old);
}

}  // namespace
}  // namespace tintara
