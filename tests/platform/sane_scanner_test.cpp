// Real scans from SANE's virtual test devices, compared with what scanimage
// writes for the same options.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>

#include "platform/sane_scanner_library.h"
#include "tests/support/sane_test_devices.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

using test::SaneTestDevices;
using test::TempDir;

size_t FilesIn(const std::filesystem::path& folder) {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

class SaneScannerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(library.Start()); }
  void TearDown() override { library.Stop(); }

  // What scanimage writes for the same device and options.
  QImage ScanImage(const std::string& device, const ScanOptions& options) {
    std::string out = scratch.File("reference.png");
    std::string command = "scanimage -d " + device + " --format=png" +
                          " --mode " + (options.color ? "Color" : "Gray") +
                          " --resolution " + std::to_string(options.resolution) +
                          " -l " + std::to_string(options.area.left) +
                          " -t " + std::to_string(options.area.top) +
                          " -x " + std::to_string(options.area.width) +
                          " -y " + std::to_string(options.area.height) + " -o " + out;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return QImage(QString::fromStdString(out));
  }

  SaneTestDevices devices;
  SaneScannerLibrary library;
  TempDir scratch;
};

TEST_F(SaneScannerTest, ListsTheSourcesInLibraryOrderWithTheirDetails) {
  EXPECT_EQ(SourceNames(library), (std::vector<std::string>{"test:0", "test:1"}));
  EXPECT_TRUE(HasSource(library, "test:1"));
  EXPECT_FALSE(HasSource(library, "test"));  // exact names only
  std::vector<ScanSource> sources = library.Sources();
  ASSERT_EQ(sources.size(), 2u);
  EXPECT_EQ(sources[0].vendor, "Noname");
  EXPECT_EQ(sources[0].model, "frontend-tester");
  EXPECT_EQ(KindOfSource(sources[0]), DeviceKind::kOther);  // a "virtual device"
}

TEST_F(SaneScannerTest, FindsNoSourceWithoutBackends) {
  library.Stop();
  devices.ConfigureNoDevices();
  ASSERT_TRUE(library.Start());
  std::string name = "left over";
  EXPECT_FALSE(library.FirstSource(name));
  EXPECT_TRUE(library.Sources().empty());
}

TEST_F(SaneScannerTest, ReportsWhatTheDeviceOffers) {
  std::string error;
  std::optional<ScanCapabilities> offered = library.Capabilities("test:0", &error);
  ASSERT_TRUE(offered) << error;
  EXPECT_EQ(offered->minResolution, 1);
  EXPECT_EQ(offered->maxResolution, 1200);
  EXPECT_TRUE(offered->hasColor);
  EXPECT_TRUE(offered->hasGray);
  EXPECT_DOUBLE_EQ(offered->maxWidth, 200);
  EXPECT_DOUBLE_EQ(offered->maxHeight, 200);
  EXPECT_FALSE(offered->hasPreview);  // the virtual device has no preview switch
  EXPECT_EQ(offered->defaults.resolution, 75);  // it reports 50 as a fraction of a dot
  EXPECT_FALSE(offered->defaults.color);  // the device starts in grey
  EXPECT_EQ(offered->defaults.area, (ScanArea{0, 0, 80, 100}));
  EXPECT_TRUE(std::is_sorted(offered->resolutions.begin(), offered->resolutions.end()));
  EXPECT_NE(std::find(offered->resolutions.begin(), offered->resolutions.end(), 1200),
            offered->resolutions.end());

  EXPECT_FALSE(library.Capabilities("no:such:device", &error));
  EXPECT_NE(error.find("no:such:device"), std::string::npos);
}

TEST_F(SaneScannerTest, ScansTheSamePixelsAsScanimageInColourAndGreyAtTwoResolutions) {
  struct Case {
    bool color;
    int resolution;
  };
  for (Case c : {Case{true, 25}, Case{true, 50}, Case{false, 25}, Case{false, 50}}) {
    SCOPED_TRACE(std::to_string(c.resolution) + (c.color ? " dpi colour" : " dpi grey"));
    ScanOptions options{c.resolution, c.color, {2, 3, 40, 30}, false};
    int calls = 0;
    int last = -1;
    ScanOutcome outcome = library.Scan("test:0", options, scratch.Path().string(), [&](int p) {
      EXPECT_GE(p, last);
      last = p;
      ++calls;
      return true;
    });
    ASSERT_EQ(outcome.end, ScanEnd::kDone) << outcome.message;
    EXPECT_GT(calls, 0);
    EXPECT_EQ(last, 100);
    QImage scanned(QString::fromStdString(outcome.path));
    ASSERT_FALSE(scanned.isNull());
    QImage reference = ScanImage("test:0", options);
    ASSERT_FALSE(reference.isNull());
    EXPECT_EQ(scanned.size(), reference.size());
    EXPECT_EQ(scanned.isGrayscale(), !c.color);
    EXPECT_EQ(scanned.convertToFormat(QImage::Format_RGB888),
              reference.convertToFormat(QImage::Format_RGB888));
    EXPECT_EQ(qRound(scanned.dotsPerMeterX() * 0.0254), c.resolution);
    std::filesystem::remove(outcome.path);
  }
}

TEST_F(SaneScannerTest, SeparateColourFramesMakeTheSamePictureAsOneFrame) {
  library.Stop();
  devices.Configure({"three-pass true", "three-pass-order BGR"});
  ASSERT_TRUE(library.Start());
  ScanOptions options{30, true, {0, 0, 30, 20}, false};
  ScanOutcome outcome = library.Scan("test:1", options, scratch.Path().string(), {});
  ASSERT_EQ(outcome.end, ScanEnd::kDone) << outcome.message;
  QImage separate(QString::fromStdString(outcome.path));
  library.Stop();
  devices.Configure({});
  ASSERT_TRUE(library.Start());
  outcome = library.Scan("test:1", options, scratch.Path().string(), {});
  ASSERT_EQ(outcome.end, ScanEnd::kDone) << outcome.message;
  QImage single(QString::fromStdString(outcome.path));
  EXPECT_FALSE(single.isGrayscale());
  EXPECT_EQ(separate.convertToFormat(QImage::Format_RGB888),
            single.convertToFormat(QImage::Format_RGB888));
}

TEST_F(SaneScannerTest, AHandScannerThatDoesNotKnowTheHeightIsReadToTheEnd) {
  library.Stop();
  devices.Configure({"hand-scanner true"});
  ASSERT_TRUE(library.Start());
  ScanOptions options{20, false, {}, false};
  ScanOutcome outcome = library.Scan("test:0", options, scratch.Path().string(), {});
  ASSERT_EQ(outcome.end, ScanEnd::kDone) << outcome.message;
  // scanimage writes such scans only as PNM.
  std::string reference = scratch.File("hand.pnm");
  std::string command = "scanimage -d test:0 --mode Gray --resolution 20 --format=pnm -o " + reference;
  ASSERT_EQ(std::system(command.c_str()), 0);
  QImage scanned(QString::fromStdString(outcome.path));
  QImage expected(QString::fromStdString(reference));
  ASSERT_FALSE(expected.isNull());
  EXPECT_GT(scanned.height(), 1);
  EXPECT_EQ(scanned.convertToFormat(QImage::Format_Grayscale8),
            expected.convertToFormat(QImage::Format_Grayscale8));
}

TEST_F(SaneScannerTest, CancelMidScanLeavesNoFile) {
  library.Stop();
  devices.Configure({"read-limit true", "read-limit-size 64"});
  ASSERT_TRUE(library.Start());
  int cancelledAt = -1;
  ScanOutcome outcome = library.Scan("test:0", {100, true, {0, 0, 50, 50}, false},
                                     scratch.Path().string(), [&](int percent) {
                                       if (percent < 20) return true;
                                       cancelledAt = percent;
                                       return false;
                                     });
  EXPECT_EQ(outcome.end, ScanEnd::kCancelled);
  EXPECT_GT(cancelledAt, 0);
  EXPECT_LT(cancelledAt, 100);
  EXPECT_TRUE(outcome.path.empty());
  EXPECT_EQ(FilesIn(scratch.Path()), 0u);
  EXPECT_FALSE(library.Busy());
  // The device is free again afterwards.
  EXPECT_EQ(library.Scan("test:0", {10, false, {0, 0, 10, 10}, false}, scratch.Path().string(), {})
                .end,
            ScanEnd::kDone);
}

TEST_F(SaneScannerTest, DeviceFailingDuringTheScanIsReportedWithoutAFile) {
  library.Stop();
  devices.Configure({"read-status-code \"SANE_STATUS_IO_ERROR\""});
  ASSERT_TRUE(library.Start());
  ScanOutcome outcome =
      library.Scan("test:0", {25, true, {0, 0, 20, 20}, false}, scratch.Path().string(), {});
  EXPECT_EQ(outcome.end, ScanEnd::kDeviceGone);
  EXPECT_NE(outcome.message.find("test:0"), std::string::npos);
  EXPECT_EQ(FilesIn(scratch.Path()), 0u);
}

TEST_F(SaneScannerTest, UnknownDeviceIsNotFound) {
  ScanOutcome outcome = library.Scan("gone:7", {}, scratch.Path().string(), {});
  EXPECT_EQ(outcome.end, ScanEnd::kNotFound);
  EXPECT_NE(outcome.message.find("gone:7"), std::string::npos);
  EXPECT_FALSE(library.Busy());
}

TEST_F(SaneScannerTest, IsBusyWhileAScanRuns) {
  bool busyDuring = false;
  library.Scan("test:0", {10, true, {0, 0, 10, 10}, false}, scratch.Path().string(),
               [&](int) { return busyDuring = library.Busy(), true; });
  EXPECT_TRUE(busyDuring);
  EXPECT_FALSE(library.Busy());
}

}  // namespace
}  // namespace tintara
