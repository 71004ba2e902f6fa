// `print`: every page of the job as PDF, and the shopping list as CSV.
#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>
#include <fstream>

#include "tests/support/poppler_output.h"
#include "tests/cli/cli_runner.h"

namespace tintara {
namespace {

using test::Poppler;
using test::CliResult;
using test::CliTest;

QStringList CsvLines(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
}

class PrintTest : public CliTest {
 protected:
  // The names of the working colours, in number order.
  QStringList PaintNames(const std::string& project) {
    QStringList names;
    QJsonArray palette = Info(project)["params"].toObject()["workingPalette"].toArray();
    for (const QJsonValue& color : palette) names << color.toObject()["colorName"].toString();
    return names;
  }
};

TEST_F(PrintTest, PatternSheetsAndKeyPagesAsPdf) {
  std::string project = CreateProject();
  QString projectQ = QString::fromStdString(project);
  ASSERT_EQ(Run({"print", projectQ, "--what", "pattern", "--pages-per-side", "3", "-o",
                 Q("nine.pdf")}).exitCode, 0);
  EXPECT_EQ(test::PdfPageCount(Path("nine.pdf")), 9);
  ASSERT_EQ(Run({"print", projectQ, "--what", "key", "-o", Q("key.pdf")}).exitCode, 0);
  EXPECT_EQ(test::PdfPageCount(Path("key.pdf")), 1);

  QString text = Poppler("pdftotext", {Q("nine.pdf"), "-"});
  if (text.isEmpty()) GTEST_SKIP() << "poppler-utils are not installed";
  for (int page = 1; page <= 9; ++page) {
    EXPECT_TRUE(text.contains(QStringLiteral("Page No %1 from 9").arg(page))) << page;
  }
  QString key = Poppler("pdftotext", {Q("key.pdf"), "-"});
  QStringList names = PaintNames(project);
  ASSERT_FALSE(names.isEmpty());
  for (const QString& name : names) EXPECT_TRUE(key.contains(name)) << name.toStdString();
  EXPECT_FALSE(key.contains("Paint for"));  // the shopping list is off by default
  // One image a sheet at the pattern's own pixels: 310 x 206 in thirds, the
  // last column and row taking the rest; none of them lossy.
  QString images = Poppler("pdfimages", {"-list", Q("nine.pdf")});
  QStringList rows = images.split('\n', Qt::SkipEmptyParts).mid(2);
  ASSERT_EQ(rows.size(), 9) << images.toStdString();
  EXPECT_TRUE(rows[0].contains(QRegularExpression(" 103 +68 ")));
  EXPECT_TRUE(rows[8].contains(QRegularExpression(" 104 +70 ")));
  EXPECT_FALSE(images.contains("jpeg"));
}

TEST_F(PrintTest, AKeyOfMoreThanThirtyTwoColoursTakesASecondPage) {
  const QString photo = QStringLiteral(TINTARA_RESOURCES_DIR "/samples/astronaut.png");
  ASSERT_EQ(Run({"create", photo, "-o", Q("many.mop"), "--colors", "128", "--brand",
                 "GoldenHeavyBody"}).exitCode, 0);
  int colors = Info(Path("many.mop"))["params"].toObject()["workingPalette"].toArray().size();
  ASSERT_GT(colors, 32);
  ASSERT_EQ(Run({"print", Q("many.mop"), "--what", "key", "-o", Q("key.pdf")}).exitCode, 0);
  EXPECT_EQ(test::PdfPageCount(Path("key.pdf")), 2);
}

TEST_F(PrintTest, ShoppingListAsCsvFollowsTheSettings) {
  std::string project = CreateProject();
  QString projectQ = QString::fromStdString(project);
  ASSERT_EQ(Run({"print", projectQ, "--what", "shopping-list", "-o", Q("list.csv")}).exitCode, 0);
  QStringList lines = CsvLines(Path("list.csv"));
  ASSERT_GE(lines.size(), 3);
  EXPECT_TRUE(lines.front().startsWith("number,name,catalogue number,brand,share %"));
  const int used = Info(project)["usedColors"].toInt();
  EXPECT_EQ(lines.size(), used + 2);
  double shares = 0;
  double paint = 0;
  for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
    QStringList fields = lines[i].split(',');
    ASSERT_EQ(fields.size(), 8) << lines[i].toStdString();
    shares += fields[4].toDouble();
    paint += fields[6].toDouble();
    EXPECT_GE(fields[7].toInt(), 1);
  }
  EXPECT_NEAR(shares, 100.0, 0.1);
  QStringList total = lines.back().split(',');
  ASSERT_EQ(total[0], "total");
  EXPECT_NEAR(total[6].toDouble(), paint, 0.05);
  // The 310 x 206 pattern across an A4 sheet less 5 mm margins: 20 cm by
  // 13.3 cm; two coats of 0.1 ml per 10 cm².
  EXPECT_NEAR(total[5].toDouble(), 20.0 * 20.0 * 206 / 310, 0.5);
  EXPECT_NEAR(total[6].toDouble(), total[5].toDouble() * 0.02, 0.05);

  // Four coats of a thicker paint in 5 ml pots; on four sheets, four times the area.
  std::ofstream(Path("settings.ini"), std::ios::app)
      << "[PRINT]\nCOATS=4\nCOVERAGEUL=250\nPOTML=5\nSHOPPINGLIST=1\n";
  ASSERT_EQ(Run({"print", projectQ, "--what", "shopping-list", "--pages-per-side", "2", "-o",
                 Q("thick.csv")}).exitCode, 0);
  QStringList thick = CsvLines(Path("thick.csv"));
  ASSERT_EQ(thick.size(), lines.size());
  EXPECT_TRUE(thick.front().endsWith("pots of 5 ml"));
  QStringList thickTotal = thick.back().split(',');
  EXPECT_NEAR(thickTotal[5].toDouble(), 4 * total[5].toDouble(), 2.0);
  EXPECT_NEAR(thickTotal[6].toDouble(), thickTotal[5].toDouble() * 0.1, 0.05);
  for (qsizetype i = 1; i + 1 < thick.size(); ++i) {
    QStringList fields = thick[i].split(',');
    EXPECT_EQ(fields[7].toInt(), int(std::ceil(fields[6].toDouble() / 5 - 1e-6)))
        << thick[i].toStdString();
  }

  // Switched on, the key's page carries the list too.
  ASSERT_EQ(Run({"print", projectQ, "--what", "key", "-o", Q("key.pdf")}).exitCode, 0);
  QString key = Poppler("pdftotext", {Q("key.pdf"), "-"});
  if (key.isEmpty()) GTEST_SKIP() << "poppler-utils are not installed";
  EXPECT_TRUE(key.contains("Paint for")) << key.toStdString();
  EXPECT_TRUE(key.contains("pots of 5 ml") || key.contains("pot of 5 ml"));
}

TEST_F(PrintTest, SheetAidsListColoursAndRepeatTheNeighboursEdges) {
  std::string project = CreateProject();
  QString projectQ = QString::fromStdString(project);
  std::ofstream(Path("settings.ini"), std::ios::app)
      << "[PRINT]\nSHEETCOLORS=1\nOVERLAPMM=10\nREGMARKS=1\n";
  ASSERT_EQ(Run({"print", projectQ, "--what", "pattern", "--pages-per-side", "2", "-o",
                 Q("aids.pdf")}).exitCode, 0);
  EXPECT_EQ(test::PdfPageCount(Path("aids.pdf")), 4);
  QString text = Poppler("pdftotext", {Q("aids.pdf"), "-"});
  if (text.isEmpty()) GTEST_SKIP() << "poppler-utils are not installed";
  EXPECT_EQ(text.count("Colors on this sheet: "), 4) << text.toStdString();
  // Each 155 x 103 sheet grows by the 10 mm overlap towards its two neighbours.
  QString images = Poppler("pdfimages", {"-list", Q("aids.pdf")});
  QStringList rows = images.split('\n', Qt::SkipEmptyParts).mid(2);
  ASSERT_EQ(rows.size(), 4) << images.toStdString();
  QRegularExpression size(" image +(\\d+) +(\\d+) ");
  for (const QString& row : rows) {
    QRegularExpressionMatch match = size.match(row);
    ASSERT_TRUE(match.hasMatch()) << row.toStdString();
    EXPECT_GT(match.captured(1).toInt(), 155) << row.toStdString();
    EXPECT_LT(match.captured(1).toInt(), 200) << row.toStdString();
    EXPECT_GT(match.captured(2).toInt(), 103) << row.toStdString();
  }
  // A one-sheet print has no neighbours: nothing is added to it.
  ASSERT_EQ(Run({"print", projectQ, "--what", "pattern", "-o", Q("one.pdf")}).exitCode, 0);
  EXPECT_FALSE(Poppler("pdftotext", {Q("one.pdf"), "-"}).contains("Colors on this sheet"));
  EXPECT_TRUE(Poppler("pdfimages", {"-list", Q("one.pdf")}).contains(QRegularExpression(" 310 +206 ")));
}

TEST_F(PrintTest, ShoppingListWritesFormulaLikeNamesAsText) {
  std::ofstream(Path("tricky.dat"), std::ios::binary)
      << "PAINT=@Brand\r\n\r\n=1+1,1,0,0,0,\r\n-2,2,255,255,255,\r\n+3,3,255,0,0,\r\n";
  WritePicture("photo.png", 90, 60);
  ASSERT_EQ(Run({"create", Q("photo.png"), "-o", Q("tricky.mop"), "--colors", "3", "--brand",
                 Q("tricky.dat")}).exitCode, 0);
  ASSERT_EQ(Run({"print", Q("tricky.mop"), "--what", "shopping-list", "-o", Q("list.csv")})
                .exitCode, 0);
  QStringList lines = CsvLines(Path("list.csv"));
  ASSERT_GE(lines.size(), 3);
  for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
    QStringList fields = lines[i].split(',');
    ASSERT_EQ(fields.size(), 8) << lines[i].toStdString();
    EXPECT_TRUE(fields[1] == "'=1+1" || fields[1] == "'-2" || fields[1] == "'+3")
        << lines[i].toStdString();
    EXPECT_EQ(fields[3], "'@Brand");
  }
}

TEST_F(PrintTest, ShoppingListNeedsAPattern) {
  WritePicture("photo.png", 40, 30);
  ASSERT_EQ(Run({"run", "--picture", Q("photo.png"), "-o", Q("bare.mop")}).exitCode, 0);
  CliResult result = Run({"print", Q("bare.mop"), "--what", "shopping-list", "-o", Q("l.csv")});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.err.contains("no painting pattern")) << result.err.toStdString();
  EXPECT_FALSE(QFile::exists(Q("l.csv")));
}

// A print or an export inflates only the pictures it draws from: with the
// photo's rows damaged, the lists, the key and the pattern's pictures come
// out the same and only what needs the photo fails.
TEST_F(PrintTest, PrintsAndExportsNeedOnlyThePicturesTheyDrawFrom) {
  std::string project = CreateProject();
  QString projectQ = QString::fromStdString(project);
  ASSERT_EQ(Run({"print", projectQ, "--what", "shopping-list", "-o", Q("sound.csv")}).exitCode, 0);
  std::vector<char> bytes;
  {
    std::ifstream in(project, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // After the signature (8 bytes), the photo's header (12) and its first row's length (4).
  ASSERT_GT(bytes.size(), 26u);
  bytes[24] = bytes[25] = char(0xFF);
  std::ofstream(Path("damaged.mop"), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
  const QString damaged = Q("damaged.mop");

  ASSERT_EQ(Run({"print", damaged, "--what", "shopping-list", "-o", Q("list.csv")}).exitCode, 0);
  EXPECT_EQ(CsvLines(Path("list.csv")), CsvLines(Path("sound.csv")));
  EXPECT_EQ(Run({"print", damaged, "--what", "key", "-o", Q("key.pdf")}).exitCode, 0);
  EXPECT_EQ(Run({"print", damaged, "--what", "pattern", "-o", Q("pattern.pdf")}).exitCode, 0);
  EXPECT_EQ(Run({"print", damaged, "--what", "initial", "-o", Q("photo.pdf")}).exitCode, 1);
  EXPECT_FALSE(QFile::exists(Q("photo.pdf")));
  EXPECT_EQ(Run({"info", damaged}).exitCode, 1);
  EXPECT_EQ(Run({"export", damaged, "--index", Q("index.png"), "--svg", Q("p.svg")}).exitCode, 0);
  EXPECT_TRUE(QFile::exists(Q("index.png")));
  EXPECT_EQ(Run({"export", damaged, "--initial", Q("photo.png")}).exitCode, 1);
}

// With no sheets chosen for printing, a print is over the sheets the pattern
// is made for; a choice in "How to print" ([PRINT] FIT) is kept.
TEST_F(PrintTest, ThePatternsSheetsAreThoseOfAPrintNoOneChose) {
  std::ofstream(Path("settings.ini")) << "[SETTINGS]\nPRNRES=0\nNUMPAGES=1\n";
  std::string project = CreateProject();
  QString projectQ = QString::fromStdString(project);
  ASSERT_EQ(Run({"print", projectQ, "--what", "pattern", "-o", Q("four.pdf")}).exitCode, 0);
  EXPECT_EQ(test::PdfPageCount(Path("four.pdf")), 4);
  ASSERT_EQ(Run({"print", projectQ, "--what", "shopping-list", "-o", Q("four.csv")}).exitCode, 0);

  std::ofstream(Path("settings.ini"), std::ios::app) << "[PRINT]\nFIT=1\n";
  ASSERT_EQ(Run({"print", projectQ, "--what", "pattern", "-o", Q("one.pdf")}).exitCode, 0);
  EXPECT_EQ(test::PdfPageCount(Path("one.pdf")), 1);
  ASSERT_EQ(Run({"print", projectQ, "--what", "shopping-list", "-o", Q("one.csv")}).exitCode, 0);
  // The paint is counted for the sheets printed: four times the area on four.
  const QStringList four = CsvLines(Path("four.csv"));
  const QStringList one = CsvLines(Path("one.csv"));
  ASSERT_FALSE(four.isEmpty());
  ASSERT_FALSE(one.isEmpty());
  EXPECT_NEAR(four.back().split(',')[5].toDouble(), 4 * one.back().split(',')[5].toDouble(), 2.0);
}

TEST_F(PrintTest, PrintSetupFromAnswersSetsTheSheetsThatPrintUses) {
  std::string project = CreateProject();
  std::ofstream(Path("answers.json"))
      << R"({"How to print": [{"pages": 2, "sheetColors": true, "pot": 50}]})";
  CliResult result = Run({"run", QString::fromStdString(project), "-o", Q("same.mop"), "--answers",
                          Q("answers.json"), "Print setup", "--save-settings"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_NE(SettingsText().find("FIT=2"), std::string::npos) << SettingsText();
  EXPECT_NE(SettingsText().find("POTML=50"), std::string::npos) << SettingsText();
  // The next print takes its sheets from there.
  ASSERT_EQ(Run({"print", QString::fromStdString(project), "--what", "pattern", "-o",
                 Q("sheets.pdf")}).exitCode, 0);
  QString text = Poppler("pdftotext", {Q("sheets.pdf"), "-"});
  EXPECT_TRUE(text.contains("Page No 4 from 4")) << text.toStdString();
  EXPECT_TRUE(text.contains("Colors on this sheet:"));

  // An answer the dialog would refuse stops the run and names the dialog.
  std::ofstream(Path("bad.json")) << R"({"How to print": [{"pages": 11}]})";
  result = Run({"run", QString::fromStdString(project), "-o", Q("bad.mop"), "--answers",
                Q("bad.json"), "Print setup"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.err.contains("How to print")) << result.err.toStdString();
}

}  // namespace
}  // namespace tintara
