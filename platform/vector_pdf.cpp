#include "platform/vector_pdf.h"

#include <QPainterPath>
#include <algorithm>
#include <new>

#include "colors/page_settings.h"
#include "pattern/number_glyphs.h"
#include "storage/memory_budget.h"
#include "view/print_layout.h"
#include "view/sheet_extras.h"

namespace tintara {

namespace {

// Pattern pixels (y counting up) to device pixels of the fitted tile.
struct SheetMapping {
  TileRect tile;
  DeviceRect fit;
  double scale = 1;
  QPointF Map(double x, double y) const {
    return {fit.x + (x - tile.left) * scale, fit.y + (tile.y1 - y) * scale};
  }
};

bool RingMeetsTile(std::span<const OutlinePoint> ring, const TileRect& tile) {
  int32_t left = ring[0].x, right = left, low = ring[0].y, high = low;
  for (const OutlinePoint& p : ring) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    low = std::min(low, p.y);
    high = std::max(high, p.y);
  }
  return left < tile.right && right > tile.left && low < tile.y1 && high > tile.y0;
}

void FillAreas(QPainter& painter, const SheetMapping& map, const PatternOutlines& outlines,
               const CTesselParams& params, SvgStyle style) {
  painter.setPen(Qt::NoPen);
  for (const OutlineArea& area : outlines.areas) {
    // An area lies on the sheet when its outer ring does.
    if (!RingMeetsTile(outlines.Ring(area.firstRing), map.tile)) continue;
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (uint32_t r = area.firstRing; r < area.firstRing + area.ringCount; ++r) {
      auto ring = outlines.Ring(r);
      path.moveTo(map.Map(ring[0].x, ring[0].y));
      for (size_t i = 1; i < ring.size(); ++i) path.lineTo(map.Map(ring[i].x, ring[i].y));
      path.closeSubpath();
    }
    QColor fill = Qt::white;
    if (style == SvgStyle::kFilled && area.value < params.workingPalette.size()) {
      const CFlossColor& paint = params.workingPalette[area.value];
      fill = QColor(paint.red, paint.green, paint.blue);
    }
    painter.fillPath(path, fill);
  }
}

// Border segments stroked at once: the path and the page text Qt makes of it
// stay a few megabytes, however busy the sheet.
constexpr int kBorderSegmentsPerStroke = 1 << 16;

// As in the SVG: each border edge once, one pattern pixel wide, over the
// pixels the printed pattern inks: right of a vertical edge, above a
// horizontal one.
void DrawBorders(QPainter& painter, const SheetMapping& map, const PatternOutlines& outlines,
                 const QColor& ink) {
  const QPen pen(ink, map.scale, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  QPainterPath path;
  int segments = 0;
  for (size_t r = 0; r < outlines.RingCount(); ++r) {
    auto ring = outlines.Ring(r);
    if (!RingMeetsTile(ring, map.tile)) continue;
    for (size_t i = 0; i < ring.size(); ++i) {
      const OutlinePoint a = ring[i], b = ring[(i + 1) % ring.size()];
      const bool up = a.x == b.x && b.y > a.y;
      const bool right = a.y == b.y && b.x > a.x;
      if (!up && !right) continue;
      const double dx = up ? 0.5 : 0, dy = right ? 0.5 : 0;
      path.moveTo(map.Map(a.x + dx, a.y + dy));
      path.lineTo(map.Map(b.x + dx, b.y + dy));
      if (++segments == kBorderSegmentsPerStroke) {
        painter.strokePath(path, pen);
        path.clear();
        segments = 0;
      }
    }
  }
  const double w = outlines.width, h = outlines.height;
  // The frame around the whole pattern, where this sheet has it.
  path.addPolygon(QPolygonF({map.Map(0.5, 0.5), map.Map(w - 0.5, 0.5), map.Map(w - 0.5, h - 0.5),
                             map.Map(0.5, h - 0.5), map.Map(0.5, 0.5)}));
  painter.strokePath(path, pen);
}

void DrawNumbers(QPainter& painter, const SheetMapping& map, const std::vector<NumberPlacement>& numbers,
                 const QColor& ink) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(1000);
  // Sized so that the digits stand as high as the glyphs' digits.
  const double digits = QFontMetricsF(font).tightBoundingRect(QStringLiteral("0123456789")).height();
  const double height = (kGlyphInkLastRow - kGlyphInkFirstRow + 1) * map.scale;
  font.setPixelSize(std::max(1, int(1000 * height / std::max(digits, 1.0) + 0.5)));
  painter.setFont(font);
  painter.setPen(ink);
  const QFontMetricsF metrics(font);
  for (const NumberPlacement& place : numbers) {
    const NumberText text = NumberTextOf(place);
    if (text.centreX < map.tile.left || text.centreX >= map.tile.right ||
        text.baselineY < map.tile.y0 || text.baselineY >= map.tile.y1) {
      continue;
    }
    const QString digitsText = QString::number(place.number);
    const QPointF at = map.Map(text.centreX, text.baselineY);
    painter.drawText(QPointF(at.x() - metrics.horizontalAdvance(digitsText) / 2, at.y()),
                     digitsText);
  }
}

// What Qt's PDF engine holds for each area filled on a page besides our own
// drawing, measured on one-pixel checkerboards (about 200 bytes).
constexpr uint64_t kPdfEngineBytesPerArea = 256;

// "" when the drawing and the engine's own share fit the budget together.
std::string RefusalOfPdfEngine(const ImageBuffer& indexImage, const VectorDrawing& drawing,
                               uint64_t budget) {
  const PatternOutlines& outlines = drawing.outlines;
  const uint64_t drawingBytes = outlines.points.size() * sizeof(outlines.points[0]) +
                                outlines.ringStarts.size() * sizeof(outlines.ringStarts[0]) +
                                outlines.areas.size() * sizeof(outlines.areas[0]) +
                                drawing.numbers.size() * sizeof(drawing.numbers[0]);
  const uint64_t needed = drawingBytes + drawing.outlines.areas.size() * kPdfEngineBytesPerArea;
  if (needed <= budget) return {};
  return "drawing the " + std::to_string(drawing.outlines.areas.size()) +
         " areas of a pattern of " + PixelSizeText(indexImage.Width(), indexImage.Height()) +
         " cells as a PDF would take " + MemoryAmountText(needed) +
         " of memory, more than the limit of " + MemoryAmountText(budget);
}

}  // namespace

void DrawVectorSheet(QPainter& painter, const PrintSurface& surface, const ImageBuffer& indexImage,
                     const PatternOutlines& outlines, const std::vector<NumberPlacement>& numbers,
                     const CTesselParams& params, int pagesPerSide, int page, SvgStyle style,
                     const SheetAids& aids) {
  const int n = std::clamp(pagesPerSide, 1, kMaxPagesPerSide);
  const int32_t width = indexImage.Width(), height = indexImage.Height();
  const TileRect own = PrintTileRect(width, height, n, page);
  if (own.Width() <= 0 || own.Height() <= 0) return;
  SheetMapping map;
  map.tile = own;
  const bool joined = n > 1;
  if (joined && aids.overlapMm > 0) {
    // As on the raster sheets: the overlap is measured at the own part's printed size.
    const DeviceRect ownFit = FitCentred(own.Width(), own.Height(), surface.metrics.width,
                                         surface.metrics.height);
    const int32_t overlap =
        OverlapPixels(aids.overlapMm, own.Width(), ownFit.width, surface.metrics.dpiX);
    map.tile = WithOverlap(own, width, height, overlap);
  }
  map.fit = FitCentred(map.tile.Width(), map.tile.Height(), surface.metrics.width,
                       surface.metrics.height);
  if (map.fit.width <= 0) return;
  map.scale = double(map.fit.width) / map.tile.Width();
  const Rgb ink = UnpackColor(params.borderColor);
  const QColor inkColor(ink.red, ink.green, ink.blue);
  painter.save();
  painter.setClipRect(QRectF(map.fit.x, map.fit.y, map.fit.width, map.fit.height));
  FillAreas(painter, map, outlines, params, style);
  DrawBorders(painter, map, outlines, inkColor);
  DrawNumbers(painter, map, numbers, inkColor);
  painter.restore();
  if (joined && aids.registrationMarks) {
    for (DevicePoint corner : OwnCornersOnDevice(own, map.tile, map.fit)) {
      DrawRegistrationMark(painter, corner, surface.metrics.dpiX);
    }
  }
  QString colors;
  if (joined && aids.colorNumbers) {
    colors = ColorNumbersText(ColorNumbersIn(&indexImage, width, height, own));
  }
  painter.save();
  painter.setFont(PrintPageFont());
  painter.setPen(QPen(Qt::black, 0));
  DrawPageHeader(painter, surface, page, n, colors);
  painter.restore();
}

std::string WriteVectorPatternPdf(const ImageBuffer& indexImage, const CTesselParams& params,
                                  const PdfPageSetup& setup, const std::string& path,
                                  bool fitNumbers, uint64_t memoryBudget, SvgStyle style) {
  const int n = std::clamp(setup.pagesPerSide, 1, kMaxPagesPerSide);
  if (BitsPerPixel(indexImage.Kind()) != 8) return "the project has no painting pattern";
  if (indexImage.Width() < n || indexImage.Height() < n) {
    return "the picture is too small for that many pages";
  }
  std::string error;
  const std::optional<VectorDrawing> drawing =
      MakeVectorDrawing(indexImage, fitNumbers, memoryBudget, error);
  if (!drawing) return error;
  if (std::string refusal = RefusalOfPdfEngine(indexImage, *drawing, memoryBudget);
      !refusal.empty()) {
    return refusal;
  }
  // Qt moves a page's text out to a temporary file once it grows large, and
  // writes each page out when the next one starts.
  PdfTarget target(path, setup);
  if (target.Writer() == nullptr) return target.Error();
  QPainter painter(target.Writer());
  if (!painter.isActive()) return "the PDF cannot be started";
  const PrintSurface surface = PrintSurfaceOf(*target.Writer());
  bool pagesOk = true;
  for (int page = 1; page <= n * n; ++page) {
    if (page > 1 && !target.Writer()->newPage()) pagesOk = false;
    try {
      DrawVectorSheet(painter, surface, indexImage, drawing->outlines, drawing->numbers, params, n,
                      page, style, setup.sheetAids);
    } catch (const std::bad_alloc&) {
      painter.end();
      return "there is not enough memory";
    }
  }
  return target.Commit(painter, pagesOk);
}

}  // namespace tintara
