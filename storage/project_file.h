// The project file: signature "DIDUZ20", the four pictures (index image before
// the pattern), origin, view mode, pattern parameters and the picture's file
// name. Files of the older layout without a signature are read too.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "colors/tessel_params.h"
#include "imaging/image_buffer.h"
#include "storage/archive.h"
#include "storage/memory_budget.h"
#include "storage/picture_record.h"

namespace tintara {

class CTessel20Doc;

extern const char kProjectSignature[];

// Which of the four pictures a reader wants decoded, in the order the
// document names them; the others are stepped over uninflated.
enum PictureBit : unsigned {
  kWantInitial = 1,
  kWantConverted = 2,
  kWantIndex = 4,
  kWantPattern = 8,
  kWantAllPictures = 15,
};

struct ProjectData {
  bool legacy = false;
  // What the file declares of each picture (initial, converted, index,
  // pattern), also of those not read.
  std::array<PictureHeader, 4> headers{};
  ImageRef initialPicture;
  ImageRef convertedPicture;
  ImageRef indexImage;
  ImageRef patternImage;
  int32_t pictureOrigin = 0;
  int32_t viewMode = 0;
  CTesselParams params;
  std::string pictureFileName;
};

// The record of a picture compressed ahead of the save, on another thread,
// while other work runs. It stands in for the picture only while that still
// shares its pixels with the copy taken here: any write to the picture since
// has given it pixels of its own.
class EarlyPictureRecord {
 public:
  // Nothing is compressed ahead when the picture with its record could
  // outgrow `memoryBudget`: the save then streams the picture out itself.
  explicit EarlyPictureRecord(const ImageRef& picture,
                              uint64_t memoryBudget = kDefaultPictureBudget);
  ~EarlyPictureRecord();
  EarlyPictureRecord(const EarlyPictureRecord&) = delete;
  EarlyPictureRecord& operator=(const EarlyPictureRecord&) = delete;

  // The record's bytes when they are those of `picture`, else null; waits
  // for the compression to end.
  const std::vector<uint8_t>* RecordFor(const ImageBuffer* picture);
  // How far the compression is, 0..100 (100 once it has ended or when it
  // never ran), for a progress indicator while the save waits for it.
  int Percent() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// A save as another thread sees it: the picture rows written so far, and
// the wish to stop, after which the save ends early with its writer failed.
struct SaveWatch {
  std::array<std::atomic<int32_t>, 4> rows{};  // of each picture, in file order
  std::atomic<bool> stop{false};
  int64_t RowsWritten() const;
};

// The rows of the document's pictures, all that SaveWatch counts to.
int64_t ProjectRowCount(const CTessel20Doc& doc);

// `early`, when given, may hold the initial picture's record already. The
// pattern-sized pictures compress on a second core into memory when that
// memory, with the pictures themselves, stays within `memoryBudget`; else
// everything streams out in turn. The bytes are the same either way.
void WriteProject(ArchiveWriter& out, const CTessel20Doc& doc,
                  EarlyPictureRecord* early = nullptr, SaveWatch* watch = nullptr,
                  uint64_t memoryBudget = kDefaultPictureBudget);

struct ProjectReadStatus {
  enum Kind { kRead, kBadFormat, kOverBudget, kOutOfMemory };
  Kind kind = kBadFormat;
  uint64_t neededBytes = 0;  // kOverBudget: what the pictures would take decoded
  std::string pictureSizes;  // kOverBudget: "initial picture 800 × 600, ..."
};

// Reads a project. `wanted` names the pictures to decode (PictureBit); the
// others are stepped over, left null and count for nothing in the budget.
// The initial picture and the others inflate on two cores. `data.params` comes in as the document's parameters
// (fields the file does not hold keep their values). kBadFormat for anything
// that is not a sound project: bytes running out, damaged rows, impossible
// sizes, pictures of the wrong kind or of different sizes. Every picture's
// header is checked, against the others and against `budget` (bytes for the
// four decoded pictures together), before any picture is inflated.
ProjectReadStatus ReadProject(std::span<const uint8_t> bytes, const std::string& programFolder,
                              uint64_t budget, ProjectData& data,
                              unsigned wanted = kWantAllPictures);
// The same from a source read as it goes (a file): only the headers, the
// rows and the fields are read, each once, through a small window; bytes
// after the project are never read.
ProjectReadStatus ReadProject(ByteSource& source, const std::string& programFolder,
                              uint64_t budget, ProjectData& data,
                              unsigned wanted = kWantAllPictures);
// The same within the default budget; true when read.
bool ReadProject(std::span<const uint8_t> bytes, const std::string& programFolder,
                 ProjectData& data);

// Whether the first bytes of a file can begin a project of either layout: the
// signature, or a first picture header of a possible size. Lets a foreign
// file be refused before the rest of it is read.
bool CanStartProject(std::span<const uint8_t> head);

}  // namespace tintara
