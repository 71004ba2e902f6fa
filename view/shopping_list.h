// How much of each paint a printed pattern needs: the colour's share of the
// pattern, its area at the printed size, the paint for that area and the
// whole pots to buy.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "colors/floss_color.h"
#include "imaging/image_buffer.h"
#include "view/material_list_layout.h"

namespace tintara {

struct PaintCoverage {
  int microlitresPer10Cm2 = 100;  // one coat
  int coats = 2;
  int potMillilitres = 20;
};

struct ShoppingItem {
  int position = 0;  // in the working palette; its number on the pattern is position + 1
  uint64_t pixels = 0;
  double share = 0;  // of the pattern's pixels, 0..1
  double areaCm2 = 0;
  double paintMl = 0;
  int pots = 0;
};

struct ShoppingList {
  std::vector<ShoppingItem> items;  // the colours the pattern uses, by position
  double areaCm2 = 0;               // of the items: the area that takes paint
  double paintMl = 0;
  int pots = 0;
  // Cells whose number lies past the palette (it was shortened after the
  // pattern was made): counted, but no paint is bought for them.
  uint64_t unpaintedPixels = 0;
  double unpaintedShare = 0;
  double unpaintedAreaCm2 = 0;
};

// Pixels of each index value in an 8-bit index image; all zero for none.
std::array<uint64_t, 256> CountIndexPixels(const ImageBuffer* indexImage);

// Area in square centimetres that a picture of w × h covers when printed over
// n × n sheets of the device, every tile fitted and centred on its sheet.
double PrintedArea(int32_t width, int32_t height, int pagesPerSide,
                   const PrintDeviceMetrics& device);

// Paint for an area: coverage × coats, and the whole pots that hold it.
double PaintMillilitres(double areaCm2, const PaintCoverage& coverage);
int PotsFor(double millilitres, const PaintCoverage& coverage);

// Every position with pixels, in position order; positions beyond the
// palette length name no paint and are counted apart as unpainted.
ShoppingList MakeShoppingList(const std::array<uint64_t, 256>& counts, int paletteLength,
                              double printedAreaCm2, const PaintCoverage& coverage);

// The list as comma-separated values with a header line, a line for the
// unpainted cells when there are any, and a closing total that adds the lines
// up; names are quoted when they hold a comma, quote or line break, and a
// name a spreadsheet would take for a formula is written after a '.
std::string ShoppingListCsv(const ShoppingList& list, std::span<const CFlossColor> palette,
                            const PaintCoverage& coverage);

}  // namespace tintara
