#include <gtest/gtest.h>

#include "ports/scripted_dialogs.h"

namespace tintara {
namespace {

class ScriptedScanDialogsTest : public ::testing::Test {
 protected:
  ScriptedAnswers answers;
  ScriptedDialogs dialogs{answers};
  const std::vector<std::string> sources{"test:0", "test:1"};
};

TEST_F(ScriptedScanDialogsTest, TwainSettingsTakesSourcesOfEnabledListsOnly) {
  const TwainSourceNames stored{"gone:1", "test:1", "camera:9"};
  answers.Add("TWAIN Settings", ScriptValue::Object{});
  answers.Add("TWAIN Settings", ScriptValue::Object{{"scanner", "test:1"}});
  answers.Add("TWAIN Settings", ScriptValue::Object{{"camera", "test:0"}});
  answers.Add("TWAIN Settings", ScriptValue::Object{{"other", "test:7"}});

  // OK as opened: the scanner list showed its first source in place of the lost one.
  EXPECT_EQ(dialogs.TwainSettings(sources, stored, DeviceKind::kScanner),
            (TwainSourceNames{"test:0", "test:1", "camera:9"}));
  EXPECT_EQ(dialogs.TwainSettings(sources, stored, std::nullopt),
            (TwainSourceNames{"test:1", "test:1", "test:0"}));
  EXPECT_FALSE(dialogs.TwainSettings(sources, stored, DeviceKind::kScanner));  // camera disabled
  EXPECT_FALSE(dialogs.TwainSettings(sources, stored, std::nullopt));          // not a source
  EXPECT_EQ(dialogs.refused.size(), 2u);
  EXPECT_FALSE(dialogs.TwainSettings(sources, stored, std::nullopt));          // no answer left
}

TEST_F(ScriptedScanDialogsTest, ScanSettingsChangesTheFieldsGivenWithinWhatTheDeviceOffers) {
  ScanCapabilities offered;
  offered.resolutions = {75, 150, 300};
  offered.hasColor = true;
  offered.hasGray = true;
  offered.maxWidth = 100;
  offered.maxHeight = 120;
  const ScanOptions initial{75, true, {0, 0, 100, 120}, false};
  answers.Add("Scan Settings",
              ScriptValue::Object{{"resolution", 150},
                                  {"mode", "gray"},
                                  {"area", ScriptValue::List{1, 2.5, 50, 60}}});
  answers.Add("Scan Settings", ScriptValue::Object{{"resolution", 200}});
  answers.Add("Scan Settings", ScriptValue::Object{{"area", ScriptValue::List{60, 0, 50, 10}}});
  answers.Add("Scan Settings", ScriptValue::Object{{"preview", true}});

  EXPECT_EQ(dialogs.ScanSettings("test:0", offered, initial),
            (ScanOptions{150, false, {1, 2.5, 50, 60}, false}));
  EXPECT_FALSE(dialogs.ScanSettings("test:0", offered, initial));  // not offered
  EXPECT_FALSE(dialogs.ScanSettings("test:0", offered, initial));  // past the right edge
  EXPECT_FALSE(dialogs.ScanSettings("test:0", offered, initial));  // no preview switch
  EXPECT_EQ(dialogs.refused.size(), 3u);
}

}  // namespace
}  // namespace tintara
