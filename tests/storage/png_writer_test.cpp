#include "storage/png_writer.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <QImage>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "tests/support/synthetic_images.h"
#include "tests/support/small_disk.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

QImage Decode(const std::vector<uint8_t>& png) {
  QImage image;
  image.loadFromData(png.data(), int(png.size()), "PNG");
  return image;
}

// Every width that leaves a different amount of row padding, and one pixel wide.
TEST(PngWriter, EveryKindReadsBackPixelForPixelTopRowFirst) {
  for (int32_t width : {1, 2, 3, 5, 8}) {
    SCOPED_TRACE(width);
    const int32_t height = 7;
    ImageRef photo = test::MakePhoto(width, height, uint32_t(width));
    ImageRef index = test::MakeIndex(width, height, [](int x, int y) { return 17 * x + 5 * y; });
    std::vector<PaletteEntry> palette(256);
    for (int i = 0; i < 256; ++i) palette[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 0};
    ImageRef pattern = ImageBuffer::CreateWithPalette(kKind8Bit, width, height, palette.data(), 256);
    for (int32_t y = 0; y < height; ++y)
      std::memcpy(pattern->WritableRows().value().Row(y), index->Row(y), size_t(width));

    QImage rgb = Decode(EncodePng(*photo));
    QImage grey = Decode(EncodePng(*index));
    QImage paletted = Decode(EncodePng(*pattern));
    ASSERT_FALSE(rgb.isNull());
    ASSERT_FALSE(grey.isNull());
    ASSERT_EQ(paletted.format(), QImage::Format_Indexed8);
    ASSERT_EQ(paletted.colorCount(), 256);
    EXPECT_EQ(paletted.color(200), qRgb(200, 55, 100));
    for (int32_t y = 0; y < height; ++y) {
      int32_t row = height - 1 - y;  // memory rows are bottom-up
      for (int32_t x = 0; x < width; ++x) {
        const uint8_t* bgr = photo->Row(row) + 3 * x;
        ASSERT_EQ(rgb.pixel(x, y), qRgb(bgr[2], bgr[1], bgr[0])) << x << "," << y;
        ASSERT_EQ(qGray(grey.pixel(x, y)), index->Row(row)[x]);
        ASSERT_EQ(paletted.pixelIndex(x, y), pattern->Row(row)[x]);
      }
    }
  }
}

TEST(PngWriter, ResolutionTravelsAndUnwritableKindsAreRefused) {
  ImageRef photo = test::MakePhoto(4, 4, 1);
  photo->SetResolution(300u | (150u << 16));
  QImage decoded = Decode(EncodePng(*photo));
  EXPECT_EQ(decoded.dotsPerMeterX(), 11811);
  EXPECT_EQ(decoded.dotsPerMeterY(), 5906);

  ImageRef oneBit = ImageBuffer::Create(kKind1Bit, 8, 8);
  ASSERT_NE(oneBit, nullptr);
  EXPECT_TRUE(EncodePng(*oneBit).empty());

  test::TempDir dir;
  EXPECT_FALSE(WritePngFile(*oneBit, dir.File("one.png")).empty());
  EXPECT_FALSE(std::filesystem::exists(dir.File("one.png")));
  EXPECT_FALSE(WritePngFile(*photo, dir.File("missing/one.png")).empty());
  EXPECT_EQ(WritePngFile(*photo, dir.File("ok.png")), "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            1);  // no temporary file left
}

uint32_t BigEndianAt(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8 |
         bytes[at + 3];
}

struct Chunk {
  std::string type;
  size_t length = 0;
  bool crcOk = false;
};

std::vector<Chunk> Chunks(const std::vector<uint8_t>& png) {
  std::vector<Chunk> chunks;
  for (size_t at = 8; at + 12 <= png.size();) {
    Chunk chunk;
    chunk.length = BigEndianAt(png, at);
    if (at + 12 + chunk.length > png.size()) break;
    chunk.type.assign(reinterpret_cast<const char*>(&png[at + 4]), 4);
    uLong crc = crc32(0L, &png[at + 4], uInt(4 + chunk.length));
    chunk.crcOk = crc == BigEndianAt(png, at + 8 + chunk.length);
    chunks.push_back(chunk);
    at += 12 + chunk.length;
  }
  return chunks;
}

// Random pixels barely compress: the image data far exceeds one chunk's share.
ImageRef NoisePicture(int32_t width, int32_t height) {
  ImageRef image = ImageBuffer::Create(kKindRgb24, width, height);
  std::mt19937 random(7);
  PixelRows rows = image->WritableRows().value();
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = rows.Row(y);
    for (int32_t x = 0; x < 3 * width; ++x) row[x] = uint8_t(random());
  }
  return image;
}

TEST(PngWriter, ImageDataIsSplitIntoChunksThatFitTheirLengthField) {
  ImageRef noise = NoisePicture(1000, 700);
  std::vector<uint8_t> png = EncodePng(*noise);
  std::vector<Chunk> chunks = Chunks(png);
  ASSERT_GE(chunks.size(), 4u);
  EXPECT_EQ(chunks.front().type, "IHDR");
  EXPECT_EQ(chunks.back().type, "IEND");
  size_t idat = 0, total = 12 * chunks.size() + 8;
  for (const Chunk& chunk : chunks) {
    EXPECT_TRUE(chunk.crcOk) << chunk.type;
    total += chunk.length;
    if (chunk.type != "IDAT") continue;
    ++idat;
    EXPECT_LE(chunk.length, size_t(1) << 20);
    EXPECT_GT(chunk.length, 0u);
  }
  EXPECT_EQ(total, png.size());
  EXPECT_GE(idat, 2u);

  QImage decoded = Decode(png);
  ASSERT_EQ(decoded.width(), 1000);
  for (int32_t y : {0, 350, 699}) {
    const uint8_t* bgr = noise->Row(699 - y);
    for (int32_t x = 0; x < 1000; x += 37) {
      ASSERT_EQ(decoded.pixel(x, y), qRgb(bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x])) << x << "," << y;
    }
  }
}

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PngWriter, AnExportThatCannotCompleteLeavesNothingBehind) {
  test::TempDir dir;
  ImageRef small = test::MakePhoto(4, 4, 1);
  ASSERT_EQ(WritePngFile(*small, dir.File("old.png")), "");
  std::vector<uint8_t> old = FileBytes(dir.File("old.png"));
  ImageRef noise = NoisePicture(400, 300);

  // Killed by the file size limit's signal while writing.
  pid_t child = fork();
  if (child == 0) {
    rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    rlimit limit{64 * 1024, 64 * 1024};
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_DFL);
    WritePngFile(*noise, dir.File("old.png"));
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(FileBytes(dir.File("old.png")), old);
  ASSERT_EQ(WritePngFile(*small, dir.File("next.png")), "");
  EXPECT_EQ(test::FolderEntries(dir.Path()), (std::vector<std::string>{"next.png", "old.png"}));

  // A read-only file is not replaced.
  std::filesystem::permissions(dir.File("old.png"), std::filesystem::perms::owner_read);
  EXPECT_NE(WritePngFile(*noise, dir.File("old.png")), "");
  EXPECT_EQ(FileBytes(dir.File("old.png")), old);

  // A full disk.
  test::SmallDisk disk(128 * 1024);
  if (!disk.Ok()) GTEST_SKIP() << "no tmpfs can be mounted here";
  EXPECT_NE(WritePngFile(*noise, disk.File("full.png")), "");
  EXPECT_TRUE(test::FolderEntries(disk.Path()).empty());
}

}  // namespace
}  // namespace tintara
