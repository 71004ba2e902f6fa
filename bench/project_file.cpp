// Saving and opening a project of a 24-megapixel photo with an A4 pattern at
// 600 dpi, next to the floor the format allows: plain zlib deflate and
// inflate of the same bytes at the same level.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "pattern/render_pattern.h"
#include "ports/dialogs.h"
#include "ports/memory_settings_store.h"
#include "ports/scripted_ui_host.h"
#include "storage/project_file.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {


// Soft areas of 32 colours, as a finished pattern has them.
ImageRef MakeIndex(int32_t width, int32_t height) {
  ImageRef photo = test::MakePhoto(width / 8 + 1, height / 8 + 1, 3);
  return test::MakeIndex(width, height, [&](int x, int y) {
    const uint8_t* p = photo->Row(y / 8) + 3 * (x / 8);
    return (p[0] / 64) * 8 + (p[1] / 64) * 2 + p[2] / 128;
  });
}

struct Project {
  ScriptedUiHost ui;
  Dialogs dialogs;
  MemorySettingsStore settings;
  DocumentEnvironment environment{ui, dialogs, settings};
  std::unique_ptr<CTessel20Doc> doc;
  std::vector<uint8_t> bytes;  // as saved
  int64_t pixels = 0;
  std::vector<const ImageBuffer*> pictures;

  Project() {
    CTesselParams params;
    for (int i = 0; i < 32; ++i) {
      CFlossColor colour;
      colour.brandName = "Brand";
      colour.colorName = "Colour " + std::to_string(i);
      colour.catalogNumber = i;
      colour.paletteIndex = i;
      colour.red = uint8_t(i * 8);
      colour.green = uint8_t(255 - i * 8);
      colour.blue = uint8_t(i * 5);
      params.workingPalette.push_back(colour);
    }
    doc = std::make_unique<CTessel20Doc>(environment, params);
    doc->initialPicture = test::MakePhoto(6000, 4000, 1);
    doc->indexImage = MakeIndex(1240, 1753);
    doc->convertedPicture = ImageBuffer::Create(kKindRgb24, 1240, 1753);
    for (int32_t y = 0; y < 1753; ++y) {
      uint8_t* row = doc->convertedPicture->WritableRows().value().Row(y);
      const uint8_t* index = doc->indexImage->Row(y);
      for (int32_t x = 0; x < 1240; ++x) {
        const CFlossColor& c = params.workingPalette[index[x]];
        row[3 * x] = c.blue;
        row[3 * x + 1] = c.green;
        row[3 * x + 2] = c.red;
      }
    }
    std::vector<PaletteEntry> grey = GreyPalette();
    doc->patternImage = ImageBuffer::CreateWithPalette(kKind8Bit, 1240, 1753, grey.data(), 256);
    PatternRenderInput input{doc->indexImage.get(), kPatternNumbers, 0x808080, 32};
    RenderPattern(input, *doc->patternImage, WholePattern(*doc->patternImage), nullptr);
    pictures = {doc->initialPicture.get(), doc->convertedPicture.get(), doc->indexImage.get(),
                doc->patternImage.get()};
    for (const ImageBuffer* picture : pictures) pixels += int64_t(picture->Width()) * picture->Height();
    VectorSink sink;
    ArchiveWriter writer(sink);
    WriteProject(writer, *doc);
    bytes = std::move(sink.bytes);
  }
};

Project& TheProject() {
  static Project project;
  return project;
}

void Count(benchmark::State& state, const Project& project) {
  state.counters["MPix/s"] = benchmark::Counter(double(project.pixels) * double(state.iterations()) / 1e6,
                                                benchmark::Counter::kIsRate);
  state.counters["MB"] = double(project.bytes.size()) / 1e6;
}

void BM_SaveProject(benchmark::State& state) {
  Project& project = TheProject();
  for (auto _ : state) {
    VectorSink sink;
    sink.bytes.reserve(project.bytes.size());
    ArchiveWriter writer(sink);
    WriteProject(writer, *project.doc);
    if (sink.bytes != project.bytes) state.SkipWithError("different bytes");
    benchmark::DoNotOptimize(sink.bytes.data());
  }
  Count(state, project);
}

void BM_OpenProject(benchmark::State& state) {
  Project& project = TheProject();
  for (auto _ : state) {
    ProjectData data;
    if (!ReadProject(project.bytes, "/nonexistent/", data)) state.SkipWithError("unreadable");
    benchmark::DoNotOptimize(data.initialPicture.get());
  }
  Count(state, project);
}

// The floor: one plain stream per picture, no flush per row.
std::vector<std::vector<uint8_t>> DeflateAll(const Project& project) {
  std::vector<std::vector<uint8_t>> streams;
  for (const ImageBuffer* picture : project.pictures) {
    uLongf size = compressBound(uLong(picture->ByteSize()));
    std::vector<uint8_t> out(size);
    compress2(out.data(), &size, picture->Bits(), uLong(picture->ByteSize()), Z_DEFAULT_COMPRESSION);
    out.resize(size);
    streams.push_back(std::move(out));
  }
  return streams;
}

void BM_PlainDeflate(benchmark::State& state) {
  Project& project = TheProject();
  for (auto _ : state) benchmark::DoNotOptimize(DeflateAll(project));
  Count(state, project);
}

void BM_PlainInflate(benchmark::State& state) {
  Project& project = TheProject();
  std::vector<std::vector<uint8_t>> streams = DeflateAll(project);
  std::vector<uint8_t> out(project.pictures[0]->ByteSize());
  for (auto _ : state) {
    for (size_t i = 0; i < streams.size(); ++i) {
      uLongf size = uLongf(project.pictures[i]->ByteSize());
      uncompress(out.data(), &size, streams[i].data(), uLong(streams[i].size()));
    }
    benchmark::DoNotOptimize(out.data());
  }
  Count(state, project);
}

BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainDeflate)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainInflate)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tintara

BENCHMARK_MAIN();
