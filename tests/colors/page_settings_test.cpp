#include "colors/page_settings.h"

#include <gtest/gtest.h>

#include "colors/pattern_type_list.h"
#include "ports/printer_info.h"

namespace tintara {
namespace {

class FixedPrinter : public PrinterInfo {
 public:
  explicit FixedPrinter(std::optional<PrintableDots> page) : page_(page) {}
  std::optional<PrintableDots> DefaultPrinterPrintable() const override { return page_; }

 private:
  std::optional<PrintableDots> page_;
};

PatternPageSettings Custom() {
  PatternPageSettings page;
  page.useDefaultPrinter = 0;
  return page;
}

TEST(PagePixelSize, CustomPrinterA4At600Dpi) {
  PatternPageSettings page = Custom();
  EXPECT_EQ(PagePixelSize(page, nullptr), (PageDots{4960, 7015}));
  page.orientation = 1;
  EXPECT_EQ(PagePixelSize(page, nullptr), (PageDots{7015, 4960}));
  page.orientation = 0;
  page.pageCount = 1;  // 2 x 2 pages
  EXPECT_EQ(PagePixelSize(page, nullptr), (PageDots{9921, 14031}));
}

TEST(PagePixelSize, PaperAndResolutionTables) {
  PatternPageSettings page = Custom();
  page.paperSize = 0;
  page.printResolution = 1;
  EXPECT_EQ(PagePixelSize(page, nullptr), (PageDots{2550, 3300}));  // Letter, 300 dpi
  page.paperSize = 2;
  page.printResolution = 0;
  EXPECT_EQ(PagePixelSize(page, nullptr), (PageDots{1125, 1575}));  // Executive, 150 dpi
  page.paperSize = 4;
  page.printResolution = 5;
  EXPECT_EQ(PagePixelSize(page, nullptr), (PageDots{27968, 39685}));  // A5, 4800 dpi
  page.printResolution = 9;  // unknown: 300 dpi
  EXPECT_EQ(PagePixelSize(page, nullptr), (PageDots{1748, 2480}));
}

TEST(PagePixelSize, TheLargerPapersAndTheirWords) {
  PatternPageSettings page = Custom();
  page.printResolution = 0;  // 150 dpi
  page.paperSize = *PaperSizeNamed("a3");
  EXPECT_EQ(PagePixelSize(page, nullptr), (PageDots{1753, 2480}));
  page.paperSize = *PaperSizeNamed("a2");
  EXPECT_EQ(PagePixelSize(page, nullptr), (PageDots{2480, 3507}));
  page.paperSize = *PaperSizeNamed("tabloid");
  EXPECT_EQ(PagePixelSize(page, nullptr), (PageDots{1650, 2550}));
  // Stored indices of the older sizes stay what they were.
  EXPECT_EQ(PaperSizeNamed("letter"), 0);
  EXPECT_EQ(PaperSizeNamed("a5"), 4);
  EXPECT_EQ(PaperSizeNamed("b5"), std::nullopt);
  EXPECT_EQ(PaperSizeWords(", ", " or "),
            "letter, legal, executive, a4, a5, a3, a2 or tabloid");
}

TEST(PagePixelSize, OutOfRangeStoredValuesStaySensible) {
  PatternPageSettings page = Custom();
  page.paperSize = 17;  // taken as A4
  EXPECT_EQ(PagePixelSize(page, nullptr), (PageDots{4960, 7015}));
  page.paperSize = 3;
  page.pageCount = -4;  // one page
  EXPECT_EQ(PagePixelSize(page, nullptr), (PageDots{4960, 7015}));
  page.pageCount = 50;  // at most 10 x 10 pages
  EXPECT_EQ(PagePixelSize(page, nullptr), (PageDots{49606, 70157}));
}

TEST(PagePixelSize, DefaultPrinterWhenChosenAndConfigured) {
  FixedPrinter printer(PrintableDots{4800, 6600});
  FixedPrinter none(std::nullopt);
  PatternPageSettings page;  // the default printer is chosen
  page.pageCount = 2;
  EXPECT_EQ(PagePixelSize(page, &printer), (PageDots{14400, 19800}));
  // Without a configured printer the custom paper applies.
  EXPECT_EQ(PagePixelSize(page, &none), (PageDots{14881, 21047}));
  EXPECT_EQ(PagePixelSize(page, nullptr), (PageDots{14881, 21047}));
  page.useDefaultPrinter = 0;
  EXPECT_EQ(PagePixelSize(page, &printer), (PageDots{14881, 21047}));
}

TEST(PageSettingsChanged, CustomFieldsCountOnlyForTheCustomPrinter) {
  PatternPageSettings before;
  PatternPageSettings after = before;
  after.paperSize = 0;
  after.orientation = 1;
  after.printResolution = 4;
  EXPECT_FALSE(PageSettingsChanged(before, after));  // default printer: custom fields idle
  after.pageCount = 1;
  EXPECT_TRUE(PageSettingsChanged(before, after));

  PatternPageSettings custom = Custom();
  PatternPageSettings changed = custom;
  EXPECT_FALSE(PageSettingsChanged(custom, changed));
  changed.orientation = 1;
  EXPECT_TRUE(PageSettingsChanged(custom, changed));
  EXPECT_TRUE(PageSettingsChanged(before, custom));  // printer choice
}

TEST(PageLists, Texts) {
  EXPECT_EQ(PageCountText(0), "1 page");
  EXPECT_EQ(PageCountText(1), "2x2 (4 pages)");
  EXPECT_EQ(PageCountText(9), "10x10 (100 pages)");
  EXPECT_STREQ(PaperSizes()[3].text, "A4 (210 x 297 mm)");
  EXPECT_STREQ(PrintResolutions()[2].text, "600 DPI");
}

TEST(PatternTypeList, ValuesAndPreselection) {
  EXPECT_EQ(PatternTypeAt(1), kPatternTiles);  // "Areas with patterns" stores 2
  EXPECT_STREQ(kPatternTypeChoices[1].text, "Areas with patterns");
  EXPECT_EQ(PatternTypeListPosition(2), 1);  // and is preselected again
  EXPECT_EQ(PatternTypeListPosition(5), 0);
  EXPECT_EQ(PatternTypeListPosition(0), 2);
  EXPECT_EQ(PatternTypeListPosition(6), 0);  // not offered: first entry
  EXPECT_FALSE(PatternTypeAt(3));
}

}  // namespace
}  // namespace tintara
