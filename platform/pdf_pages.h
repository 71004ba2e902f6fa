// Printed pages as PDF, without a printer: a picture tiled over a square grid
// of sheets, and the colour key. Page 1 is the bottom-left sheet of the grid,
// the last one the top-right; every sheet carries "Page No %d from %d" and,
// on a grid, a small map with the sheet marked.
#pragma once

#include <QFontMetricsF>
#include <QRect>
#include <QStringList>
#include <string>

#include "colors/tessel_params.h"
#include "imaging/image_buffer.h"

namespace tintara {

struct PdfPageSetup {
  int paperSize = 3;  // index into PaperSizes(); anything else is A4
  bool landscape = false;
  int pagesPerSide = 1;  // 1..10
};

// Tile of page `page` (1-based) of an n × n grid over a picture of w × h,
// in picture rows (bottom-up): the last column and the top grid row take
// the pixels the division leaves over.
struct PageTile {
  int32_t left = 0;
  int32_t bottom = 0;  // first row (bottom-up)
  int32_t right = 0;   // exclusive
  int32_t top = 0;     // exclusive
};
PageTile TileOfPage(int32_t width, int32_t height, int pagesPerSide, int page);

// "" on success, else the reason. The file is written whole or not at all.
std::string WritePicturePdf(const ImageBuffer& image, const PdfPageSetup& setup,
                            const std::string& path);

// One row per colour the index image uses (every working colour when there is
// no index image), two columns of sixteen to a page: the colour's swatch as
// the pattern shows it (its number, texture or tone), a patch of the paint
// colour, then its name, catalogue number and brand.
std::string WriteColorKeyPdf(const CTesselParams& params, const ImageBuffer* indexImage,
                             const PdfPageSetup& setup, const std::string& path);

// Where one colour of the key goes on a page of `pageSize` dots, at
// `indexOnPage` (0..31, the two columns filled row by row): the sample as the
// pattern shows it, a patch of the paint, and a box for two lines of
// `lineHeight` that ends before the next column starts.
struct KeyEntryBoxes {
  QRect sample;
  QRect patch;
  QRect text;
};
KeyEntryBoxes KeyEntryOnPage(QSize pageSize, int lineHeight, int indexOnPage);

// The entry's two lines, its name, then catalogue number and brand, each
// elided to `width` as `metrics` measures them.
QStringList KeyTextLines(const CFlossColor& color, const QFontMetricsF& metrics, int width);

}  // namespace tintara
