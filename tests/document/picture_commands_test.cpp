#include <gtest/gtest.h>

#include <set>

#include "document/picture_commands.h"
#include "tests/document/document_fixture.h"

namespace tintara::test {
namespace {

// The user's answers to the two reduction dialogs.
class ReductionAnswers : public Dialogs {
 public:
  std::optional<PosterizeLevels> Posterize(
      const PosterizeLevels& initial,
      const std::function<void(const PosterizeLevels&)>& changed) override {
    opened = initial;
    if (levels) changed(*levels);
    return levels;
  }
  std::optional<int> ReduceColors(int initial) override {
    offered = initial;
    return colors;
  }
  std::optional<PosterizeLevels> levels;
  std::optional<int> colors;
  PosterizeLevels opened;
  int offered = 0;
};

class PreviewWatch : public ScriptedUiHost {
 public:
  void PreviewColorTables(const uint8_t* red, const uint8_t*, const uint8_t*) override {
    shown.push_back(red != nullptr);
  }
  std::vector<bool> shown;
};

TEST(PictureCommandsTest, ReductionsAreOnePictureUndoStepEach) {
  DocumentFixture fixture;
  ReductionAnswers answers;
  PreviewWatch ui;
  DocumentEnvironment env(ui, answers, fixture.settings);
  env.programFolder = fixture.env.programFolder;
  CTessel20Doc doc(env, *CTesselParams::Create(fixture.settings, env.programFolder));
  CommandTable commands;
  RegisterDocumentCommands(commands, doc);
  RegisterPictureCommands(commands, doc);

  doc.ReplaceWithPicture(MakePhoto(64, 48), kOriginFile, "", false);
  EXPECT_FALSE(commands.IsEnabled(cmd::kReduceColorLevels));
  commands.Run(cmd::kStartPictureEditing);
  ImageRef original = ImageBuffer::Copy(*doc.workingPicture);

  // Cancel changes nothing and makes no step.
  ASSERT_TRUE(commands.Run(cmd::kReduceColorLevels));
  EXPECT_FALSE(commands.IsEnabled(cmd::kUndo));

  answers.levels = PosterizeLevels{1, 1, 1};
  commands.Run(cmd::kReduceColorLevels);
  EXPECT_EQ(answers.opened, (PosterizeLevels{4, 4, 4}));
  // Each opening previews its tables until the dialog closes, whatever the answer.
  EXPECT_EQ(ui.shown, (std::vector<bool>{true, false, true, true, false}));
  for (int32_t y = 0; y < 48; ++y) {
    const uint8_t* row = doc.workingPicture->Row(y);
    for (int32_t i = 0; i < 64 * 3; ++i) ASSERT_TRUE(row[i] == 0 || row[i] == 255);
  }

  answers.colors = 2;
  commands.Run(cmd::kReduceColorsOptimized);
  EXPECT_EQ(answers.offered, 32);  // REDUCECOLORS/NUMCOLORS
  EXPECT_EQ(fixture.settings.ReadInt("REDUCECOLORS", "NUMCOLORS", 0), 2);

  commands.Run(cmd::kUndo);
  commands.Run(cmd::kUndo);
  EXPECT_TRUE(SamePixels(*doc.workingPicture, *original));
}

TEST(PictureCommandsTest, OptimizedReductionKeepsTheChosenNumberOfColours) {
  DocumentFixture fixture;
  ReductionAnswers answers;
  DocumentEnvironment env(fixture.ui, answers, fixture.settings);
  env.programFolder = fixture.env.programFolder;
  CTessel20Doc doc(env, *CTesselParams::Create(fixture.settings, env.programFolder));
  CommandTable commands;
  RegisterDocumentCommands(commands, doc);
  RegisterPictureCommands(commands, doc);
  doc.ReplaceWithPicture(MakePhoto(120, 90), kOriginFile, "", false);
  commands.Run(cmd::kStartPictureEditing);
  answers.colors = 24;
  commands.Run(cmd::kReduceColorsOptimized);
  std::set<uint32_t> colors;
  for (int32_t y = 0; y < 90; ++y) {
    const uint8_t* row = doc.workingPicture->Row(y);
    for (int32_t x = 0; x < 120; ++x) colors.insert(PackColor(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
  }
  EXPECT_LE(colors.size(), 24u);
  EXPECT_GE(colors.size(), 12u);
}

}  // namespace
}  // namespace tintara::test
