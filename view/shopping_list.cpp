#include "view/shopping_list.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "view/print_layout.h"

namespace tintara {

namespace {

constexpr double kCm2PerSquareInch = 2.54 * 2.54;

std::string CsvField(const std::string& given) {
  // A spreadsheet runs a cell starting with one of these as a formula.
  const bool formula = !given.empty() && std::string_view("=+-@\t\r").find(given[0]) !=
                                             std::string_view::npos;
  const std::string text = formula ? "'" + given : given;
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace

std::array<uint64_t, 256> CountIndexPixels(const ImageBuffer* indexImage) {
  std::array<uint64_t, 256> counts{};
  if (indexImage == nullptr || BitsPerPixel(indexImage->Kind()) != 8) return counts;
  for (int32_t y = 0; y < indexImage->Height(); ++y) {
    const uint8_t* row = indexImage->Row(y);
    for (int32_t x = 0; x < indexImage->Width(); ++x) ++counts[row[x]];
  }
  return counts;
}

double PrintedArea(int32_t width, int32_t height, int pagesPerSide,
                   const PrintDeviceMetrics& device) {
  if (device.dpiX <= 0 || device.dpiY <= 0) return 0;
  const int n = pagesPerSide < 1 ? 1 : pagesPerSide;
  double squareInches = 0;
  for (int page = 1; page <= n * n; ++page) {
    TileRect tile = PrintTileRect(width, height, n, page);
    DeviceRect printed = FitCentred(tile.Width(), tile.Height(), device.width, device.height);
    squareInches += double(printed.width) / device.dpiX * double(printed.height) / device.dpiY;
  }
  return squareInches * kCm2PerSquareInch;
}

double PaintMillilitres(double areaCm2, const PaintCoverage& coverage) {
  return areaCm2 / 10.0 * coverage.microlitresPer10Cm2 / 1000.0 * coverage.coats;
}

int PotsFor(double millilitres, const PaintCoverage& coverage) {
  if (millilitres <= 0 || coverage.potMillilitres <= 0) return 0;
  // A hair over a whole pot from rounding must not buy another one.
  return int(std::ceil(millilitres / coverage.potMillilitres - 1e-9));
}

ShoppingList MakeShoppingList(const std::array<uint64_t, 256>& counts, int paletteLength,
                              double printedAreaCm2, const PaintCoverage& coverage) {
  ShoppingList list;
  uint64_t total = 0;
  for (uint64_t count : counts) total += count;
  if (total == 0) return list;
  for (int position = 0; position < 256; ++position) {
    if (counts[size_t(position)] == 0) continue;
    if (position >= paletteLength) {
      list.unpaintedPixels += counts[size_t(position)];
      continue;
    }
    ShoppingItem item;
    item.position = position;
    item.pixels = counts[size_t(position)];
    item.share = double(item.pixels) / double(total);
    item.areaCm2 = item.share * printedAreaCm2;
    item.paintMl = PaintMillilitres(item.areaCm2, coverage);
    item.pots = PotsFor(item.paintMl, coverage);
    list.areaCm2 += item.areaCm2;
    list.paintMl += item.paintMl;
    list.pots += item.pots;
    list.items.push_back(item);
  }
  list.unpaintedShare = double(list.unpaintedPixels) / double(total);
  list.unpaintedAreaCm2 = list.unpaintedShare * printedAreaCm2;
  return list;
}

std::string ShoppingListCsv(const ShoppingList& list, std::span<const CFlossColor> palette,
                            const PaintCoverage& coverage) {
  std::string csv =
      "number,name,catalogue number,brand,share %,area cm2,paint ml,pots of " +
      std::to_string(coverage.potMillilitres) + " ml\r\n";
  for (const ShoppingItem& item : list.items) {
    const CFlossColor& color = palette[size_t(item.position)];
    csv += std::to_string(item.position + 1) + "," + CsvField(color.colorName) + "," +
           (color.catalogNumber == -1 ? std::string() : std::to_string(color.catalogNumber)) +
           "," + CsvField(color.brandName) + "," + Fixed(item.share * 100, 2) + "," +
           Fixed(item.areaCm2, 1) + "," + Fixed(item.paintMl, 2) + "," +
           std::to_string(item.pots) + "\r\n";
  }
  double share = 0;
  for (const ShoppingItem& item : list.items) share += item.share;
  if (list.unpaintedPixels > 0) {
    csv += ",no paint (numbers past the palette),,," + Fixed(list.unpaintedShare * 100, 2) + "," +
           Fixed(list.unpaintedAreaCm2, 1) + ",0.00,0\r\n";
    share += list.unpaintedShare;
  }
  csv += "total,,,," + Fixed(share * 100, 2) + "," +
         Fixed(list.areaCm2 + list.unpaintedAreaCm2, 1) + "," + Fixed(list.paintMl, 2) + "," +
         std::to_string(list.pots) + "\r\n";
  return csv;
}

}  // namespace tintara
