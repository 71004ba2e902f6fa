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

uint64_t PlaneBytes(const ImageRef& picture) {
  return picture ? uint64_t(picture->Stride()) * uint64_t(picture->Height()) : 0;
}

// The most a picture's record can take: deflate never grows data by more
// than a few bytes per block and row.
uint64_t RecordBound(const ImageRef& picture) {
  if (!picture) return 12;
  const uint64_t plane = PlaneBytes(picture);
  return plane + plane / 1000 + uint64_t(picture->Height()) * 16 + 1024 + 12;
}

// Whether the pattern-sized pictures' compressed records may be held in
// memory beside the pictures.
bool RecordsFitBeside(const CTessel20Doc& doc, uint64_t budget) {
  uint64_t needed = PlaneBytes(doc.initialPicture);
  for (const ImageRef* picture : {&doc.convertedPicture, &doc.indexImage, &doc.patternImage}) {
    needed += PlaneBytes(*picture) + RecordBound(*picture);
  }
  return needed <= budget;
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

// Where each picture's record starts in the file (document order), as the
// header check found them.
using RecordStarts = std::array<uint64_t, 4>;

// Document order of the records as the file holds them: the older layout
// keeps the pattern before the index image.
constexpr std::array<int, 4> kCurrentOrder = {0, 1, 2, 3};
constexpr std::array<int, 4> kLegacyOrder = {0, 1, 3, 2};

// Steps over the four records, reading only their headers and row lengths, so
// that a project too large or inconsistent is refused before any inflating.
bool CheckHeaders(ArchiveReader& in, bool current, uint64_t budget, unsigned wanted,
                  ProjectData& data, RecordStarts& starts, ProjectReadStatus& status) {
  RowEncoding encoding = RowEncoding::kCompressed;
  if (!current) {
    int32_t flag;
    if (!in.ReadInt32(flag)) return false;
    if (flag == 0) encoding = RowEncoding::kRaw;
  }
  std::array<PictureHeader, 4>& h = data.headers;
  for (int picture : current ? kCurrentOrder : kLegacyOrder) {
    starts[size_t(picture)] = in.Position();
    if (!SkipPictureRecord(in, encoding, h[size_t(picture)])) return false;
  }
  if (!HeadersFit(h[0], h[1], h[2], h[3])) return false;
  uint64_t needed = 0;
  for (size_t i = 0; i < 4; ++i) {
    if ((wanted & (1u << i)) != 0) needed += h[i].Bytes();
  }
  if (needed <= budget) return true;
  status.kind = ProjectReadStatus::kOverBudget;
  status.neededBytes = needed;
  AppendSize(status.pictureSizes, "picture", h[0]);
  AppendSize(status.pictureSizes, "pattern", h[1]);
  return false;
}

ImageRef& PictureAt(ProjectData& data, int picture) {
  switch (picture) {
    case 0: return data.initialPicture;
    case 1: return data.convertedPicture;
    case 2: return data.indexImage;
    default: return data.patternImage;
  }
}

// Reads the records in `order` (document positions) from `in`, decoding
// the wanted ones and stepping over the rest.
bool ReadRecords(ArchiveReader& in, RowEncoding encoding, std::span<const int> order,
                 unsigned wanted, ProjectData& data, bool& outOfMemory) {
  for (int picture : order) {
    bool ok;
    if ((wanted & (1u << picture)) != 0) {
      bool noMemory = false;
      ok = ReadPictureRecord(in, encoding, PictureAt(data, picture), &noMemory);
      outOfMemory = outOfMemory || noMemory;
    } else {
      PictureHeader header;
      ok = SkipPictureRecord(in, encoding, header);
    }
    if (!ok) return false;
  }
  return true;
}

// The pictures' records, the first on this thread and the rest on a second
// core when there is one; `in` ends after the last record either way.
bool ReadPictures(ArchiveReader& in, RowEncoding encoding, std::span<const int> order,
                  const RecordStarts& starts, unsigned wanted, ProjectData& data,
                  bool& outOfMemory) {
  const int first = order[0];
  const bool restWanted = (wanted & ~(1u << first) & kWantAllPictures) != 0;
  if ((wanted & (1u << first)) == 0 || !restWanted || std::thread::hardware_concurrency() < 2) {
    return ReadRecords(in, encoding, order, wanted, data, outOfMemory);
  }
  ArchiveReader rest = in;
  if (!rest.Skip(starts[size_t(order[1])] - in.Position())) return false;
  bool restOk = false;
  bool restOutOfMemory = false;
  auto readRest = [&] {
    try {
      restOk = ReadRecords(rest, encoding, order.subspan(1), wanted, data, restOutOfMemory);
    } catch (const std::bad_alloc&) {
      restOutOfMemory = true;
    }
  };
  bool firstOk;
  {
    std::jthread worker;
    try {
      worker = std::jthread(readRest);
    } catch (const std::system_error&) {
    }
    firstOk = ReadRecords(in, encoding, order.first(1), wanted, data, outOfMemory);
    if (!worker.joinable()) readRest();
  }
  outOfMemory = outOfMemory || restOutOfMemory;
  in = rest;
  return firstOk && restOk;
}

bool ReadCurrentLayout(ArchiveReader& in, const std::string& programFolder,
                       const RecordStarts& starts, unsigned wanted, ProjectData& data,
                       bool& outOfMemory) {
  return ReadPictures(in, RowEncoding::kCompressed, kCurrentOrder, starts, wanted, data,
                      outOfMemory) &&
         in.ReadInt32(data.pictureOrigin) && in.ReadInt32(data.viewMode) &&
         data.params.Deserialize(in, programFolder) && in.ReadString(data.pictureFileName);
}

bool ReadLegacyLayout(ArchiveReader& in, const std::string& programFolder,
                      const RecordStarts& starts, unsigned wanted, ProjectData& data,
                      bool& outOfMemory) {
  int32_t flag;
  if (!in.ReadInt32(flag)) return false;
  RowEncoding encoding = flag != 0 ? RowEncoding::kCompressed : RowEncoding::kRaw;
  if (!ReadPictures(in, encoding, kLegacyOrder, starts, wanted, data, outOfMemory) ||
      !in.Skip(4)) {
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

EarlyPictureRecord::EarlyPictureRecord(const ImageRef& picture, uint64_t memoryBudget)
    : state_(std::make_unique<State>()) {
  if (!picture || PlaneBytes(picture) + RecordBound(picture) > memoryBudget) return;
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
                  SaveWatch* watch, uint64_t memoryBudget) {
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
    if (doc.convertedPicture && std::thread::hardware_concurrency() > 1 &&
        RecordsFitBeside(doc, memoryBudget)) {
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
                           uint64_t budget, unsigned wanted, ProjectData& data) {
  ProjectReadStatus status;
  ArchiveReader in = start;
  std::string signature;
  bool current = in.ReadString(signature) && signature == kProjectSignature;
  if (!current) in = start;
  // Headers first, on a copy: the pictures are read only once they fit.
  ArchiveReader headers = in;
  RecordStarts starts{};
  if (!CheckHeaders(headers, current, budget, wanted, data, starts, status)) return status;
  bool ok = false;
  bool outOfMemory = false;
  try {
    ok = current ? ReadCurrentLayout(in, programFolder, starts, wanted, data, outOfMemory)
                 : ReadLegacyLayout(in, programFolder, starts, wanted, data, outOfMemory);
  } catch (const std::bad_alloc&) {
    outOfMemory = true;
  }
  if (outOfMemory) status.kind = ProjectReadStatus::kOutOfMemory;
  // A partial read is checked by its headers alone: what it leaves out is null.
  if (!ok || (wanted == kWantAllPictures && !IsConsistent(data))) return status;
  if (data.viewMode < 0 || data.viewMode > 2) data.viewMode = 0;
  // A picture without its converted picture can only be shown as itself.
  if (data.initialPicture && !data.convertedPicture) data.viewMode = 0;
  status.kind = ProjectReadStatus::kRead;
  return status;
}

}  // namespace

ProjectReadStatus ReadProject(std::span<const uint8_t> bytes, const std::string& programFolder,
                              uint64_t budget, ProjectData& data, unsigned wanted) {
  return ReadFrom(ArchiveReader(bytes), programFolder, budget, wanted, data);
}

ProjectReadStatus ReadProject(ByteSource& source, const std::string& programFolder,
                              uint64_t budget, ProjectData& data, unsigned wanted) {
  return ReadFrom(ArchiveReader(source), programFolder, budget, wanted, data);
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
