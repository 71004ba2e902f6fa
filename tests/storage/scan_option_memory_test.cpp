#include "storage/scan_option_memory.h"

#include <gtest/gtest.h>

#include <map>

namespace tintara {
namespace {

// Only the settings port, for the per-device keys.
class MapStore : public SettingsStore {
 public:
  bool Contains(std::string_view section, std::string_view key) const override {
    return values.count(Key(section, key)) != 0;
  }
  int ReadInt(std::string_view, std::string_view, int defaultValue) const override {
    return defaultValue;
  }
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& defaultValue) const override {
    auto found = values.find(Key(section, key));
    return found == values.end() ? defaultValue : found->second;
  }
  void WriteInt(std::string_view, std::string_view, int) override {}
  void WriteString(std::string_view section, std::string_view key,
                   const std::string& value) override {
    values[Key(section, key)] = value;
  }
  void Remove(std::string_view section, std::string_view key) override {
    values.erase(Key(section, key));
  }
  static std::string Key(std::string_view section, std::string_view key) {
    return std::string(section) + "/" + std::string(key);
  }
  std::map<std::string, std::string> values;
};

TEST(ScanOptionMemory, KeysKeepOnlySafeCharacters) {
  EXPECT_EQ(ScanOptionsKey("test:0"), "test_3A0");
  EXPECT_EQ(ScanOptionsKey("v4l:/dev/video0"), "v4l_3A_2Fdev_2Fvideo0");
  EXPECT_EQ(ScanOptionsKey("a_b.c"), "a_5Fb.c");
  EXPECT_NE(ScanOptionsKey("a:b"), ScanOptionsKey("a_b"));
}

TEST(ScanOptionMemory, EachDeviceKeepsItsOwnOptions) {
  MapStore store;
  ScanOptions first{300, false, {1.5, 2, 100, 150.25}, true};
  ScanOptions second{75, true, {0, 0, 80, 100}, false};
  WriteScanOptions(store, "test:0", first);
  WriteScanOptions(store, "test:1", second);
  EXPECT_EQ(ReadScanOptions(store, "test:0"), first);
  EXPECT_EQ(ReadScanOptions(store, "test:1"), second);
  EXPECT_FALSE(ReadScanOptions(store, "test:2"));
  EXPECT_EQ(store.values.count("SCANOPTIONS/test_3A0"), 1u);
}

TEST(ScanOptionMemory, RejectsTextThatDoesNotRead) {
  for (const char* text :
       {"", "resolution=300", "resolution=300 mode=sepia left=0 top=0 width=1 height=1 preview=0",
        "resolution=-5 mode=gray left=0 top=0 width=1 height=1 preview=0",
        "resolution=300 mode=gray left=0 top=-1 width=1 height=1 preview=0",
        "resolution=300 mode=gray left=0 top=0 width=1 height=1 preview=2",
        "resolution=300 mode=gray left=0 top=0 width=1 height=1 preview=0 extra"}) {
    EXPECT_FALSE(ParseScanOptions(text)) << text;
  }
}

TEST(ScanOptionMemory, RememberedOptionsGiveWayToWhatTheDeviceOffersNow) {
  ScanCapabilities offered;
  offered.minResolution = 50;
  offered.maxResolution = 600;
  offered.hasColor = true;
  offered.hasGray = false;
  offered.maxWidth = 210;
  offered.maxHeight = 297;
  offered.hasPreview = false;
  offered.defaults = {150, true, {0, 0, 210, 297}, false};

  ScanOptions fits{300, true, {10, 10, 100, 200}, false};
  EXPECT_EQ(FitScanOptions(fits, offered), fits);

  ScanOptions beyond{1200, false, {150, 0, 100, 100}, true};
  EXPECT_EQ(FitScanOptions(beyond, offered), offered.defaults);
}

}  // namespace
}  // namespace tintara
