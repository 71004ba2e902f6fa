// "Merge areas too small to paint" from the guided pattern page and the
// Pattern menu, and the creation option beside it.
#include <gmock/gmock.h>

#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include "app/panel_buttons.h"
#include "app/stage_panels.h"
#include "document/pipeline_parameters.h"
#include "pattern/pattern_quality.h"
#include "storage/settings_keys.h"
#include "tests/app/app_fixture.h"

namespace tintara::test {
namespace {

class MergeSmallAreasAppTest : public ::testing::Test, public AppFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(Start(), StartResult::kRunning);
    Frame().ToolPanel()->SetAnimation(false);
    ASSERT_TRUE(app->LoadPictureFile(WritePicture("photo.png", 400, 300)));
  }
  template <typename Bar>
  void Click(Bar* bar, const QString& caption) {
    for (CMyButton* button : bar->Buttons()) {
      if (button->Caption() == caption) return QTest::mouseClick(button, Qt::LeftButton);
    }
    FAIL() << "no button " << caption.toStdString();
  }
  double NarrowestMm() {
    return SmallestAreaDiameter(*Doc().indexImage) * Doc().PatternPixelMillimetres();
  }
};

TEST_F(MergeSmallAreasAppTest, ThePatternPageButtonMergesAsOneUndoStep) {
  Click(Frame().TaskBar(), "Pattern");
  ASSERT_TRUE(Doc().HasPattern());
  ImageRef before = ImageBuffer::Copy(*Doc().indexImage);
  ASSERT_LT(NarrowestMm(), 2.5);
  Click(Frame().ToolPanel(), "Merge Small");
  EXPECT_GE(NarrowestMm(), 2.5);
  EXPECT_FALSE(SamePixels(*before, *Doc().indexImage));
  Key(Qt::Key_Z);
  EXPECT_TRUE(SamePixels(*before, *Doc().indexImage));
}

TEST_F(MergeSmallAreasAppTest, TheMenuOptionIsKeptAndPatternsAreThenMadeWithNumbersThatFit) {
  QAction* option = MenuItem("&Pattern", "Merge small areas &when creating the pattern");
  ASSERT_NE(option, nullptr);
  EXPECT_FALSE(option->isChecked());
  option->trigger();
  EXPECT_EQ(ReadSetting(StoredSettings(), Setting::kMergeSmallAreas), 1);
  EXPECT_TRUE(MenuItem("&Pattern", "Merge small areas &when creating the pattern")->isChecked());

  Click(Frame().TaskBar(), "Pattern");
  ASSERT_TRUE(Doc().HasPattern());
  EXPECT_GE(NarrowestMm(), 2.5);
  PatternQuality quality = MeasurePatternQuality(*Doc().indexImage, true, 0.1);
  EXPECT_EQ(quality.overlappingBoxes, 0);
  // The note on numbers shares the bar with any note on the paints made.
  EXPECT_THAT(Frame().statusBar()->currentMessage().toStdString(),
              testing::HasSubstr(UnnumberedAreasText(quality.areas - quality.numberedAreas)));

  // The menu item merges a pattern made without the option too.
  option->trigger();
  {
    ModalAnswer yes([](QWidget* modal) { PressMessageButton(modal, kResultYes); });
    Choose("&Pattern", "&Create drawing pattern");
    ASSERT_EQ(yes.Answered(), 1u);
  }
  ASSERT_LT(NarrowestMm(), 2.5);
  Choose("&Pattern", "&Merge areas too small to paint");
  EXPECT_GE(NarrowestMm(), 2.5);
}

}  // namespace
}  // namespace tintara::test
