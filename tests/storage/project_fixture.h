// A document on real settings and real brand files, and an encoder of the
// project file layout written here from the layout itself (zlib called
// directly), so that the writer and reader are checked against bytes they
// did not make.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "platform/qt_settings_store.h"
#include "ports/dialogs.h"
#include "ports/scripted_ui_host.h"
#include "tests/support/synthetic_images.h"
#include "tests/support/temp_dir.h"

namespace tintara::test {

// Little-endian fields and archive strings, appended in order.
class Bytes {
 public:
  Bytes& I32(int32_t v) {
    for (int i = 0; i < 4; ++i) data.push_back(uint8_t(uint32_t(v) >> (8 * i)));
    return *this;
  }
  Bytes& U16(uint16_t v) {
    data.push_back(uint8_t(v));
    data.push_back(uint8_t(v >> 8));
    return *this;
  }
  Bytes& U8(uint8_t v) {
    data.push_back(v);
    return *this;
  }
  Bytes& Raw(const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    data.insert(data.end(), b, b + n);
    return *this;
  }
  Bytes& Str(const std::string& s) {
    if (s.size() < 255) {
      U8(uint8_t(s.size()));
    } else if (s.size() < 0xFFFE) {
      U8(0xFF).U16(uint16_t(s.size()));
    } else {
      U8(0xFF).U16(0xFFFF).I32(int32_t(s.size()));
    }
    return Raw(s.data(), s.size());
  }
  std::vector<uint8_t> data;
};

// Stored row length: full stride with padding.
inline size_t StoredRowLength(const ImageBuffer& image) {
  int bits = image.Kind() == kKindRgb24 ? 24 : 8;
  return size_t((image.Width() * bits + 31) / 32) * 4;
}

// One deflate stream at the default level, a partial flush per row; each
// row's chunk is everything the stream gave for it. Never finished.
inline std::vector<std::vector<uint8_t>> DeflateRowChunks(const ImageBuffer& image) {
  z_stream z{};
  EXPECT_EQ(deflateInit(&z, Z_DEFAULT_COMPRESSION), Z_OK);
  std::vector<std::vector<uint8_t>> chunks;
  std::vector<uint8_t> out(1 << 16);
  for (int32_t y = 0; y < image.Height(); ++y) {
    std::vector<uint8_t> chunk;
    z.next_in = const_cast<Bytef*>(image.Row(y));
    z.avail_in = uInt(StoredRowLength(image));
    do {
      z.next_out = out.data();
      z.avail_out = uInt(out.size());
      deflate(&z, Z_PARTIAL_FLUSH);
      chunk.insert(chunk.end(), out.data(), out.data() + (out.size() - z.avail_out));
    } while (z.avail_out == 0);
    chunks.push_back(std::move(chunk));
  }
  deflateEnd(&z);
  return chunks;
}

inline void AppendPicture(Bytes& b, const ImageBuffer* image, bool compressed = true) {
  if (image == nullptr) {
    b.I32(-1).I32(-1).I32(-1);
    return;
  }
  b.I32(image->Width()).I32(image->Height()).I32(image->Kind());
  if (image->Kind() == kKind8Bit) {
    for (int i = 0; i < 256; ++i) {
      PaletteEntry e = image->PaletteAt(i);
      b.U8(e.red).U8(e.green).U8(e.blue).U8(e.flags);
    }
  }
  if (!compressed) {
    for (int32_t y = 0; y < image->Height(); ++y) b.Raw(image->Row(y), StoredRowLength(*image));
    return;
  }
  for (const auto& chunk : DeflateRowChunks(*image)) {
    b.I32(int32_t(chunk.size())).Raw(chunk.data(), chunk.size());
  }
}

inline void AppendParams(Bytes& b, const CTesselParams& p, const std::string& brandTitle) {
  b.I32(int32_t(p.workingPalette.size())).I32(p.neededNumColors);
  b.I32(int32_t(p.workingPalette.size()));
  for (const CFlossColor& c : p.workingPalette) {
    b.Str(c.brandName).Str(c.sourceFile).Str(c.colorName).I32(c.catalogNumber).I32(c.paletteIndex);
    b.U8(c.red).U8(c.green).U8(c.blue);
  }
  b.I32(p.patternType).I32(int32_t(p.borderColor)).Str(brandTitle);
  b.U8(p.auxColor.red).U8(p.auxColor.green).U8(p.auxColor.blue);
  b.I32(p.currentColor).I32(p.currentBrandColor);
}

// The whole current layout of a document.
inline std::vector<uint8_t> ExpectedProjectBytes(const CTessel20Doc& doc,
                                                 const std::string& brandTitle) {
  Bytes b;
  b.Str("DIDUZ20");
  AppendPicture(b, doc.initialPicture.get());
  AppendPicture(b, doc.convertedPicture.get());
  AppendPicture(b, doc.indexImage.get());
  AppendPicture(b, doc.patternImage.get());
  b.I32(doc.pictureOrigin).I32(doc.viewMode);
  AppendParams(b, doc.params, brandTitle);
  b.Str(doc.pictureFileName);
  return std::move(b.data);
}

// A pattern image: grey palette, entry 32 the border colour, pixels from f(x, y).
template <typename F>
ImageRef MakePatternImage(int32_t width, int32_t height, uint32_t borderColor, F value) {
  std::vector<PaletteEntry> palette = GreyPalette();
  palette[32] = {uint8_t(borderColor), uint8_t(borderColor >> 8), uint8_t(borderColor >> 16), 0};
  ImageRef image = ImageBuffer::CreateWithPalette(kKind8Bit, width, height, palette.data(), 256);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = image->WritableRows().value().Row(y);
    for (int32_t x = 0; x < width; ++x) row[x] = uint8_t(value(x, y));
  }
  return image;
}

// A document with real settings in a temporary folder, the program folder's
// brand files, and scripted answers.
class ProjectFixture : public ::testing::Test {
 protected:
  ProjectFixture() {
    environment.programFolder = ProgramFolder().string() + "/";
    auto params = CTesselParams::Create(store, environment.programFolder);
    EXPECT_TRUE(params.has_value());
    doc = std::make_unique<CTessel20Doc>(environment, params ? *params : CTesselParams{});
  }

  // Colours 0..n-1 of the brand palette file, as a working palette.
  void UseBrandColours(int n);
  // A pattern of `width` × `height` over the working palette.
  void AddPattern(int32_t width, int32_t height);

  TempDir dir;
  QtSettingsStore store{QString::fromStdString(dir.File("settings.ini"))};
  ScriptedAnswers answers;
  ScriptedUiHost ui{&answers};
  Dialogs dialogs;
  DocumentEnvironment environment{ui, dialogs, store};
  std::unique_ptr<CTessel20Doc> doc;
};

inline void ProjectFixture::UseBrandColours(int n) {
  doc->params.workingPalette.clear();
  for (int i = 0; i < n; ++i) {
    CFlossColor c;
    c.brandName = "Brand " + std::to_string(i % 2);
    c.sourceFile = doc->params.brandFile;
    c.colorName = "Colour " + std::to_string(i);
    c.catalogNumber = 6500 + i;
    c.paletteIndex = i;
    c.red = uint8_t(40 * i);
    c.green = uint8_t(255 - 30 * i);
    c.blue = uint8_t(7 * i + 1);
    doc->params.workingPalette.push_back(c);
  }
  doc->params.paletteReady = 1;
}

inline void ProjectFixture::AddPattern(int32_t width, int32_t height) {
  int colours = int(doc->params.workingPalette.size());
  doc->indexImage = MakeIndex(width, height, [&](int x, int y) { return (x / 2 + y) % colours; });
  doc->convertedPicture = ImageBuffer::Create(kKindRgb24, width, height);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = doc->convertedPicture->WritableRows().value().Row(y);
    for (int32_t x = 0; x < width; ++x) {
      const CFlossColor& c = doc->params.workingPalette[size_t(doc->indexImage->Row(y)[x])];
      row[3 * x] = c.blue;
      row[3 * x + 1] = c.green;
      row[3 * x + 2] = c.red;
    }
  }
  doc->patternImage = MakePatternImage(width, height, doc->params.borderColor,
                                       [](int x, int y) { return (x + y) % 3 == 0 ? 32 : 255; });
}

}  // namespace tintara::test
