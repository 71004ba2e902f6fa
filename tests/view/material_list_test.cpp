#include "view/material_list_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "view/shopping_list.h"

namespace tintara {
namespace {

CFlossColor Paint(const std::string& name, int catalogue, const std::string& brand) {
  CFlossColor color;
  color.colorName = name;
  color.catalogNumber = catalogue;
  color.brandName = brand;
  return color;
}

TEST(MaterialList, TextsWithAndWithoutCatalogueNumber) {
  EXPECT_EQ(MaterialListText(Paint("Ivory", 3102, "Acme")), "  Ivory\n  3102, Acme");
  EXPECT_EQ(MaterialListText(Paint("Ivory", -1, "Acme")), "  Ivory\n  Acme");
  EXPECT_EQ(MaterialListText(Paint("Black", 0, "Acme")), "  Black\n  0, Acme");
}

TEST(MaterialList, TwoColumnsOfSixteenWithinTheMargins) {
  // A4 at 600 dpi, printable 4800 x 6800.
  PrintDeviceMetrics device{600, 600, 4800, 6800};
  MaterialListCell first = MaterialListCellOf(device, 0);
  EXPECT_EQ(first.marginX, 240);
  EXPECT_EQ(first.marginY, 240);
  EXPECT_EQ(first.side, (4800 - 240) / 20);
  EXPECT_EQ(first.x0, 240);
  EXPECT_EQ(first.top, 720);
  EXPECT_EQ(first.x1, 240 + 228 * 5 / 4);
  EXPECT_EQ(first.textX, first.x1 + 228 + 10);
  MaterialListCell second = MaterialListCellOf(device, 1);
  EXPECT_EQ(second.x0, 240 + (4800 - 480) / 2);
  EXPECT_EQ(second.top, 720);
  MaterialListCell last = MaterialListCellOf(device, 31);
  EXPECT_EQ(last.x0, second.x0);
  EXPECT_EQ(last.top, 720 + (6800 - 720) / 16 * 15);
  EXPECT_LE(last.top + last.side, device.height);
  EXPECT_EQ(MaterialTextTop(first, 100), 720 + (228 - 100) / 2);
}

TEST(ShoppingList, QuantitiesForAKnownPattern) {
  // 100 x 50 index pixels: colour 0 three fifths, colour 2 two fifths.
  ImageRef index = ImageBuffer::Create(kKindGray8, 100, 50);
  auto rows = index->WritableRows();
  for (int32_t y = 0; y < 50; ++y) {
    for (int32_t x = 0; x < 100; ++x) (*rows)[y][x] = x < 60 ? 0 : 2;
  }
  auto counts = CountIndexPixels(index.get());
  EXPECT_EQ(counts[0], 3000u);
  EXPECT_EQ(counts[2], 2000u);
  // Printed 2000 cm²; 0.1 ml per 10 cm², two coats, 20 ml pots.
  ShoppingList list = MakeShoppingList(counts, 3, 2000.0, PaintCoverage{});
  ASSERT_EQ(list.items.size(), 2u);
  EXPECT_EQ(list.items[0].position, 0);
  EXPECT_DOUBLE_EQ(list.items[0].share, 0.6);
  EXPECT_DOUBLE_EQ(list.items[0].areaCm2, 1200.0);
  EXPECT_NEAR(list.items[0].paintMl, 24.0, 1e-9);
  EXPECT_EQ(list.items[0].pots, 2);
  EXPECT_EQ(list.items[1].position, 2);
  EXPECT_NEAR(list.items[1].paintMl, 16.0, 1e-9);
  EXPECT_EQ(list.items[1].pots, 1);
  EXPECT_NEAR(list.areaCm2, 2000.0, 1e-9);
  EXPECT_NEAR(list.paintMl, 40.0, 1e-9);
  EXPECT_EQ(list.pots, 3);

  // Other coverage: 0.25 ml per 10 cm², one coat, 50 ml pots.
  ShoppingList thick = MakeShoppingList(counts, 3, 2000.0, PaintCoverage{250, 1, 50});
  EXPECT_NEAR(thick.items[0].paintMl, 30.0, 1e-9);
  EXPECT_EQ(thick.items[0].pots, 1);
  EXPECT_EQ(thick.pots, 2);
}

TEST(ShoppingList, ExactlyFullPotsAndColoursBeyondThePalette) {
  EXPECT_EQ(PotsFor(20.0, PaintCoverage{}), 1);
  EXPECT_EQ(PotsFor(20.0000001, PaintCoverage{}), 2);
  EXPECT_EQ(PotsFor(0.0, PaintCoverage{}), 0);
  std::array<uint64_t, 256> counts{};
  counts[1] = 10;
  counts[7] = 30;  // no paint at position 7 of a 5-colour palette
  ShoppingList list = MakeShoppingList(counts, 5, 400.0, PaintCoverage{});
  ASSERT_EQ(list.items.size(), 1u);
  EXPECT_DOUBLE_EQ(list.items[0].share, 0.25);
  EXPECT_DOUBLE_EQ(list.items[0].areaCm2, 100.0);
}

TEST(ShoppingList, CellsPastThePaletteAreNamedAndTheTotalAddsTheRowsUp) {
  std::array<uint64_t, 256> counts{};
  counts[0] = 39;
  counts[9] = 61;  // a two-colour palette: number 10 names no paint
  std::vector<CFlossColor> palette(2);
  palette[0].colorName = "Red";
  palette[1].colorName = "Blue";
  ShoppingList list = MakeShoppingList(counts, 2, 1000.0, PaintCoverage{});
  EXPECT_EQ(list.unpaintedPixels, 61u);
  EXPECT_NEAR(list.unpaintedAreaCm2, 610.0, 1e-9);
  EXPECT_NEAR(list.areaCm2, 390.0, 1e-9);
  const std::string csv = ShoppingListCsv(list, palette, PaintCoverage{});
  EXPECT_NE(csv.find("\r\n,no paint (numbers past the palette),,,61.00,610.0,0.00,0\r\n"),
            std::string::npos) << csv;
  EXPECT_NE(csv.find("\r\ntotal,,,,100.00,1000.0,7.80,1\r\n"), std::string::npos) << csv;
}

TEST(ShoppingList, NamesASpreadsheetWouldRunAreWrittenAsText) {
  std::array<uint64_t, 256> counts{};
  std::vector<CFlossColor> palette;
  const char* names[] = {"=HYPERLINK(\"x\")", "+1", "-1", "@SUM(A1)", "\tTab", "\rReturn",
                         "Plain - red"};
  for (const char* name : names) {
    counts[palette.size()] = 1;
    CFlossColor paint;
    paint.brandName = "=Brand";
    paint.colorName = name;
    paint.catalogNumber = 1;
    palette.push_back(paint);
  }
  const std::string csv = ShoppingListCsv(MakeShoppingList(counts, int(palette.size()), 10.0,
                                                           PaintCoverage{}),
                                          palette, PaintCoverage{});
  for (const char* field : {"1,\"'=HYPERLINK(\"\"x\"\")\",1,'=Brand,", "2,'+1,", "3,'-1,",
                            "4,'@SUM(A1),", "5,'\tTab,", "6,\"'\rReturn\",", "7,Plain - red,"}) {
    EXPECT_NE(csv.find(std::string("\r\n") + field), std::string::npos) << field << "\n" << csv;
  }
}

TEST(ShoppingList, PrintedAreaOverTheSheets) {
  // A picture the shape of the printable area fills every sheet: 4 sheets of
  // 8 x 10 inches.
  PrintDeviceMetrics device{100, 100, 800, 1000};
  EXPECT_NEAR(PrintedArea(800, 1000, 2, device), 4 * 80 * 6.4516, 1e-6);
  // A square picture on one sheet: 8 x 8 inches.
  EXPECT_NEAR(PrintedArea(500, 500, 1, device), 64 * 6.4516, 1e-6);
  EXPECT_EQ(PrintedArea(500, 500, 1, PrintDeviceMetrics{}), 0.0);
}

}  // namespace
}  // namespace tintara
