// `create --match`, `--orientation` and the note about fewer paints than asked.
#include <QColor>
#include <fstream>
#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>

#include "tests/cli/cli_runner.h"

namespace tintara::test {
namespace {

const QString kCat = QStringLiteral(TINTARA_RESOURCES_DIR "/samples/chelsea.png");
const QString kAstronaut = QStringLiteral(TINTARA_RESOURCES_DIR "/samples/astronaut.png");

// Width and height in points of the first page, from pdfinfo.
QSizeF FirstPageSize(const QString& pdf) {
  QProcess process;
  process.start("pdfinfo", {pdf});
  if (!process.waitForFinished(60000)) return {};
  const QString text = QString::fromUtf8(process.readAllStandardOutput());
  QRegularExpressionMatch match =
      QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+))").match(text);
  if (!match.hasMatch()) return {};
  return {match.captured(1).toDouble(), match.captured(2).toDouble()};
}

class PaintChoiceTest : public CliTest {
 protected:
  double MeanOf(const std::string& project) {
    const QJsonObject info = Info(Path(project));
    EXPECT_TRUE(info["meanDeltaE00"].isDouble());
    return info["meanDeltaE00"].toDouble(-1);
  }
};

TEST_F(PaintChoiceTest, ClosestLooksMoreLikeThePhotoThanClassic) {
  for (const char* match : {"classic", "closest"}) {
    CliResult result = Run({"create", kAstronaut, "-o", Q(std::string(match) + ".mop"),
                            "--colors", "24", "--match", match});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  }
  const double classic = MeanOf("classic.mop");
  const double closest = MeanOf("closest.mop");
  EXPECT_GT(classic, 0.0);
  EXPECT_LT(closest, 0.85 * classic) << "classic " << classic << ", closest " << closest;
  // Both asked for 24 colours of the brand and got them.
  EXPECT_EQ(Info(Path("closest.mop"))["params"].toObject()["workingPalette"].toArray().size(), 24);

  CliResult bad = Run({"create", kAstronaut, "-o", Q("x.mop"), "--match", "nearest"});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_TRUE(bad.err.contains("--match")) << bad.err.toStdString();
}

TEST_F(PaintChoiceTest, ClassicStaysAsItWasWhenChosenOrNot) {
  WritePicture("photo.png", 120, 80);
  ASSERT_EQ(Run({"create", Q("photo.png"), "-o", Q("plain.mop")}).exitCode, 0);
  ASSERT_EQ(Run({"create", Q("photo.png"), "-o", Q("classic.mop"), "--match", "classic"}).exitCode,
            0);
  ProjectData plain = Read(Path("plain.mop"));
  ProjectData classic = Read(Path("classic.mop"));
  EXPECT_TRUE(SamePixels(*plain.convertedPicture, *classic.convertedPicture));
  EXPECT_TRUE(SamePixels(*plain.patternImage, *classic.patternImage));
}

TEST_F(PaintChoiceTest, AutomaticOrientationTurnsThePageForAWidePicture) {
  WritePicture("wide.png", 300, 100);
  ASSERT_EQ(Run({"create", Q("wide.png"), "-o", Q("portrait.mop")}).exitCode, 0);
  ASSERT_EQ(Run({"create", Q("wide.png"), "-o", Q("auto.mop"), "--orientation", "auto", "--pdf",
                 Q("auto.pdf")}).exitCode,
            0);
  // The sheets lie as the pattern does.
  const QSizeF sheet = FirstPageSize(Q("auto.pdf"));
  EXPECT_GT(sheet.width(), sheet.height()) << sheet.width() << " x " << sheet.height();
  const QJsonObject portrait = Info(Path("portrait.mop"))["convertedPicture"].toObject();
  const QJsonObject turned = Info(Path("auto.mop"))["convertedPicture"].toObject();
  // A4 at 150 dpi, 4 dots a cell: 310 × 438 cells upright, 438 × 310 turned.
  EXPECT_EQ(portrait["width"].toInt(), 310);
  EXPECT_EQ(turned["width"].toInt(), 438);
  EXPECT_EQ(turned["height"].toInt(), 146);

  // A tall picture keeps the upright page; "landscape" still forces the turn.
  WritePicture("tall.png", 100, 300);
  ASSERT_EQ(Run({"create", Q("tall.png"), "-o", Q("tall.mop"), "--orientation", "auto"}).exitCode,
            0);
  EXPECT_EQ(Info(Path("tall.mop"))["convertedPicture"].toObject()["height"].toInt(), 438);
  ASSERT_EQ(
      Run({"create", Q("tall.png"), "-o", Q("flat.mop"), "--orientation", "landscape"}).exitCode, 0);
  EXPECT_EQ(Info(Path("flat.mop"))["convertedPicture"].toObject()["height"].toInt(), 310);

  CliResult bad = Run({"create", Q("tall.png"), "-o", Q("x.mop"), "--orientation", "sideways"});
  EXPECT_EQ(bad.exitCode, 2);
}

TEST_F(PaintChoiceTest, FewerPaintsThanAskedAreNamedOnOneLine) {
  // Two colours only: asking for eight cannot give eight different paints.
  QImage two(64, 32, QImage::Format_RGB32);
  two.fill(QColor(200, 30, 40));
  for (int y = 0; y < 32; ++y) {
    for (int x = 32; x < 64; ++x) two.setPixelColor(x, y, QColor(30, 90, 180));
  }
  ASSERT_TRUE(two.save(Q("two.png")));
  CliResult result = Run({"create", Q("two.png"), "-o", Q("two.mop"), "--colors", "8"});
  EXPECT_EQ(result.exitCode, 0);
  const int made =
      Info(Path("two.mop"))["params"].toObject()["workingPalette"].toArray().size();
  ASSERT_LT(made, 8);
  const QStringList notes = result.NoteLines();
  ASSERT_EQ(notes.size(), 1) << result.err.toStdString();
  EXPECT_EQ(notes[0], QString("%1 different paints instead of the 8 colors asked for.").arg(made));
  EXPECT_TRUE(result.ErrorLines().isEmpty()) << result.err.toStdString();
  // A picture of one colour gets one paint, said in the singular.
  QImage one(40, 30, QImage::Format_RGB32);
  one.fill(QColor(200, 30, 40));
  ASSERT_TRUE(one.save(Q("one.png")));
  CliResult single = Run({"create", Q("one.png"), "-o", Q("one.mop"), "--colors", "4"});
  EXPECT_EQ(single.exitCode, 0) << single.err.toStdString();
  ASSERT_EQ(Info(Path("one.mop"))["params"].toObject()["workingPalette"].toArray().size(), 1);
  EXPECT_EQ(single.NoteLines(), QStringList{"1 paint instead of the 4 colors asked for."});
  // --quiet keeps it to itself, as it does progress.
  result = Run({"create", Q("two.png"), "-o", Q("two.mop"), "--colors", "8", "--quiet"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();

  // As many as asked: nothing is said. (The classic choice gives the cat
  // only six different paints for eight colours; the closest gives eight.)
  result = Run({"create", kCat, "-o", Q("cat.mop"), "--colors", "8", "--match", "closest"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(result.NoteLines().isEmpty()) << result.err.toStdString();
}

TEST_F(PaintChoiceTest, ScriptedAnswersTurnThePageAndChooseTheClosestPaints) {
  WritePicture("wide.png", 300, 100);
  ASSERT_EQ(Run({"create", Q("wide.png"), "-o", Q("wide.mop")}).exitCode, 0);
  std::ofstream(Path("answers.json"))
      << R"({"Size of Painting Pattern": [{"turn": true}], "Colors": [{"match": "closest"}]})";
  CliResult result = Run({"run", Q("wide.mop"), "-o", Q("turned.mop"), "--answers",
                          Q("answers.json"), "--save-settings", "Size of painting pattern",
                          "Painting Colors"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_EQ(Info(Path("turned.mop"))["convertedPicture"].toObject()["width"].toInt(), 438);
  // Both choices are kept when the run is told to keep settings.
  const std::string settings = SettingsText();
  EXPECT_NE(settings.find("AUTOORIENT=1"), std::string::npos) << settings;
  EXPECT_NE(settings.find("COLORMATCH=1"), std::string::npos) << settings;

  std::ofstream(Path("bad.json")) << R"({"Colors": [{"match": "nearest"}]})";
  result = Run({"run", Q("wide.mop"), "-o", Q("x.mop"), "--answers", Q("bad.json"),
                "Painting Colors"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.err.contains("match")) << result.err.toStdString();
}

}  // namespace
}  // namespace tintara::test
