#include "storage/project_file.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <system_error>
#include <thread>

#include "document/tessel_doc.h"
#include "storage/memory_budget.h"
#include "storage/picture_record.h"

namespace tintara {

const char kProjectSignature[] = "DIDUZ20";

namespace {

constexpr size_t kLegacyBlockSize = 1164;
constexpr int kLegacyBrandPositions = 32;

int32_t Int32At(const uint8_t* p) {
  return int32_t(uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
                 (uint32_t(p[3]) << 24));
}

bool SameSize(const ImageRef& a, const ImageRef& b) {
  return a->Width() == b->Width() && a->Height() == b->Height();
}

// The pictures must fit together as the rest of the program expects them.
bool IsConsistent(const ProjectData& data) {
  if (data.initialPicture && data.initialPicture->Kind() != kKindRgb24) return false;
  if (data.indexImage && data.indexImage->Kind() != kKindGray8) return false;
  if ((data.convertedPicture == nullptr) != (data.patternImage == nullptr)) return false;
  if (!data.convertedPicture) return true;
  return data.convertedPicture->Kind() == kKindRgb24 && data.patternImage->Kind() == kKind8Bit &&
         data.indexImage && SameSize(data.convertedPicture, data.patternImage) &&
         SameSize(data.convertedPicture, data.indexImage);
}

bool SameSize(const PictureHeader& a, const PictureHeader& b) {
  return a.width == b.width && a.height == b.height;
}

// The same rules as IsConsistent, on what the headers declare.
bool HeadersFit(const PictureHeader& initial, const PictureHeader& converted,
                const PictureHeader& index, const PictureHeader& pattern) {
  if (initial.present && initial.kind != kKindRgb24) return false;
  if (index.present && index.kind != kKindGray8) return false;
  if (converted.present != pattern.present) return false;
  if (!converted.present) return true;
  return converted.kind == kKindRgb24 && pattern.kind == kKind8Bit && index.present &&
         SameSize(converted, pattern) && SameSize(converted, index);
}

void AppendSize(std::string& text, const char* name, const PictureHeader& header) {
  if (!header.present) return;
  if (!text.empty()) text += ", ";
  text += name;
  text += ' ';
  text += PixelSizeText(header.width, header.height);
}

// Steps over the four records, reading only their headers and row lengths, so
// that a project too large or inconsistent is refused before any inflating.
bool CheckHeaders(ArchiveReader& in, bool current, uint64_t budget, ProjectReadStatus& status) {
  RowEncoding encoding = RowEncoding::kCompressed;
  if (!current) {
    int32_t flag;
    if (!in.ReadInt32(flag)) return false;
    if (flag == 0) encoding = RowEncoding::kRaw;
  }
  PictureHeader initial, converted, index, pattern;
  PictureHeader& third = current ? index : pattern;
  PictureHeader& fourth = current ? pattern : index;
  if (!SkipPictureRecord(in, encoding, initial) || !SkipPictureRecord(in, encoding, converted) ||
      !SkipPictureRecord(in, encoding, third) || !SkipPictureRecord(in, encoding, fourth) ||
      !HeadersFit(initial, converted, index, pattern)) {
    return false;
  }
  uint64_t needed = initial.Bytes() + converted.Bytes() + index.Bytes() + pattern.Bytes();
  if (needed <= budget) return true;
  status.kind = ProjectReadStatus::kOverBudget;
  status.neededBytes = needed;
  AppendSize(status.pictureSizes, "picture", initial);
  AppendSize(status.pictureSizes, "pattern", converted);
  return false;
}

bool ReadCurrentLayout(ArchiveReader& in, const std::string& programFolder, ProjectData& data,
                       bool& outOfMemory) {
  const RowEncoding compressed = RowEncoding::kCompressed;
  bool* noMemory = &outOfMemory;
  return ReadPictureRecord(in, compressed, data.initialPicture, noMemory) &&
         ReadPictureRecord(in, compressed, data.convertedPicture, noMemory) &&
         ReadPictureRecord(in, compressed, data.indexImage, noMemory) &&
         ReadPictureRecord(in, compressed, data.patternImage, noMemory) &&
         in.ReadInt32(data.pictureOrigin) && in.ReadInt32(data.viewMode) &&
         data.params.Deserialize(in, programFolder) && in.ReadString(data.pictureFileName);
}

bool ReadLegacyLayout(ArchiveReader& in, const std::string& programFolder, ProjectData& data,
                      bool& outOfMemory) {
  int32_t flag;
  if (!in.ReadInt32(flag)) return false;
  RowEncoding encoding = flag != 0 ? RowEncoding::kCompressed : RowEncoding::kRaw;
  bool* noMemory = &outOfMemory;
  if (!ReadPictureRecord(in, encoding, data.initialPicture, noMemory) ||
      !ReadPictureRecord(in, encoding, data.convertedPicture, noMemory) ||
      !ReadPictureRecord(in, encoding, data.patternImage, noMemory) ||
      !ReadPictureRecord(in, encoding, data.indexImage, noMemory) || !in.Skip(4)) {
    return false;
  }
  uint8_t block[kLegacyBlockSize];
  std::string brandTitle;
  if (!in.ReadBytes(block, sizeof block) || !in.ReadString(data.pictureFileName) ||
      !in.ReadString(brandTitle)) {
    return false;
  }
  int32_t count = Int32At(block);
  if (count < 0 || count > 256) return false;
  PaletteEntry entries[256];
  for (int i = 0; i < 256; ++i) {
    const uint8_t* e = block + 4 + 4 * i;
    entries[i] = {e[0], e[1], e[2], 0};
  }
  std::vector<int32_t> brandPositions(size_t(count), -1);
  for (int i = 0; i < count && i < kLegacyBrandPositions; ++i) {
    brandPositions[size_t(i)] = Int32At(block + 1028 + 4 * i);
  }
  data.params.patternType = Int32At(block + 1156);
  data.params.dotsPerCell = Int32At(block + 1160);
  data.params.brandFile = BrandFileFromTitle(programFolder, brandTitle);
  data.legacy = true;
  return data.params.RestoreFromStoredColors(count, entries, brandPositions);
}

}  // namespace

struct EarlyPictureRecord::State {
  ImageRef copy;  // keeps the pixels shared, so a later write to the picture detaches
  VectorSink sink;
  bool ok = false;
  std::atomic<int32_t> rowsWritten{0};
  std::atomic<bool> done{false};
  std::jthread worker;
};

EarlyPictureRecord::EarlyPictureRecord(const ImageRef& picture) : state_(std::make_unique<State>()) {
  if (!picture) return;
  state_->copy = ImageBuffer::Copy(*picture);
  if (!state_->copy) return;
  State* state = state_.get();
  auto compress = [state] {
    ArchiveWriter writer(state->sink);
    WritePictureRecord(writer, state->copy.get(), &state->rowsWritten);
    state->ok = writer.Ok();
    state->done = true;
  };
  try {
    state_->worker = std::jthread(compress);
  } catch (const std::system_error&) {
    state_->copy = nullptr;  // no thread: the save compresses as usual
  }
}

EarlyPictureRecord::~EarlyPictureRecord() = default;

int EarlyPictureRecord::Percent() const {
  const ImageRef& copy = state_->copy;
  if (state_->done || !state_->worker.joinable() || !copy || copy->Height() <= 0) return 100;
  return int(std::min<int64_t>(99, int64_t(state_->rowsWritten) * 100 / copy->Height()));
}

const std::vector<uint8_t>* EarlyPictureRecord::RecordFor(const ImageBuffer* picture) {
  if (state_->worker.joinable()) state_->worker.join();
  const ImageRef& copy = state_->copy;
  if (!state_->ok || !copy || picture == nullptr || !copy->SharesPixelsWith(*picture) ||
      copy->Kind() != picture->Kind() || copy->Width() != picture->Width() ||
      copy->Height() != picture->Height() ||
      picture->Kind() == kKind8Bit) {  // a palette can change without touching the pixels
    return nullptr;
  }
  return &state_->sink.bytes;
}

int64_t ProjectRowCount(const CTessel20Doc& doc) {
  int64_t rows = 0;
  for (const ImageRef* picture :
       {&doc.initialPicture, &doc.convertedPicture, &doc.indexImage, &doc.patternImage}) {
    if (*picture) rows += (*picture)->Height();
  }
  return rows;
}

int64_t SaveWatch::RowsWritten() const {
  int64_t written = 0;
  for (const std::atomic<int32_t>& picture : rows) written += picture.load(std::memory_order_relaxed);
  return written;
}

void WriteProject(ArchiveWriter& out, const CTessel20Doc& doc, EarlyPictureRecord* early,
                  SaveWatch* watch) {
  auto rows = [watch](size_t picture) { return watch != nullptr ? &watch->rows[picture] : nullptr; };
  const std::atomic<bool>* stop = watch != nullptr ? &watch->stop : nullptr;
  out.WriteString(kProjectSignature);
  // Compressing is nearly all of the work. The three pattern-sized pictures
  // compress into memory on a second core while the initial picture streams
  // out; their bytes then follow it exactly as a single pass writes them.
  VectorSink later;
  ArchiveWriter laterWriter(later);
  auto writeLater = [&] {
    WritePictureRecord(laterWriter, doc.convertedPicture.get(), rows(1), stop);
    WritePictureRecord(laterWriter, doc.indexImage.get(), rows(2), stop);
    WritePictureRecord(laterWriter, doc.patternImage.get(), rows(3), stop);
  };
  {
    std::jthread worker;
    if (doc.convertedPicture && std::thread::hardware_concurrency() > 1) {
      try {
        worker = std::jthread(writeLater);
      } catch (const std::system_error&) {
      }
    }
    const std::vector<uint8_t>* record = early ? early->RecordFor(doc.initialPicture.get()) : nullptr;
    if (record != nullptr) {
      out.WriteBytes(record->data(), record->size());
      if (watch != nullptr) watch->rows[0].store(doc.initialPicture->Height(), std::memory_order_relaxed);
    } else {
      WritePictureRecord(out, doc.initialPicture.get(), rows(0), stop);
    }
    if (!worker.joinable()) writeLater();
  }
  if (!laterWriter.Ok()) out.Fail();
  out.WriteBytes(later.bytes.data(), later.bytes.size());
  out.WriteInt32(doc.pictureOrigin);
  out.WriteInt32(doc.viewMode);
  doc.params.Serialize(out);
  out.WriteString(doc.pictureFileName);
}

namespace {

ProjectReadStatus ReadFrom(const ArchiveReader& start, const std::string& programFolder,
                           uint64_t budget, ProjectData& data) {
  ProjectReadStatus status;
  ArchiveReader in = start;
  std::string signature;
  bool current = in.ReadString(signature) && signature == kProjectSignature;
  if (!current) in = start;
  // Headers first, on a copy: the pictures are read only once they fit.
  ArchiveReader headers = in;
  if (!CheckHeaders(headers, current, budget, status)) return status;
  bool ok = false;
  bool outOfMemory = false;
  try {
    ok = current ? ReadCurrentLayout(in, programFolder, data, outOfMemory)
                 : ReadLegacyLayout(in, programFolder, data, outOfMemory);
  } catch (const std::bad_alloc&) {
    outOfMemory = true;
  }
  if (outOfMemory) status.kind = ProjectReadStatus::kOutOfMemory;
  if (!ok || !IsConsistent(data)) return status;
  if (data.viewMode < 0 || data.viewMode > 2) data.viewMode = 0;
  // A picture without its converted picture can only be shown as itself.
  if (data.initialPicture && !data.convertedPicture) data.viewMode = 0;
  status.kind = ProjectReadStatus::kRead;
  return status;
}

}  // namespace

ProjectReadStatus ReadProject(std::span<const uint8_t> bytes, const std::string& programFolder,
                              uint64_t budget, ProjectData& data) {
  return ReadFrom(ArchiveReader(bytes), programFolder, budget, data);
}

ProjectReadStatus ReadProject(ByteSource& source, const std::string& programFolder,
                              uint64_t budget, ProjectData& data) {
  return ReadFrom(ArchiveReader(source), programFolder, budget, data);
}

bool ReadProject(std::span<const uint8_t> bytes, const std::string& programFolder,
                 ProjectData& data) {
  return ReadProject(bytes, programFolder, kDefaultPictureBudget, data).kind ==
         ProjectReadStatus::kRead;
}

bool CanStartProject(std::span<const uint8_t> head) {
  ArchiveReader in(head);
  std::string signature;
  if (head.size() >= 8 && in.ReadString(signature) && signature == kProjectSignature) return true;
  in.Rewind();
  int32_t flag, width, height, kind;
  if (!in.ReadInt32(flag) || !in.ReadInt32(width) || !in.ReadInt32(height) || !in.ReadInt32(kind)) {
    return false;
  }
  return width == -1 || (IsValidKind(kind) && IsAcceptableSize(kind, width, height));
}

}  // namespace tintara
