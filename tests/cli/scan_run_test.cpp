// devices, scan and create --scan against SANE's virtual test devices.
#include <QDir>

#include "tests/cli/cli_runner.h"
#include "tests/support/sane_test_devices.h"

namespace tintara::test {
namespace {

class ScanCliTest : public CliTest {
 protected:
  ScanCliTest() {
    for (const char* name : {"SANE_CONFIG_DIR", "XDG_RUNTIME_DIR"}) {
      environment.insert(name, qEnvironmentVariable(name));
    }
    // The scans' temporary files land here, where the tests can see them.
    std::filesystem::create_directories(Path("tmp"));
    environment.insert("TMPDIR", Q("tmp"));
  }

  // What scanimage writes for the same options, read as the program reads pictures.
  QImage ScanImage(const QString& device, const QString& mode, int resolution) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start("scanimage", {"-d", device, "--format=png", "--mode", mode, "--resolution",
                                QString::number(resolution), "-o", Q("reference.png")});
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    PictureLoad load = LoadPictureFile(Q("reference.png"));
    EXPECT_TRUE(load.image) << load.error;
    return load.image ? ImageToQImage(*load.image) : QImage();
  }

  QImage Loaded(const std::string& name) {
    PictureLoad load = LoadPictureFile(Q(name));
    EXPECT_TRUE(load.image) << load.error;
    return load.image ? ImageToQImage(*load.image) : QImage();
  }

  // The names of what is left in the temporary folder.
  QStringList TemporaryFilesLeft() {
    return QDir(Q("tmp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
  }

  SaneTestDevices devices;
};

TEST_F(ScanCliTest, DevicesListsEachDeviceOnOneLine) {
  CliResult result = Run({"devices"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_EQ(result.out, "test:0\tNoname\tfrontend-tester\tother\n"
                        "test:1\tNoname\tfrontend-tester\tother\n");
}

TEST_F(ScanCliTest, ScanWritesWhatScanimageWritesInBothModesAndTwoResolutions) {
  for (int resolution : {20, 40}) {
    for (QString mode : {"color", "gray"}) {
      SCOPED_TRACE(mode.toStdString() + " " + std::to_string(resolution));
      CliResult result = Run({"scan", "--device", "test:1", "--resolution",
                              QString::number(resolution), "--mode", mode, "-o", Q("scan.png")});
      ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
      EXPECT_TRUE(result.err.contains("progress 100% scanning from test:1"));
      QImage reference = ScanImage("test:1", mode == "color" ? "Color" : "Gray", resolution);
      EXPECT_EQ(Loaded("scan.png"), reference);
      EXPECT_EQ(TemporaryFilesLeft(), QStringList());
    }
  }
}

TEST_F(ScanCliTest, ScanWithoutADeviceTakesTheStoredScannerElseTheFirst) {
  std::ofstream(Path("settings.ini")) << "[SETTINGS]\nPRNRES=0\n[TWAIN]\nSCANNER=test:1\n"
                                      << "[SCANOPTIONS]\ntest_3A1=resolution=20 mode=gray "
                                         "left=0 top=0 width=30 height=30 preview=0\n";
  CliResult result = Run({"scan", "-o", Q("stored.png")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_TRUE(result.err.contains("scanning from test:1"));
  EXPECT_EQ(Loaded("stored.png").size(), QSize(23, 23));  // 30 mm at 20 dpi

  std::ofstream(Path("settings.ini")) << "[TWAIN]\nSCANNER=unplugged:3\n";
  result = Run({"scan", "--resolution", "10", "-o", Q("first.png")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_TRUE(result.err.contains("scanning from test:0"));
}

TEST_F(ScanCliTest, FailuresAreOneLineWithExitOne) {
  CliResult unknown = Run({"scan", "--device", "test:9", "-o", Q("x.png")});
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_EQ(unknown.ErrorLines(), QStringList{"tintara-cli: error: no scanner or camera named test:9"});
  EXPECT_FALSE(QFile::exists(Q("x.png")));

  CliResult badMode = Run({"scan", "--mode", "sepia", "-o", Q("x.png")});
  EXPECT_EQ(badMode.exitCode, 2);

  devices.Configure({"read-status-code \"SANE_STATUS_IO_ERROR\""});
  CliResult broken = Run({"scan", "--resolution", "20", "-o", Q("x.png")});
  EXPECT_EQ(broken.exitCode, 1);
  ASSERT_EQ(broken.ErrorLines().size(), 1);
  EXPECT_TRUE(broken.ErrorLines()[0].contains("stopped answering"));
  EXPECT_FALSE(QFile::exists(Q("x.png")));
  EXPECT_EQ(TemporaryFilesLeft(), QStringList());

  devices.ConfigureNoDevices();
  for (QStringList arguments : {QStringList{"scan", "-o", Q("x.png")},
                                QStringList{"create", "--scan", "-o", Q("p.mop")}}) {
    CliResult none = Run(arguments);
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.ErrorLines(), QStringList{"tintara-cli: error: no scanner found"});
  }
  EXPECT_FALSE(QFile::exists(Q("p.mop")));
}

TEST_F(ScanCliTest, ResolutionsTheDeviceDoesNotOfferAreRefusedNamingItsRange) {
  // The virtual device scans at 1 to 1200 dpi; beyond that it would clamp,
  // and 65535 does not fit its fixed-point word at all.
  for (const char* dpi : {"1201", "2400", "65535"}) {
    CliResult refused = Run({"scan", "--device", "test:0", "--resolution", dpi, "-o", Q("x.png")});
    EXPECT_EQ(refused.exitCode, 1) << dpi;
    EXPECT_EQ(refused.ErrorLines(),
              QStringList{QString("tintara-cli: error: The device test:0 scans at 1 to 1200 dpi, "
                                  "not at %1 dpi.").arg(dpi)});
    EXPECT_FALSE(QFile::exists(Q("x.png")));
  }
  EXPECT_EQ(TemporaryFilesLeft(), QStringList());
  // Its highest resolution is used as asked, without a remark (over a
  // remembered area of 10 x 10 mm, to keep the picture small).
  std::ofstream(Path("settings.ini"), std::ios::app)
      << "[SCANOPTIONS]\ntest_3A0=resolution=20 mode=gray left=0 top=0 width=10 height=10 "
         "preview=0\n";
  CliResult top = Run({"scan", "--device", "test:0", "--resolution", "1200", "--mode", "gray",
                       "-o", Q("top.png")});
  ASSERT_EQ(top.exitCode, 0) << top.err.toStdString();
  EXPECT_EQ(top.NoteLines(), QStringList());
  QImage picture(Q("top.png"));
  EXPECT_EQ(picture.dotsPerMeterX(), 47244);  // 1200 dpi
  EXPECT_NEAR(picture.width(), 472, 2);
}

TEST_F(ScanCliTest, CreateFromTheScannerKeepsTheScanAsTheProjectsPicture) {
  std::ofstream(Path("settings.ini")) << "[SETTINGS]\nPRNRES=0\n[SCANOPTIONS]\n"
                                      << "test_3A0=resolution=30 mode=color left=0 top=0 width=80 height=100 preview=0\n";
  CliResult result = Run({"create", "--scan", "--device", "test:0", "-o", Q("scanned.mop"),
                          "--colors", "8"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_EQ(TemporaryFilesLeft(), QStringList());
  ProjectData project = Read(Path("scanned.mop"));
  ASSERT_TRUE(project.initialPicture);
  EXPECT_TRUE(project.convertedPicture);
  EXPECT_EQ(project.pictureOrigin, 2);
  EXPECT_EQ(project.pictureFileName, "");
  QImage reference = ScanImage("test:0", "Color", 30);
  QImage scanned = ImageToQImage(*project.initialPicture);
  EXPECT_EQ(scanned.size(), reference.size());
  EXPECT_EQ(scanned.convertToFormat(QImage::Format_RGB888), reference.convertToFormat(QImage::Format_RGB888));

  EXPECT_EQ(Run({"create", Q("photo.png"), "--scan", "-o", Q("p.mop")}).exitCode, 2);
  EXPECT_EQ(Run({"create", Q("photo.png"), "--device", "test:0", "-o", Q("p.mop")}).exitCode, 2);
}

}  // namespace
}  // namespace tintara::test
