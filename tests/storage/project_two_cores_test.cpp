// The pictures compressed and inflated on two cores: the file keeps every
// byte of the one-pass layout, a read gives back the pictures saved, and a
// reader that wants some pictures steps over the others uninflated.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <fstream>

#include "colors/file_names.h"
#include "storage/file_source.h"
#include "storage/project_file.h"
#include "storage/project_io.h"
#include "tests/storage/project_fixture.h"

namespace tintara {
namespace {

using test::ExpectedProjectBytes;

uint64_t Plane(const ImageRef& picture) {
  return picture ? uint64_t(picture->Stride()) * uint64_t(picture->Height()) : 0;
}

bool SameBits(const ImageRef& a, const ImageRef& b) {
  return a && b && a->Kind() == b->Kind() && a->Width() == b->Width() &&
         a->Height() == b->Height() && std::memcmp(a->Bits(), b->Bits(), a->ByteSize()) == 0;
}

class ProjectTwoCoresTest : public test::ProjectFixture {
 protected:
  ProjectTwoCoresTest() {
    doc->initialPicture = test::MakePhoto(301, 157, 9);
    UseBrandColours(6);
    AddPattern(97, 61);
    doc->pictureFileName = "photo.jpg";
  }

  std::vector<uint8_t> Save(uint64_t budget, SaveWatch* watch = nullptr) {
    VectorSink sink;
    ArchiveWriter writer(sink);
    WriteProject(writer, *doc, nullptr, watch, budget);
    EXPECT_TRUE(writer.Ok());
    return std::move(sink.bytes);
  }

  // The decoded pictures alone: too little to hold the compressed records beside them.
  uint64_t PicturesOnly() const {
    return Plane(doc->initialPicture) + Plane(doc->convertedPicture) + Plane(doc->indexImage) +
           Plane(doc->patternImage);
  }

  std::string SavedFile(const std::vector<uint8_t>& bytes) {
    std::string path = dir.File("saved.mop");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                std::streamsize(bytes.size()));
    return path;
  }

  ProjectReadStatus ReadFile(const std::string& path, ProjectData& data, unsigned wanted,
                             uint64_t budget = kDefaultPictureBudget) {
    int fd = open(path.c_str(), O_RDONLY);
    EXPECT_GE(fd, 0);
    off_t size = lseek(fd, 0, SEEK_END);
    FileByteSource source(fd, uint64_t(size));
    data.params = doc->params;
    ProjectReadStatus status = ReadProject(source, environment.programFolder, budget, data, wanted);
    close(fd);
    return status;
  }

  // Where the initial picture's rows start: after the signature and its header.
  static constexpr size_t kInitialRows = 8 + 12;
  // The converted picture's first row chunk, found by walking the initial picture's chunks.
  size_t ConvertedRows(const std::vector<uint8_t>& bytes) const {
    size_t at = kInitialRows;
    for (int32_t y = 0; y < doc->initialPicture->Height(); ++y) {
      uint32_t size;
      std::memcpy(&size, bytes.data() + at, 4);
      at += 4 + size;
    }
    return at + 12;
  }
};

TEST_F(ProjectTwoCoresTest, SavedBytesAreTheOnePassLayoutWhetherOrNotRecordsFitInMemory) {
  const std::vector<uint8_t> expected = ExpectedProjectBytes(*doc, FileTitle(doc->params.brandFile));
  SaveWatch twoCores;
  EXPECT_EQ(Save(kDefaultPictureBudget, &twoCores), expected);
  SaveWatch oneCore;
  EXPECT_EQ(Save(PicturesOnly(), &oneCore), expected);
  // Either way every row is counted for the progress window.
  EXPECT_EQ(twoCores.RowsWritten(), ProjectRowCount(*doc));
  EXPECT_EQ(oneCore.RowsWritten(), ProjectRowCount(*doc));
}

TEST_F(ProjectTwoCoresTest, ThePhotoIsCompressedAheadOnlyWithinTheBudget) {
  const std::vector<uint8_t> expected = ExpectedProjectBytes(*doc, FileTitle(doc->params.brandFile));
  const uint64_t photo = Plane(doc->initialPicture);
  EarlyPictureRecord tooBig(doc->initialPicture, photo);
  EXPECT_EQ(tooBig.Percent(), 100);
  EXPECT_EQ(tooBig.RecordFor(doc->initialPicture.get()), nullptr);
  EarlyPictureRecord fits(doc->initialPicture, 3 * photo);
  EXPECT_NE(fits.RecordFor(doc->initialPicture.get()), nullptr);
  for (EarlyPictureRecord* early : {&tooBig, &fits}) {
    VectorSink sink;
    ArchiveWriter writer(sink);
    WriteProject(writer, *doc, early);
    EXPECT_EQ(sink.bytes, expected);
  }
}

TEST_F(ProjectTwoCoresTest, AStopEndsBothPathsFailed) {
  for (uint64_t budget : {kDefaultPictureBudget, PicturesOnly()}) {
    SaveWatch watch;
    watch.stop = true;
    VectorSink sink;
    ArchiveWriter writer(sink);
    WriteProject(writer, *doc, nullptr, &watch, budget);
    EXPECT_FALSE(writer.Ok()) << budget;
    EXPECT_LT(watch.RowsWritten(), ProjectRowCount(*doc)) << budget;
  }
}

TEST_F(ProjectTwoCoresTest, ReadFromTheFileGivesBackEveryPicture) {
  std::string path = SavedFile(Save(kDefaultPictureBudget));
  ProjectData data;
  ASSERT_EQ(ReadFile(path, data, kWantAllPictures).kind, ProjectReadStatus::kRead);
  EXPECT_TRUE(SameBits(data.initialPicture, doc->initialPicture));
  EXPECT_TRUE(SameBits(data.convertedPicture, doc->convertedPicture));
  EXPECT_TRUE(SameBits(data.indexImage, doc->indexImage));
  EXPECT_TRUE(SameBits(data.patternImage, doc->patternImage));
  EXPECT_EQ(data.pictureFileName, "photo.jpg");
  EXPECT_EQ(data.params.workingPalette.size(), 6u);
}

TEST_F(ProjectTwoCoresTest, DamageOnEitherCoreRefusesTheProject) {
  const std::vector<uint8_t> sound = Save(kDefaultPictureBudget);
  for (size_t at : {kInitialRows + 4, ConvertedRows(sound) + 4}) {
    std::vector<uint8_t> damaged = sound;
    for (size_t i = 0; i < 2; ++i) damaged[at + i] = 0xFF;
    ProjectData data;
    EXPECT_EQ(ReadFile(SavedFile(damaged), data, kWantAllPictures).kind,
              ProjectReadStatus::kBadFormat)
        << at;
  }
}

TEST_F(ProjectTwoCoresTest, PicturesNotWantedAreSteppedOverUninflated) {
  std::vector<uint8_t> bytes = Save(kDefaultPictureBudget);
  // The initial picture's rows are garbage, their lengths intact.
  for (size_t i = 0; i < 2; ++i) bytes[kInitialRows + 4 + i] = 0xFF;
  const std::string path = SavedFile(bytes);

  ProjectData data;
  // Only the index image counts against the budget.
  ASSERT_EQ(ReadFile(path, data, kWantIndex, Plane(doc->indexImage)).kind,
            ProjectReadStatus::kRead);
  EXPECT_EQ(data.initialPicture, nullptr);
  EXPECT_EQ(data.convertedPicture, nullptr);
  EXPECT_EQ(data.patternImage, nullptr);
  EXPECT_TRUE(SameBits(data.indexImage, doc->indexImage));
  EXPECT_EQ(data.params.workingPalette.size(), 6u);
  // Every header is told, read or not.
  EXPECT_TRUE(data.headers[0].present);
  EXPECT_EQ(data.headers[0].width, 301);
  EXPECT_EQ(data.headers[3].kind, kKind8Bit);
  EXPECT_EQ(data.headers[3].height, 61);

  ProjectData over;
  EXPECT_EQ(ReadFile(path, over, kWantIndex | kWantPattern, Plane(doc->indexImage)).kind,
            ProjectReadStatus::kOverBudget);
  ProjectData all;
  EXPECT_EQ(ReadFile(path, all, kWantAllPictures).kind, ProjectReadStatus::kBadFormat);
}

TEST_F(ProjectTwoCoresTest, AQuietLoadKeepsTheDocumentWhole) {
  const std::string path = dir.File("whole.mop");
  {
    std::vector<uint8_t> bytes = Save(kDefaultPictureBudget);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                std::streamsize(bytes.size()));
  }
  CTessel20Doc indexOnly(environment, doc->params);
  ProjectReadResult result;
  ASSERT_TRUE(LoadProjectQuietly(indexOnly, path, &result, kWantIndex));
  EXPECT_TRUE(result.hasPattern);
  EXPECT_EQ(indexOnly.initialPicture, nullptr);
  EXPECT_EQ(indexOnly.convertedPicture, nullptr);
  EXPECT_TRUE(SameBits(indexOnly.indexImage, doc->indexImage));

  // The pattern cannot stand without its converted picture and index image.
  CTessel20Doc pattern(environment, doc->params);
  ASSERT_TRUE(LoadProjectQuietly(pattern, path, &result, kWantPattern));
  EXPECT_EQ(pattern.initialPicture, nullptr);
  EXPECT_TRUE(SameBits(pattern.patternImage, doc->patternImage));
  EXPECT_TRUE(SameBits(pattern.convertedPicture, doc->convertedPicture));
  EXPECT_TRUE(SameBits(pattern.indexImage, doc->indexImage));
}

// A photo-sized picture beside the pattern's, each inflated on its own core.
TEST_F(ProjectTwoCoresTest, ALargePictureInflatesToTheSameBytes) {
  doc->initialPicture = ImageBuffer::Create(kKindRgb24, 2600, 2300);
  {
    PixelRows rows = doc->initialPicture->WritableRows().value();
    for (int32_t y = 0; y < rows.Height(); ++y) {
      for (size_t x = 0; x < rows.Stride(); ++x) rows[y][x] = uint8_t((x * 7 + size_t(y) * 13) ^ (x >> 5));
    }
  }
  std::string path = SavedFile(Save(kDefaultPictureBudget));
  ProjectData data;
  ASSERT_EQ(ReadFile(path, data, kWantAllPictures).kind, ProjectReadStatus::kRead);
  EXPECT_TRUE(SameBits(data.initialPicture, doc->initialPicture));
  EXPECT_TRUE(SameBits(data.patternImage, doc->patternImage));
}

}  // namespace
}  // namespace tintara
