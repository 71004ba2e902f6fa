// The two wrappers: parameter texts, tool kinds, failures that leave the
// picture as it was, cancel, the wait cursor, and the fragment insert path.
#include <gtest/gtest.h>

#include "imaging/filters/builtin_tools.h"
#include "tests/filters/filter_fixture.h"
#include "tests/filters/test_tools.h"

namespace tintara::test {
namespace {

class WrappersTest : public FilterFixture {
 protected:
  void SetUp() override {
    FilterFixture::SetUp();
    Probe::Reset();
    ASSERT_TRUE(FilterEngine::RegisterTool(site_, "probe", &MakeProbeTool));
    ASSERT_TRUE(FilterEngine::RegisterTool(site_, "fragment", &MakeFragmentTool));
  }

  // Every way out restores the cursor it showed.
  void ExpectCursorRestored() {
    EXPECT_EQ(host_.waitCursorDepth, 0);
    EXPECT_EQ(host_.maxWaitCursorDepth, 1);
  }

  ImageRef photo_ = MakePhoto(40, 30, 3);
};

TEST_F(WrappersTest, FailuresLeaveThePictureUnchangedAndSayWhy) {
  ImageRef before = ImageBuffer::Copy(*photo_);
  struct Case {
    const char* tool;
    const char* parameters;
    const char* formats;
    int status;
  } cases[] = {
      {"no_such_tool", "3,3,0,0", "%d,%d,%d,%d", kStatusNotAvailable},
      {"graham_filt", "3,x,0,0", "%d,%d,%d,%d", kStatusBadParameter},       // malformed entry
      {"graham_filt", "{3,3", "%d,%d,%d,%d", kStatusBadParameter},          // unclosed bracket
      {"graham_filt", "3,3,0,0,0", "%d,%d,%d,%d,%d", kStatusBadParameter},  // one too many
      {"graham_filt", "0,3,0,0", "%d,%d,%d,%d", kStatusBadParameter},       // no window
      {"graham_filt", "{3,3}", "%p", kStatusBadParameter},                  // wrong kind
      {"smooth_simp", "5,5,0,0", "%d,%d,%d,%d", kStatusBadParameter},       // 3 x 3 only
  };
  for (const Case& c : cases) {
    host_.messages.clear();
    EXPECT_FALSE(InPlace(c.tool, photo_, c.parameters, nullptr, c.formats)) << c.tool;
    EXPECT_EQ(site_.LastStatus(), c.status) << c.parameters;
    ASSERT_EQ(host_.messages.size(), 1u) << c.parameters;
    EXPECT_EQ(host_.messages[0].text, StatusMessage(c.status));
    EXPECT_TRUE(SamePixels(*photo_, *before)) << c.parameters;
  }
  EXPECT_FALSE(InPlace("graham_filt", nullptr, "3,3,0,0"));
  ExpectCursorRestored();
}

TEST_F(WrappersTest, ToolsOfTheWrongKindOrForAnotherPictureFormatFail) {
  ImageRef paletted = ImageBuffer::Create(kKind8Bit, 8, 8);
  EXPECT_FALSE(InPlace("graham_filt", paletted, "3,3,0,0"));
  EXPECT_EQ(site_.LastStatus(), kStatusCannotHandle);

  ImageRef result = photo_;
  EXPECT_FALSE(ApplyToolNewImage(site_, "graham_filt", photo_, result, "3,3,0,0", "%d,%d,%d,%d"));
  EXPECT_EQ(site_.LastStatus(), kStatusCannotHandle);
  EXPECT_EQ(result, photo_);  // the result slot is left alone

  ImageRef bits = ImageBuffer::Create(kKind1Bit, 8, 8);
  EXPECT_FALSE(NewImage("ImageRotate", bits, "9000,{0,0,0}", "%d,%c"));
  EXPECT_EQ(host_.messages.size(), 3u);
  ExpectCursorRestored();
}

TEST_F(WrappersTest, FewerEntriesThanTokensSetOnlyTheLeadingParameters) {
  ImageRef full = ImageBuffer::Copy(*photo_);
  ImageRef shorter = ImageBuffer::Copy(*photo_);
  ASSERT_TRUE(InPlace("graham_filt", full, "5,5,0,0"));
  ASSERT_TRUE(InPlace("graham_filt", shorter, "5"));  // the height defaults to the width
  EXPECT_TRUE(SamePixels(*full, *shorter));
  EXPECT_FALSE(SamePixels(*full, *photo_));

  ASSERT_TRUE(InPlace("probe", photo_, "9"));
  EXPECT_EQ(Probe::seenParameter, 9);
  EXPECT_EQ(Probe::seenParameterCount, 1);
  ASSERT_TRUE(InPlace("probe", photo_, ""));
  EXPECT_EQ(Probe::seenParameterCount, 0);
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(WrappersTest, WithoutARegionAnInPlaceToolGetsTheWholePicture) {
  ASSERT_TRUE(InPlace("probe", photo_, "1,2"));
  EXPECT_EQ(Probe::seenRegionKind, kRegionWhole);
  EXPECT_EQ(Probe::seenMode, 1);
  EXPECT_FALSE(Probe::seenMask);

  RegionPtr ellipse = RegionCreateEllipse({2, 2, 10, 8});
  ellipse->SetInverted(true);
  ASSERT_TRUE(InPlace("probe", photo_, "1,2", ellipse.get()));
  EXPECT_EQ(Probe::seenRegionKind, kRegionEllipse);
  EXPECT_TRUE(Probe::seenRegionInverted);
}

TEST_F(WrappersTest, ANewPictureToolUsedInPlaceCopiesItsPictureOver) {
  ImageRef turned = NewImage("ImageRotate", photo_, "18000,{0,0,0}", "%d,%c");
  ASSERT_TRUE(turned);
  ImageRef picture = ImageBuffer::Copy(*photo_);
  ASSERT_TRUE(InPlace("ImageRotate", picture, "18000,{0,0,0}", nullptr, "%d,%c"));
  EXPECT_TRUE(SamePixels(*picture, *turned));

  // A new-picture tool that leaves its output empty changes nothing and succeeds.
  Probe::capabilitiesAtZero = Probe::capabilities = kToolNewPicture;
  Probe::runStatus = kStatusOk;
  ImageRef copy = ImageBuffer::Copy(*photo_);
  ASSERT_TRUE(InPlace("probe", copy, "1"));
  EXPECT_TRUE(SamePixels(*copy, *photo_));
}

TEST_F(WrappersTest, NewImageHandsOverTheToolsPicture) {
  Probe::capabilitiesAtZero = Probe::capabilities = kToolNewPicture;
  ImageRef result;
  ASSERT_TRUE(ApplyToolNewImage(site_, "probe", photo_, result, "", ""));
  ASSERT_TRUE(result);
  EXPECT_NE(result, photo_);
  EXPECT_TRUE(SamePixels(*result, *photo_));

  Probe::runStatus = kStatusNoMemory;
  ImageRef untouched;
  EXPECT_FALSE(ApplyToolNewImage(site_, "probe", photo_, untouched, "", ""));
  EXPECT_FALSE(untouched);
  ASSERT_EQ(host_.messages.size(), 1u);  // the first error only
  EXPECT_EQ(host_.messages[0].text, StatusMessage(kStatusNoMemory));
}

TEST_F(WrappersTest, CancelStopsTheToolSilentlyAndKeepsThePicture) {
  ImageRef big = MakePhoto(700, 500, 5);  // large enough to run in bands
  ImageRef before = ImageBuffer::Copy(*big);
  int steps = 0;
  host_.SetCancelWhen([&](const ProgressCounters&, int, int) { return ++steps == 3; });
  for (const char* tool : {"graham_filt", "median_filt", "sharp_filt", "smooth_simp"}) {
    steps = 0;
    EXPECT_FALSE(InPlace(tool, big, "3,3,0,0")) << tool;
    EXPECT_EQ(site_.LastStatus(), kStatusCancelled);
    EXPECT_TRUE(SamePixels(*big, *before)) << tool;
  }
  steps = 0;
  ImageRef result;
  EXPECT_FALSE(
      ApplyToolNewImage(site_, "Change_Size", big, result, "{300,200},0,72,72", "%p,%d,%d,%d"));
  EXPECT_FALSE(result);
  steps = 0;
  EXPECT_FALSE(ApplyToolNewImage(site_, "ImageRotate", big, result, "1000,{0,0,0}", "%d,%c"));
  EXPECT_FALSE(result);
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(host_.progressBegins, host_.progressEnds);
  EXPECT_GT(host_.progressBegins, 0);
  ExpectCursorRestored();
}

TEST_F(WrappersTest, ARegionOutsideThePictureChangesNothing) {
  RegionPtr outside = RegionCreateRect({100, 100, 20, 20});
  ImageRef before = ImageBuffer::Copy(*photo_);
  EXPECT_TRUE(InPlace("smooth_simp", photo_, "3,3,0,0", outside.get()));
  EXPECT_TRUE(SamePixels(*photo_, *before));
}

class InsertPathTest : public WrappersTest {
 protected:
  ImageRef canvas_ = MakeSolid(20, 10, 10, 20, 30);

  // The fragment (width x 3) placed with its bottom-left corner at (x, y):
  // every fragment pixel but the masked-out corner has the colour, every
  // other pixel is as before.
  void ExpectFragmentAt(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue,
                        int32_t width = 4) {
    for (int32_t py = 0; py < canvas_->Height(); ++py) {
      for (int32_t px = 0; px < canvas_->Width(); ++px) {
        bool inside = px >= x && px < x + width && py >= y && py < y + 3 && !(px == x && py == y);
        const uint8_t* p = PixelAt(*canvas_, px, py);
        uint8_t want[3] = {inside ? blue : uint8_t(30), inside ? green : uint8_t(20),
                           inside ? red : uint8_t(10)};
        ASSERT_TRUE(p[0] == want[0] && p[1] == want[1] && p[2] == want[2])
            << "pixel " << px << "," << py;
      }
    }
  }
};

TEST_F(InsertPathTest, FragmentIsCentredOnTheRegion) {
  RegionPtr rect = RegionCreateRect({2, 4, 9, 6});  // centre (6, 7)
  ASSERT_TRUE(InPlace("fragment", canvas_, "200", rect.get()));
  EXPECT_EQ(Probe::seenMode, 2);
  ExpectFragmentAt(6 - 2, 7 - 1, 200, 0, 0);
  ExpectCursorRestored();
}

TEST_F(InsertPathTest, InvertedOrMissingRegionCentresOnThePicture) {
  RegionPtr rect = RegionCreateRect({0, 0, 3, 3});
  rect->SetInverted(true);
  ASSERT_TRUE(InPlace("fragment", canvas_, "65280", rect.get()));  // green
  ExpectFragmentAt(10 - 2, 5 - 1, 0, 255, 0);

  canvas_ = MakeSolid(20, 10, 10, 20, 30);
  ASSERT_TRUE(InPlace("fragment", canvas_, "65280"));
  ExpectFragmentAt(8, 4, 0, 255, 0);
}

TEST_F(InsertPathTest, PlacementSlotOverridesTheCentre) {
  ASSERT_TRUE(InPlace("fragment", canvas_, "255,3,2"));  // (3, 2) - (1, 1)
  ExpectFragmentAt(2, 1, 255, 0, 0);
  // Parts falling off the picture are dropped.
  canvas_ = MakeSolid(20, 10, 10, 20, 30);
  ASSERT_TRUE(InPlace("fragment", canvas_, "255,19,10"));
  ExpectFragmentAt(18, 9, 255, 0, 0);
}

TEST_F(InsertPathTest, PositiveOutputOffsetWidensTheFragment) {
  // The output region (2, 0, 4, 3) makes a 6 x 3 fragment, centred as such.
  RegionPtr rect = RegionCreateRect({4, 2, 10, 6});  // centre (9, 5)
  Probe::fragmentX = 2;
  ASSERT_TRUE(InPlace("fragment", canvas_, "255", rect.get()));
  ExpectFragmentAt(9 - 3, 5 - 1, 255, 0, 0, 6);
}

TEST_F(InsertPathTest, FailuresOfTheInsertPath) {
  ImageRef before = ImageBuffer::Copy(*canvas_);
  Probe::runStatus = kStatusNotAvailable;  // no output region
  EXPECT_FALSE(InPlace("fragment", canvas_, "255"));
  EXPECT_EQ(site_.LastStatus(), kStatusNotAvailable);
  EXPECT_EQ(Probe::runs, 0);

  Probe::runStatus = kStatusNoMemory;  // the tool fails
  EXPECT_FALSE(InPlace("fragment", canvas_, "255"));
  EXPECT_EQ(site_.LastStatus(), kStatusNoMemory);
  EXPECT_EQ(host_.messages.size(), 2u);
  EXPECT_TRUE(SamePixels(*canvas_, *before));

  // A site without the insert tool.
  FilterSite bare(host_, settings_, counters_);
  const BuiltinTool tools[] = {{"fragment", &MakeFragmentTool}};
  ASSERT_TRUE(FilterEngine::InitSite(bare, tools));
  Probe::runStatus = kStatusOk;
  host_.messages.clear();
  EXPECT_FALSE(ApplyToolInPlace(bare, "fragment", canvas_, "255", "%d"));
  EXPECT_EQ(bare.LastStatus(), kStatusInsertMissing);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].caption, "Insert fragment");
  EXPECT_TRUE(SamePixels(*canvas_, *before));
  ExpectCursorRestored();
}

}  // namespace
}  // namespace tintara::test
