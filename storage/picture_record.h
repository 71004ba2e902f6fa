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
// `rowsWritten`, when given, counts the rows written so far (another thread may read it).
void WritePictureRecord(ArchiveWriter& out, const ImageBuffer* picture,
                        std::atomic<int32_t>* rowsWritten = nullptr);

enum class RowEncoding { kCompressed, kRaw };

// Reads a record. `picture` is null for an absent picture. False when the
// record is damaged, impossible or runs past the end; nothing is allocated
// before the stored size has been checked against the bytes that remain.
bool ReadPictureRecord(ArchiveReader& in, RowEncoding encoding, ImageRef& picture);

}  // namespace tintara
