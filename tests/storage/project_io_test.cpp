#include "storage/project_io.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "storage/project_hooks.h"
#include "storage/recent_projects.h"
#include "tests/storage/project_fixture.h"

namespace tintara {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes, size_t length) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(length));
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// Files of this process cannot grow past `bytes` while the guard lives: a
// real write failure (EFBIG) as a full disk gives, without needing a mount.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ok_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, oldHandler_);
  }
  bool Ok() const { return ok_; }

 private:
  rlimit old_{};
  sighandler_t oldHandler_ = SIG_DFL;
  bool ok_ = false;
};

class ProjectIoTest : public test::ProjectFixture {
 protected:
  ProjectIoTest() { InstallProjectHooks(environment, store); }

  // A small project with a pattern, saved; its bytes.
  std::vector<uint8_t> SaveSmallProject(const std::string& path) {
    doc->initialPicture = test::MakePhoto(9, 6, 2);
    UseBrandColours(4);
    AddPattern(7, 5);
    doc->viewMode = kViewPattern;
    EXPECT_TRUE(SaveProject(*doc, path));
    return FileBytes(path);
  }

  std::string LastMessage() const { return ui.messages.empty() ? "" : ui.messages.back().text; }

  void ExpectEmptyDocument() {
    EXPECT_EQ(doc->initialPicture, nullptr);
    EXPECT_EQ(doc->convertedPicture, nullptr);
    EXPECT_EQ(doc->patternImage, nullptr);
    EXPECT_EQ(doc->title, "Untitled");
    EXPECT_EQ(doc->pathName, "");
    EXPECT_FALSE(doc->CanUndo());
  }
};

TEST_F(ProjectIoTest, OpenedProjectReplacesTheDocument) {
  std::string path = dir.File("small.mop");
  SaveSmallProject(path);
  ImageRef pattern = doc->patternImage;
  doc->PushUndoSnapshot();
  doc->initialPicture = test::MakePhoto(3, 3, 1);

  ASSERT_TRUE(OpenProject(*doc, path));
  EXPECT_TRUE(test::SamePixels(*doc->patternImage, *pattern));
  EXPECT_EQ(doc->initialPicture->Width(), 9);
  EXPECT_EQ(doc->viewMode, kViewPattern);
  EXPECT_EQ(doc->title, "small.mop");
  EXPECT_EQ(doc->pathName, path);
  EXPECT_FALSE(doc->modified);
  EXPECT_FALSE(doc->CanUndo());  // the old project's undo went with it
  ASSERT_FALSE(ui.workStages.empty());
  EXPECT_EQ(ui.workStages.back(), 3);  // a project with a pattern opens on the pattern stage
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProjectIoTest, TruncatedFileFailsCleanlyAtEveryLength) {
  std::string good = dir.File("good.mop");
  std::vector<uint8_t> bytes = SaveSmallProject(good);
  ASSERT_GT(bytes.size(), 1500u);
  std::string cut = dir.File("cut.mop");
  store.WriteString("WIZARD", "LASTPROJECT", "unchanged");
  ImageRef picture = test::MakePhoto(3, 3, 1);
  for (size_t length = 0; length < bytes.size(); ++length) {
    doc->initialPicture = picture;
    doc->title = "good.mop";
    WriteFile(cut, bytes, length);
    size_t messages = ui.messages.size();
    ASSERT_FALSE(OpenProject(*doc, cut)) << length;
    ASSERT_EQ(ui.messages.size(), messages + 1);
    ASSERT_EQ(LastMessage(), "Unexpected file format.") << length;
    ASSERT_EQ(doc->initialPicture, nullptr) << length;
    ASSERT_EQ(doc->convertedPicture, nullptr) << length;
    ASSERT_EQ(doc->title, "Untitled");
    ASSERT_EQ(LastProject(store), "unchanged");
  }
}

TEST_F(ProjectIoTest, DamagedRowsAreAFormatError) {
  std::string good = dir.File("good.mop");
  std::vector<uint8_t> bytes = SaveSmallProject(good);
  // The first row chunk of the initial picture: after the signature (8) and
  // width, height, format (12) comes its size, then the stream header.
  const size_t chunkSizeAt = 8 + 12;
  const size_t chunkAt = chunkSizeAt + 4;
  ASSERT_EQ(bytes[chunkAt], 0x78);
  int32_t chunkSize = int32_t(bytes[chunkSizeAt] | (bytes[chunkSizeAt + 1] << 8));

  auto damaged = [&](const char* what, auto change) {
    SCOPED_TRACE(what);
    std::vector<uint8_t> copy = bytes;
    change(copy);
    std::string path = dir.File("damaged.mop");
    WriteFile(path, copy, copy.size());
    ASSERT_TRUE(OpenProject(*doc, good));
    EXPECT_FALSE(OpenProject(*doc, path));
    EXPECT_EQ(LastMessage(), "Unexpected file format.");
    ExpectEmptyDocument();
  };
  damaged("stream header", [&](std::vector<uint8_t>& b) { b[chunkAt] = 0x00; });
  damaged("block type", [&](std::vector<uint8_t>& b) {
    for (int32_t i = 2; i < chunkSize; ++i) b[chunkAt + size_t(i)] = 0xFF;
  });
  damaged("negative chunk size", [&](std::vector<uint8_t>& b) { b[chunkSizeAt + 3] = 0x80; });
  damaged("chunk size past the end", [&](std::vector<uint8_t>& b) { b[chunkSizeAt + 2] = 0x7F; });
  damaged("absurd picture size", [&](std::vector<uint8_t>& b) { b[8 + 3] = 0x40; });
}

TEST_F(ProjectIoTest, FailedSaveKeepsThePreviousFile) {
  std::string path = dir.File("keep.mop");
  std::vector<uint8_t> old = SaveSmallProject(path);
  std::vector<std::string> entries = FolderEntries(dir.Path());
  std::vector<std::string> recent = ReadRecentProjects(store);

  doc->initialPicture = test::MakePhoto(300, 200, 8);  // far more than the limit
  doc->modified = true;
  {
    FileSizeLimit limit(old.size() + 4096);
    ASSERT_TRUE(limit.Ok());
    EXPECT_FALSE(SaveProject(*doc, dir.File("elsewhere.mop")));
    EXPECT_EQ(LastMessage(), "Destination disk drive is full.");
    EXPECT_FALSE(SaveProject(*doc, path));
    EXPECT_EQ(LastMessage(), "Destination disk drive is full.");
  }
  EXPECT_EQ(FileBytes(path), old);
  EXPECT_EQ(FolderEntries(dir.Path()), entries);  // no temporary file left behind
  EXPECT_EQ(ReadRecentProjects(store), recent);
  EXPECT_TRUE(doc->modified);

  // Written completely, the new project replaces the old one.
  ASSERT_TRUE(SaveProject(*doc, path));
  EXPECT_GT(FileBytes(path).size(), old.size() + 4096);
  EXPECT_EQ(FolderEntries(dir.Path()), entries);
  EXPECT_FALSE(doc->modified);
}

// A save that shows its progress counts the rows of all four pictures, and
// its Cancel leaves the old file as it was, with no temporary file beside it.
TEST_F(ProjectIoTest, ASaveShowsItsProgressAndItsCancelKeepsTheOldFile) {
  std::string path = dir.File("large.mop");
  std::vector<uint8_t> old = SaveSmallProject(path);
  std::vector<std::string> entries = FolderEntries(dir.Path());
  doc->initialPicture = test::MakePhoto(3000, 2000, 5);  // seconds of deflate, not milliseconds
  doc->modified = true;
  const size_t messages = ui.messages.size();

  int steps = 0;
  ui.SetCancelWhen([&](const ProgressCounters&, int, int) { return ++steps == 2; });
  EXPECT_FALSE(SaveProject(*doc, path, nullptr, SaveProgress::kShown));
  EXPECT_EQ(steps, 2);
  EXPECT_EQ(FileBytes(path), old);
  EXPECT_EQ(FolderEntries(dir.Path()), entries);
  EXPECT_EQ(ui.messages.size(), messages);  // a cancel is not told
  EXPECT_FALSE(ui.progressShown);
  EXPECT_TRUE(doc->modified);

  ui.SetCancelWhen({});
  ui.progressPercents.clear();
  const int begins = ui.progressBegins;
  ASSERT_TRUE(SaveProject(*doc, path, nullptr, SaveProgress::kShown));
  EXPECT_EQ(ui.progressBegins, begins + 1);
  EXPECT_FALSE(ui.progressShown);
  ASSERT_FALSE(ui.progressPercents.empty());
  EXPECT_TRUE(std::is_sorted(ui.progressPercents.begin(), ui.progressPercents.end()));
  EXPECT_LE(ui.progressPercents.back(), 100);
  EXPECT_FALSE(doc->modified);
  // Written as a quiet save writes it.
  const std::vector<uint8_t> shown = FileBytes(path);
  ASSERT_TRUE(SaveProject(*doc, path));
  EXPECT_EQ(FileBytes(path), shown);
  EXPECT_EQ(FolderEntries(dir.Path()), entries);
}

TEST_F(ProjectIoTest, SaveIntoAMissingFolderOrOverAFolderFails) {
  doc->initialPicture = test::MakePhoto(5, 5, 1);
  EXPECT_FALSE(SaveProject(*doc, dir.File("no such folder/p.mop")));
  EXPECT_EQ(LastMessage(), "Failed to save document.");

  fs::create_directory(dir.File("folder.mop"));
  std::ofstream(dir.File("folder.mop/inside")) << "x";
  std::vector<std::string> entries = FolderEntries(dir.Path());
  EXPECT_FALSE(SaveProject(*doc, dir.File("folder.mop")));
  EXPECT_FALSE(LastMessage().empty());
  EXPECT_EQ(FolderEntries(dir.Path()), entries);
  EXPECT_TRUE(fs::is_directory(dir.File("folder.mop")));
  EXPECT_EQ(LastProject(store), "");
}

TEST_F(ProjectIoTest, OnlyMopFilesAreOpened) {
  std::string good = dir.File("good.mop");
  std::vector<uint8_t> bytes = SaveSmallProject(good);
  ASSERT_TRUE(OpenProject(*doc, good));
  store.WriteString("WIZARD", "LASTPROJECT", "/somewhere/else.mop");
  store.WriteString("WIZARD", "LAST0", good);

  for (const char* name : {"project.txt", "project.mop.bak", "mop", "project.mo"}) {
    SCOPED_TRACE(name);
    std::string path = dir.File(name);
    WriteFile(path, bytes, bytes.size());
    EXPECT_FALSE(OpenProject(*doc, path));
    EXPECT_EQ(LastMessage(), "Failed to open document.");
    EXPECT_EQ(doc->pathName, good);  // the open project stays
    EXPECT_NE(doc->initialPicture, nullptr);
  }
  EXPECT_EQ(store.ReadString("WIZARD", "LASTPROJECT", ""), "/somewhere/else.mop");
  EXPECT_EQ(ReadRecentProjects(store), std::vector<std::string>{good});

  std::string upper = dir.File("UPPER.MOP");
  WriteFile(upper, bytes, bytes.size());
  EXPECT_TRUE(OpenProject(*doc, upper));

  EXPECT_FALSE(OpenProject(*doc, dir.File("missing.mop")));
  EXPECT_EQ(LastMessage(), "Failed to open document.");
}

TEST_F(ProjectIoTest, SaveRecordsRecentProjectsAndOpenOnlyTheLast) {
  std::string first = dir.File("first.mop");
  std::string second = dir.File("second.mop");
  SaveSmallProject(first);
  EXPECT_EQ(LastProject(store), first);
  EXPECT_EQ(ReadRecentProjects(store), std::vector<std::string>{first});
  ASSERT_TRUE(SaveProject(*doc, second));
  EXPECT_EQ(LastProject(store), second);
  EXPECT_EQ(ReadRecentProjects(store), (std::vector<std::string>{second, first}));

  ASSERT_TRUE(OpenProject(*doc, first));
  EXPECT_EQ(LastProject(store), first);
  EXPECT_EQ(ReadRecentProjects(store), (std::vector<std::string>{second, first}));

  // Saving the first again keeps its place in the list.
  ASSERT_TRUE(SaveProject(*doc, first));
  EXPECT_EQ(ReadRecentProjects(store), (std::vector<std::string>{second, first}));

  // A quiet load (thumbnails, the command-line tool) records nothing.
  store.WriteString("WIZARD", "LASTPROJECT", "");
  ASSERT_TRUE(LoadProjectQuietly(*doc, second));
  EXPECT_EQ(LastProject(store), "");
  EXPECT_EQ(doc->pathName, second);
  EXPECT_FALSE(LoadProjectQuietly(*doc, dir.File("absent.mop")));
}

TEST_F(ProjectIoTest, ReadOnlyProjectIsRefusedAndKeptAsItIs) {
  std::string path = dir.File("locked.mop");
  std::vector<uint8_t> old = SaveSmallProject(path);
  const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  fs::permissions(path, readOnly);
  std::vector<std::string> entries = FolderEntries(dir.Path());

  doc->initialPicture = test::MakePhoto(12, 8, 3);
  doc->modified = true;
  EXPECT_FALSE(SaveProject(*doc, path));
  EXPECT_EQ(LastMessage(),
            "Unable to write to " + path + ", it is read-only or opened by someone else.");
  EXPECT_EQ(FileBytes(path), old);
  EXPECT_EQ(fs::status(path).permissions(), readOnly);
  EXPECT_EQ(FolderEntries(dir.Path()), entries);
  EXPECT_TRUE(doc->modified);
}

TEST_F(ProjectIoTest, TheNewFileKeepsTheOldFilesPermissions) {
  std::string path = dir.File("shared.mop");
  SaveSmallProject(path);
  using P = fs::perms;
  for (P mode : {P::owner_read | P::owner_write,
                 P::owner_read | P::owner_write | P::group_read | P::group_write,
                 P::owner_write | P::others_read}) {
    fs::permissions(path, mode);
    doc->modified = true;
    ASSERT_TRUE(SaveProject(*doc, path));
    EXPECT_EQ(fs::status(path).permissions(), mode);
  }
}

TEST_F(ProjectIoTest, SavingThroughALinkReplacesTheFileItPointsTo) {
  fs::create_directory(dir.File("real"));
  std::string real = dir.File("real/project.mop");
  std::string link = dir.File("link.mop");
  std::string chain = dir.File("chain.mop");
  SaveSmallProject(real);
  fs::create_symlink("real/project.mop", link);
  fs::create_symlink(link, chain);

  doc->initialPicture = test::MakePhoto(12, 8, 3);
  ASSERT_TRUE(SaveProject(*doc, chain));
  EXPECT_TRUE(fs::is_symlink(chain));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(doc->pathName, chain);  // the name the user chose
  std::vector<uint8_t> saved = FileBytes(real);
  ASSERT_TRUE(SaveProject(*doc, dir.File("plain.mop")));
  EXPECT_EQ(saved, FileBytes(dir.File("plain.mop")));
  EXPECT_EQ(FolderEntries(dir.File("real")), std::vector<std::string>{"project.mop"});

  // A link to a file not made yet makes that file.
  fs::create_symlink("real/later.mop", dir.File("later.mop"));
  ASSERT_TRUE(SaveProject(*doc, dir.File("later.mop")));
  EXPECT_TRUE(fs::is_symlink(dir.File("later.mop")));
  EXPECT_EQ(FileBytes(dir.File("real/later.mop")), saved);

  // A read-only file behind a link is refused like the file itself.
  fs::permissions(real, fs::perms::owner_read);
  EXPECT_FALSE(SaveProject(*doc, link));
  EXPECT_EQ(LastMessage(),
            "Unable to write to " + link + ", it is read-only or opened by someone else.");
  EXPECT_EQ(FileBytes(real), saved);
}

// A project with a second hard link: both names show the saved project, and
// the file keeps its identity and mode.
TEST_F(ProjectIoTest, SavingAFileWithOtherLinksKeepsThem) {
  std::string path = dir.File("linked.mop");
  std::string other = dir.File("other-name.mop");
  SaveSmallProject(path);
  fs::create_hard_link(path, other);
  std::vector<std::string> entries = FolderEntries(dir.Path());
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  struct stat before;
  ASSERT_EQ(stat(path.c_str(), &before), 0);

  doc->initialPicture = test::MakePhoto(40, 30, 5);  // a larger file than before
  ASSERT_TRUE(SaveProject(*doc, path));
  std::vector<uint8_t> saved = FileBytes(path);
  EXPECT_EQ(FileBytes(other), saved);
  doc->initialPicture = test::MakePhoto(3, 2, 1);  // and a smaller one
  ASSERT_TRUE(SaveProject(*doc, path));
  EXPECT_LT(FileBytes(path).size(), saved.size());
  EXPECT_EQ(FileBytes(other), FileBytes(path));

  struct stat after;
  ASSERT_EQ(stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_nlink, 2u);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(FolderEntries(dir.Path()), entries);  // the copy went once the rewrite stood
  ASSERT_TRUE(OpenProject(*doc, other));
  EXPECT_EQ(doc->initialPicture->Width(), 3);
}

// A process id that no process has: a child that has ended and been reaped.
pid_t EndedProcess() {
  pid_t child = fork();
  if (child == 0) _exit(0);
  int status = 0;
  waitpid(child, &status, 0);
  return child;
}

// A save touches its own temporary file and nothing else: files that look like
// temporary files, even of the exact form with an ended process, stay.
TEST_F(ProjectIoTest, SaveLeavesEveryOtherFileOfTheFolder) {
  const std::string dead = std::to_string(EndedProcess());
  const std::string self = std::to_string(getpid());
  const std::vector<std::string> others = {
      "plan.writing-2024",     "holiday.saving-31337", ".a.mop.saving-" + dead,
      "b.png.writing-" + dead, ".p.mop.saving-" + self, ".p.mop.saving-" + self + "-1",
      "notes.saving-x",        "d.saving-" + dead + "x"};
  for (const std::string& name : others) std::ofstream(dir.File(name)) << "precious " << name;
  SaveSmallProject(dir.File("p.mop"));
  std::vector<std::string> entries = FolderEntries(dir.Path());
  SaveSmallProject(dir.File("p.mop"));
  for (const std::string& name : others) {
    std::ifstream in(dir.File(name));
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "precious " + name);
  }
  EXPECT_EQ(FolderEntries(dir.Path()), entries);  // no temporary file stays either
  EXPECT_EQ(entries.size(), others.size() + 2);    // the project and the settings
}

// The save is killed by the file size limit's signal in the middle of writing.
TEST_F(ProjectIoTest, ASaveKilledHalfWayLeavesNothingBehind) {
  std::string path = dir.File("killed.mop");
  std::vector<uint8_t> old = SaveSmallProject(path);
  std::vector<std::string> entries = FolderEntries(dir.Path());
  doc->initialPicture = test::MakePhoto(300, 200, 8);
  pid_t child = fork();
  if (child == 0) {
    rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    rlimit small{old.size() + 4096, old.size() + 4096};
    setrlimit(RLIMIT_FSIZE, &small);
    signal(SIGXFSZ, SIG_DFL);
    SaveProject(*doc, path);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
  EXPECT_EQ(FileBytes(path), old);

  // Whatever the system offers for temporary files, the next save leaves none.
  ASSERT_TRUE(SaveProject(*doc, dir.File("next.mop")));
  entries.push_back("next.mop");
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(FolderEntries(dir.Path()), entries);
}

}  // namespace
}  // namespace tintara
