// Page settings that would make a pattern beyond the memory budget are told
// to the user before anything of that size is allocated.
#include <gtest/gtest.h>

#include "storage/settings_keys.h"
#include "tests/document/document_fixture.h"

namespace tintara::test {
namespace {

class PatternBudgetTest : public ::testing::Test, public DocumentFixture {
 protected:
  bool Created() { return doc->convertedPicture != nullptr && doc->patternImage != nullptr; }
  std::string LastMessage() const { return ui.messages.empty() ? "" : ui.messages.back().text; }
};

TEST_F(PatternBudgetTest, HugePrintSettingsAreRefusedWithTheSizeAndTheLimit) {
  LoadPicture(40, 30);
  // 4 × 4 pages of A4 at 4800 dpi: tens of thousands of cells a side.
  env.app.page.printResolution = 5;
  env.app.page.pageCount = 3;
  commands.Run(cmd::kCreateDrawingPattern);
  EXPECT_FALSE(Created());
  const std::string text = LastMessage();
  EXPECT_NE(text.find("memory"), std::string::npos) << text;
  EXPECT_NE(text.find("2 GiB"), std::string::npos) << text;
  EXPECT_NE(text.find(" \u00d7 "), std::string::npos) << text;
  EXPECT_NE(doc->initialPicture, nullptr);  // the picture stays as it was
}

TEST_F(PatternBudgetTest, TheBudgetComesFromTheSettings) {
  LoadPicture(40, 30);
  env.app.page.printResolution = 2;  // 600 dpi, one page: about 1240 × 930 cells
  WriteSetting(settings, Setting::kPictureMemoryLimit, 64);
  commands.Run(cmd::kCreateDrawingPattern);
  EXPECT_TRUE(Created()) << LastMessage();

  env.app.page.pageCount = 3;  // 4 × 4 pages: about 4960 × 3720 cells, 92 MB
  NewPicture(MakePhoto(40, 30));
  commands.Run(cmd::kCreateDrawingPattern);
  EXPECT_FALSE(Created());
  EXPECT_NE(LastMessage().find("64 MiB"), std::string::npos) << LastMessage();
}

}  // namespace
}  // namespace tintara::test
