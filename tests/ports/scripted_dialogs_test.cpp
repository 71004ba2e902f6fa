#include "ports/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "colors/palette_file_chooser.h"
#include "ports/scripted_ui_host.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

class ScriptedDialogsTest : public ::testing::Test {
 protected:
  ScriptedAnswers answers;
  ScriptedDialogs dialogs{answers};
};

TEST_F(ScriptedDialogsTest, PosterizeTakesThreeLevelsInOrderAndPreviewsThem) {
  answers.Add("Posterize", ScriptValue::Object{{"red", 2}, {"green", 256}, {"blue", 1}});
  answers.Add("Posterize", ScriptValue::Object{{"green", 9}});
  std::vector<PosterizeLevels> previews;
  auto preview = [&](const PosterizeLevels& levels) { previews.push_back(levels); };

  EXPECT_EQ(dialogs.Posterize({4, 4, 4}, preview), (PosterizeLevels{2, 256, 1}));
  EXPECT_EQ(dialogs.Posterize({4, 4, 4}, preview), (PosterizeLevels{4, 9, 4}));  // others as opened
  EXPECT_EQ(dialogs.Posterize({4, 4, 4}, preview), std::nullopt);  // answers used up: Cancel
  EXPECT_EQ(previews, (std::vector<PosterizeLevels>{{2, 256, 1}, {4, 9, 4}}));
  EXPECT_EQ(dialogs.opened, (std::vector<std::string>{"Posterize", "Posterize", "Posterize"}));
  EXPECT_TRUE(dialogs.refused.empty());
}

TEST_F(ScriptedDialogsTest, AnswersADialogWouldNotAcceptCancelAndAreNamed) {
  answers.Add("Posterize", ScriptValue::Object{{"red", 0}});
  answers.Add("Posterize", 3);
  answers.Add("Reduce colors", 1);
  answers.Add("Reduce colors", 257);
  answers.Add("Reduce colors", 8.5);
  answers.Add("Reduce colors", "8");
  answers.Add("Reduce colors", true);
  answers.Add("Reduce colors", 8.0);
  answers.Add("Color of borders and digits", ScriptValue::List{255, 0});
  answers.Add("Color of borders and digits", ScriptValue::List{256, 0, 0});
  answers.Add("Color of borders and digits", ScriptValue::List{255, 0, 16});

  EXPECT_EQ(dialogs.Posterize({}, {}), std::nullopt);
  EXPECT_EQ(dialogs.Posterize({}, {}), std::nullopt);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(dialogs.ReduceColors(32), std::nullopt) << i;
  EXPECT_EQ(dialogs.ReduceColors(32), 8);  // a whole number written with a point is fine
  EXPECT_EQ(dialogs.ChooseBorderColor(0, true), std::nullopt);
  EXPECT_EQ(dialogs.ChooseBorderColor(0, true), std::nullopt);
  EXPECT_EQ(dialogs.ChooseBorderColor(0, false), 0x1000FFu);  // red in the low byte

  ASSERT_EQ(dialogs.refused.size(), 9u);
  EXPECT_NE(dialogs.refused[0].find("Posterize"), std::string::npos);
  EXPECT_NE(dialogs.refused[2].find("Reduce colors"), std::string::npos);
  EXPECT_NE(dialogs.refused[8].find("Color of borders and digits"), std::string::npos);
}

// The real palette dialog logic on a real folder; the script types names and
// presses "&Delete".
TEST_F(ScriptedDialogsTest, PaletteFileDialogTakesAnswersUntilItCloses) {
  test::TempDir folder;
  std::ofstream(folder.File("Autumn.PAL")) << "x";
  std::ofstream(folder.File("Spring.PAL")) << "x";
  ScriptedUiHost host(&answers);

  PaletteFileChooser load(PaletteFileMode::kLoad, folder.Path().string(), host);
  answers.Add("Load palette", "Winter");  // not listed: the dialog stays open
  answers.Add("Load palette", "spring");
  std::optional<std::string> chosen = dialogs.ChoosePaletteFile(load);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(std::filesystem::path(*chosen).filename(), "Spring.PAL");
  ASSERT_FALSE(host.messages.empty());
  EXPECT_EQ(host.messages.front().text, "No such name exists.");

  PaletteFileChooser save(PaletteFileMode::kSave, folder.Path().string(), host);
  answers.Add("Delete this entry?", "Yes");
  answers.Add("Save palette", ScriptValue::Object{{"delete", "Autumn"}});
  answers.Add("Save palette", ScriptValue::Object{{"delete", "Nothing"}});
  EXPECT_EQ(dialogs.ChoosePaletteFile(save), std::nullopt);  // no name typed: Cancel
  EXPECT_FALSE(std::filesystem::exists(folder.File("Autumn.PAL")));
  EXPECT_EQ(save.Names(), std::vector<std::string>{"Spring"});
  ASSERT_EQ(dialogs.refused.size(), 1u);
  EXPECT_NE(dialogs.refused[0].find("Save palette"), std::string::npos);
}

}  // namespace
}  // namespace tintara
