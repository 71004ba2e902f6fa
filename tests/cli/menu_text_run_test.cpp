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

}  // namespace
}  // namespace tintara
