// The engine itself: its registry, parameter slots, capability answers, error
// reporting and the host callbacks of the site.
#include <gtest/gtest.h>

#include <set>

#include "imaging/filters/builtin_tools.h"
#include "tests/filters/filter_fixture.h"
#include "tests/filters/test_tools.h"

namespace tintara::test {
namespace {

class EngineTest : public FilterFixture {
 protected:
  void SetUp() override {
    FilterFixture::SetUp();
    Probe::Reset();
    ASSERT_TRUE(FilterEngine::RegisterTool(site_, "probe", &MakeProbeTool));
  }
};

TEST_F(EngineTest, RegistryKnowsTheBuiltInToolsByDistinctIds) {
  std::set<uint16_t> ids;
  for (const char* name : {"graham_filt", "median_filt", "sharp_filt", "smooth_simp", "ImageRotate",
                           "Change_Size", "#Insert_Tool", "probe"}) {
    uint16_t id = FilterEngine::FindTool(site_, name);
    EXPECT_NE(id, 0) << name;
    ids.insert(id);
  }
  EXPECT_EQ(ids.size(), 8u);
  EXPECT_EQ(FilterEngine::FindTool(site_, "graham"), 0);
  EXPECT_EQ(FilterEngine::FindTool(site_, "GRAHAM_FILT"), 0);
  EXPECT_FALSE(FilterEngine::RegisterTool(site_, "probe", &MakeProbeTool));
  EXPECT_FALSE(FilterEngine::RegisterTool(site_, "", &MakeProbeTool));

  FilterEngine::FreeSite(site_);
  EXPECT_FALSE(site_.IsReady());
  EXPECT_EQ(FilterEngine::FindTool(site_, "graham_filt"), 0);
  EXPECT_FALSE(FilterEngine::CreateTool(site_, "graham_filt"));
}

TEST_F(EngineTest, UnknownToolIsReportedOnceWithItsName) {
  ToolHandle tool = FilterEngine::CreateTool(site_, "no_such_tool");
  EXPECT_FALSE(tool);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, StatusMessage(kStatusNotAvailable));
  EXPECT_EQ(host_.messages[0].caption, "no_such_tool");
  EXPECT_EQ(host_.messages[0].buttons, MessageButtons::kOk);
}

TEST_F(EngineTest, SlotsAcceptOnlyValuesOfTheirKind) {
  ToolHandle tool = FilterEngine::CreateTool(site_, "probe");
  ASSERT_TRUE(tool);
  EXPECT_EQ(FilterEngine::SetParameter(site_, *tool, 0, 0, 7), kStatusOk);
  EXPECT_EQ(FilterEngine::SetParameter(site_, *tool, kSlotInput, 0, MakeSolid(2, 2, 1, 2, 3)),
            kStatusOk);
  EXPECT_EQ(FilterEngine::SetParameter(site_, *tool, kSlotOutput, 0, ImageRef()), kStatusOk);
  EXPECT_EQ(FilterEngine::ParameterCount(site_, *tool, 0), 1);
  ParameterValue value;
  EXPECT_EQ(FilterEngine::GetParameter(site_, *tool, 0, 0, value), kStatusOk);
  EXPECT_EQ(std::get<int32_t>(value), 7);
  EXPECT_TRUE(host_.messages.empty());

  // Wrong kinds, slots the tool does not have, gaps in the elements.
  EXPECT_EQ(FilterEngine::SetParameter(site_, *tool, 0, 0, Point{1, 2}), kStatusBadParameter);
  EXPECT_EQ(FilterEngine::SetParameter(site_, *tool, 2, 0, 1), kStatusBadParameter);
  EXPECT_EQ(FilterEngine::SetParameter(site_, *tool, kSlotInput, 0, 5), kStatusBadParameter);
  EXPECT_EQ(FilterEngine::SetParameter(site_, *tool, -3, 0, 5), kStatusBadParameter);
  EXPECT_EQ(FilterEngine::SetParameter(site_, *tool, 1, 3, 5), kStatusBadParameter);
  EXPECT_EQ(FilterEngine::GetParameter(site_, *tool, 1, 0, value), kStatusBadParameter);
  EXPECT_EQ(host_.messages.size(), 6u);

  // While errors are frozen the same failures are silent.
  FilterEngine::FreezeErrors(site_);
  FilterEngine::FreezeErrors(site_);
  EXPECT_EQ(FilterEngine::SetParameter(site_, *tool, 0, 0, "text"), kStatusBadParameter);
  FilterEngine::UnfreezeErrors(site_);
  EXPECT_EQ(FilterEngine::SetParameter(site_, *tool, 0, 0, "text"), kStatusBadParameter);
  FilterEngine::UnfreezeErrors(site_);
  EXPECT_EQ(host_.messages.size(), 6u);
  EXPECT_FALSE(site_.ErrorsFrozen());
}

TEST_F(EngineTest, KindsThreeToFiveAtIndexZeroAreFinal) {
  ToolHandle tool = FilterEngine::CreateTool(site_, "probe");
  ASSERT_TRUE(tool);
  for (int kind : {3, 4, 5}) {
    Probe::askedIndexes.clear();
    Probe::capabilitiesAtZero = kind;
    EXPECT_EQ(FilterEngine::CapabilitiesFor(site_, *tool, kKindRgb24), kind);
    EXPECT_EQ(Probe::askedIndexes, std::vector<int>{0});
  }
  // Any other answer is asked again with the picture's format index.
  const std::pair<int32_t, int> formats[] = {
      {kKind1Bit, 0}, {kKind4Bit, 1}, {kKind8Bit, 2}, {kKindGray8, 3}, {kKindRgb24, 4}};
  for (auto [kind, index] : formats) {
    Probe::askedIndexes.clear();
    Probe::capabilitiesAtZero = kToolUnsupported;
    Probe::capabilities = kToolNewPicture | kToolMakesFragment;
    int expected = index == 0 ? kToolUnsupported : kToolNewPicture | kToolMakesFragment;
    EXPECT_EQ(FilterEngine::CapabilitiesFor(site_, *tool, kind), expected);
    EXPECT_EQ(Probe::askedIndexes, (std::vector<int>{0, index}));
  }
}

TEST_F(EngineTest, ExecuteRunsOnlyAToolOfTheRequestedKind) {
  ToolHandle tool = FilterEngine::CreateTool(site_, "probe");
  ASSERT_TRUE(tool);
  EXPECT_EQ(FilterEngine::Execute(site_, *tool, 1), kStatusCannotHandle);  // no input yet
  FilterEngine::SetParameter(site_, *tool, kSlotInput, 0, MakeSolid(2, 2, 1, 2, 3));
  EXPECT_EQ(FilterEngine::Execute(site_, *tool, 0), kStatusCannotHandle);  // in place only
  EXPECT_EQ(Probe::runs, 0);
  EXPECT_EQ(FilterEngine::Execute(site_, *tool, 1), kStatusOk);
  EXPECT_EQ(Probe::runs, 1);

  Probe::runStatus = kStatusNoMemory;
  EXPECT_EQ(FilterEngine::Execute(site_, *tool, 1), kStatusNoMemory);
  Probe::runStatus = kStatusCancelled;
  EXPECT_EQ(FilterEngine::Execute(site_, *tool, 1), kStatusCancelled);
  // Two kind errors and the memory error were reported; the cancel was not.
  ASSERT_EQ(host_.messages.size(), 3u);
  EXPECT_EQ(host_.messages[2].text, StatusMessage(kStatusNoMemory));
}

TEST_F(EngineTest, ErrorTextIsTheCaptionOfTheNextErrorOnly) {
  FilterEngine::SetErrorText(site_, 0, "Insert fragment");
  EXPECT_EQ(FilterEngine::RaiseError(site_, kStatusInsertMissing), kStatusInsertMissing);
  FilterEngine::RaiseError(site_, kStatusCannotHandle);
  ASSERT_EQ(host_.messages.size(), 2u);
  EXPECT_EQ(host_.messages[0].caption, "Insert fragment");
  EXPECT_EQ(host_.messages[0].text, StatusMessage(kStatusInsertMissing));
  EXPECT_EQ(host_.messages[1].caption, "");

  // Text set while frozen belongs to an error nobody sees.
  FilterEngine::FreezeErrors(site_);
  FilterEngine::SetErrorText(site_, 0, "hidden");
  FilterEngine::RaiseError(site_, kStatusNoMemory);
  FilterEngine::UnfreezeErrors(site_);
  FilterEngine::RaiseError(site_, kStatusNoMemory);
  ASSERT_EQ(host_.messages.size(), 3u);
  EXPECT_EQ(host_.messages[2].caption, "");
}

TEST_F(EngineTest, DeletingAToolNeverReports) {
  ToolHandle tool = FilterEngine::CreateTool(site_, "probe");
  ASSERT_TRUE(tool);
  ToolHandle moved = std::move(tool);
  EXPECT_FALSE(tool);
  EXPECT_TRUE(moved);
  FilterEngine::DeleteTool(site_, moved);
  EXPECT_FALSE(moved);
  EXPECT_FALSE(site_.ErrorsFrozen());
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(EngineTest, SettingsCallbacksUseTheEnginesIniFile) {
  EXPECT_EQ(site_.ReadInt("GRAHAM", "PASSES", 3), 3);
  EXPECT_EQ(site_.ReadString("GRAHAM", "NAME", "none"), "none");
  site_.WriteInt("GRAHAM", "PASSES", -42);
  site_.WriteString("GRAHAM", "NAME", "snow removal");
  settings_.Flush();

  // A fresh store on the same file sees the values; the integer went in as text.
  QtSettingsStore reread(QString::fromStdString(folder_.File("tintara.ini")));
  EXPECT_EQ(reread.ReadString("GRAHAM", "PASSES", ""), "-42");
  EXPECT_EQ(reread.ReadInt("GRAHAM", "PASSES", 0), -42);
  EXPECT_EQ(reread.ReadString("GRAHAM", "NAME", ""), "snow removal");
}

TEST_F(EngineTest, MessageAndProgressCallbacksReachTheHost) {
  counters_.stepTotal = 4;
  counters_.stepNumber = 1;
  site_.ProgressBegin();
  host_.SetCancelWhen([](const ProgressCounters& c, int current, int total) {
    return c.stepNumber == 1 && current == 7 && total == 10;
  });
  EXPECT_FALSE(site_.ProgressStep(3, 10));
  EXPECT_TRUE(site_.ProgressStep(7, 10));
  site_.ProgressEnd();
  EXPECT_EQ(host_.progressBegins, 1);
  EXPECT_EQ(host_.progressEnds, 1);
  EXPECT_EQ(host_.progressPercents, (std::vector<int>{ProgressPercent(counters_, 3, 10),
                                                      ProgressPercent(counters_, 7, 10)}));

  site_.ShowMessage("Careful", "Title");
  FilterEngine::FreezeErrors(site_);
  site_.ShowMessage("Hidden", "Title");
  FilterEngine::UnfreezeErrors(site_);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text, "Careful");
  EXPECT_EQ(host_.messages[0].caption, "Title");
}

}  // namespace
}  // namespace tintara::test
