// The pattern as vector graphics: `export --svg` and `print --vector`, checked
// against the pattern's own pixels on real photographs.
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QUrl>
#include <fstream>

#include "document/pattern_svg.h"
#include "pattern/number_glyphs.h"
#include "pattern/render_pattern.h"
#include "view/print_layout.h"
#include "view/sheet_extras.h"
#include "tests/support/poppler_output.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/outline_raster.h"

namespace tintara {
namespace {

using test::Poppler;
using test::CliResult;
using test::CliTest;

QString ReadText(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class VectorExportTest : public CliTest {
 protected:
  // A project made from one of the sample photographs.
  ProjectData Sample(const std::string& photo, const std::string& project,
                     QStringList options = {}) {
    const QString picture = QString::fromStdString((test::ResourcesFolder() / "samples" / photo).string());
    CliResult made = Run(QStringList{"create", picture, "-o", Q(project), "--quiet"} + options);
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    return test::ReadProjectAt(Path(project));
  }
};

TEST_F(VectorExportTest, TracedOutlinesOfPhotosPatternsFillBackToTheirIndexImages) {
  for (const char* photo : {"chelsea.png", "coffee.png", "astronaut.png"}) {
    ProjectData data = Sample(photo, "photo.mop");
    ASSERT_TRUE(data.indexImage) << photo;
    PatternOutlines outlines = TraceOutlines(*data.indexImage);
    EXPECT_GT(outlines.areas.size(), 50u) << photo;
    EXPECT_EQ(test::CompareFilled(outlines, *data.indexImage), "") << photo;
  }
}

TEST_F(VectorExportTest, ExportSvgWritesTheOutlineSheetUnlessFilledIsAsked) {
  ProjectData data = Sample("coffee.png", "coffee.mop");
  ASSERT_EQ(Run({"export", Q("coffee.mop"), "--svg", Q("sheet.svg")}).exitCode, 0);
  ASSERT_EQ(Run({"export", Q("coffee.mop"), "--svg", Q("filled.svg"), "--svg-style", "filled"})
                .exitCode,
            0);
  const QString sheet = ReadText(Path("sheet.svg"));
  const QString filled = ReadText(Path("filled.svg"));
  // Every area is a path; the outline sheet fills them all white.
  const auto paths = sheet.count(QStringLiteral("<path d=\"M"));
  EXPECT_EQ(paths, qsizetype(TraceOutlines(*data.indexImage).areas.size()));
  EXPECT_EQ(filled.count(QStringLiteral("<path d=\"M")), paths);
  QRegularExpression groupFill(QStringLiteral("<g fill=\"(#[0-9a-f]{6})\">\n<path"));
  QSet<QString> sheetFills, filledFills;
  for (auto m = groupFill.globalMatch(sheet); m.hasNext();) sheetFills << m.next().captured(1);
  for (auto m = groupFill.globalMatch(filled); m.hasNext();) filledFills << m.next().captured(1);
  EXPECT_EQ(sheetFills, QSet<QString>{QStringLiteral("#ffffff")});
  EXPECT_GT(filledFills.size(), 5);
  // Smoothed, the same areas get slopes.
  ASSERT_EQ(Run({"export", Q("coffee.mop"), "--svg", Q("smooth.svg"), "--svg-smooth"}).exitCode, 0);
  const QString smooth = ReadText(Path("smooth.svg"));
  EXPECT_EQ(smooth.count(QStringLiteral("<path d=\"M")), paths);
  EXPECT_FALSE(sheet.contains(QRegularExpression(QStringLiteral("<path d=\"M[^\"]*l"))));
  EXPECT_TRUE(smooth.contains(QRegularExpression(QStringLiteral("<path d=\"M[^\"]*l"))));
  // The page of the settings: A4 across, less 5 mm each side.
  EXPECT_TRUE(sheet.contains(QRegularExpression(QStringLiteral("<svg [^>]*width=\"200mm\""))));
}

// A pattern made with small areas merged has its numbers where they fit; the
// drawing follows when asked, since the project does not record it.
TEST_F(VectorExportTest, FitNumbersDrawsTheNumbersWhereAMergedPatternHasThem) {
  ProjectData data = Sample("rocket.jpg", "rocket.mop", {"--min-area-mm", "2.5"});
  ASSERT_TRUE(data.indexImage);
  ASSERT_EQ(Run({"export", Q("rocket.mop"), "--svg", Q("grid.svg")}).exitCode, 0);
  ASSERT_EQ(Run({"export", Q("rocket.mop"), "--svg", Q("fit.svg"), "--fit-numbers"}).exitCode, 0);
  const ImageBuffer& index = *data.indexImage;
  // Each <text> as its number and its x, in the order written.
  using Texts = std::vector<std::pair<int, double>>;
  auto texts = [](const std::string& path) {
    Texts found;
    const QRegularExpression text(QStringLiteral("<text x=\"([^\"]*)\" y=\"[^\"]*\">([0-9]+)</text>"));
    for (auto m = text.globalMatch(ReadText(path)); m.hasNext();) {
      const auto match = m.next();
      found.push_back({match.captured(2).toInt(), match.captured(1).toDouble()});
    }
    return found;
  };
  Texts expected;
  for (const NumberPlacement& place : WholePatternNumberPlaces(index, true)) {
    expected.push_back({place.number, NumberTextOf(place).centreX});
  }
  const Texts fitted = texts(Path("fit.svg"));
  ASSERT_FALSE(expected.empty());
  ASSERT_EQ(fitted.size(), expected.size());
  for (size_t i = 0; i < fitted.size(); ++i) {
    EXPECT_EQ(fitted[i].first, expected[i].first) << i;
    EXPECT_NEAR(fitted[i].second, expected[i].second, 0.01) << i;
  }
  EXPECT_NE(texts(Path("grid.svg")).size(), expected.size());
  // Each fitted number's glyph lies inside the area it names.
  for (const NumberPlacement& place : WholePatternNumberPlaces(index, true)) {
    const LtrbRect box = GlyphInkBox(place);
    for (int32_t y = box.top; y < box.bottom; ++y) {
      for (int32_t x = box.left; x < box.right; ++x) {
        ASSERT_EQ(index.Row(y)[x] + 1, place.number) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(Run({"export", Q("rocket.mop"), "--fit-numbers"}).exitCode, 2);
}

TEST_F(VectorExportTest, ExportSvgRefusesWhatItCannotDo) {
  Sample("coffee.png", "coffee.mop");
  CliResult style = Run({"export", Q("coffee.mop"), "--svg", Q("a.svg"), "--svg-style", "dotted"});
  EXPECT_EQ(style.exitCode, 2);
  EXPECT_TRUE(style.err.contains("outline|filled")) << style.err.toStdString();
  EXPECT_EQ(Run({"export", Q("coffee.mop"), "--svg-style", "filled"}).exitCode, 2);
  EXPECT_EQ(Run({"export", Q("coffee.mop"), "--svg-smooth"}).exitCode, 2);
  CliResult folder = Run({"export", Q("coffee.mop"), "--svg", Q("missing/a.svg")});
  EXPECT_EQ(folder.exitCode, 1);
  EXPECT_EQ(folder.ErrorLines().size(), 1);
  EXPECT_TRUE(folder.err.contains("Cannot write")) << folder.err.toStdString();
}

// Every colour number the pattern places is text in the PDF, on the sheet
// that holds it, in the order the numbers are placed; a page per sheet.
TEST_F(VectorExportTest, VectorPdfHasAPagePerSheetAndSearchableNumbers) {
  ProjectData data = Sample("astronaut.png", "many.mop",
                            {"--colors", "100", "--brand", "GoldenHeavyBody", "--dpi", "300"});
  ASSERT_TRUE(data.indexImage);
  ASSERT_EQ(Run({"print", Q("many.mop"), "--what", "pattern", "--vector", "--pages-per-side", "2",
                 "-o", Q("sheets.pdf")})
                .exitCode,
            0);
  const QString info = Poppler(QStringLiteral("pdfinfo"), {Q("sheets.pdf")});
  if (info.isEmpty()) GTEST_SKIP() << "poppler-utils are not installed";
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\n"))));
  const QStringList pages =
      Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), Q("sheets.pdf"), QStringLiteral("-")})
          .split(QLatin1Char('\f'));
  ASSERT_GE(pages.size(), 4);
  const std::vector<NumberPlacement> places = WholePatternNumberPlaces(*data.indexImage);
  const int32_t w = data.indexImage->Width(), h = data.indexImage->Height();
  int beyond35 = 0;
  for (int page = 1; page <= 4; ++page) {
    const TileRect tile = PrintTileRect(w, h, 2, page);
    QString expected;
    for (const NumberPlacement& place : places) {
      const NumberText text = NumberTextOf(place);
      if (text.centreX >= tile.left && text.centreX < tile.right && text.baselineY >= tile.y0 &&
          text.baselineY < tile.y1) {
        expected += QString::number(place.number);
        beyond35 += place.number > 35;
      }
    }
    QString shown = pages[page - 1];
    const QString header = QStringLiteral("Page No %1 from 4").arg(page);
    EXPECT_TRUE(shown.contains(header)) << page;
    shown.remove(header).remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_FALSE(expected.isEmpty());
    EXPECT_EQ(shown.toStdString(), expected.toStdString()) << "page " << page;
  }
  EXPECT_GT(beyond35, 0) << "a pattern of more than 35 colours numbers colours past 35";
  CliResult key = Run({"print", Q("many.mop"), "--what", "key", "--vector", "-o", Q("k.pdf")});
  EXPECT_EQ(key.exitCode, 2);
}

// On a grid the vector sheets carry the raster sheets' aids for joining them:
// each sheet's colours beside its header, its neighbours' edges, and marks at
// the corners of its own part.
TEST_F(VectorExportTest, VectorSheetsCarryTheAidsForJoiningThem) {
  ProjectData data = Sample("astronaut.png", "aids.mop", {"--dpi", "300"});
  ASSERT_TRUE(data.indexImage);
  auto printed = [&](const std::string& name, const char* aids) {
    std::ofstream(Path("settings.ini")) << "[SETTINGS]\nPRNRES=0\n[PRINT]\n" << aids;
    EXPECT_EQ(Run({"print", Q("aids.mop"), "--what", "pattern", "--vector", "--pages-per-side",
                   "2", "-o", Q(name)})
                  .exitCode,
              0);
    return Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), Q(name), QStringLiteral("-")})
        .split(QLatin1Char('\f'));
  };
  const QStringList plain = printed("plain.pdf", "SHEETCOLORS=0\nOVERLAPMM=0\nREGMARKS=0\n");
  const QStringList aided = printed("aided.pdf", "SHEETCOLORS=1\nOVERLAPMM=10\nREGMARKS=1\n");
  printed("marks.pdf", "SHEETCOLORS=0\nOVERLAPMM=0\nREGMARKS=1\n");
  if (plain.size() < 4) GTEST_SKIP() << "poppler-utils are not installed";
  ASSERT_GE(aided.size(), 4);
  const int32_t w = data.indexImage->Width(), h = data.indexImage->Height();
  const QRegularExpression colorsLine(QStringLiteral("Colors on this sheet: ([0-9, ]+)"));
  auto numbersShown = [](QString page) {
    page.remove(QRegularExpression(QStringLiteral("Page No \\d from 4")));
    page.remove(QRegularExpression(QStringLiteral("Colors on this sheet: [0-9, ]+")));
    return page.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size();
  };
  for (int page = 1; page <= 4; ++page) {
    EXPECT_FALSE(plain[page - 1].contains(QStringLiteral("Colors on this sheet")));
    const QRegularExpressionMatch listed = colorsLine.match(aided[page - 1]);
    ASSERT_TRUE(listed.hasMatch()) << "page " << page;
    QStringList expected;
    for (int number : ColorNumbersIn(data.indexImage.get(), w, h, PrintTileRect(w, h, 2, page))) {
      expected << QString::number(number);
    }
    EXPECT_EQ(listed.captured(1).simplified().toStdString(),
              expected.join(QStringLiteral(", ")).toStdString());
    // The overlap repeats the numbers along the edges the sheet shares.
    EXPECT_GT(numbersShown(aided[page - 1]), numbersShown(plain[page - 1])) << "page " << page;
  }
  // The marks are drawn, not written: the marked sheet looks different.
  auto render = [&](const std::string& name) {
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"),
                                                   QStringLiteral("-f"), QStringLiteral("1"),
                                                   QStringLiteral("-l"), QStringLiteral("1"),
                                                   QStringLiteral("-png"), Q(name), Q(name)});
    return QImage(Q(name + "-1.png"));
  };
  const QImage unmarked = render("plain.pdf"), marked = render("marks.pdf");
  ASSERT_FALSE(unmarked.isNull());
  EXPECT_EQ(marked.size(), unmarked.size());
  EXPECT_NE(marked, unmarked);
}

// The filled drawing as a browser shows it, one pattern pixel to a screen
// pixel, against the printed pattern's pixels: borders in the border colour,
// areas in their paint. The numbers are set in a font, not in the pattern's
// glyphs, so their boxes are left out.
TEST_F(VectorExportTest, ChromiumShowsTheFilledDrawingAsThePatternsPixels) {
  const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
  ASSERT_FALSE(chromium.isEmpty()) << "chromium is missing; scripts/install-deps.sh installs it";
  ProjectData data = Sample("chelsea.png", "cat.mop", {"--dpi", "300"});
  ASSERT_TRUE(data.indexImage && data.patternImage);
  ASSERT_EQ(Run({"export", Q("cat.mop"), "--svg", Q("cat.svg"), "--svg-style", "filled"}).exitCode, 0);
  const int w = data.indexImage->Width(), h = data.indexImage->Height();
  std::ofstream(Path("cat.html"))
      << "<!DOCTYPE html><html><head><style>html,body{margin:0;padding:0;overflow:hidden;"
         "background:#fff}img{display:block;width:" << w << "px;height:" << h
      << "px}</style></head><body><img src=\"cat.svg\"></body></html>";
  QProcess browser;
  browser.setProcessEnvironment(environment);
  browser.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                           "--force-device-scale-factor=1",
                           QStringLiteral("--window-size=%1,%2").arg(w).arg(h),
                           "--screenshot=" + Q("shot.png"),
                           "--user-data-dir=" + Q("chromium-profile"),
                           QUrl::fromLocalFile(Q("cat.html")).toString()});
  ASSERT_TRUE(browser.waitForFinished(90000));
  QImage shot(Q("shot.png"));
  ASSERT_FALSE(shot.isNull()) << browser.readAllStandardError().toStdString();
  ASSERT_EQ(shot.width(), w);
  ASSERT_GE(shot.height(), h);
  shot = shot.convertToFormat(QImage::Format_RGB32);

  std::vector<bool> numberBox(size_t(w) * size_t(h));
  for (const NumberPlacement& place : WholePatternNumberPlaces(*data.indexImage)) {
    for (int y = place.gy; y < place.gy + kGlyphSize; ++y) {
      for (int x = place.gx; x < place.gx + kGlyphSize; ++x) {
        if (x >= 0 && y >= 0 && x < w && y < h) numberBox[size_t(y) * size_t(w) + size_t(x)] = true;
      }
    }
  }
  const Rgb ink = UnpackColor(data.params.borderColor);
  const auto& palette = data.params.workingPalette;
  int64_t compared = 0, agreeing = 0;
  for (int y = 0; y < h; ++y) {
    const uint8_t* index = data.indexImage->Row(y);
    const uint8_t* pattern = data.patternImage->Row(y);
    const QRgb* shown = reinterpret_cast<const QRgb*>(shot.constScanLine(h - 1 - y));
    for (int x = 0; x < w; ++x) {
      if (numberBox[size_t(y) * size_t(w) + size_t(x)]) continue;
      Rgb want = ink;
      if (pattern[x] != kPatternInk) want = palette[index[x]].AsRgb();
      ++compared;
      const QRgb got = shown[x];
      agreeing += std::abs(qRed(got) - want.red) <= 8 && std::abs(qGreen(got) - want.green) <= 8 &&
                  std::abs(qBlue(got) - want.blue) <= 8;
    }
  }
  ASSERT_GT(compared, int64_t(w) * h / 2);
  EXPECT_GE(double(agreeing) / double(compared), 0.999)
      << agreeing << " of " << compared << " pixels agree";
}

}  // namespace
}  // namespace tintara
