// tintara-cli create end to end (decode, pipeline, save) on photos of about
// 1, 6 and 24 megapixels, next to the format's floor: plain deflate of the
// photo's bytes at the project file's level.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <QImage>
#include <climits>
#include <map>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/picture_files.h"
#include "tests/support/synthetic_images.h"

extern char** environ;

namespace tintara {
namespace {

namespace fs = std::filesystem;

fs::path ProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

fs::path WorkFolder() {
  static fs::path folder = [] {
    fs::path path = fs::temp_directory_path() / ("tintara-bench-" + std::to_string(getpid()));
    fs::create_directories(path);
    std::ofstream(path / "settings.ini") << "[SETTINGS]\nUSECURPRN=0\n";
    return path;
  }();
  return folder;
}

struct Photo {
  std::string path;
  ImageRef picture;
};

const Photo& PhotoOf(int width, int height) {
  static std::map<int, Photo> photos;
  Photo& photo = photos[width];
  if (!photo.picture) {
    photo.picture = test::MakePhoto(width, height, 11);
    photo.path = (WorkFolder() / ("photo-" + std::to_string(width) + ".png")).string();
    ImageToQImage(*photo.picture).save(QString::fromStdString(photo.path));
  }
  return photo;
}

bool RunCreate(const std::string& picture) {
  std::string cli = (ProgramFolder() / "tintara-cli").string();
  std::string out = (WorkFolder() / "out.mop").string();
  std::string settings = (WorkFolder() / "settings.ini").string();
  std::vector<std::string> words = {cli, "create", picture, "-o", out, "--quiet", "--settings", settings};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t pid;
  if (posix_spawn(&pid, cli.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Megapixels(benchmark::State& state, const ImageBuffer& picture) {
  double pixels = double(picture.Width()) * picture.Height();
  state.counters["MPix"] = pixels / 1e6;
  state.counters["MPix/s"] =
      benchmark::Counter(pixels * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void BM_CliCreate(benchmark::State& state) {
  const Photo& photo = PhotoOf(int(state.range(0)), int(state.range(1)));
  for (auto _ : state) {
    if (!RunCreate(photo.path)) state.SkipWithError("tintara-cli create failed");
  }
  Megapixels(state, *photo.picture);
}

void BM_DeflateFloor(benchmark::State& state) {
  const Photo& photo = PhotoOf(int(state.range(0)), int(state.range(1)));
  const ImageBuffer& picture = *photo.picture;
  std::vector<uint8_t> out(compressBound(uLong(picture.ByteSize())));
  for (auto _ : state) {
    uLongf size = uLongf(out.size());
    compress2(out.data(), &size, picture.Bits(), uLong(picture.ByteSize()), Z_DEFAULT_COMPRESSION);
    benchmark::DoNotOptimize(out.data());
  }
  Megapixels(state, picture);
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({1224, 816})->Args({3000, 2000})->Args({6000, 4000});
  b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
}

BENCHMARK(BM_CliCreate)->Apply(Sizes);
BENCHMARK(BM_DeflateFloor)->Apply(Sizes);

}  // namespace
}  // namespace tintara

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  std::filesystem::remove_all(tintara::WorkFolder(), ignored);
  return 0;
}
