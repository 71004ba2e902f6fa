// The pages of a print job, drawn through QPainter on any paged device: a
// printer, its preview or a PDF writer. A picture is printed over an n × n
// grid of sheets, each with its page number and a map of the grid; the
// material list is printed two columns of sixteen colours to a page.
#pragma once

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPoint>
#include <QString>
#include <vector>

#include "colors/tessel_params.h"
#include "imaging/image_buffer.h"
#include "view/material_list_layout.h"
#include "view/sheet_extras.h"
#include "view/shopping_list.h"
#include "view/tile_bitmap.h"

namespace tintara {

enum class PrintKind { kInitialPicture = 0, kConvertedPicture = 1, kPattern = 2, kMaterialList = 3 };

// Aids for joining the sheets of a picture printed over more than one sheet;
// all off, the sheets are printed plain.
struct SheetAids {
  bool colorNumbers = false;       // the colour numbers the sheet holds, beside its header
  int overlapMm = 0;               // 0..15: each sheet repeats its neighbours' edges
  bool registrationMarks = false;  // marks at the corners of the sheet's own part
};

struct PrintJobContent {
  PrintKind kind = PrintKind::kPattern;
  const ImageBuffer* picture = nullptr;     // the picture of kinds 0..2
  const CTesselParams* params = nullptr;    // the material list's colours
  const ImageBuffer* indexImage = nullptr;  // the shopping list's pixel counts
  int pagesPerSide = 1;                     // of pictures; the shopping list's sheets
  bool shoppingList = false;
  PaintCoverage coverage;
  SheetAids sheetAids;
};

// The device as the pages see it: dots per inch and the printable area in
// pixels, and where that area lies on the sheet.
struct PrintSurface {
  PrintDeviceMetrics metrics;
  QPoint offset;
};
PrintSurface PrintSurfaceOf(QPagedPaintDevice& device);

// n² for a picture, one page per 32 colours (at least one) for the list.
int PrintPageCount(const PrintJobContent& job);

// The font every page is drawn with: 8-point Arial.
QFont PrintPageFont();

// Draws page `page` (1-based) with the painter's origin at the printable
// area's top-left. False when the page stays blank: the picture has no
// bitmap form or its memory could not be had.
bool DrawPrintPage(QPainter& painter, const PrintJobContent& job, const PrintSurface& surface,
                   int page);

// "Page No p from n²" and, on a grid, the map of sheets with page `page`
// marked, with `colors` (may be empty) beside them, on a white plate.
void DrawPageHeader(QPainter& painter, const PrintSurface& surface, int page, int pagesPerSide,
                    const QString& colors);

// "Colors on this sheet: 1, 4, 7" for a sheet's header; empty without numbers.
QString ColorNumbersText(const std::vector<int>& numbers);
// A circle with a cross through it, 6 mm across, centred on a corner of the
// sheet's own part.
void DrawRegistrationMark(QPainter& painter, DevicePoint at, int dpi);

// Rows `first`..`first + count - 1` of the bitmap, counted from its top, as a
// top-down QImage of the bitmap's width (4-bit rows widened to 8 bits). Null
// when the memory cannot be had.
QImage BitmapBand(const TileBitmap& bitmap, int first, int count);

}  // namespace tintara
