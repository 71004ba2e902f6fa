#include <QJsonArray>
#include <QRegularExpression>
#include <filesystem>
#include <map>

#include "tests/cli/cli_runner.h"

namespace tintara {
namespace {

using test::CliResult;
using test::CliTest;

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

QJsonObject Params(const QJsonObject& info) { return info["params"].toObject(); }

// A run reads the settings and leaves them as they were, whatever its
// commands choose on the way; so one run never changes the next.
TEST_F(CliTest, RunsReadTheSettingsButNeverWriteThem) {
  const std::string handWritten = "; kept by hand\r\n[SETTINGS]\r\nPRNRES=0\r\n; pattern below\r\n";
  WriteText(Path("settings.ini"), handWritten);
  std::string project = CreateProject();
  const QString projectQ = QString::fromStdString(project);
  WriteText(Path("red.json"), R"({"Color of borders and digits": [[255, 0, 0]]})");

  ASSERT_EQ(Run({"retype", projectQ, "--type", "6", "-o", Q("six.mop")}).exitCode, 0);
  ASSERT_EQ(Run({"run", projectQ, "-o", Q("red.mop"), "--answers", Q("red.json"),
                 "Color of borders and digits"}).exitCode, 0);
  ASSERT_EQ(Run({"info", projectQ}).exitCode, 0);
  EXPECT_EQ(Run({"commands", projectQ}).exitCode, 0);
  EXPECT_EQ(SettingsText(), handWritten);
  EXPECT_EQ(Params(Info(Path("red.mop")))["borderColor"].toInt(), 0x0000FF);

  // A later run has the settings' own type and border colour, not the earlier runs' choices.
  ASSERT_EQ(Run({"create", Q("photo.png"), "-o", Q("later.mop")}).exitCode, 0);
  QJsonObject later = Params(Info(Path("later.mop")));
  EXPECT_EQ(later["patternType"].toInt(), 5);
  EXPECT_EQ(later["borderColor"].toInt(), 0x808080);
  EXPECT_EQ(SettingsText(), handWritten);

  // The user's store is left alone the same way: it is not even made.
  ASSERT_EQ(Run({"retype", projectQ, "--type", "6", "-o", Q("six.mop")}, false).exitCode, 0);
  ASSERT_EQ(Run({"create", Q("photo.png"), "-o", Q("mine.mop")}, false).exitCode, 0);
  EXPECT_EQ(Params(Info(Path("mine.mop")))["patternType"].toInt(), 5);
  EXPECT_FALSE(std::filesystem::exists(Path("config/TAVEN Imaging Tintara")));
}

TEST_F(CliTest, SaveSettingsKeepsWhatTheCommandsChose) {
  std::string project = CreateProject();
  ASSERT_EQ(Run({"retype", QString::fromStdString(project), "--type", "patterns", "-o",
                 Q("tiles.mop"), "--save-settings"}).exitCode, 0);
  EXPECT_NE(SettingsText().find("TESSELMETHOD=2"), std::string::npos) << SettingsText();
  ASSERT_EQ(Run({"create", Q("photo.png"), "-o", Q("later.mop")}).exitCode, 0);
  EXPECT_EQ(Params(Info(Path("later.mop")))["patternType"].toInt(), 2);
}

TEST_F(CliTest, AMissingSettingsFileIsAnErrorNamingIt) {
  for (const QStringList& arguments :
       {QStringList{"palettes"}, QStringList{"commands"}, QStringList{"info", Q("p.mop")}}) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    QStringList withMissing = arguments;
    withMissing.insert(1, Q("gone.ini"));
    withMissing.insert(1, "--settings");
    CliResult result = Run(withMissing, false);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(Q("gone.ini") + " does not exist")) << result.err.toStdString();
  }
  EXPECT_FALSE(std::filesystem::exists(Path("gone.ini")));
}

TEST_F(CliTest, ASettingsFileOverTheLimitIsNotReadAndTheDefaultsAreUsed) {
  {
    std::ofstream out(Path("settings.ini"));
    out << "[MEMORY]\nPICTURESMB=64\n[PADDING]\n";
    for (int i = 0; i < 12000; ++i) out << "KEY" << i << "=" << std::string(100, 'x') << "\n";
  }
  const std::string before = SettingsText();
  WritePicture("photo.png", 200, 150);
  CliResult result = Run({"create", Q("photo.png"), "-o", Q("photo.mop"), "--save-settings"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_TRUE(result.ErrorLines().isEmpty()) << result.err.toStdString();
  const QString expected = "The settings file " + Q("settings.ini") +
                           " is larger than 1 MiB and was not read: the default settings are used.";
  EXPECT_TRUE(result.NoteLines().contains(expected)) << result.err.toStdString();
  EXPECT_EQ(SettingsText(), before);
}

TEST_F(CliTest, PatternTypesByNameAndByNumber) {
  WritePicture("photo.png", 60, 40);
  const std::vector<std::pair<QString, int>> named = {
      {"numbers", 5}, {"Patterns", 2}, {"BORDERS", 0}, {"5", 5}, {"2", 2}};
  for (const auto& [given, type] : named) {
    SCOPED_TRACE(given.toStdString());
    CliResult result = Run({"create", Q("photo.png"), "-o", Q("t.mop"), "--type", given});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.ErrorLines().isEmpty()) << result.err.toStdString();
    EXPECT_EQ(Params(Info(Path("t.mop")))["patternType"].toInt(), type);
  }
  // A type the program does not offer still works, with one line of warning.
  CliResult tones = Run({"retype", Q("t.mop"), "--type", "4", "-o", Q("tones.mop")});
  ASSERT_EQ(tones.exitCode, 0) << tones.err.toStdString();
  ASSERT_EQ(tones.ErrorLines().size(), 1) << tones.err.toStdString();
  EXPECT_TRUE(tones.ErrorLines()[0].contains("warning")) << tones.err.toStdString();
  EXPECT_TRUE(tones.ErrorLines()[0].contains("type 4")) << tones.err.toStdString();
  EXPECT_EQ(Params(Info(Path("tones.mop")))["patternType"].toInt(), 4);
  CliResult byName = Run({"retype", Q("tones.mop"), "--type", "numbers", "-o", Q("back.mop")});
  ASSERT_EQ(byName.exitCode, 0) << byName.err.toStdString();
  EXPECT_EQ(Params(Info(Path("back.mop")))["patternType"].toInt(), 5);
}

TEST_F(CliTest, CommandsListsTheTableAndWhatIsEnabledForAProject) {
  CliResult empty = Run({"commands", "--json"});
  ASSERT_EQ(empty.exitCode, 0) << empty.err.toStdString();
  std::string project = CreateProject();
  CliResult made = Run({"commands", QString::fromStdString(project), "--json"});
  ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();

  auto byNumber = [](const CliResult& result) {
    std::map<int, QJsonObject> commands;
    for (const QJsonValue& value : QJsonDocument::fromJson(result.out.toUtf8()).array()) {
      QJsonObject command = value.toObject();
      EXPECT_TRUE(command["enabled"].isBool());
      EXPECT_FALSE(command["text"].toString().isEmpty());
      commands[command["number"].toInt()] = command;
    }
    return commands;
  };
  std::map<int, QJsonObject> before = byNumber(empty);
  std::map<int, QJsonObject> after = byNumber(made);
  ASSERT_GE(before.size(), 10u);
  ASSERT_EQ(before.size(), after.size());
  // "Remove small areas" needs a pattern; "Color of borders and digits" does not.
  EXPECT_EQ(before[33118]["text"].toString(), "Remove small areas from painting pattern");
  EXPECT_FALSE(before[33118]["enabled"].toBool());
  EXPECT_TRUE(after[33118]["enabled"].toBool());
  EXPECT_TRUE(before[33117]["enabled"].toBool());

  // The plain listing: number, text and state, tab-separated, one command a line.
  CliResult plain = Run({"commands", QString::fromStdString(project)});
  ASSERT_EQ(plain.exitCode, 0);
  QStringList lines = plain.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(size_t(lines.size()), after.size());
  EXPECT_TRUE(lines.contains("33118\tRemove small areas from painting pattern\tenabled"))
      << plain.out.toStdString();
}

TEST_F(CliTest, RunTakesMenuTextsAndSuggestsTheClosestName) {
  std::string project = CreateProject();
  const QString projectQ = QString::fromStdString(project);
  WriteText(Path("red.json"), R"({"Color of borders and digits": [[255, 0, 0]]})");
  for (const QString& name : {QString("&Color of borders and digits..."),
                              QString("color of BORDERS and digits"),
                              QString("Color of borders and digits\tCtrl+B")}) {
    SCOPED_TRACE(name.toStdString());
    CliResult result = Run({"run", projectQ, "-o", Q("red.mop"), "--answers", Q("red.json"), name});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(Params(Info(Path("red.mop")))["borderColor"].toInt(), 0x0000FF);
    std::filesystem::remove(Path("red.mop"));
  }
  CliResult typo = Run({"run", projectQ, "-o", Q("x.mop"), "Remove smal areas"});
  EXPECT_EQ(typo.exitCode, 2);
  EXPECT_TRUE(typo.err.contains("did you mean \"Remove small areas from painting pattern\" (33118)"))
      << typo.err.toStdString();
  CliResult number = Run({"run", projectQ, "-o", Q("x.mop"), "99999"});
  EXPECT_EQ(number.exitCode, 2);
  EXPECT_TRUE(number.err.contains("no command '99999'")) << number.err.toStdString();
  EXPECT_FALSE(number.err.contains("did you mean")) << number.err.toStdString();
  EXPECT_FALSE(std::filesystem::exists(Path("x.mop")));
}

}  // namespace
}  // namespace tintara
