#include "document/pattern_svg.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <new>

#include "colors/page_settings.h"
#include "document/area_paint.h"
#include "document/tessel_doc.h"
#include "document/xml_text.h"
#include "storage/app_settings.h"
#include "pattern/number_glyphs.h"
#include "storage/replacing_file.h"

namespace tintara {

namespace {

// Digits of this height in the sans serif faces the numbers are set in.
constexpr double kDigitHeightPerEm = 0.716;

// Text collected in a buffer that goes to the sink, when there is one, each
// time it has grown past a chunk; without one it is all kept.
class SvgText {
 public:
  explicit SvgText(ByteSink* sink = nullptr) : sink_(sink) {
    if (sink_ != nullptr) out_.reserve(kChunk + 4096);
  }
  void Add(std::string_view text) { out_.append(text); }
  void Add(int64_t value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
  }
  void Add(double value) {
    char buffer[32];
    int n = std::snprintf(buffer, sizeof buffer, "%.3f", value);
    // Trailing zeros say nothing.
    while (n > 1 && buffer[n - 1] == '0') --n;
    if (n > 1 && buffer[n - 1] == '.') --n;
    out_.append(buffer, size_t(n));
  }
  // A length given in half units: "3", "-3.5".
  void AddHalves(int64_t halves) {
    if (halves < 0) {
      out_ += '-';
      halves = -halves;
    }
    Add(halves / 2);
    if (halves % 2 != 0) out_ += ".5";
  }
  // Names come from palette files: whatever bytes they hold, the file stays XML.
  void AddEscaped(std::string_view text) { AppendXmlText(out_, text, XmlPlace::kText); }
  void AddColor(uint8_t red, uint8_t green, uint8_t blue) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", red, green, blue);
    out_.append(buffer, 7);
  }
  // Called between pieces of the drawing.
  void Spill() {
    if (sink_ != nullptr && out_.size() >= kChunk) Flush();
  }
  bool Flush() {
    if (sink_ != nullptr && !out_.empty()) {
      ok_ = sink_->Write(out_.data(), out_.size()) && ok_;
      out_.clear();
    }
    return ok_;
  }
  bool Failed() const { return !ok_; }
  std::string Take() { return std::move(out_); }
  void Reserve(size_t n) { out_.reserve(n); }

 private:
  static constexpr size_t kChunk = size_t{1} << 16;
  ByteSink* sink_;
  std::string out_;
  bool ok_ = true;
};

// The rings as written: as traced, or smoothed one at a time when they are
// asked for, so that no smoothed copy of all of them is made.
class RingSource {
 public:
  RingSource(const PatternOutlines& outlines, const ImageBuffer* smoothWith)
      : outlines_(outlines),
        smoothWith_(smoothWith != nullptr && outlines.unitsPerPixel == 1 &&
                            smoothWith->Width() == outlines.width &&
                            smoothWith->Height() == outlines.height
                        ? smoothWith
                        : nullptr) {}
  int32_t UnitsPerPixel() const { return smoothWith_ != nullptr ? 2 : outlines_.unitsPerPixel; }
  size_t RingCount() const { return outlines_.RingCount(); }
  std::span<const OutlinePoint> Ring(size_t r) {
    if (smoothWith_ == nullptr) return outlines_.Ring(r);
    SmoothRing(outlines_.Ring(r), *smoothWith_, smoothed_);
    return smoothed_;
  }

 private:
  const PatternOutlines& outlines_;
  const ImageBuffer* smoothWith_;
  std::vector<OutlinePoint> smoothed_;
};

// Picture rows count upwards, SVG's y downwards.
struct Flip {
  int32_t height;
  int64_t Y(int32_t y) const { return int64_t(height) - y; }
};

// Each ring as a move to its first corner, then steps: h and v along the
// pixel edges, l for the slopes of smoothed outlines; the closing step is
// the z. Positions are counted in half pixels.
void AddAreaPath(SvgText& svg, RingSource& rings, const OutlineArea& area, Flip flip) {
  const int64_t k = 2 / rings.UnitsPerPixel();  // half pixels per unit
  const int64_t top = 2 * int64_t(flip.height);
  for (uint32_t r = area.firstRing; r < area.firstRing + area.ringCount; ++r) {
    auto ring = rings.Ring(r);
    svg.Add("M");
    svg.AddHalves(k * ring[0].x);
    svg.Add(" ");
    svg.AddHalves(top - k * ring[0].y);
    for (size_t i = 1; i < ring.size(); ++i) {
      const int64_t dx = k * (int64_t(ring[i].x) - ring[i - 1].x);
      const int64_t dy = -k * (int64_t(ring[i].y) - ring[i - 1].y);
      if (dy == 0) {
        svg.Add("h");
        svg.AddHalves(dx);
      } else if (dx == 0) {
        svg.Add("v");
        svg.AddHalves(dy);
      } else {
        svg.Add("l");
        svg.AddHalves(dx);
        svg.Add(" ");
        svg.AddHalves(dy);
      }
    }
    svg.Add("z");
  }
}

// Smoothed outlines: each stretch between two areas once (the ring walking
// it rightwards, or upwards when it is vertical), centred on the outline.
void AddSmoothBorderStrokes(SvgText& svg, RingSource& rings, Flip flip) {
  const int64_t top = 2 * int64_t(flip.height);
  int64_t penX = 0, penY = 0;
  for (size_t r = 0; r < rings.RingCount(); ++r) {
    svg.Spill();
    auto ring = rings.Ring(r);
    for (size_t i = 0; i < ring.size(); ++i) {
      const OutlinePoint a = ring[i], b = ring[(i + 1) % ring.size()];
      if (!(b.x > a.x || (b.x == a.x && b.y > a.y))) continue;
      const int64_t x = a.x, y = top - a.y;
      svg.Add("m");
      svg.AddHalves(x - penX);
      svg.Add(" ");
      svg.AddHalves(y - penY);
      svg.Add("l");
      svg.AddHalves(int64_t(b.x) - a.x);
      svg.Add(" ");
      svg.AddHalves(-(int64_t(b.y) - a.y));
      penX = b.x;
      penY = top - b.y;
    }
  }
}

// Every border edge once: of the two rings that run along an edge, the one
// going up or right draws it. The printed pattern inks the pixel to the right
// of a colour change and the one above it, so a stroke one pixel wide runs
// half a pixel to that side of its edge and covers exactly those pixels.
// Positions are counted in half pixels.
void AddBorderStrokes(SvgText& svg, RingSource& rings, Flip flip) {
  int64_t penX = 0, penY = 0;
  for (size_t r = 0; r < rings.RingCount(); ++r) {
    svg.Spill();
    auto ring = rings.Ring(r);
    for (size_t i = 0; i < ring.size(); ++i) {
      const OutlinePoint a = ring[i], b = ring[(i + 1) % ring.size()];
      const bool up = a.x == b.x && b.y > a.y;
      const bool right = a.y == b.y && b.x > a.x;
      if (!up && !right) continue;
      const int64_t x = 2 * int64_t(a.x) + (up ? 1 : 0);
      const int64_t y = 2 * flip.Y(a.y) - (right ? 1 : 0);
      svg.Add("m");
      svg.AddHalves(x - penX);
      svg.Add(" ");
      svg.AddHalves(y - penY);
      if (up) {
        svg.Add("v");
        svg.Add(-(int64_t(b.y) - a.y));
        penX = x;
        penY = y - 2 * (int64_t(b.y) - a.y);
      } else {
        svg.Add("h");
        svg.Add(int64_t(b.x) - a.x);
        penX = x + 2 * (int64_t(b.x) - a.x);
        penY = y;
      }
    }
  }
}

std::string AreaTitle(const std::vector<CFlossColor>& palette, uint8_t position) {
  if (position >= palette.size()) return "Color " + std::to_string(position + 1);
  const CFlossColor& paint = palette[position];
  return AreaPaintText({position + 1, paint.colorName, paint.brandName, paint.catalogNumber});
}

void AddAreas(SvgText& svg, const PatternSvgInput& input, const PatternOutlines& outlines,
              RingSource& rings, Flip flip) {
  // Grouped by paint, in palette order, so a drawing program can pick a
  // paint's areas; a counting sort keeps them in the order traced.
  std::vector<uint32_t> groupStart(257, 0);
  for (const OutlineArea& area : outlines.areas) ++groupStart[size_t(area.value) + 1];
  for (size_t v = 1; v < groupStart.size(); ++v) groupStart[v] += groupStart[v - 1];
  std::vector<uint32_t> byPaint(outlines.areas.size());
  {
    std::vector<uint32_t> next(groupStart.begin(), groupStart.end() - 1);
    for (uint32_t a = 0; a < outlines.areas.size(); ++a) byPaint[next[outlines.areas[a].value]++] = a;
  }
  const std::vector<CFlossColor>& palette = *input.palette;
  for (size_t position = 0; position < 256; ++position) {
    if (groupStart[position] == groupStart[position + 1]) continue;
    svg.Add("<g fill=\"");
    if (input.style == SvgStyle::kFilled && position < palette.size()) {
      const CFlossColor& paint = palette[position];
      svg.AddColor(paint.red, paint.green, paint.blue);
    } else {
      svg.Add("#ffffff");
    }
    svg.Add("\">\n");
    const std::string title = AreaTitle(palette, uint8_t(position));
    for (uint32_t i = groupStart[position]; i < groupStart[position + 1]; ++i) {
      svg.Add("<path d=\"");
      AddAreaPath(svg, rings, outlines.areas[byPaint[i]], flip);
      svg.Add("\"><title>");
      svg.AddEscaped(title);
      svg.Add("</title></path>\n");
      svg.Spill();
    }
    svg.Add("</g>\n");
  }
}

void AddNumbers(SvgText& svg, const std::vector<NumberPlacement>& numbers, Flip flip) {
  if (numbers.empty()) return;
  const double height = kGlyphInkLastRow - kGlyphInkFirstRow + 1;
  svg.Add("<g font-family=\"Liberation Sans, Arial, Helvetica, sans-serif\" font-size=\"");
  svg.Add(height / kDigitHeightPerEm);
  svg.Add("\" text-anchor=\"middle\" stroke=\"none\">\n");
  for (const NumberPlacement& place : numbers) {
    const NumberText text = NumberTextOf(place);
    svg.Add("<text x=\"");
    svg.Add(text.centreX);
    svg.Add("\" y=\"");
    svg.Add(double(flip.height) - text.baselineY);
    svg.Add("\">");
    svg.Add(int64_t(place.number));
    svg.Add("</text>\n");
    svg.Spill();
  }
  svg.Add("</g>\n");
}

}  // namespace

std::optional<SvgStyle> SvgStyleNamed(std::string_view name) {
  if (name == "outline") return SvgStyle::kOutline;
  if (name == "filled") return SvgStyle::kFilled;
  return std::nullopt;
}

void SetPageFromPaper(PatternSvgInput& input, double paperWidthMm, double paperHeightMm,
                      int pagesPerSide, double marginMm) {
  if (input.indexImage == nullptr || input.indexImage->Width() <= 0 ||
      input.indexImage->Height() <= 0) {
    return;
  }
  const double width = std::max(paperWidthMm - 2 * marginMm, 1.0) * std::max(pagesPerSide, 1);
  const double height = std::max(paperHeightMm - 2 * marginMm, 1.0) * std::max(pagesPerSide, 1);
  const double w = input.indexImage->Width(), h = input.indexImage->Height();
  const double scale = std::min(width / w, height / h);
  input.widthMm = w * scale;
  input.heightMm = h * scale;
}

PatternSvgInput PatternSvgInputOf(const CTessel20Doc& doc, const AppSettings& app,
                                  SvgStyle style) {
  PatternSvgInput input{doc.indexImage.get(), &doc.params.workingPalette, doc.params.borderColor,
                        0, 0, style};
  input.fitNumbers = app.mergeSmallAreas != 0;
  const auto& papers = PaperSizes();
  const int index = app.page.paperSize >= 0 && app.page.paperSize < int(papers.size())
                        ? app.page.paperSize : 3;
  double across = papers[size_t(index)].shortSide * 25.4;
  double down = papers[size_t(index)].longSide * 25.4;
  if (app.page.orientation == 1) std::swap(across, down);
  SetPageFromPaper(input, across, down, app.page.pageCount + 1, kSheetMarginMm);
  return input;
}

NumberText NumberTextOf(const NumberPlacement& place) {
  const NumberGlyph* glyph = GlyphForNumber(place.number);
  int first = kGlyphSize, last = -1;
  if (glyph != nullptr) {
    for (int v = kGlyphInkFirstRow; v <= kGlyphInkLastRow; ++v) {
      for (int u = 0; u < kGlyphSize; ++u) {
        if (!glyph->Ink(u, v)) continue;
        first = std::min(first, u);
        last = std::max(last, u);
      }
    }
  }
  if (last < 0) first = last = kGlyphSize / 2;
  return {place.gx + (first + last + 1) / 2.0, double(place.gy + kGlyphInkFirstRow),
          double(kGlyphInkLastRow - kGlyphInkFirstRow + 1)};
}

namespace {

void AddSvg(SvgText& svg, const PatternSvgInput& input, const PatternOutlines& outlines,
            const std::vector<NumberPlacement>& numbers) {
  const Flip flip{outlines.height};
  RingSource rings(outlines, input.smooth ? input.indexImage : nullptr);
  svg.Add("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  svg.Add("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"");
  svg.Add(input.widthMm > 0 ? input.widthMm : double(outlines.width));
  svg.Add(input.widthMm > 0 ? "mm\" height=\"" : "\" height=\"");
  svg.Add(input.heightMm > 0 ? input.heightMm : double(outlines.height));
  svg.Add(input.heightMm > 0 ? "mm\" viewBox=\"0 0 " : "\" viewBox=\"0 0 ");
  svg.Add(int64_t(outlines.width));
  svg.Add(" ");
  svg.Add(int64_t(outlines.height));
  svg.Add("\">\n");
  const Rgb ink = UnpackColor(input.borderColor);

  svg.Add("<g fill-rule=\"evenodd\" stroke=\"none\">\n");
  AddAreas(svg, input, outlines, rings, flip);
  svg.Add("</g>\n");

  svg.Add("<g fill=\"none\" stroke=\"");
  svg.AddColor(ink.red, ink.green, ink.blue);
  svg.Add("\" stroke-width=\"1\" stroke-linecap=\"butt\">\n");
  svg.Add("<path d=\"");
  if (rings.UnitsPerPixel() == 2) {
    AddSmoothBorderStrokes(svg, rings, flip);
  } else {
    AddBorderStrokes(svg, rings, flip);
  }
  svg.Add("\"/>\n");
  // The frame: the outermost pixels all round.
  svg.Add("<rect x=\"0.5\" y=\"0.5\" width=\"");
  svg.Add(int64_t(outlines.width) - 1);
  svg.Add("\" height=\"");
  svg.Add(int64_t(outlines.height) - 1);
  svg.Add("\"/>\n</g>\n");

  svg.Add("<g fill=\"");
  svg.AddColor(ink.red, ink.green, ink.blue);
  svg.Add("\">\n");
  AddNumbers(svg, numbers, flip);
  svg.Add("</g>\n</svg>\n");
}

// "" when the drawing's making fits the budget, else the refusal.
std::string RefusalPastBudget(const ImageBuffer& indexImage, const OutlineCounts& counts,
                              uint64_t needed, uint64_t budget) {
  if (needed <= budget) return {};
  return "drawing the outlines of a pattern of " +
         PixelSizeText(indexImage.Width(), indexImage.Height()) + " cells (" +
         std::to_string(counts.corners) + " corners) would take " + MemoryAmountText(needed) +
         " of memory, more than the limit of " + MemoryAmountText(budget);
}

}  // namespace

uint64_t VectorDrawingBytes(const ImageBuffer& indexImage, const OutlineCounts& counts,
                            bool fitNumbers) {
  const int32_t w = indexImage.Width(), h = indexImage.Height();
  const uint64_t placing = NumberPlacingBytes(w, h, counts.runs, fitNumbers);
  const uint64_t places = NumberPlacesBytes(w, h, counts.runs, fitNumbers);
  return std::max(placing, places + TracingBytes(w, h, counts));
}

std::optional<VectorDrawing> MakeVectorDrawing(const ImageBuffer& indexImage, bool fitNumbers,
                                               uint64_t budget, std::string& error) {
  const OutlineCounts counts = CountOutlines(indexImage);
  error = RefusalPastBudget(indexImage, counts, VectorDrawingBytes(indexImage, counts, fitNumbers),
                            budget);
  if (!error.empty()) return std::nullopt;
  try {
    // The numbers first: what placing them needs is gone before tracing starts.
    VectorDrawing drawing;
    drawing.numbers = WholePatternNumberPlaces(indexImage, fitNumbers);
    drawing.outlines = TraceOutlines(indexImage, counts);
    return drawing;
  } catch (const std::bad_alloc&) {
    error = "there is not enough memory";
  }
  return std::nullopt;
}

std::string PatternSvg(const PatternSvgInput& input, const PatternOutlines& outlines,
                       const std::vector<NumberPlacement>& numbers) {
  SvgText svg;
  svg.Reserve(outlines.points.size() * 5 + outlines.areas.size() * 80 + 4096);
  AddSvg(svg, input, outlines, numbers);
  return svg.Take();
}

bool WritePatternSvg(const PatternSvgInput& input, const PatternOutlines& outlines,
                     const std::vector<NumberPlacement>& numbers, ByteSink& sink) {
  SvgText svg(&sink);
  AddSvg(svg, input, outlines, numbers);
  return svg.Flush();
}

std::string WritePatternSvgFile(const PatternSvgInput& input, const std::string& path) {
  if (input.indexImage == nullptr || input.palette == nullptr ||
      BitsPerPixel(input.indexImage->Kind()) != 8) {
    return "the project has no painting pattern";
  }
  std::string error;
  std::optional<VectorDrawing> drawing =
      MakeVectorDrawing(*input.indexImage, input.fitNumbers, input.memoryBudget, error);
  if (!drawing) return error;
  ReplacingFile file(path);
  if (!file.IsOpen()) return std::strerror(file.LastError());
  try {
    if (WritePatternSvg(input, drawing->outlines, drawing->numbers, file) && file.Commit()) {
      return {};
    }
  } catch (const std::bad_alloc&) {
    return "there is not enough memory";
  }
  return std::strerror(file.LastError());
}

}  // namespace tintara
