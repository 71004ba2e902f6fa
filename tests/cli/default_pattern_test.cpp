// What a new user gets from `create` (the paints closest to the picture,
// small areas merged, the page turned to suit the picture), that a stored
// choice still wins, and how paints the clean-up left without a cell are told.
#include <QImage>
#include <QJsonArray>
#include <QPainter>
#include <QProcess>
#include <fstream>

#include "tests/cli/cli_runner.h"

namespace tintara::test {
namespace {

const QString kCat = QStringLiteral(TINTARA_RESOURCES_DIR "/samples/chelsea.png");

QString PdfText(const QString& pdf) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

class DefaultPatternTest : public CliTest {
 protected:
  // A new user's settings: nothing stored but the small print resolution.
  DefaultPatternTest() { std::ofstream(Path("settings.ini")) << "[SETTINGS]\nPRNRES=0\n"; }
  void Create(const std::string& name, QStringList options) {
    QStringList arguments{"create", kCat, "-o", Q(name), "--colors", "12"};
    arguments += options;
    CliResult result = Run(arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  }
};

TEST_F(DefaultPatternTest, NoStoredChoiceGivesTheClosestMergedTurnedPatternAndAStoredOneWins) {
  Create("default.mop", {});
  Create("asked.mop", {"--match", "closest", "--min-area-mm", "2.5", "--orientation", "auto"});
  Create("classic.mop", {"--match", "classic", "--min-area-mm", "0", "--orientation", "portrait"});
  ProjectData made = Read(Path("default.mop"));
  ProjectData asked = Read(Path("asked.mop"));
  ProjectData classic = Read(Path("classic.mop"));
  EXPECT_TRUE(SamePixels(*made.indexImage, *asked.indexImage));
  EXPECT_TRUE(SamePixels(*made.patternImage, *asked.patternImage));
  // The cat is wider than high: the turned page gives it the page's long side.
  EXPECT_GT(made.indexImage->Width(), made.indexImage->Height());
  EXPECT_GT(made.indexImage->Width(), classic.indexImage->Width() * 4 / 3);
  EXPECT_LT(Info(Path("default.mop"))["meanDeltaE00"].toDouble(),
            Info(Path("classic.mop"))["meanDeltaE00"].toDouble());

  // Stored choices win over the defaults: the classic pattern, exactly as the
  // options of a run give it (`--min-area-mm 0` merges nothing).
  std::ofstream(Path("settings.ini"))
      << "[SETTINGS]\nPRNRES=0\nCOLORMATCH=0\nMERGESMALLAREAS=0\nAUTOORIENT=0\n";
  Create("stored.mop", {});
  ProjectData stored = Read(Path("stored.mop"));
  EXPECT_TRUE(SamePixels(*stored.indexImage, *classic.indexImage));
  EXPECT_TRUE(SamePixels(*stored.patternImage, *classic.patternImage));
  // And the options of a run win over what is stored.
  Create("closest.mop", {"--match", "closest", "--min-area-mm", "2.5", "--orientation", "auto"});
  EXPECT_TRUE(SamePixels(*Read(Path("closest.mop")).indexImage, *made.indexImage));

  CliResult bad = Run({"create", kCat, "-o", Q("x.mop"), "--min-area-mm", "0.05"});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_TRUE(bad.err.contains("0 (no merging)")) << bad.err.toStdString();
}

// White and black halves and one small red dot: three paints are chosen, and
// the clean-up leaves the dot's paint without a cell.
TEST_F(DefaultPatternTest, APaintLeftWithoutCellsIsToldMarkedAndNotBought) {
  QImage picture(240, 160, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.fillRect(0, 80, 240, 80, Qt::black);
  painter.fillRect(60, 30, 3, 3, QColor(220, 0, 0));
  painter.end();
  ASSERT_TRUE(picture.save(Q("dot.png")));
  CliResult result = Run({"create", Q("dot.png"), "-o", Q("dot.mop"), "--colors", "3", "--match",
                          "classic", "--key-pdf", Q("key.pdf")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_TRUE(result.err.contains("note: The pattern uses 2 of its 3 paints"))
      << result.err.toStdString();
  const QJsonArray palette = Info(Path("dot.mop"))["params"].toObject()["workingPalette"].toArray();
  ASSERT_EQ(palette.size(), 3);
  const QString text = PdfText(Q("key.pdf"));
  EXPECT_EQ(text.count(QStringLiteral("not used")), 1) << text.toStdString();

  ASSERT_EQ(Run({"print", Q("dot.mop"), "--what", "shopping-list", "-o", Q("list.csv")}).exitCode,
            0);
  std::ifstream in(Path("list.csv"));
  std::string csv((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  int rows = 0;
  for (char c : csv) rows += c == '\n';
  EXPECT_EQ(rows, 1 + 2 + 1) << csv;  // heading, the two paints used, the total
}

}  // namespace
}  // namespace tintara::test
