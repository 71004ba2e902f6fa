#include "colors/saved_palette.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "colors/palette_file_chooser.h"
#include "colors/tessel_params.h"
#include "ports/scripted_ui_host.h"
#include "storage/archive.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

namespace fs = std::filesystem;

std::vector<CFlossColor> TwoColors() {
  std::vector<CFlossColor> palette(2);
  palette[0] = {"Brand", "/p/B.dat", "Red", 12, 0, 200, 10, 20};
  palette[1] = {"Brand", "/p/B.dat", "", -1, 1, 1, 2, 3};
  return palette;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void Touch(const std::string& path) { std::ofstream(path) << "x"; }

TEST(SavedPalette, RoundTripKeepsEveryFieldAndSetsReady) {
  test::TempDir dir;
  ASSERT_TRUE(SaveSavedPalette(TwoColors(), dir.File("mine.PAL")));
  CTesselParams params;
  params.workingPalette.resize(5);
  ASSERT_TRUE(LoadSavedPalette(dir.File("mine.PAL"), params));
  ASSERT_EQ(params.workingPalette.size(), 2u);
  EXPECT_EQ(params.workingPalette, TwoColors());
  EXPECT_EQ(params.workingPalette[1].paletteIndex, 1);  // the block keeps positions
  EXPECT_EQ(params.paletteReady, 1);
}

TEST(SavedPalette, EmptyPaletteIsOnlyTheCount) {
  test::TempDir dir;
  ASSERT_TRUE(SaveSavedPalette({}, dir.File("empty.PAL")));
  EXPECT_EQ(FileBytes(dir.File("empty.PAL")), (std::vector<uint8_t>{0, 0, 0, 0}));
  CTesselParams params;
  params.workingPalette = TwoColors();
  params.paletteReady = 0;
  ASSERT_TRUE(LoadSavedPalette(dir.File("empty.PAL"), params));
  EXPECT_TRUE(params.workingPalette.empty());
  EXPECT_EQ(params.paletteReady, 0);
}

TEST(SavedPalette, AFailedSaveKeepsThePaletteSavedBefore) {
  test::TempDir dir;
  std::string readOnly = dir.File("kept.PAL");
  ASSERT_TRUE(SaveSavedPalette(TwoColors(), readOnly));
  std::vector<uint8_t> before = FileBytes(readOnly);
  fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(SaveSavedPalette({}, readOnly));
  EXPECT_EQ(FileBytes(readOnly), before);

  // A disk that fills up half-way through the new palette.
  test::SmallDisk disk(256 * 1024);
  if (!disk.Ok()) GTEST_SKIP() << "no small disk can be mounted here";
  std::string full = disk.File("full.PAL");
  ASSERT_TRUE(SaveSavedPalette(TwoColors(), full));
  before = FileBytes(full);
  std::vector<CFlossColor> large(256, CFlossColor{"Brand", "/p/B.dat", std::string(1000, 'n'), 1, 0, 1, 2, 3});
  disk.FillAllBut(64 * 1024);
  EXPECT_FALSE(SaveSavedPalette(large, full));
  EXPECT_EQ(FileBytes(full), before);
  EXPECT_EQ(test::FolderEntries(disk.Path()), (std::vector<std::string>{"filler", "full.PAL"}));
}

TEST(SavedPalette, BadFilesFailAndLeaveThePaletteAlone) {
  test::TempDir dir;
  ASSERT_TRUE(SaveSavedPalette(TwoColors(), dir.File("full.PAL")));
  std::vector<uint8_t> bytes = FileBytes(dir.File("full.PAL"));

  auto expectRejected = [&](const std::vector<uint8_t>& content, const char* what) {
    std::ofstream(dir.File("bad.PAL"), std::ios::binary)
        .write(reinterpret_cast<const char*>(content.data()), std::streamsize(content.size()));
    CTesselParams params;
    params.FillGridColors();
    EXPECT_FALSE(LoadSavedPalette(dir.File("bad.PAL"), params)) << what;
    EXPECT_EQ(params.workingPalette.size(), 36u) << what;
    EXPECT_EQ(params.paletteReady, 0) << what;
  };
  expectRejected(std::vector<uint8_t>(bytes.begin(), bytes.end() - 1), "cut short");
  expectRejected({0x01, 0x01, 0, 0}, "257 colours");
  expectRejected({0xFF, 0xFF, 0xFF, 0xFF}, "negative count");
  expectRejected({0xFF, 0xFF, 0xFF, 0x7F}, "huge count");

  CTesselParams params;
  EXPECT_FALSE(LoadSavedPalette(dir.File("missing.PAL"), params));
  EXPECT_FALSE(SaveSavedPalette(TwoColors(), dir.File("no/such/folder.PAL")));
}

// The dialog: performs the scripted actions on the chooser and returns the
// path it closes with, like a user pressing buttons.
class ScriptedChooserDialogs : public Dialogs {
 public:
  std::function<std::optional<std::string>(NameListChooser&)> script;
  std::vector<std::string> shownNames;
  std::string shownInitial;
  std::string shownTitle;

  std::optional<std::string> ChoosePaletteFile(NameListChooser& chooser) override {
    shownNames = chooser.Names();
    shownInitial = chooser.InitialName();
    shownTitle = chooser.Title();
    return script(chooser);
  }
};

class PaletteChooserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = PalettesFolder(dir.Path().string());
    host.SetAnswers(&answers);
  }
  void MakeFolderWith(std::initializer_list<const char*> names) {
    fs::create_directory(folder);
    for (const char* name : names) Touch(folder + "/" + name);
  }

  test::TempDir dir;
  std::string folder;
  ScriptedAnswers answers;
  ScriptedUiHost host;
  ScriptedChooserDialogs dialogs;
};

TEST_F(PaletteChooserTest, ListsPalNamesAndCreatesTheFolder) {
  dialogs.script = [](NameListChooser&) { return std::nullopt; };
  EXPECT_FALSE(ChoosePaletteFile(dialogs, host, dir.Path().string(), PaletteFileMode::kLoad));
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_TRUE(dialogs.shownNames.empty());
  EXPECT_EQ(dialogs.shownTitle, "Load palette");

  MakeFolderWith({"zeta.PAL", "Alpha.pal", "mid.Pal", "notes.txt", "opal"});
  ChoosePaletteFile(dialogs, host, dir.Path().string(), PaletteFileMode::kSave,
                    "/somewhere/Palettes/mid.Pal");
  EXPECT_EQ(dialogs.shownNames, (std::vector<std::string>{"Alpha", "mid", "zeta"}));
  EXPECT_EQ(dialogs.shownTitle, "Save palette");
  EXPECT_EQ(dialogs.shownInitial, "mid");  // the palette last loaded
}

TEST_F(PaletteChooserTest, LoadingNeedsAListedName) {
  MakeFolderWith({"Sunset.pal"});
  std::vector<std::optional<std::string>> results;
  dialogs.script = [&](NameListChooser& chooser) {
    results.push_back(chooser.Accept(""));       // nothing happens
    results.push_back(chooser.Accept("Dawn"));   // not listed: message, stays open
    return chooser.Accept("sunset");             // letter case does not matter
  };
  std::optional<std::string> path =
      ChoosePaletteFile(dialogs, host, dir.Path().string(), PaletteFileMode::kLoad);
  EXPECT_EQ(results, (std::vector<std::optional<std::string>>{std::nullopt, std::nullopt}));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "No such name exists.");
  ASSERT_TRUE(path);
  EXPECT_EQ(*path, folder + "/Sunset.pal");  // the file as it exists
}

TEST_F(PaletteChooserTest, SavingOverAnExistingNameAsks) {
  MakeFolderWith({"Sea.PAL"});
  answers.Add("This name already exists.", "No");
  answers.Add("This name already exists.", "Yes");
  std::vector<std::optional<std::string>> results;
  dialogs.script = [&](NameListChooser& chooser) {
    results.push_back(chooser.Accept("Sea"));        // No: stays open
    results.push_back(chooser.Accept("../outside"));  // not a plain name: ignored
    results.push_back(chooser.Accept("New"));
    return chooser.Accept("Sea");                    // Yes
  };
  std::optional<std::string> path =
      ChoosePaletteFile(dialogs, host, dir.Path().string(), PaletteFileMode::kSave);
  ASSERT_EQ(results.size(), 3u);
  EXPECT_FALSE(results[0]);
  EXPECT_FALSE(results[1]);
  EXPECT_EQ(results[2], folder + "/New.PAL");
  EXPECT_EQ(path, folder + "/Sea.PAL");
  EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(PaletteChooserTest, DeleteAsksAndRemovesTheFile) {
  MakeFolderWith({"Keep.PAL", "Drop.PAL"});
  answers.Add("Delete this entry?", "No");
  answers.Add("Delete this entry?", "Yes");
  std::vector<bool> deleted;
  dialogs.script = [&](NameListChooser& chooser) {
    deleted.push_back(chooser.Delete("Unknown"));  // not listed: no question
    deleted.push_back(chooser.Delete("Drop"));     // No
    deleted.push_back(chooser.Delete("drop"));     // Yes
    EXPECT_EQ(chooser.Names(), (std::vector<std::string>{"Keep"}));
    return std::nullopt;
  };
  ChoosePaletteFile(dialogs, host, dir.Path().string(), PaletteFileMode::kLoad);
  EXPECT_EQ(deleted, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(host.messages.size(), 2u);
  EXPECT_FALSE(fs::exists(folder + "/Drop.PAL"));
  EXPECT_TRUE(fs::exists(folder + "/Keep.PAL"));
}

TEST(PaletteBlock, LayoutIsTheProjectFileBlock) {
  VectorSink sink;
  ArchiveWriter writer(sink);
  std::vector<CFlossColor> one = {{"B", "F", "N", 7, 4, 1, 2, 3}};
  WritePaletteBlock(writer, one);
  EXPECT_EQ(sink.bytes, (std::vector<uint8_t>{1, 0, 0, 0, 1, 'B', 1, 'F', 1, 'N', 7, 0, 0, 0,
                                              4, 0, 0, 0, 1, 2, 3}));
}

}  // namespace
}  // namespace tintara
