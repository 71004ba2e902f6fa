#include "storage/project_file.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <iterator>

#include "colors/brand_palette.h"
#include "colors/file_names.h"
#include "storage/project_io.h"
#include "tests/storage/project_fixture.h"

namespace tintara {
namespace {

using test::AppendParams;
using test::AppendPicture;
using test::Bytes;
using test::ExpectedProjectBytes;

std::vector<uint8_t> Written(const CTessel20Doc& doc) {
  VectorSink sink;
  ArchiveWriter writer(sink);
  WriteProject(writer, doc);
  EXPECT_TRUE(writer.Ok());
  return std::move(sink.bytes);
}

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ExpectSameImage(const ImageRef& actual, const ImageRef& expected, const char* what) {
  SCOPED_TRACE(what);
  if (!expected) {
    EXPECT_EQ(actual, nullptr);
    return;
  }
  ASSERT_NE(actual, nullptr);
  EXPECT_TRUE(test::SamePixels(*actual, *expected));
  // Padding bytes travel too.
  EXPECT_EQ(std::memcmp(actual->Bits(), expected->Bits(), expected->ByteSize()), 0);
  if (expected->Kind() == kKind8Bit) {
    for (int i = 0; i < 256; ++i) EXPECT_EQ(actual->PaletteAt(i), expected->PaletteAt(i)) << i;
  }
}

class ProjectFileTest : public test::ProjectFixture {
 protected:
  std::string BrandTitle() const { return FileTitle(doc->params.brandFile); }

  // Reads with a record whose unstored fields are marked, so that keeping
  // them is visible.
  bool Read(std::span<const uint8_t> bytes, ProjectData& data) {
    data.params = doc->params;
    data.params.dotsPerCell = 7;
    data.params.penWidth = 5;
    data.params.penShape = 0;
    return ReadProject(bytes, environment.programFolder, data);
  }
};

TEST_F(ProjectFileTest, ProjectWithoutPatternIsByteExact) {
  doc->initialPicture = test::MakePhoto(7, 5, 3);  // 21 bytes a row, 3 of padding
  doc->pictureOrigin = kOriginClipboard;
  doc->viewMode = kViewInitial;
  doc->pictureFileName = "";
  UseBrandColours(3);
  std::vector<uint8_t> expected = ExpectedProjectBytes(*doc, BrandTitle());
  EXPECT_EQ(Written(*doc), expected);

  // The three absent pictures are 12 bytes each, right after the first picture.
  Bytes head;
  head.Str("DIDUZ20");
  AppendPicture(head, doc->initialPicture.get());
  Bytes absent;
  absent.I32(-1).I32(-1).I32(-1).I32(-1).I32(-1).I32(-1).I32(-1).I32(-1).I32(-1);
  ASSERT_GT(expected.size(), head.data.size() + 36);
  EXPECT_TRUE(std::equal(absent.data.begin(), absent.data.end(),
                         expected.begin() + std::ptrdiff_t(head.data.size())));

  // The same bytes reach the disk through the save.
  std::string path = dir.File("plain.mop");
  ASSERT_TRUE(SaveProject(*doc, path));
  EXPECT_EQ(FileBytes(path), expected);
}

TEST_F(ProjectFileTest, ProjectWithPatternAndOddWidthIsByteExact) {
  doc->initialPicture = test::MakePhoto(31, 17, 9);
  UseBrandColours(5);
  doc->params.borderColor = 0x1020F0;
  AddPattern(13, 9);  // 13 pattern pixels: 3 bytes of padding on 8-bit rows, 1 on true colour
  doc->pictureOrigin = kOriginDevice;
  doc->viewMode = kViewPattern;
  doc->pictureFileName = "/photos/holiday picture.jpg";
  doc->params.patternType = 2;
  doc->params.currentColor = 3;
  doc->params.currentBrandColor = 44;
  doc->params.auxColor = {1, 2, 3};
  doc->params.neededNumColors = 12;
  EXPECT_EQ(Written(*doc), ExpectedProjectBytes(*doc, BrandTitle()));

  // Index image before the pattern, and the pattern with its whole palette.
  Bytes prefix;
  prefix.Str("DIDUZ20");
  AppendPicture(prefix, doc->initialPicture.get());
  AppendPicture(prefix, doc->convertedPicture.get());
  Bytes index;
  index.I32(13).I32(9).I32(kKindGray8);
  std::vector<uint8_t> bytes = Written(*doc);
  EXPECT_TRUE(std::equal(index.data.begin(), index.data.end(),
                         bytes.begin() + std::ptrdiff_t(prefix.data.size())));
}

TEST_F(ProjectFileTest, LongBrandTitleUsesTheWideLengthForm) {
  for (size_t length : {254u, 255u, 300u}) {
    SCOPED_TRACE(length);
    std::string title(length, 'b');
    doc->params.brandFile = environment.programFolder + title + ".dat";
    std::vector<uint8_t> bytes = Written(*doc);
    EXPECT_EQ(bytes, ExpectedProjectBytes(*doc, title));
    // The title sits before aux colour (3), current colour (4), brand colour (4)
    // and the empty file name (1).
    size_t end = bytes.size() - 12;
    size_t start = end - length;
    if (length < 255) {
      EXPECT_EQ(bytes[start - 1], length);
    } else {
      EXPECT_EQ(bytes[start - 3], 0xFF);
      EXPECT_EQ(bytes[start - 2] | (bytes[start - 1] << 8), int(length));
    }
    ProjectData data;
    ASSERT_TRUE(Read(bytes, data));
    EXPECT_EQ(FileTitle(data.params.brandFile), title);
  }
}

// A one-pixel-wide row is 4 bytes; the first chunk also carries the stream
// header, and every byte the stream gives must be in its row's chunk.
TEST_F(ProjectFileTest, NarrowPicturesKeepEveryByteInItsRowChunk) {
  for (int32_t width : {1, 2, 3}) {
    SCOPED_TRACE(width);
    doc->initialPicture = test::MakePhoto(width, 300, uint32_t(width));
    std::vector<uint8_t> bytes = Written(*doc);
    EXPECT_EQ(bytes, ExpectedProjectBytes(*doc, BrandTitle()));

    // Chunks in order inflate to exactly the rows, and the stream has no end.
    auto chunks = test::DeflateRowChunks(*doc->initialPicture);
    EXPECT_EQ(chunks.front()[0], 0x78);
    EXPECT_EQ(chunks.front()[1], 0x9C);
    z_stream z{};
    ASSERT_EQ(inflateInit(&z), Z_OK);
    size_t stride = test::StoredRowLength(*doc->initialPicture);
    std::vector<uint8_t> row(stride + 16);
    for (int32_t y = 0; y < 300; ++y) {
      z.next_in = chunks[size_t(y)].data();
      z.avail_in = uInt(chunks[size_t(y)].size());
      z.next_out = row.data();
      z.avail_out = uInt(row.size());
      ASSERT_EQ(inflate(&z, Z_SYNC_FLUSH), Z_OK) << y;
      ASSERT_EQ(row.size() - z.avail_out, stride) << "row " << y << " needs the next chunk";
      ASSERT_EQ(std::memcmp(row.data(), doc->initialPicture->Row(y), stride), 0);
    }
    inflateEnd(&z);

    ProjectData data;
    ASSERT_TRUE(Read(bytes, data));
    ExpectSameImage(data.initialPicture, doc->initialPicture, "narrow");
  }
}

TEST_F(ProjectFileTest, EveryMemberSurvivesTheRoundTrip) {
  doc->initialPicture = test::MakePhoto(45, 31, 4);
  doc->initialPicture->SetResolution(300 | (300u << 16));
  UseBrandColours(7);
  AddPattern(21, 14);
  doc->pictureOrigin = kOriginDevice;
  doc->viewMode = kViewConverted;
  doc->pictureFileName = std::string(400, 'n') + ".png";
  doc->params.patternType = 4;
  doc->params.borderColor = 0x00FF00AA;
  doc->params.auxColor = {9, 8, 7};
  doc->params.currentColor = 6;
  doc->params.currentBrandColor = 12;
  doc->params.neededNumColors = 19;
  std::vector<uint8_t> bytes = Written(*doc);

  ProjectData data;
  data.params.paletteReady = 0;
  ASSERT_TRUE(Read(bytes, data));
  EXPECT_FALSE(data.legacy);
  ExpectSameImage(data.initialPicture, doc->initialPicture, "initial");
  ExpectSameImage(data.convertedPicture, doc->convertedPicture, "converted");
  ExpectSameImage(data.indexImage, doc->indexImage, "index");
  ExpectSameImage(data.patternImage, doc->patternImage, "pattern");
  EXPECT_EQ(data.pictureOrigin, kOriginDevice);
  EXPECT_EQ(data.viewMode, kViewConverted);
  EXPECT_EQ(data.pictureFileName, doc->pictureFileName);

  const CTesselParams& p = data.params;
  EXPECT_EQ(p.workingPalette, doc->params.workingPalette);
  for (size_t i = 0; i < p.workingPalette.size(); ++i) {
    EXPECT_EQ(p.workingPalette[i].paletteIndex, int(i));  // not part of colour equality
    EXPECT_EQ(p.workingPalette[i].catalogNumber, 6500 + int(i));
  }
  EXPECT_EQ(p.paletteReady, 1);
  EXPECT_EQ(p.neededNumColors, 19);
  EXPECT_EQ(p.patternType, 4);
  EXPECT_EQ(p.borderColor, 0x00FF00AAu);
  EXPECT_EQ(p.auxColor, (Rgb{9, 8, 7}));
  EXPECT_EQ(p.currentColor, 6);
  EXPECT_EQ(p.currentBrandColor, 12);
  EXPECT_EQ(p.brandFile, doc->params.brandFile);  // rebuilt from the title in the program folder
  EXPECT_EQ(p.dotsPerCell, 7);                    // not stored: kept
  EXPECT_EQ(p.penWidth, 5);
  EXPECT_EQ(p.penShape, 0);
}

TEST_F(ProjectFileTest, EarlyRecordOfTheInitialPictureGivesTheSameBytes) {
  doc->initialPicture = test::MakePhoto(33, 21, 5);
  UseBrandColours(4);
  AddPattern(11, 7);
  EarlyPictureRecord early(doc->initialPicture);
  ASSERT_NE(early.RecordFor(doc->initialPicture.get()), nullptr);
  VectorSink sink;
  ArchiveWriter writer(sink);
  WriteProject(writer, *doc, &early);
  EXPECT_EQ(sink.bytes, ExpectedProjectBytes(*doc, BrandTitle()));

  // Written to since: the early record is stale and not used.
  EarlyPictureRecord stale(doc->initialPicture);
  doc->initialPicture->WritableRows().value().Row(3)[7] ^= 0xFF;
  EXPECT_EQ(stale.RecordFor(doc->initialPicture.get()), nullptr);
  VectorSink changed;
  ArchiveWriter changedWriter(changed);
  WriteProject(changedWriter, *doc, &stale);
  EXPECT_EQ(changed.bytes, ExpectedProjectBytes(*doc, BrandTitle()));
  EXPECT_NE(changed.bytes, sink.bytes);

  // Another picture altogether.
  EarlyPictureRecord other(test::MakePhoto(33, 21, 6));
  EXPECT_EQ(other.RecordFor(doc->initialPicture.get()), nullptr);
}

TEST_F(ProjectFileTest, EmptyDocumentAndEmptyPalette) {
  doc->params.workingPalette.clear();
  doc->viewMode = kViewPattern;
  std::vector<uint8_t> bytes = Written(*doc);
  Bytes start;
  start.Str("DIDUZ20");
  for (int i = 0; i < 12; ++i) start.I32(-1);
  ASSERT_GE(bytes.size(), start.data.size());
  EXPECT_TRUE(std::equal(start.data.begin(), start.data.end(), bytes.begin()));

  for (int32_t readyBefore : {0, 1}) {
    ProjectData data;
    data.params = doc->params;
    data.params.FillGridColors();
    data.params.paletteReady = readyBefore;
    ASSERT_TRUE(ReadProject(bytes, environment.programFolder, data));
    EXPECT_TRUE(data.params.workingPalette.empty());
    EXPECT_EQ(data.params.paletteReady, readyBefore);
    EXPECT_EQ(data.initialPicture, nullptr);
    EXPECT_EQ(data.convertedPicture, nullptr);
    EXPECT_EQ(data.viewMode, kViewPattern);
  }
}

TEST_F(ProjectFileTest, APictureWithoutItsConversionIsShownAsItself) {
  // A hand-made file asking for the pattern of a picture never converted:
  // the view would show the picture at a size of nothing.
  doc->initialPicture = test::MakePhoto(9, 6, 4);
  for (int32_t stored : {int32_t(kViewConverted), int32_t(kViewPattern)}) {
    doc->viewMode = stored;
    ProjectData data;
    ASSERT_TRUE(Read(Written(*doc), data));
    ASSERT_NE(data.initialPicture, nullptr);
    EXPECT_EQ(data.viewMode, kViewInitial) << stored;
  }
}

// A record whose width is -1 is absent whatever follows in its other fields.
TEST_F(ProjectFileTest, WidthMinusOneMeansAbsent) {
  Bytes b;
  b.Str("DIDUZ20");
  b.I32(-1).I32(5).I32(16);
  for (int i = 0; i < 9; ++i) b.I32(-1);
  b.I32(0).I32(0);
  AppendParams(b, doc->params, BrandTitle());
  b.Str("");
  ProjectData data;
  ASSERT_TRUE(Read(b.data, data));
  EXPECT_EQ(data.initialPicture, nullptr);
}

TEST_F(ProjectFileTest, PicturesThatDoNotFitTogetherAreRefused) {
  UseBrandColours(3);
  AddPattern(8, 6);
  doc->initialPicture = test::MakePhoto(8, 6, 1);
  ProjectData data;
  ASSERT_TRUE(Read(Written(*doc), data));

  auto refused = [&](const char* what) {
    SCOPED_TRACE(what);
    ProjectData again;
    EXPECT_FALSE(Read(Written(*doc), again));
  };
  ImageRef index = doc->indexImage;
  doc->indexImage = test::MakeIndex(8, 5, [](int, int) { return 0; });
  refused("index image of another size");
  doc->indexImage = nullptr;
  refused("pattern without index image");
  doc->indexImage = index;
  ImageRef pattern = doc->patternImage;
  doc->patternImage = nullptr;
  refused("converted picture without pattern");
  doc->patternImage = test::MakePhoto(8, 6, 2);
  refused("pattern in true colour");
  doc->patternImage = pattern;
  doc->initialPicture = index;
  refused("initial picture of one byte a pixel");
}

// Older projects: a compression flag, pattern before index image, a fixed
// block of colours with brand positions, then the file name and brand title.
class LegacyProjectTest : public ProjectFileTest {
 protected:
  static constexpr const char* kBrandTitle = "GoldenSoFlatMatte";

  std::vector<uint8_t> Legacy(bool compressed, const std::vector<Rgb>& colours,
                              const std::vector<int32_t>& positions, int32_t type,
                              int32_t dotsPerCell, const std::string& brandTitle = kBrandTitle) {
    Bytes b;
    b.I32(compressed ? 1 : 0);
    AppendPicture(b, doc->initialPicture.get(), compressed);
    AppendPicture(b, doc->convertedPicture.get(), compressed);
    AppendPicture(b, doc->patternImage.get(), compressed);
    AppendPicture(b, doc->indexImage.get(), compressed);
    b.I32(0x5EED);  // reserved
    Bytes block;
    block.I32(int32_t(colours.size()));
    for (int i = 0; i < 256; ++i) {
      Rgb c = size_t(i) < colours.size() ? colours[size_t(i)] : Rgb{0xEE, 0xEE, 0xEE};
      block.U8(c.red).U8(c.green).U8(c.blue).U8(0xAB);
    }
    for (int i = 0; i < 32; ++i) block.I32(size_t(i) < positions.size() ? positions[size_t(i)] : -1);
    block.I32(type).I32(dotsPerCell);
    EXPECT_EQ(block.data.size(), 1164u);
    b.Raw(block.data.data(), block.data.size());
    b.Str("C:\\pictures\\old.bmp").Str(brandTitle);
    return std::move(b.data);
  }
};

TEST_F(LegacyProjectTest, CompressedAndUncompressedReadTheSame) {
  std::optional<BrandPalette> brand =
      BrandPalette::Load(environment.programFolder + kBrandTitle + ".dat");
  ASSERT_TRUE(brand.has_value());
  ASSERT_GT(brand->Count(), 5);

  doc->initialPicture = test::MakePhoto(11, 7, 5);
  UseBrandColours(3);
  AddPattern(5, 3);
  const std::vector<Rgb> colours = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
  const std::vector<int32_t> positions = {4, -1, 99999};

  for (bool compressed : {true, false}) {
    SCOPED_TRACE(compressed ? "compressed" : "uncompressed");
    ProjectData data;
    ASSERT_TRUE(Read(Legacy(compressed, colours, positions, 2, 3), data));
    EXPECT_TRUE(data.legacy);
    ExpectSameImage(data.initialPicture, doc->initialPicture, "initial");
    ExpectSameImage(data.convertedPicture, doc->convertedPicture, "converted");
    ExpectSameImage(data.patternImage, doc->patternImage, "pattern");
    ExpectSameImage(data.indexImage, doc->indexImage, "index");
    EXPECT_EQ(data.pictureFileName, "C:\\pictures\\old.bmp");
    EXPECT_EQ(data.params.patternType, 2);
    EXPECT_EQ(data.params.dotsPerCell, 3);
    EXPECT_EQ(FileTitle(data.params.brandFile), kBrandTitle);
    EXPECT_EQ(data.params.paletteReady, 1);

    const auto& palette = data.params.workingPalette;
    ASSERT_EQ(palette.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(palette[i].AsRgb(), colours[i]);
      EXPECT_EQ(palette[i].paletteIndex, int(i));
      EXPECT_EQ(palette[i].brandName, brand->BrandName());
      EXPECT_EQ(palette[i].sourceFile, data.params.brandFile);
    }
    EXPECT_EQ(palette[0].colorName, brand->ColorAt(4)->colorName);
    EXPECT_EQ(palette[0].catalogNumber, brand->ColorAt(4)->catalogNumber);
    for (size_t i : {1u, 2u}) {  // no position, and a position past the brand's end
      EXPECT_EQ(palette[i].colorName, "");
      EXPECT_EQ(palette[i].catalogNumber, -1);
    }
  }
}

TEST_F(LegacyProjectTest, OtherLeadingStringsAreReadAsLegacy) {
  // A current-layout file under another signature is not a legacy project either.
  doc->initialPicture = test::MakePhoto(4, 4, 1);
  std::vector<uint8_t> bytes = Written(*doc);
  ProjectData data;
  ASSERT_TRUE(Read(bytes, data));
  for (const char* other : {"diduz20", "DIDUZ21", "DIDUZ2"}) {
    Bytes b;
    b.Str(other);
    b.Raw(bytes.data() + 8, bytes.size() - 8);
    ProjectData foreign;
    EXPECT_FALSE(Read(b.data, foreign)) << other;
  }

  // A legacy file with no pictures and no colours is sound.
  doc->initialPicture = nullptr;
  ProjectData legacy;
  ASSERT_TRUE(Read(Legacy(true, {}, {}, 5, 4), legacy));
  EXPECT_TRUE(legacy.legacy);
  EXPECT_TRUE(legacy.params.workingPalette.empty());
}

TEST_F(LegacyProjectTest, ImpossibleColourCountOrMissingBrandFails) {
  std::vector<uint8_t> bytes = Legacy(true, {{1, 2, 3}}, {0}, 5, 4);
  ProjectData data;
  ASSERT_TRUE(Read(bytes, data));

  // The colour count sits right after the four absent records and the reserved value.
  size_t countAt = 4 + 4 * 12 + 4;
  std::vector<uint8_t> tooMany = bytes;
  tooMany[countAt] = 0x01;
  tooMany[countAt + 1] = 0x01;  // 257
  EXPECT_FALSE(Read(tooMany, data));
  std::vector<uint8_t> negative = bytes;
  negative[countAt + 3] = 0x80;
  EXPECT_FALSE(Read(negative, data));

  std::vector<uint8_t> noBrand = bytes;
  std::string title = kBrandTitle;
  auto at = std::search(noBrand.begin(), noBrand.end(), title.begin(), title.end());
  ASSERT_NE(at, noBrand.end());
  *at = 'X';
  EXPECT_FALSE(Read(noBrand, data));
}

// A stored brand title is a name in the program folder, never a path: a brand
// file of the same name elsewhere (reached with "../") is not read, in either layout.
TEST_F(LegacyProjectTest, AStoredBrandTitleCannotLeaveTheProgramFolder) {
  const std::string programBrand = environment.programFolder + kBrandTitle + ".dat";
  std::optional<BrandPalette> real = BrandPalette::Load(programBrand);
  ASSERT_TRUE(real.has_value());
  // The outside copy names its brand differently, so reading it would show.
  std::ifstream in(programBrand, std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  size_t at = text.find(real->BrandName());
  ASSERT_NE(at, std::string::npos);
  text.replace(at, real->BrandName().size(), "Elsewhere");
  std::ofstream(dir.File(std::string(kBrandTitle) + ".DAT"), std::ios::binary) << text;
  std::string climb;
  for (size_t i = 0; i < size_t(std::count(environment.programFolder.begin(),
                                            environment.programFolder.end(), '/'));
       ++i) {
    climb += "../";
  }
  const std::string title = climb + dir.Path().relative_path().string() + "/" + kBrandTitle;
  ASSERT_TRUE(BrandPalette::Load(environment.programFolder + title + ".DAT").has_value());

  auto expectProgramBrand = [&](const ProjectData& data) {
    EXPECT_EQ(FolderOf(data.params.brandFile) + "/", environment.programFolder);
    EXPECT_EQ(FileTitle(data.params.brandFile), kBrandTitle);
  };
  {
    SCOPED_TRACE("older layout");
    ProjectData data;
    ASSERT_TRUE(Read(Legacy(true, {{1, 2, 3}}, {0}, 5, 4, title), data));
    expectProgramBrand(data);
    // The older layout names its colours from the brand file it reads.
    ASSERT_EQ(data.params.workingPalette.size(), 1u);
    EXPECT_EQ(data.params.workingPalette[0].brandName, real->BrandName());
  }
  {
    SCOPED_TRACE("current layout");
    Bytes b;
    b.Str("DIDUZ20");
    for (int i = 0; i < 12; ++i) b.I32(-1);
    b.I32(0).I32(0);
    UseBrandColours(2);
    AppendParams(b, doc->params, title);
    b.Str("");
    ProjectData data;
    ASSERT_TRUE(Read(b.data, data));
    expectProgramBrand(data);
  }
}

// A picture-only project holds the 36 grid colours: they are stand-ins, not a chosen palette.
TEST_F(LegacyProjectTest, StoredPlaceholderColoursAreNotAReadyPalette) {
  CTesselParams grid = doc->params;
  grid.FillGridColors();
  std::vector<Rgb> colours;
  for (const CFlossColor& c : grid.workingPalette) colours.push_back(c.AsRgb());
  for (int32_t readyBefore : {0, 1}) {
    ProjectData legacy;
    legacy.params = doc->params;
    legacy.params.paletteReady = readyBefore;
    ASSERT_TRUE(ReadProject(Legacy(true, colours, {}, 5, 4), environment.programFolder, legacy));
    EXPECT_EQ(legacy.params.workingPalette.size(), 36u);
    EXPECT_EQ(legacy.params.paletteReady, 0);

    doc->params.workingPalette = grid.workingPalette;
    ProjectData current;
    current.params = doc->params;
    current.params.paletteReady = readyBefore;
    ASSERT_TRUE(ReadProject(Written(*doc), environment.programFolder, current));
    EXPECT_EQ(current.params.paletteReady, 0);
  }
  // One colour changed is a palette of its own.
  colours[5] = {1, 2, 3};
  ProjectData changed;
  ASSERT_TRUE(Read(Legacy(true, colours, {}, 5, 4), changed));
  EXPECT_EQ(changed.params.paletteReady, 1);
}

}  // namespace
}  // namespace tintara
