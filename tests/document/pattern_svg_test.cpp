#include "document/pattern_svg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <sstream>

#include "pattern/render_pattern.h"
#include "tests/support/outline_raster.h"
#include "tests/support/synthetic_images.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

std::vector<CFlossColor> Paints(int count) {
  std::vector<CFlossColor> palette(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    CFlossColor& paint = palette[size_t(i)];
    paint.brandName = i == 2 ? "Smith & Sons" : "Acme";
    paint.colorName = "Paint <" + std::to_string(i) + ">";
    paint.catalogNumber = i == 1 ? -1 : 3100 + i;
    paint.paletteIndex = i;
    paint.red = uint8_t(10 * i);
    paint.green = uint8_t(255 - 7 * i);
    paint.blue = uint8_t(i * 37 % 256);
  }
  return palette;
}

ImageRef Sample() {
  return test::MakeIndex(97, 71, [](int x, int y) {
    if (x > 30 && x < 60 && y > 20 && y < 50) return (x > 40 && x < 50 && y > 30 && y < 40) ? 2 : 1;
    return (x * 3 + y * y / 9) / 23 % 5;
  });
}

struct ParsedSvg {
  PatternOutlines outlines;           // the areas' paths read back, value from the group's fill
  std::vector<std::string> titles;    // per path
  std::vector<bool> strokeInk;        // pixels the border strokes cover, row 0 first
  std::vector<std::string> texts;
  std::string widthAttr;
};

// The `<g fill="#rrggbb">` groups with their paths' data and titles. Read by
// hand: the library's regular expressions recurse per character matched and
// run out of stack on a whole pattern's paths.
using TitledPaths = std::vector<std::pair<std::string, std::string>>;
std::vector<std::pair<std::string, TitledPaths>> FillGroups(const std::string& svg) {
  std::vector<std::pair<std::string, TitledPaths>> groups;
  const std::string open = "<g fill=\"";
  for (size_t at = svg.find(open); at != std::string::npos; at = svg.find(open, at + 1)) {
    const size_t fillEnd = svg.find('"', at + open.size());
    if (fillEnd == std::string::npos || svg.compare(fillEnd, 3, "\">\n") != 0) continue;
    const size_t end = svg.find("</g>", fillEnd);
    TitledPaths paths;
    for (size_t p = svg.find("<path d=\"", fillEnd); p < end; p = svg.find("<path d=\"", p + 1)) {
      const size_t dStart = p + 9;
      const size_t dEnd = svg.find('"', dStart);
      const size_t tStart = svg.find("<title>", dEnd) + 7;
      const size_t tEnd = svg.find("</title>", tStart);
      paths.push_back({svg.substr(dStart, dEnd - dStart), svg.substr(tStart, tEnd - tStart)});
    }
    groups.push_back({svg.substr(at + open.size(), fillEnd - at - open.size()), std::move(paths)});
  }
  return groups;
}

// The data of the one stroke path, `<path d="m…"/>`; empty when there is none.
std::string StrokePath(const std::string& svg) {
  const size_t at = svg.find("<path d=\"m");
  if (at == std::string::npos) return {};
  const size_t end = svg.find('"', at + 9);
  if (end == std::string::npos || svg.compare(end, 3, "\"/>") != 0) return {};
  return svg.substr(at + 9, end - at - 9);
}

// Reads back what the writer writes: groups with a fill, paths of M/h/v/z,
// the one stroke path of m and h/v steps moved half a pixel, and the frame.
ParsedSvg Parse(const std::string& svg, int32_t width, int32_t height,
                const std::map<std::string, int>& valueOfFill) {
  ParsedSvg parsed;
  parsed.outlines.width = width;
  parsed.outlines.height = height;
  parsed.outlines.unitsPerPixel = 2;
  std::smatch m;
  std::regex_search(svg, m, std::regex("<svg[^>]* width=\"([^\"]*)\""));
  parsed.widthAttr = m[1];
  for (const auto& [fill, paths] : FillGroups(svg)) {
    for (const auto& [pathData, title] : paths) {
      OutlineArea area;
      area.value = uint8_t(valueOfFill.count(fill) ? valueOfFill.at(fill) : 255);
      area.firstRing = uint32_t(parsed.outlines.RingCount());
      if (parsed.outlines.ringStarts.empty()) parsed.outlines.ringStarts.push_back(0);
      std::istringstream d(pathData);
      char op;
      double x = 0, y = 0, v, w;
      // Kept in half pixels, which every corner of a smoothed outline lies on.
      auto add = [&] {
        parsed.outlines.points.push_back({int32_t(std::lround(2 * x)), int32_t(std::lround(2 * (height - y)))});
      };
      while (d >> op) {
        if (op == 'M') {
          d >> x >> y;
          add();
        } else if (op == 'h' || op == 'v') {
          d >> v;
          (op == 'h' ? x : y) += v;
          add();
        } else if (op == 'l') {
          d >> v >> w;
          x += v;
          y += w;
          add();
        } else if (op == 'z') {
          parsed.outlines.ringStarts.push_back(uint32_t(parsed.outlines.points.size()));
          ++area.ringCount;
        }
      }
      parsed.outlines.areas.push_back(area);
      parsed.titles.push_back(title);
    }
  }
  parsed.strokeInk.assign(size_t(width) * size_t(height), false);
  auto ink = [&](int64_t px, int64_t py) {  // py in SVG rows, top first
    if (px >= 0 && px < width && py >= 0 && py < height) {
      parsed.strokeInk[size_t(height - 1 - py) * size_t(width) + size_t(px)] = true;
    }
  };
  // A stroke one unit wide covers the band half a unit either side of its
  // line; it must cover whole pixels, or a viewer shows it smeared.
  const std::string strokeData = StrokePath(svg);
  EXPECT_FALSE(strokeData.empty());
  // Smoothed borders run centred on their slopes; only pixel-edge borders are
  // checked pixel by pixel.
  std::istringstream strokes(strokeData.find('l') == std::string::npos ? strokeData : "");
  double x = 0, y = 0;
  char op;
  while (strokes >> op) {
    double dx, dy, step;
    if (op != 'm' || !(strokes >> dx >> dy >> op >> step)) break;
    x += dx;
    y += dy;
    const bool vertical = op == 'v';
    const double left = vertical ? x - 0.5 : std::min(x, x + step);
    const double top = vertical ? std::min(y, y + step) : y - 0.5;
    const double right = vertical ? x + 0.5 : std::max(x, x + step);
    const double bottom = vertical ? std::max(y, y + step) : y + 0.5;
    EXPECT_TRUE(left == std::floor(left) && top == std::floor(top)) << "partial pixels";
    for (int64_t py = int64_t(top); py < int64_t(bottom); ++py) {
      for (int64_t px = int64_t(left); px < int64_t(right); ++px) ink(px, py);
    }
    (vertical ? y : x) += step;
  }
  EXPECT_NE(svg.find("<rect x=\"0.5\" y=\"0.5\" width=\"" + std::to_string(width - 1) +
                     "\" height=\"" + std::to_string(height - 1) + "\"/>"),
            std::string::npos);
  for (int32_t px = 0; px < width; ++px) ink(px, 0), ink(px, height - 1);
  for (int32_t py = 0; py < height; ++py) ink(0, py), ink(width - 1, py);
  const std::regex text("<text x=\"[^\"]*\" y=\"[^\"]*\">([0-9]+)</text>");
  for (auto t = std::sregex_iterator(svg.begin(), svg.end(), text); t != std::sregex_iterator(); ++t) {
    parsed.texts.push_back((*t)[1]);
  }
  return parsed;
}

std::map<std::string, int> FillsOf(const std::vector<CFlossColor>& palette) {
  std::map<std::string, int> fills;
  for (size_t i = 0; i < palette.size(); ++i) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", palette[i].red, palette[i].green, palette[i].blue);
    fills[text] = int(i);
  }
  return fills;
}

TEST(PatternSvg, FilledAreasReadBackAsTheIndexImage) {
  ImageRef index = Sample();
  const std::vector<CFlossColor> palette = Paints(5);
  PatternSvgInput input{index.get(), &palette, 0x0000ff, 0, 0, SvgStyle::kFilled};
  const std::string svg =
      PatternSvg(input, TraceOutlines(*index), WholePatternNumberPlaces(*index));
  ParsedSvg parsed = Parse(svg, index->Width(), index->Height(), FillsOf(palette));
  EXPECT_EQ(test::CompareFilled(parsed.outlines, *index), "");
  EXPECT_EQ(parsed.outlines.areas.size(), TraceOutlines(*index).areas.size());
}

TEST(PatternSvg, SmoothedAreasKeepEveryPixelCentreAndDrawTheirSlopes) {
  ImageRef index = Sample();
  const std::vector<CFlossColor> palette = Paints(5);
  PatternSvgInput input{index.get(), &palette, 0x0000ff, 0, 0, SvgStyle::kFilled, true};
  const PatternOutlines smooth = SmoothOutlines(TraceOutlines(*index), *index);
  const std::string svg = PatternSvg(input, smooth, {});
  ParsedSvg parsed = Parse(svg, index->Width(), index->Height(), FillsOf(palette));
  EXPECT_EQ(test::CompareFilled(parsed.outlines, *index), "");
  EXPECT_NE(svg.find("l0.5 -0.5"), std::string::npos);
  // The border path walks every slope once, centred on the outline.
  EXPECT_NE(StrokePath(svg).find("l0.5 "), std::string::npos);
  // The file written with the option is that drawing.
  test::TempDir dir;
  ASSERT_EQ(WritePatternSvgFile(input, dir.File("s.svg")), "");
  std::ifstream in(dir.File("s.svg"));
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), PatternSvg(input, smooth, WholePatternNumberPlaces(*index)));
}

TEST(PatternSvg, StrokesInkExactlyThePixelsThePrintedBordersInk) {
  ImageRef index = Sample();
  const std::vector<CFlossColor> palette = Paints(5);
  PatternSvgInput input{index.get(), &palette, 0x808080, 0, 0, SvgStyle::kOutline};
  const std::string svg = PatternSvg(input, TraceOutlines(*index), {});
  ParsedSvg parsed = Parse(svg, index->Width(), index->Height(), FillsOf(palette));
  ImageRef pattern = ImageBuffer::Create(kKind8Bit, index->Width(), index->Height());
  ASSERT_EQ(RenderPattern({index.get(), kPatternBordersOnly, 0x808080, 5}, *pattern,
                          WholePattern(*pattern), nullptr),
            RenderStatus::kDone);
  for (int32_t y = 0; y < index->Height(); ++y) {
    for (int32_t x = 0; x < index->Width(); ++x) {
      ASSERT_EQ(parsed.strokeInk[size_t(y) * size_t(index->Width()) + size_t(x)],
                pattern->Row(y)[x] == kPatternInk)
          << x << "," << y;
    }
  }
  // The outline sheet leaves every area white.
  EXPECT_EQ(svg.find("<g fill=\"#") , svg.find("<g fill=\"#ffffff\">"));
  EXPECT_EQ(std::regex_search(svg, std::regex("<g fill=\"#(?!ffffff|808080)")), false);
}

TEST(PatternSvg, AreasAreTitledWithTheirPaintAndNumbersAreText) {
  ImageRef index = Sample();
  const std::vector<CFlossColor> palette = Paints(5);
  PatternSvgInput input{index.get(), &palette, 0x808080, 0, 0, SvgStyle::kFilled};
  SetPageFromPaper(input, 210, 297, 1, 5);
  const std::vector<NumberPlacement> places = WholePatternNumberPlaces(*index);
  ASSERT_FALSE(places.empty());
  const std::string svg = PatternSvg(input, TraceOutlines(*index), places);
  ParsedSvg parsed = Parse(svg, index->Width(), index->Height(), FillsOf(palette));
  // 97 × 71 pixels fill the 200 mm across of A4's printable part.
  EXPECT_EQ(parsed.widthAttr, "200mm");
  EXPECT_NE(svg.find("height=\"146.392mm\""), std::string::npos);
  // Over 2 × 2 landscape sheets the height limits: 2 × 200 mm high.
  SetPageFromPaper(input, 297, 210, 2, 5);
  EXPECT_DOUBLE_EQ(input.heightMm, 400);
  EXPECT_DOUBLE_EQ(input.widthMm, 400.0 * 97 / 71);
  ASSERT_EQ(parsed.titles.size(), parsed.outlines.areas.size());
  for (size_t a = 0; a < parsed.titles.size(); ++a) {
    const int v = parsed.outlines.areas[a].value;
    const std::string expected[] = {"Color 1: Paint &lt;0&gt;, Acme, No. 3100",
                                    "Color 2: Paint &lt;1&gt;, Acme",
                                    "Color 3: Paint &lt;2&gt;, Smith &amp; Sons, No. 3102",
                                    "Color 4: Paint &lt;3&gt;, Acme, No. 3103",
                                    "Color 5: Paint &lt;4&gt;, Acme, No. 3104"};
    EXPECT_EQ(parsed.titles[a], expected[v]);
  }
  ASSERT_EQ(parsed.texts.size(), places.size());
  for (size_t i = 0; i < places.size(); ++i) {
    EXPECT_EQ(parsed.texts[i], std::to_string(places[i].number));
  }
}

TEST(PatternSvg, NumberTextSitsOnTheGlyphsInk) {
  // Two digits: ink in columns 4..12 and rows 4..10 of the glyph box.
  NumberText two = NumberTextOf({27, 100, 50});
  EXPECT_DOUBLE_EQ(two.centreX, 108.5);
  EXPECT_DOUBLE_EQ(two.baselineY, 54);
  EXPECT_DOUBLE_EQ(two.height, 7);
  // Three digits spread over columns 1..14.
  EXPECT_DOUBLE_EQ(NumberTextOf({200, 100, 50}).centreX, 108);
}

TEST(PatternSvg, FilesAreWrittenWholeOrNotAtAll) {
  test::TempDir dir;
  ImageRef index = Sample();
  const std::vector<CFlossColor> palette = Paints(5);
  PatternSvgInput input{index.get(), &palette, 0x808080, 0, 0, SvgStyle::kOutline};
  const std::string path = (dir.Path() / "p.svg").string();
  ASSERT_EQ(WritePatternSvgFile(input, path), "");
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), PatternSvg(input, TraceOutlines(*index), WholePatternNumberPlaces(*index)));
  EXPECT_NE(WritePatternSvgFile(input, (dir.Path() / "no" / "p.svg").string()), "");
  PatternSvgInput none{nullptr, &palette};
  EXPECT_EQ(WritePatternSvgFile(none, path), "the project has no painting pattern");
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The file goes out in pieces as it is made; whole, it is the drawing made
// in one string, smoothed ring by ring the same as all rings at once.
TEST(PatternSvg, StreamedFilesAreTheDrawingByteForByte) {
  test::TempDir dir;
  std::mt19937 random(5);
  ImageRef index = test::MakeIndex(320, 240, [&](int x, int y) {
    return (x / 5 + y / 3 + int(random() % 5 == 0)) % 7;
  });
  const std::vector<CFlossColor> palette = Paints(7);
  const PatternOutlines traced = TraceOutlines(*index);
  const std::vector<NumberPlacement> places = WholePatternNumberPlaces(*index);
  for (bool smooth : {false, true}) {
    PatternSvgInput input{index.get(), &palette, 0x808080, 0, 0, SvgStyle::kFilled, smooth};
    const std::string path = dir.File(smooth ? "smooth.svg" : "plain.svg");
    ASSERT_EQ(WritePatternSvgFile(input, path), "");
    const std::string written = ReadFile(path);
    const std::string whole =
        PatternSvg(input, smooth ? SmoothOutlines(traced, *index) : traced, places);
    EXPECT_GT(written.size(), size_t(8) << 16) << "spans many pieces";
    ASSERT_EQ(written.size(), whole.size()) << smooth;
    EXPECT_TRUE(written == whole) << smooth;
  }
}

// Every cell of a checkerboard is an area of four corners: past the budget,
// the sizes and the limit are told and nothing is written.
TEST(PatternSvg, ADrawingPastTheMemoryBudgetIsRefused) {
  test::TempDir dir;
  ImageRef board = test::MakeIndex(400, 300, [](int x, int y) { return (x + y) % 2; });
  const std::vector<CFlossColor> palette = Paints(2);
  PatternSvgInput input{board.get(), &palette, 0x808080, 0, 0, SvgStyle::kOutline};
  input.memoryBudget = uint64_t(4) << 20;
  const std::string path = dir.File("board.svg");
  const std::string refusal = WritePatternSvgFile(input, path);
  EXPECT_NE(refusal.find("400 \u00d7 300 cells (480000 corners)"), std::string::npos) << refusal;
  EXPECT_NE(refusal.find("more than the limit of 4 MiB"), std::string::npos) << refusal;
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
  std::string error;
  EXPECT_FALSE(MakeVectorDrawing(*board, false, input.memoryBudget, error));
  EXPECT_EQ(error, refusal);
  // What it was refused for is enough.
  const uint64_t needed = VectorDrawingBytes(*board, CountOutlines(*board), false);
  EXPECT_GT(needed, input.memoryBudget);
  input.memoryBudget = needed;
  ASSERT_EQ(WritePatternSvgFile(input, path), "");
  EXPECT_EQ(ReadFile(path), PatternSvg(input, TraceOutlines(*board), WholePatternNumberPlaces(*board)));
}

TEST(PatternSvg, StylesAreNamedOutlineAndFilled) {
  EXPECT_EQ(SvgStyleNamed("outline"), SvgStyle::kOutline);
  EXPECT_EQ(SvgStyleNamed("filled"), SvgStyle::kFilled);
  EXPECT_EQ(SvgStyleNamed("Filled"), std::nullopt);
}

}  // namespace
}  // namespace tintara
