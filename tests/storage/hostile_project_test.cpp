// Crafted project files cost bounded time and memory: the reader is linear in
// the file, weighs every picture's declared size before inflating any, and
// refuses a foreign file from its first bytes.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <fcntl.h>
#include <fstream>

#include "colors/file_read.h"
#include "storage/file_source.h"
#include "storage/picture_record.h"
#include "storage/project_file.h"
#include "storage/project_io.h"
#include "storage/settings_keys.h"
#include "tests/storage/project_fixture.h"
#include "tests/support/time_limit.h"
#include "tests/support/address_space.h"

namespace tintara {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Every row's data deflated into the first row's chunk, followed there by
// `junk` bytes the stream never reaches; every later chunk is empty.
std::vector<uint8_t> FrontLoadedRecord(const ImageBuffer& image, size_t junk) {
  std::vector<uint8_t> raw;
  for (int32_t y = 0; y < image.Height(); ++y) {
    raw.insert(raw.end(), image.Row(y), image.Row(y) + image.Stride());
  }
  std::vector<uint8_t> packed(compressBound(uLong(raw.size())) + 64);
  z_stream z{};
  EXPECT_EQ(deflateInit(&z, Z_DEFAULT_COMPRESSION), Z_OK);
  z.next_in = raw.data();
  z.avail_in = uInt(raw.size());
  z.next_out = packed.data();
  z.avail_out = uInt(packed.size());
  EXPECT_EQ(deflate(&z, Z_PARTIAL_FLUSH), Z_OK);
  packed.resize(packed.size() - z.avail_out);
  deflateEnd(&z);
  packed.resize(packed.size() + junk, 0xA5);

  test::Bytes record;
  record.I32(image.Width()).I32(image.Height()).I32(image.Kind());
  record.I32(int32_t(packed.size())).Raw(packed.data(), packed.size());
  for (int32_t y = 1; y < image.Height(); ++y) record.I32(0);
  return std::move(record.data);
}

// Bytes that deflate cannot shrink, so that every row takes input of its own.
int Noise(int x, int y) {
  uint32_t h = uint32_t(x + 4 * y) * 2654435761u;
  h ^= h >> 15;
  h *= 2246822519u;
  h ^= h >> 13;
  return int(h & 0xFF);
}

TEST(HostileProject, RowDataGatheredInOneChunkReadsInLinearTime) {
  // 65536 rows behind 8 MB of leftover input: shifting the leftover down
  // once a row moves half a terabyte; stepping over it costs nothing.
  ImageRef picture = test::MakeIndex(4, 65536, Noise);
  std::vector<uint8_t> bytes = FrontLoadedRecord(*picture, 8 << 20);
  ArchiveReader in(bytes);
  ImageRef read;
  const auto start = Clock::now();
  ASSERT_TRUE(ReadPictureRecord(in, RowEncoding::kCompressed, read));
  EXPECT_LT(SecondsSince(start), 1.5);
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(test::SamePixels(*read, *picture));
  EXPECT_EQ(in.Remaining(), 0u);
}

// The same record read from a file, through the reader's window, and from
// memory: the same picture and the same end.
TEST(HostileProject, RowsReadFromAFileFollowTheChunksAsFromMemory) {
  test::TempDir dir;
  ImageRef picture = test::MakeIndex(300, 2000, Noise);
  const std::string path = dir.File("record.bin");
  WriteBytes(path, FrontLoadedRecord(*picture, 200 << 10));
  UniqueFd fd(open(path.c_str(), O_RDONLY));
  ASSERT_TRUE(fd);
  FileByteSource source(fd.Get(), fd.Size());
  ArchiveReader in(source);
  ImageRef read;
  ASSERT_TRUE(ReadPictureRecord(in, RowEncoding::kCompressed, read));
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(test::SamePixels(*read, *picture));
  EXPECT_EQ(in.Remaining(), 0u);

  // A row may use what earlier chunks left, never a later row's chunk: the
  // data moved from the first chunk to the second fails the first row.
  test::Bytes late;
  std::vector<uint8_t> record = FrontLoadedRecord(*picture, 0);
  late.Raw(record.data(), 12).I32(0).Raw(record.data() + 12, 4);
  late.Raw(record.data() + 16, record.size() - 16 - 4);
  const std::string latePath = dir.File("late.bin");
  WriteBytes(latePath, late.data);
  ArchiveReader fromMemory(late.data);
  EXPECT_FALSE(ReadPictureRecord(fromMemory, RowEncoding::kCompressed, read));
  UniqueFd lateFd(open(latePath.c_str(), O_RDONLY));
  FileByteSource lateSource(lateFd.Get(), lateFd.Size());
  ArchiveReader fromFile(lateSource);
  EXPECT_FALSE(ReadPictureRecord(fromFile, RowEncoding::kCompressed, read));
  EXPECT_EQ(read, nullptr);
}

class HostileProjectFile : public test::ProjectFixture {
 protected:
  // A consistent project: a `width` × `height` picture and a pattern of half
  // its size; pictures of zeros, so that they are small on disk.
  std::vector<uint8_t> ProjectBytes(int32_t width, int32_t height, bool damageFirstRows = false) {
    ImageRef initial = ImageBuffer::Create(kKindRgb24, width, height);
    UseBrandColours(3);
    AddPattern(width / 2, height / 2);
    test::Bytes b;
    b.Str("DIDUZ20");
    test::AppendPicture(b, initial.get());
    if (damageFirstRows) {
      // The first row's chunk becomes junk that no inflater accepts.
      const size_t firstChunk = 8 + 12 + 4;
      for (size_t i = firstChunk; i < firstChunk + 4; ++i) b.data[i] = 0xFF;
    }
    test::AppendPicture(b, doc->convertedPicture.get());
    test::AppendPicture(b, doc->indexImage.get());
    test::AppendPicture(b, doc->patternImage.get());
    b.I32(0).I32(2);
    test::AppendParams(b, doc->params, "brand");
    b.Str("photo.jpg");
    return std::move(b.data);
  }
};

TEST_F(HostileProjectFile, PicturesBeyondTheBudgetAreRefusedFromTheirHeaders) {
  // 600 × 400 true colour plus a 300 × 200 pattern: 720,000 + 180,000 +
  // 60,000 + 60,000 bytes decoded.
  std::vector<uint8_t> bytes = ProjectBytes(600, 400);
  ProjectData data;
  data.params = doc->params;
  ProjectReadStatus status = ReadProject(bytes, environment.programFolder, 1'000'000, data);
  EXPECT_EQ(status.kind, ProjectReadStatus::kOverBudget);
  EXPECT_EQ(status.neededBytes, 1'020'000u);
  EXPECT_NE(status.pictureSizes.find("600 \u00d7 400"), std::string::npos) << status.pictureSizes;
  EXPECT_NE(status.pictureSizes.find("300 \u00d7 200"), std::string::npos) << status.pictureSizes;
  EXPECT_EQ(data.initialPicture, nullptr);

  data = {};
  data.params = doc->params;
  EXPECT_EQ(ReadProject(bytes, environment.programFolder, 1'020'000, data).kind,
            ProjectReadStatus::kRead);
  ASSERT_NE(data.patternImage, nullptr);
  EXPECT_EQ(data.patternImage->Width(), 300);

  // The budget is weighed before anything is inflated: damaged rows of the
  // first picture are never reached.
  std::vector<uint8_t> damaged = ProjectBytes(600, 400, true);
  data = {};
  data.params = doc->params;
  EXPECT_EQ(ReadProject(damaged, environment.programFolder, 1'000'000, data).kind,
            ProjectReadStatus::kOverBudget);
  EXPECT_EQ(ReadProject(damaged, environment.programFolder, 1'020'000, data).kind,
            ProjectReadStatus::kBadFormat);
}

TEST_F(HostileProjectFile, OpeningTellsTheSizesAndTheLimitOfTheSettings) {
  // The smallest budget the settings accept is 64 MiB: a 6000 × 4000 photo
  // alone takes 72,000,000 bytes.
  WriteSetting(store, Setting::kPictureMemoryLimit, 64);
  std::string path = dir.File("large.mop");
  WriteBytes(path, ProjectBytes(6000, 4000));
  EXPECT_FALSE(OpenProject(*doc, path));
  ASSERT_FALSE(ui.messages.empty());
  const std::string& text = ui.messages.back().text;
  EXPECT_NE(text.find("6000 \u00d7 4000"), std::string::npos) << text;
  EXPECT_NE(text.find("64 MiB"), std::string::npos) << text;
  EXPECT_NE(text.find("memory"), std::string::npos) << text;

  WriteSetting(store, Setting::kPictureMemoryLimit, 256);
  EXPECT_TRUE(OpenProject(*doc, path)) << ui.messages.back().text;
  ASSERT_NE(doc->initialPicture, nullptr);
  EXPECT_EQ(doc->initialPicture->Width(), 6000);
}

TEST_F(HostileProjectFile, ForeignFileIsRefusedFromItsFirstBytes) {
  // 3 GB that are nearly all holes: nothing past the first bytes is read.
  std::string path = dir.File("sparse.mop");
  {
    std::ofstream out(path, std::ios::binary);
    out << "not a project at all";
  }
  ASSERT_EQ(truncate(path.c_str(), off_t(3) << 30), 0);
  ProjectReadResult result;
  const auto start = Clock::now();
  EXPECT_FALSE(LoadProjectQuietly(*doc, path, &result));
  EXPECT_LT(SecondsSince(start), 0.5);
  EXPECT_EQ(result.error, "Unexpected file format.");
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

TEST_F(HostileProjectFile, RunningOutOfMemorySaysSo) {
  if (kAddressSanitizer) GTEST_SKIP() << "the sanitizer reserves address space of its own";
  std::string path = dir.File("photo.mop");
  WriteBytes(path, ProjectBytes(6000, 4000));  // a 72 MB picture, within the budget
  auto outcome = test::RunInChild(std::chrono::seconds(20), [&] {
    // Room for reading the small file, none for the picture.
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = rlim_t(test::AddressSpaceBytes() + (uint64_t(48) << 20));
    if (setrlimit(RLIMIT_AS, &limit) != 0) return false;
    bool opened = OpenProject(*doc, path);
    return !opened && !ui.messages.empty() &&
           ui.messages.back().text.find("not enough memory") != std::string::npos;
  });
  EXPECT_EQ(outcome, test::ChildOutcome::kPassed);
}

TEST_F(HostileProjectFile, PaddingAfterAProjectCostsNoMemory) {
  if (kAddressSanitizer) GTEST_SKIP() << "the sanitizer reserves address space of its own";
  WriteSetting(store, Setting::kPictureMemoryLimit, 64);
  std::string path = dir.File("padded.mop");
  WriteBytes(path, ProjectBytes(600, 400));
  // 512 MB that are nearly all holes after a complete project.
  ASSERT_EQ(truncate(path.c_str(), off_t(512) << 20), 0);
  auto outcome = test::RunInChild(std::chrono::seconds(20), [&] {
    // Room for the pictures (1 MB) and the reader, far from the file's size.
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = rlim_t(test::AddressSpaceBytes() + (uint64_t(48) << 20));
    if (setrlimit(RLIMIT_AS, &limit) != 0) return false;
    ProjectReadResult result;
    return LoadProjectQuietly(*doc, path, &result) && doc->initialPicture &&
           doc->initialPicture->Width() == 600 && doc->patternImage &&
           doc->patternImage->Width() == 300;
  });
  EXPECT_EQ(outcome, test::ChildOutcome::kPassed);
}

TEST_F(HostileProjectFile, PipeNamedAsAProjectDoesNotBlock) {
  std::string path = dir.File("pipe.mop");
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  auto outcome = test::RunInChild(std::chrono::seconds(5), [&] {
    ProjectReadResult result;
    return !LoadProjectQuietly(*doc, path, &result) && !result.error.empty();
  });
  EXPECT_EQ(outcome, test::ChildOutcome::kPassed);
}

}  // namespace
}  // namespace tintara
