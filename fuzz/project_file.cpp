// Project files come from outside, in both layouts: reading must never fault
// or allocate from an unchecked size, a file that reads must hold pictures
// that fit together, and every picture read must survive writing and reading
// again unchanged.
#include <unistd.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "storage/picture_record.h"
#include "storage/project_file.h"

namespace {

std::string ProgramFolder() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return "./";
  std::string text(path, size_t(length));
  return text.substr(0, text.rfind('/') + 1);
}

void CheckPicture(const tintara::ImageRef& picture) {
  tintara::VectorSink sink;
  tintara::ArchiveWriter writer(sink);
  tintara::WritePictureRecord(writer, picture.get());
  if (!writer.Ok()) __builtin_trap();
  tintara::ArchiveReader reader(sink.bytes);
  tintara::ImageRef again;
  if (!tintara::ReadPictureRecord(reader, tintara::RowEncoding::kCompressed, again) ||
      reader.Remaining() != 0) {
    __builtin_trap();
  }
  if ((picture == nullptr) != (again == nullptr)) __builtin_trap();
  if (picture == nullptr) return;
  if (again->Kind() != picture->Kind() || again->Width() != picture->Width() ||
      again->Height() != picture->Height() ||
      std::memcmp(again->Bits(), picture->Bits(), picture->ByteSize()) != 0) {
    __builtin_trap();
  }
  for (int i = 0; i < tintara::PaletteSize(picture->Kind()); ++i) {
    if (!(again->PaletteAt(i) == picture->PaletteAt(i))) __builtin_trap();
  }
}

void CheckFits(const tintara::ProjectData& data) {
  const auto& converted = data.convertedPicture;
  if ((converted == nullptr) != (data.patternImage == nullptr)) __builtin_trap();
  if (converted && (!data.indexImage || data.indexImage->Width() != converted->Width() ||
                    data.patternImage->Height() != converted->Height())) {
    __builtin_trap();
  }
  if (data.viewMode < 0 || data.viewMode > 2) __builtin_trap();
  if (data.params.workingPalette.size() > 256) __builtin_trap();
}

// The bytes served as a file is, through the reader's window.
class SpanSource : public tintara::ByteSource {
 public:
  explicit SpanSource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  uint64_t Size() const override { return bytes_.size(); }
  bool ReadAt(uint64_t offset, void* out, size_t size) override {
    if (offset > bytes_.size() || size > bytes_.size() - offset) __builtin_trap();
    if (size != 0) std::memcpy(out, bytes_.data() + offset, size);
    return true;
  }

 private:
  std::span<const uint8_t> bytes_;
};

}  // namespace

// Far below the default: a run's memory limit must hold the pictures, their
// copies in CheckPicture and the fuzzer's own.
constexpr uint64_t kFuzzBudget = uint64_t(256) << 20;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string folder = ProgramFolder();
  tintara::ProjectData project;
  tintara::ProjectReadStatus status =
      tintara::ReadProject(std::span<const uint8_t>(data, size), folder, kFuzzBudget, project);
  if (status.kind == tintara::ProjectReadStatus::kOverBudget &&
      (status.neededBytes <= kFuzzBudget || status.pictureSizes.empty())) {
    __builtin_trap();
  }
  // Read as a file is read, the verdict is the same.
  tintara::ProjectData fromSource;
  SpanSource source({data, size});
  if (tintara::ReadProject(source, folder, kFuzzBudget, fromSource).kind != status.kind) {
    __builtin_trap();
  }
  if (status.kind != tintara::ProjectReadStatus::kRead) return 0;
  uint64_t decoded = 0;
  for (const auto* picture : {&project.initialPicture, &project.convertedPicture,
                              &project.indexImage, &project.patternImage}) {
    if (*picture) decoded += (*picture)->ByteSize();
  }
  if (decoded > kFuzzBudget) __builtin_trap();
  CheckFits(project);
  for (const auto* picture : {&project.initialPicture, &project.convertedPicture,
                              &project.indexImage, &project.patternImage}) {
    CheckPicture(*picture);
  }
  return 0;
}
