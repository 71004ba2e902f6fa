// "Create drawing pattern" from a loaded photo of about 1, 6 and 24 megapixels
// to one A4 page at 600 dots per inch with 32 colours, and to 10 × 10 pages;
// also the undo snapshot of such a project. Peak memory is reported as the
// rise of the process's peak resident size over the photo's own bytes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench/bench_project.h"
#include "document/command_table.h"
#include "document/document_commands.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

// A size line of /proc/self/status ("VmHWM:", "VmRSS:") in bytes.
int64_t StatusBytes(const std::string& key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) return std::stoll(line.substr(key.size())) * 1024;
  }
  return 0;
}
// Peak resident set; resetting it lets each run measure its own peak.
int64_t PeakResident() { return StatusBytes("VmHWM:"); }
int64_t CurrentResident() { return StatusBytes("VmRSS:"); }
void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

struct Project : BenchProject {
  Project() : BenchProject("pipeline") {}
};

// `newUser`: the paints closest to the picture, small areas merged and the
// page turned, as a new user gets; otherwise the classic pipeline.
void RunCreatePattern(benchmark::State& state, bool newUser) {
  const int32_t width = int32_t(state.range(0));
  const int32_t height = int32_t(state.range(1));
  const int pagesPerSide = int(state.range(2));
  ImageRef photo = test::MakePhoto(width, height, 3);
  Project project;
  project.env.app.page.pageCount = pagesPerSide - 1;
  project.env.app.mergeSmallAreas = newUser ? 1 : 0;
  project.env.app.colorMatch = newUser ? 1 : 0;
  project.env.app.page.autoOrientation = newUser ? 1 : 0;
  project.doc->ReplaceWithPicture(photo, kOriginFile, "", true);
  int64_t peakRise = 0;
  int32_t patternWidth = 0, patternHeight = 0;
  for (auto _ : state) {
    state.PauseTiming();
    project.doc->convertedPicture = nullptr;
    project.doc->patternImage = nullptr;
    project.doc->indexImage = nullptr;
    project.doc->params.paletteReady = 0;
    int64_t before = CurrentResident();
    ResetPeakResident();
    state.ResumeTiming();
    project.doc->PushUndoSnapshot();
    project.doc->CreatePattern();
    state.PauseTiming();
    if (!project.doc->HasPattern()) state.SkipWithError("no pattern was made");
    peakRise = std::max(peakRise, PeakResident() - before);
    patternWidth = project.doc->patternImage ? project.doc->patternImage->Width() : 0;
    patternHeight = project.doc->patternImage ? project.doc->patternImage->Height() : 0;
    project.doc->RollBackToLastSnapshot();
    state.ResumeTiming();
  }
  const double photoBytes = double(photo->ByteSize());
  state.counters["Mpx"] = double(width) * height / 1e6;
  state.counters["Mpx/s"] =
      benchmark::Counter(double(width) * height / 1e6, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["peak/photo"] = double(peakRise) / photoBytes;
  state.counters["patternW"] = patternWidth;
  state.counters["patternH"] = patternHeight;
}

void CreatePattern(benchmark::State& state) { RunCreatePattern(state, false); }

// What a new user gets (closest paints, areas too small to paint merged,
// numbers that fit, the page turned) against the classic pipeline at the
// same size (fourth argument: 0 classic, 1 new user).
void CreatePatternNewUser(benchmark::State& state) { RunCreatePattern(state, state.range(3) != 0); }
BENCHMARK(CreatePatternNewUser)
    ->Args({6000, 4000, 1, 0})
    ->Args({6000, 4000, 1, 1})
    ->Args({4000, 6000, 1, 0})
    ->Args({4000, 6000, 1, 1})
    ->ArgNames({"w", "h", "pages", "newuser"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

BENCHMARK(CreatePattern)
    ->Args({1224, 816, 1})
    ->Args({3000, 2000, 1})
    ->Args({6000, 4000, 1})
    ->ArgNames({"w", "h", "pages"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(CreatePattern)
    ->Args({6000, 4000, 10})
    ->ArgNames({"w", "h", "pages"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// A 24 MP photo with the pictures of an A4 pattern at 150 dpi beside it, as
// after the pattern is made.
void GiveFinishedPattern(Project& project) {
  project.doc->ReplaceWithPicture(test::MakePhoto(6000, 4000, 3), kOriginFile, "", true);
  project.doc->convertedPicture = test::MakeSolid(1240, 1753, 10, 20, 30);
  project.doc->patternImage = ImageBuffer::Create(kKind8Bit, 1240, 1753);
  project.doc->indexImage = ImageBuffer::Create(kKindGray8, 1240, 1753);
}

void PushUndoSnapshot(benchmark::State& state) {
  Project project;
  GiveFinishedPattern(project);
  int64_t before = CurrentResident();
  for (auto _ : state) project.doc->PushUndoSnapshot();
  state.counters["addedMB"] = double(CurrentResident() - before) / 1e6;
}
BENCHMARK(PushUndoSnapshot)->Unit(benchmark::kMicrosecond)->Iterations(10);

// Ten pattern edits each change only the pattern: memory grows by about ten
// pattern copies, not ten picture copies.
void TenPatternEdits(benchmark::State& state) {
  for (auto _ : state) {
    Project project;
    GiveFinishedPattern(project);
    int64_t before = CurrentResident();
    for (int i = 0; i < 10; ++i) {
      project.doc->PushUndoSnapshot();
      ImageBuffer& pattern = *project.doc->patternImage;
      for (int32_t y = 0; y < pattern.Height(); ++y)
        pattern.WritableRows().value().Row(y)[0] = uint8_t(i);
    }
    state.counters["addedMB"] = double(CurrentResident() - before) / 1e6;
    state.counters["patternMB"] = 1240.0 * 1753 / 1e6;
    state.counters["pictureMB"] = 6000.0 * 4000 * 3 / 1e6;
  }
}
BENCHMARK(TenPatternEdits)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace tintara

BENCHMARK_MAIN();
