// One picture inside a project file: width, height and format (-1, -1, -1 when
// absent), the 256-entry palette for paletted pictures, then one chunk per row
// (bottom row first) from a single deflate stream with a partial flush per row.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "imaging/image_buffer.h"
#include "storage/archive.h"

namespace tintara {

// Writes a record; any failure (memory included) marks `out` failed, nothing throws.
// `rowsWritten`, when given, counts the rows written so far (another thread
// may read it). `stop`, once set by another thread,
// ends the record early with `out` failed.
void WritePictureRecord(ArchiveWriter& out, const ImageBuffer* picture,
                        std::atomic<int32_t>* rowsWritten = nullptr,
                        const std::atomic<bool>* stop = nullptr);

enum class RowEncoding { kCompressed, kRaw };

// Reads a record. `picture` is null for an absent picture. False when the
// record is damaged, impossible or runs past the end; nothing is allocated
// before the stored size has been checked against the bytes that remain.
// `outOfMemory`, when given, tells a sound record that did not fit in memory.
bool ReadPictureRecord(ArchiveReader& in, RowEncoding encoding, ImageRef& picture,
                       bool* outOfMemory = nullptr);

// What a record declares, read without inflating anything.
struct PictureHeader {
  bool present = false;
  int32_t kind = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint64_t Bytes() const;  // the decoded pixel plane; 0 when absent
};

// Reads a record's header and steps over its rows (chunk by chunk for
// compressed rows); false on the same impossible sizes ReadPictureRecord
// refuses and when the rows run past the end.
bool SkipPictureRecord(ArchiveReader& in, RowEncoding encoding, PictureHeader& header);

}  // namespace tintara
