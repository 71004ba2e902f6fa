// `run` knows every command by the text its menu shows, read from the same
// declaration the menus are built from, so the access keys may move freely.
#include <QJsonArray>
#include <QSet>

#include "document/command_menu_texts.h"
#include "tests/cli/cli_runner.h"

namespace tintara {
namespace {

using test::CliResult;
using test::CliTest;

QString Unmarked(const char* menuText) {
  QString text = QString::fromUtf8(menuText);
  text.remove('&');
  return text;
}

struct Listed {
  int number = 0;
  QString text;
};

class MenuTextRunTest : public CliTest {
 protected:
  std::vector<Listed> Listing(const std::string& project) {
    CliResult result = Run({"commands", QString::fromStdString(project), "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    std::vector<Listed> listed;
    for (const QJsonValue& value : QJsonDocument::fromJson(result.out.toUtf8()).array()) {
      listed.push_back({value["number"].toInt(), value["text"].toString()});
    }
    return listed;
  }

  // Runs the one command named `word` and says whether that command, and no
  // other, was found: it ran, or it reported itself disabled or failed.
  ::testing::AssertionResult FindsCommand(const std::string& project, const Listed& command,
                                          const QString& word) {
    CliResult result =
        Run({"run", QString::fromStdString(project), "-o", Q("out.mop"), word});
    const QString ran = "progress 0% " + command.text + "\n";
    const QString named = "\"" + command.text + "\" (" + QString::number(command.number) + ")";
    if (result.exitCode != 2 && (result.err.contains(ran) || result.err.contains(named))) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "'" << word.toStdString() << "' for "
                                         << command.number << ": " << result.err.toStdString();
  }
};

TEST_F(MenuTextRunTest, EveryCommandIsFoundByItsMenuTextWithAndWithoutDots) {
  std::string project = CreateProject();
  std::vector<Listed> listed = Listing(project);
  ASSERT_GT(listed.size(), 60u);
  int withMenuText = 0;
  for (const Listed& command : listed) {
    const char* menuText = MenuTextOf(command.number);
    if (menuText == nullptr) continue;
    ++withMenuText;
    QString word = Unmarked(menuText);
    EXPECT_TRUE(FindsCommand(project, command, word));
    if (word.endsWith("...")) {
      word.chop(3);
      EXPECT_TRUE(FindsCommand(project, command, word));
    }
  }
  EXPECT_GT(withMenuText, 60);
}

TEST_F(MenuTextRunTest, MenuTextsRunTheCommandAndTheOldTextsStillDo) {
  std::string project = CreateProject();
  const QString projectQ = QString::fromStdString(project);
  std::ofstream(Path("levels.json"))
      << R"({"Posterize": [{"red": 2, "green": 2, "blue": 2}, {"red": 2, "green": 2, "blue": 2}]})";
  for (const QString& posterize : {Unmarked(MenuTextOf(cmd::kReduceColorLevels)),
                                   QString("Reduce number of colors")}) {
    CliResult result = Run({"run", projectQ, "-o", Q("posterized.mop"), "--answers",
                            Q("levels.json"), Unmarked(MenuTextOf(cmd::kStartPictureEditing)),
                            posterize, "Finish picture editing"});
    ASSERT_EQ(result.exitCode, 0) << posterize.toStdString() << ": " << result.err.toStdString();
    // Two levels per channel leave at most eight colours in the edited picture.
    QImage edited = ImageToQImage(*Read(Path("posterized.mop")).initialPicture);
    QSet<QRgb> colors;
    for (int y = 0; y < edited.height(); ++y) {
      for (int x = 0; x < edited.width(); ++x) colors.insert(edited.pixel(x, y));
    }
    EXPECT_LE(colors.size(), 8) << posterize.toStdString();
  }
}

// The two file commands of the menus go through the ports, so a script
// answers their file dialogs, by the dialog's caption or by the command's text.
TEST_F(MenuTextRunTest, LoadPictureFromDiskTakesItsFileFromTheAnswers) {
  std::string project = CreateProject();
  WritePicture("new.png", 64, 48, 7);
  for (const char* key : {"Load picture from disk", "Open picture"}) {
    std::ofstream(Path("load.json")) << "{\"" << key << "\": [{\"file\": \"" << Path("new.png")
                                     << "\"}]}";
    CliResult result = Run({"run", QString::fromStdString(project), "-o", Q("loaded.mop"),
                            "--answers", Q("load.json"),
                            Unmarked(MenuTextOf(cmd::kLoadPicture)), "Create drawing pattern"});
    ASSERT_EQ(result.exitCode, 0) << key << ": " << result.err.toStdString();
    EXPECT_FALSE(result.err.contains("never used")) << result.err.toStdString();
    ProjectData loaded = Read(Path("loaded.mop"));
    ASSERT_TRUE(loaded.initialPicture && loaded.patternImage) << key;
    EXPECT_EQ(loaded.initialPicture->Width(), 64);
    EXPECT_EQ(loaded.initialPicture->Height(), 48);
    EXPECT_EQ(QString::fromStdString(loaded.pictureFileName), Q("new.png"));
  }

  // Without an answer the dialog is cancelled and the project stays as it was.
  CliResult cancelled = Run({"run", QString::fromStdString(project), "-o", Q("same.mop"),
                             "Load picture from disk"});
  ASSERT_EQ(cancelled.exitCode, 0) << cancelled.err.toStdString();
  EXPECT_EQ(Read(Path("same.mop")).initialPicture->Width(), 120);
}

TEST_F(MenuTextRunTest, SavePatternAsSvgWritesTheFileTheAnswersName) {
  std::string project = CreateProject();
  // By the command's text (the caption is the same), once each style.
  std::ofstream(Path("svg.json")) << "{\"Save pattern as SVG\": [\"" << Path("outline")
                                  << "\", {\"file\": \"" << Path("filled.svg")
                                  << "\", \"style\": \"filled\"}]}";
  CliResult result =
      Run({"run", QString::fromStdString(project), "-o", Q("out.mop"), "--answers", Q("svg.json"),
           Unmarked(MenuTextOf(cmd::kSavePatternSvg)), "Save pattern as SVG"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  auto text = [](const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  const std::string outline = text(Path("outline.svg"));  // the extension is added
  const std::string filled = text(Path("filled.svg"));
  ASSERT_TRUE(outline.starts_with("<?xml")) << outline.substr(0, 80);
  ASSERT_TRUE(filled.starts_with("<?xml")) << filled.substr(0, 80);
  EXPECT_NE(outline.find("<g fill=\"#ffffff\">"), std::string::npos);
  EXPECT_EQ(filled.find("<g fill=\"#ffffff\">"), std::string::npos);

  // An answer the dialog would refuse stops the run naming it.
  std::ofstream(Path("bad.json")) << R"({"Save pattern as SVG": [{"file": "x.svg", "style": "red"}]})";
  CliResult refused = Run({"run", QString::fromStdString(project), "-o", Q("out.mop"),
                           "--answers", Q("bad.json"), "Save pattern as SVG"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_TRUE(refused.err.contains("answer refused for \"Save pattern as SVG\""))
      << refused.err.toStdString();
}

// The README's drawing example, taken from the README itself, runs as written.
TEST_F(MenuTextRunTest, TheReadmeDrawingExampleRunsAsWritten) {
  std::ifstream in(std::string(TINTARA_RESOURCES_DIR) + "/../README.md");
  ASSERT_TRUE(in) << "README.md beside the resources";
  const std::string readme((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t at = readme.find("red square stroke");
  ASSERT_NE(at, std::string::npos);
  const size_t begin = readme.find("```sh\n", at);
  ASSERT_NE(begin, std::string::npos);
  const size_t end = readme.find("```\n", begin + 6);
  std::string script = readme.substr(begin + 6, end - begin - 6);
  ASSERT_NE(script.find("tintara-cli run"), std::string::npos) << script;

  WritePicture("photo.png", 240, 160);
  QImage logo(30, 20, QImage::Format_RGB32);
  logo.fill(qRgb(0, 160, 0));
  ASSERT_TRUE(logo.save(Q("logo.png")));
  std::ofstream(Path("example.sh")) << script;
  QProcess shell;
  QProcessEnvironment shellEnvironment = environment;
  shellEnvironment.insert("PATH", QString::fromStdString(test::ProgramFolder().string()) + ":" +
                                      environment.value("PATH"));
  shell.setProcessEnvironment(shellEnvironment);
  shell.setWorkingDirectory(QString::fromStdString(dir.Path().string()));
  shell.start("bash", {"-e", Q("example.sh")});
  ASSERT_TRUE(shell.waitForFinished(120000));
  const QString err = QString::fromUtf8(shell.readAllStandardError());
  ASSERT_EQ(shell.exitCode(), 0) << script << err.toStdString();
  ProjectData drawn = Read(Path("out.mop"));
  ASSERT_TRUE(drawn.patternImage);
  EXPECT_FALSE(err.contains("never used")) << err.toStdString();
}

}  // namespace
}  // namespace tintara
