#include <sys/stat.h>

#include <QJsonArray>
#include <QRegularExpression>
#include <array>
#include <filesystem>
#include <set>

#include "tests/cli/cli_runner.h"

namespace tintara {
namespace {

using test::CliResult;
using test::CliTest;

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

// One line, naming the trouble, on standard error; nothing on standard output.
void ExpectError(const CliResult& result, int status, const char* mentions) {
  EXPECT_EQ(result.exitCode, status) << result.err.toStdString();
  QStringList lines = result.ErrorLines();
  EXPECT_EQ(lines.size(), 1) << result.err.toStdString();
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_TRUE(lines.join(' ').contains(mentions)) << result.err.toStdString();
  EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
}

TEST_F(CliTest, RetypeRedrawsThePatternFromTheSameAreas) {
  std::string project = CreateProject();
  ProjectData before = Read(project);
  CliResult result = Run({"retype", QString::fromStdString(project), "--type", "2", "-o", Q("tiles.mop")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_EQ(Info(Path("tiles.mop"))["params"].toObject()["patternType"].toInt(), 2);

  ProjectData after = Read(Path("tiles.mop"));
  EXPECT_TRUE(test::SamePixels(*after.indexImage, *before.indexImage));
  EXPECT_TRUE(test::SamePixels(*after.convertedPicture, *before.convertedPicture));
  EXPECT_FALSE(test::SamePixels(*after.patternImage, *before.patternImage));
  // Textures put grey levels other than ink and white on the pattern.
  int textured = 0;
  for (int32_t y = 0; y < after.patternImage->Height(); ++y) {
    const uint8_t* row = after.patternImage->Row(y);
    for (int32_t x = 0; x < after.patternImage->Width(); ++x) textured += row[x] != 32 && row[x] != 255;
  }
  EXPECT_GT(textured, 0);
  // Retyping back gives the first pattern again.
  ASSERT_EQ(Run({"retype", Q("tiles.mop"), "--type", "5", "-o", Q("back.mop")}).exitCode, 0);
  EXPECT_TRUE(test::SamePixels(*Read(Path("back.mop")).patternImage, *before.patternImage));
}

TEST_F(CliTest, RunAnswersDialogsAndQuestionsFromTheFile) {
  std::string project = CreateProject();
  ProjectData before = Read(project);
  WriteText(Path("answers.json"),
            R"({"Color of borders and digits": [[255, 0, 0]],
                "Your work will be reconverted!\nAll edits will be lost!\nContinue?": ["No"]})");
  CliResult result = Run({"run", QString::fromStdString(project), "-o", Q("red.mop"), "--answers",
                          Q("answers.json"), "33117", "Create drawing pattern"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  ProjectData red = Read(Path("red.mop"));
  EXPECT_EQ(red.params.borderColor, 0x0000FFu);
  EXPECT_EQ(red.patternImage->PaletteAt(32), (PaletteEntry{255, 0, 0, 0}));
  // "No" to the question: the pattern was not made again.
  EXPECT_TRUE(test::SamePixels(*red.patternImage, *before.patternImage));

  // Without an answer a question gets its default button (Yes), and a dialog is cancelled.
  result = Run({"run", QString::fromStdString(project), "-o", Q("again.mop"), "Color of borders and digits",
                "Remove small areas from painting pattern"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  ProjectData again = Read(Path("again.mop"));
  EXPECT_EQ(again.params.borderColor, before.params.borderColor);
  EXPECT_EQ(again.patternImage->PaletteAt(32), before.patternImage->PaletteAt(32));
}

TEST_F(CliTest, RunFromAPictureAndUndo) {
  WritePicture("photo.png", 64, 48);
  CliResult result = Run({"run", "--picture", Q("photo.png"), "-o", Q("bare.mop")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  QJsonObject bare = Info(Path("bare.mop"));
  EXPECT_EQ(bare["initialPicture"].toObject()["width"].toInt(), 64);
  EXPECT_TRUE(bare["convertedPicture"].isNull());
  EXPECT_TRUE(bare["patternImage"].isNull());
  EXPECT_EQ(bare["usedColors"].toInt(), 0);
  EXPECT_EQ(bare["usedBrands"].toArray().size(), 0);

  result = Run({"run", "--picture", Q("photo.png"), "-o", Q("made.mop"), "32857", "Undo", "Redo"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_FALSE(Info(Path("made.mop"))["patternImage"].isNull());
  result = Run({"run", "--picture", Q("photo.png"), "-o", Q("undone.mop"), "32857", "Undo"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_TRUE(Info(Path("undone.mop"))["patternImage"].isNull());
}

// Picture edits through their dialogs: posterized to two levels a channel,
// the accepted picture has at most eight colours.
TEST_F(CliTest, RunEditsThePictureThroughItsDialogs) {
  WritePicture("photo.png", 40, 30);
  WriteText(Path("levels.json"), R"({"Posterize": [{"red": 2, "green": 2, "blue": 2}]})");
  CliResult result = Run({"run", "--picture", Q("photo.png"), "-o", Q("posterized.mop"), "--answers",
                          Q("levels.json"), "Start picture editing", "Reduce number of colors",
                          "Finish picture editing"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  ProjectData data = Read(Path("posterized.mop"));
  std::set<std::array<uint8_t, 3>> colours;
  for (int32_t y = 0; y < data.initialPicture->Height(); ++y) {
    const uint8_t* row = data.initialPicture->Row(y);
    for (int32_t x = 0; x < data.initialPicture->Width(); ++x) {
      colours.insert({row[3 * x], row[3 * x + 1], row[3 * x + 2]});
    }
  }
  EXPECT_LE(colours.size(), 8u);
  EXPECT_GE(colours.size(), 2u);
}

TEST_F(CliTest, RunStopsAtADisabledCommandOrARefusedAnswer) {
  std::string project = CreateProject();
  ExpectError(Run({"run", QString::fromStdString(project), "-o", Q("x.mop"), "Finish picture editing"}),
              1, "Finish picture editing");
  EXPECT_FALSE(std::filesystem::exists(Path("x.mop")));

  WriteText(Path("bad.json"), R"({"Color of borders and digits": [[255, 0]]})");
  ExpectError(Run({"run", QString::fromStdString(project), "-o", Q("x.mop"), "--answers",
                   Q("bad.json"), "Color of borders and digits"}),
              1, "Color of borders and digits");
  WriteText(Path("broken.json"), "{\"Reduce colors\": [8");
  ExpectError(Run({"run", QString::fromStdString(project), "-o", Q("x.mop"), "--answers",
                   Q("broken.json"), "Undo"}),
              1, "broken.json");
  ExpectError(Run({"run", QString::fromStdString(project), "-o", Q("x.mop"), "No such command"}), 2,
              "No such command");
  EXPECT_FALSE(std::filesystem::exists(Path("x.mop")));
}

TEST_F(CliTest, PalettesListsEveryBrandFile) {
  CliResult result = Run({"palettes"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  QStringList lines = result.out.split('\n', Qt::SkipEmptyParts);
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(test::ProgramFolder())) {
    files += entry.path().extension() == ".dat";
  }
  ASSERT_EQ(lines.size(), files);
  bool golden = false;
  for (const QString& line : lines) {
    QStringList fields = line.split('\t');
    ASSERT_EQ(fields.size(), 3) << line.toStdString();
    EXPECT_TRUE(QFile::exists(fields[0]));
    EXPECT_GT(fields[2].toInt(), 0);
    golden |= fields[0].endsWith("GoldenHeavyBody.dat") && fields[1] == "Golden Heavy Body Acrylics";
  }
  EXPECT_TRUE(golden) << result.out.toStdString();
}

TEST_F(CliTest, BadUsageExitsWithTwo) {
  WritePicture("photo.png", 20, 20);
  const QString picture = Q("photo.png");
  const QString out = Q("u.mop");
  const std::vector<std::pair<QStringList, const char*>> cases = {
      {{"frobnicate"}, "frobnicate"},
      {{"create", picture}, "-o"},
      {{"create", picture, picture, "-o", out}, "PICTURE"},
      {{"create", picture, "-o", Q("u.png")}, ".mop"},
      {{"create", picture, "-o", out, "--colors", "1"}, "--colors"},
      {{"create", picture, "-o", out, "--colors", "8x"}, "--colors: '8x' is not a whole number"},
      {{"create", picture, "-o", out, "--colors", "-5"}, "--colors: -5 is out of range (2..256)"},
      {{"create", picture, "-o", out, "--pages", "11"}, "--pages: 11 is out of range (1..10)"},
      {{"create", picture, "-o", out, "--type", "dots"}, "--type"},
      {{"retype", out, "--type", "-1", "-o", out}, "out of range"},
      {{"create", picture, "-o", out, "--paper", "b5"}, "--paper"},
      {{"create", picture, "-o", out, "--dpi", "72"}, "--dpi"},
      {{"create", picture, "-o", out, "--border-color", "12345"}, "--border-color"},
      {{"create", picture, "-o", out, "--brand", "No Such Paint"}, "--brand"},
      {{"create", picture, "-o", out, "--sparkle"}, "--sparkle"},
      {{"create", picture, "-o"}, "-o"},
      {{"info"}, "PROJECT"},
      {{"export", out}, "--initial"},
      {{"retype", out, "--type", "7", "-o", out}, "--type"},
      {{"print", out, "--what", "everything", "-o", Q("x.pdf")}, "--what"},
      {{"print", out, "--what", "key", "--pages-per-side", "11", "-o", Q("x.pdf")},
       "--pages-per-side: 11 is out of range (1..10)"},
      {{"run", "-o", out}, "PROJECT.mop"},
      {{"run", out, "-o", out, "--picture", picture}, "either"},
      {{"palettes", "extra"}, "arguments"},
  };
  for (const auto& [arguments, mentions] : cases) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    ExpectError(Run(arguments), 2, mentions);
  }
  EXPECT_FALSE(std::filesystem::exists(Path("u.mop")));
  CliResult none = Run({}, false);
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_TRUE(none.err.contains("usage"));
}

TEST_F(CliTest, HelpGoesToStandardOutput) {
  CliResult help = Run({"--help"}, false);
  EXPECT_EQ(help.exitCode, 0);
  for (const char* command :
       {"create", "info", "export", "retype", "print", "palettes", "run", "commands"}) {
    EXPECT_TRUE(help.out.contains(QRegularExpression(QString("^  ") + command + "\\b",
                                                     QRegularExpression::MultilineOption)))
        << command;
  }
  CliResult one = Run({"create", "--help"});
  EXPECT_EQ(one.exitCode, 0);
  EXPECT_TRUE(one.out.contains("--border-color"));
  EXPECT_TRUE(one.err.isEmpty());
}

TEST_F(CliTest, FailuresExitWithOneLine) {
  WriteText(Path("notes.txt"), "not a picture");
  WriteText(Path("empty.mop"), "");
  std::string project = CreateProject();
  {
    QFile whole(QString::fromStdString(project));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QByteArray bytes = whole.read(2000);
    QFile part(Q("cut.mop"));
    ASSERT_TRUE(part.open(QIODevice::WriteOnly));
    part.write(bytes);
  }
  ASSERT_EQ(Run({"run", "--picture", Q("photo.png"), "-o", Q("bare.mop")}).exitCode, 0);

  std::filesystem::create_directory(Path("folder.mop"));
  const QString projectQ = QString::fromStdString(project);
  const std::vector<std::pair<QStringList, std::string>> cases = {
      {{"create", Q("missing.png"), "-o", Q("n.mop")}, "missing.png"},
      {{"create", Q("notes.txt"), "-o", Q("n.mop")}, "notes.txt"},
      {{"create", Q("photo.png"), "-o", Q("no folder/n.mop")},
       "Cannot save " + Path("no folder/n.mop") + ": the folder does not exist"},
      {{"create", Q("photo.png"), "-o", Q("folder.mop")}, "Cannot save " + Path("folder.mop") + ": it is a folder"},
      {{"run", projectQ, "-o", Q("no folder/n.mop"), "Undo"}, "the folder does not exist"},
      {{"info", Q("cut.mop")}, "Unexpected file format."},
      {{"info", Q("empty.mop")}, "Unexpected file format."},
      {{"info", Q("missing.mop")}, "Cannot open " + Path("missing.mop") + ": the file does not exist"},
      {{"info", Q("notes.txt")}, "Cannot open " + Path("notes.txt") + ": only project files (.mop)"},
      {{"info", Q("folder.mop")}, "Cannot open " + Path("folder.mop") + ": it is a folder"},
      {{"export", Q("bare.mop"), "--pattern", Q("p.png")}, "painting pattern"},
      {{"export", projectQ, "--pattern", Q("no folder/p.png")},
       "Cannot write " + Path("no folder/p.png") + ": the folder does not exist"},
      {{"print", projectQ, "--what", "key", "-o", Q("no folder/k.pdf")},
       "Cannot write " + Path("no folder/k.pdf") + ": the folder does not exist"},
      {{"print", Q("bare.mop"), "--what", "key", "-o", Q("k.pdf")}, "colour key"},
      {{"print", Q("bare.mop"), "--what", "converted", "-o", Q("k.pdf")}, "converted picture"},
      {{"retype", Q("cut.mop"), "--type", "2", "-o", Q("n.mop")}, "Unexpected file format."},
  };
  for (const auto& [arguments, mentions] : cases) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    ExpectError(Run(arguments), 1, mentions.c_str());
  }
  EXPECT_FALSE(std::filesystem::exists(Path("n.mop")));
  EXPECT_FALSE(std::filesystem::exists(Path("k.pdf")));

  CliResult noSettings = Run({"info", projectQ, "--settings", Q("absent.ini")}, false);
  ExpectError(noSettings, 1, "absent.ini");
}

TEST_F(CliTest, NothingIsReplacedOrOverruledWithoutAWord) {
  WritePicture("photo.png", 40, 30);
  std::filesystem::create_directory(Path("paints"));
  ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0600), 0);
  const QString picture = Q("photo.png");
  const QString out = Q("n.mop");
  // Contradictions and values that are no numbers in range are usage errors.
  const std::vector<std::pair<QStringList, const char*>> usage = {
      {{"create", picture, "-o", out, "--min-area-mm", "-nan"},
       "--min-area-mm: '-nan' is not 0 (no merging) or a number of millimetres from 0.1 to 100"},
      {{"create", picture, "-o", out, "--orientation", "portrait", "--landscape"},
       "--landscape and --orientation portrait say different things"},
      {{"create", picture, "-o", out, "--brand", Q("paints")}, "is a folder, not a brand palette"},
      {{"create", picture, "-o", out, "--brand", Q("pipe")}, "is not a regular file"},
  };
  for (const auto& [arguments, mentions] : usage) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    ExpectError(Run(arguments), 2, mentions);
  }
  EXPECT_EQ(Run({"create", picture, "-o", out, "--orientation", "landscape", "--landscape"})
                .exitCode, 0);

  // A stored brand that cannot be read gives way to the first brand, and says so.
  for (const auto& [brand, reason] : {std::pair{Path("gone.dat"), "missing"},
                                      {Path("paints"), "a folder"},
                                      {Path("pipe"), "not a regular file"}}) {
    WriteText(Path("settings.ini"),
              "[SETTINGS]\nPRNRES=0\nMERGESMALLAREAS=0\nBRAND=" + brand + "\n");
    CliResult result = Run({"create", picture, "-o", out, "--colors", "4"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    ASSERT_EQ(result.NoteLines().size(), 1) << result.err.toStdString();
    EXPECT_TRUE(result.NoteLines()[0].startsWith(
        QString::fromStdString("The brand palette " + brand + " is " + reason + "; ")))
        << result.err.toStdString();
    EXPECT_TRUE(result.NoteLines()[0].endsWith(".dat is used instead."));
  }
  WriteText(Path("settings.ini"), "[SETTINGS]\nPRNRES=0\n");

  // A save that cannot be made names why.
  std::filesystem::create_symlink(Path("nowhere/x.mop"), Path("dangling.mop"));
  std::filesystem::create_symlink(Path("loop2.mop"), Path("loop1.mop"));
  std::filesystem::create_symlink(Path("loop1.mop"), Path("loop2.mop"));
  ASSERT_EQ(mkfifo(Path("fifo.mop").c_str(), 0600), 0);
  for (const auto& [name, reason] : {std::pair{"dangling.mop", "a link that points nowhere"},
                                     {"loop1.mop", "too many levels of links"},
                                     {"fifo.mop", "not a regular file"}}) {
    ExpectError(Run({"create", picture, "-o", Q(name)}), 1, reason);
  }

  // Every scripted answer that no question took is named.
  std::string project = CreateProject();
  WriteText(Path("answers.json"), R"({"Color of borders and digits": [[255, 0, 0], [0, 0, 255]],
                                      "Colour of borders": [[1, 2, 3]]})");
  CliResult result = Run({"run", QString::fromStdString(project), "-o", Q("red.mop"),
                          "--answers", Q("answers.json"), "33117"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_EQ(result.NoteLines(),
            (QStringList{"answer 2 of 2 for \"Color of borders and digits\" was never used",
                         "answer 1 of 1 for \"Colour of borders\" was never used"}));
}

}  // namespace
}  // namespace tintara
