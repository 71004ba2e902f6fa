// The vector outputs against the memory budget and against names from
// outside: a drawing too large to make is refused with its sizes and the
// limit; paint names of any bytes still give an SVG that is XML.
#include <QXmlStreamReader>

#include "tests/cli/cli_runner.h"
#include "tests/support/board_project.h"

namespace tintara {
namespace {

using test::CliResult;
using test::CliTest;

class VectorLimitsTest : public CliTest {
 protected:
  void LimitMemory(int megabytes) {
    std::ofstream(Path("settings.ini"), std::ios::app) << "[MEMORY]\nPICTURESMB=" << megabytes << "\n";
  }
  std::string Board(const std::string& name, int32_t side) {
    EXPECT_TRUE(test::WriteBoardProject(Path(name), side, side, test::ProgramFolder().string() + "/"));
    return name;
  }
};

TEST_F(VectorLimitsTest, DrawingsPastTheBudgetAreRefusedWithTheSizesAndTheLimit) {
  LimitMemory(64);
  Board("board.mop", 1000);
  const QStringList outputs[] = {
      {"export", Q("board.mop"), "--svg", Q("board.svg")},
      {"print", Q("board.mop"), "--what", "pattern", "--vector", "-o", Q("board.pdf")},
  };
  for (const QStringList& arguments : outputs) {
    CliResult refused = Run(arguments);
    EXPECT_EQ(refused.exitCode, 1) << arguments[0].toStdString();
    ASSERT_EQ(refused.ErrorLines().size(), 1) << refused.err.toStdString();
    const QString line = refused.ErrorLines()[0];
    EXPECT_TRUE(line.contains(QStringLiteral("1000 \u00d7 1000 cells (4000000 corners)")))
        << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("more than the limit of 64 MiB"))) << line.toStdString();
  }
  EXPECT_FALSE(QFile::exists(Q("board.svg")));
  EXPECT_FALSE(QFile::exists(Q("board.pdf")));
  // A smaller board fits the same budget.
  Board("small.mop", 300);
  EXPECT_EQ(Run({"export", Q("small.mop"), "--svg", Q("small.svg")}).exitCode, 0);
  EXPECT_EQ(Run({"print", Q("small.mop"), "--what", "pattern", "--vector", "-o", Q("small.pdf")})
                .exitCode,
            0);
  EXPECT_EQ(test::PdfPageCount(Path("small.pdf")), 1);
  // Between the two, the outlines fit but the PDF engine's share for every
  // filled area does not: the SVG is written, the PDF refused before it starts.
  Board("middle.mop", 600);
  EXPECT_EQ(Run({"export", Q("middle.mop"), "--svg", Q("middle.svg")}).exitCode, 0);
  CliResult pdf =
      Run({"print", Q("middle.mop"), "--what", "pattern", "--vector", "-o", Q("middle.pdf")});
  EXPECT_EQ(pdf.exitCode, 1);
  EXPECT_TRUE(pdf.err.contains(
      QStringLiteral("360000 areas of a pattern of 600 \u00d7 600 cells as a PDF")))
      << pdf.err.toStdString();
  EXPECT_FALSE(QFile::exists(Q("middle.pdf")));
}

// Brand files are outside input: their names may hold control characters and
// bytes that are not UTF-8.
TEST_F(VectorLimitsTest, PaintNamesOfAnyBytesGiveAnSvgThatIsXml) {
  std::ofstream(Path("odd.dat"), std::ios::binary)
      << "PAINT=Odd\x01 <Brand> & \"Co\"\r\n\r\n"
      << "Red\x07 \xC3(,1,230,20,20,\r\n"
      << "Green\x1b\x0b<x>,2,20,200,40,\r\n"
      << "Blue \xF0\x9F\x8E,3,20,40,220,\r\n"
      << "White\xFF\xFE,4,250,250,250,\r\n"
      << "Black\xED\xA0\x80,5,10,10,10,\r\n";
  WritePicture("photo.png", 160, 120);
  CliResult made = Run({"create", Q("photo.png"), "-o", Q("odd.mop"), "--brand", Q("odd.dat"),
                        "--colors", "5", "--quiet"});
  ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
  ASSERT_EQ(Run({"export", Q("odd.mop"), "--svg", Q("odd.svg"), "--svg-style", "filled"}).exitCode, 0);
  QFile file(Q("odd.svg"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QXmlStreamReader xml(bytes);
  QStringList titles;
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QStringLiteral("title")) {
      titles << xml.readElementText();
    }
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();
  ASSERT_FALSE(titles.isEmpty());
  bool replaced = false;
  for (const QString& title : titles) {
    for (QChar c : title) EXPECT_GE(c.unicode(), 0x20) << title.toStdString();
    EXPECT_TRUE(title.contains(QStringLiteral("Odd <Brand> & \"Co\""))) << title.toStdString();
    replaced = replaced || title.contains(QChar(0xFFFD));
  }
  EXPECT_TRUE(replaced);
  EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes) << "the file is sound UTF-8";
}

}  // namespace
}  // namespace tintara
