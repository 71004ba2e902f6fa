// The "Colors" dialog's logic with its questions and file names answered from
// a script: what the unsaved-changes question, saving and loading do.
#include "colors/colors_editor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "colors/saved_palette.h"
#include "ports/scripted_dialogs.h"
#include "ports/scripted_ui_host.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

namespace fs = std::filesystem;

constexpr char kQuestion[] = "Your palette was changed!\nSave these changes? ";

class ColorsEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(fs::path(TINTARA_RESOURCES_DIR) / "brands" / "GoldenSoFlatMatte.dat",
                  dir.Path() / "GoldenSoFlatMatte.dat");
    params.brandFile = (dir.Path() / "GoldenSoFlatMatte.dat").string();
    params.neededNumColors = 6;
  }
  ColorsContext Context() { return {dir.Path().string() + "/", 100, host, dialogs}; }

  test::TempDir dir;
  ScriptedAnswers answers;
  ScriptedUiHost host{&answers};
  ScriptedDialogs dialogs{answers};
  CTesselParams params;
};

TEST_F(ColorsEditorTest, TheQuestionSavesUnderANameStopsOnCancelAndThenSavesWhereLoaded) {
  // A palette that is not ready is built for the brand when the dialog opens.
  ColorsEditor editor(params, nullptr, Context());
  ASSERT_EQ(editor.Palette().size(), 6u);
  editor.Delete(0);
  ASSERT_TRUE(editor.PaletteChanged());

  answers.Add(kQuestion, "Cancel");
  EXPECT_FALSE(editor.BuildForBrand());
  EXPECT_EQ(editor.Palette().size(), 5u);

  // Yes with no file loaded asks for a name; cancelling that stops too.
  answers.Add(kQuestion, "Yes");
  EXPECT_FALSE(editor.BuildForBrand());
  EXPECT_TRUE(editor.PaletteChanged());
  answers.Add(kQuestion, "Yes");
  answers.Add("Save palette", "mine");
  EXPECT_TRUE(editor.BuildForBrand());
  EXPECT_FALSE(editor.PaletteChanged());
  EXPECT_EQ(editor.Palette().size(), 6u);
  const std::string saved = SavedPalettePath(PalettesFolder(dir.Path().string() + "/"), "mine");
  CTesselParams read;
  ASSERT_TRUE(LoadSavedPalette(saved, read));
  EXPECT_EQ(read.workingPalette.size(), 5u);

  // Loading it back remembers the file; Yes then writes there without a name.
  editor.Delete(0);
  answers.Add(kQuestion, "No");
  answers.Add("Load palette", "mine");
  ASSERT_TRUE(editor.Load());
  EXPECT_EQ(editor.Palette().size(), 5u);
  EXPECT_EQ(editor.LastLoadedPath(), saved);
  editor.Delete(4);
  const size_t asked = dialogs.opened.size();
  answers.Add(kQuestion, "Yes");
  EXPECT_TRUE(editor.ConfirmUnsavedChanges());
  EXPECT_EQ(dialogs.opened.size(), asked);
  ASSERT_TRUE(LoadSavedPalette(saved, read));
  EXPECT_EQ(read.workingPalette.size(), 4u);
}

TEST_F(ColorsEditorTest, AnEmptiedPaletteIsNotReadyAndAFullOneTakesNoMore) {
  params.paletteReady = 1;
  params.workingPalette.clear();
  ColorsEditor editor(params, nullptr, Context());
  ASSERT_NE(editor.Brand(), nullptr);
  const CFlossColor first = editor.Brand()->Colors()[0];
  EXPECT_EQ(editor.Add(first), 0);
  EXPECT_EQ(editor.Params().paletteReady, 1);
  EXPECT_EQ(editor.Add(first), -1);  // already there
  EXPECT_EQ(editor.Delete(0), -1);
  EXPECT_EQ(editor.Params().paletteReady, 0);

  for (int i = 0; i < kMaxWorkingColors; ++i) {
    CFlossColor paint = first;
    paint.catalogNumber = 10000 + i;
    ASSERT_EQ(editor.Add(paint), i);
  }
  EXPECT_FALSE(editor.CanAdd());
  CFlossColor oneMore = first;
  oneMore.catalogNumber = 1;
  EXPECT_EQ(editor.Add(oneMore), -1);
  EXPECT_EQ(editor.Palette().size(), size_t(kMaxWorkingColors));
}

}  // namespace
}  // namespace tintara
