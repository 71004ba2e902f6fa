#include "storage/picture_record.h"

#include <zlib.h>

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "storage/zlib_streams.h"

namespace tintara {

namespace {

// Deflate can shrink long runs about a thousandfold; a stored size needing
// more output than that from the remaining bytes cannot be genuine.
constexpr uint64_t kMaxInflateRatio = 1100;

// Record streams are never finished: no final block and no checksum trailer.
// Every byte the stream produces for the row, however narrow the row.
bool CompressRow(DeflateStream& stream, const uint8_t* row, size_t length,
                 std::vector<uint8_t>& chunk) {
  chunk.clear();
  stream.z.next_in = const_cast<Bytef*>(row);
  stream.z.avail_in = uInt(length);
  uint8_t buffer[16384];
  do {
    stream.z.next_out = buffer;
    stream.z.avail_out = sizeof buffer;
    int status = deflate(&stream.z, Z_PARTIAL_FLUSH);
    if (status != Z_OK && status != Z_BUF_ERROR) return false;
    chunk.insert(chunk.end(), buffer, buffer + (sizeof buffer - stream.z.avail_out));
  } while (stream.z.avail_out == 0 || stream.z.avail_in != 0);
  return true;
}

void WritePalette(ArchiveWriter& out, const ImageBuffer& picture) {
  PaletteEntry entries[256];
  picture.ReadPalette(0, 256, entries);
  uint8_t bytes[1024];
  for (int i = 0; i < 256; ++i) {
    bytes[4 * i] = entries[i].red;
    bytes[4 * i + 1] = entries[i].green;
    bytes[4 * i + 2] = entries[i].blue;
    bytes[4 * i + 3] = entries[i].flags;
  }
  out.WriteBytes(bytes, sizeof bytes);
}

bool ReadRowsCompressed(ArchiveReader& in, ImageBuffer& picture) {
  InflateStream stream;
  if (!stream.ready) return false;
  size_t stride = size_t(picture.Stride());
  std::vector<uint8_t> pending;  // input the previous row left unread
  for (int32_t y = 0; y < picture.Height(); ++y) {
    int32_t size;
    std::span<const uint8_t> chunk;
    if (!in.ReadInt32(size) || size < 0 || !in.Take(size_t(size), chunk)) return false;
    pending.insert(pending.end(), chunk.begin(), chunk.end());
    stream.z.next_in = pending.data();
    stream.z.avail_in = uInt(pending.size());
    stream.z.next_out = picture.MutableRow(y);
    stream.z.avail_out = uInt(stride);
    while (stream.z.avail_out != 0) {
      int status = inflate(&stream.z, Z_PARTIAL_FLUSH);
      if (status == Z_STREAM_END && stream.z.avail_out == 0) break;
      if (status != Z_OK || (stream.z.avail_in == 0 && stream.z.avail_out != 0)) {
        return false;  // damaged, or the row's data ran out
      }
    }
    pending.erase(pending.begin(), pending.end() - stream.z.avail_in);
  }
  return true;
}

bool ReadRowsRaw(ArchiveReader& in, ImageBuffer& picture) {
  for (int32_t y = 0; y < picture.Height(); ++y) {
    if (!in.ReadBytes(picture.MutableRow(y), size_t(picture.Stride()))) return false;
  }
  return true;
}

}  // namespace

namespace {

void WriteRows(ArchiveWriter& out, const ImageBuffer& picture, std::atomic<int32_t>* rowsWritten) {
  DeflateStream stream;
  std::vector<uint8_t> chunk;
  if (!stream.ready) {
    out.Fail();
    return;
  }
  for (int32_t y = 0; y < picture.Height() && out.Ok(); ++y) {
    if (!CompressRow(stream, picture.Row(y), size_t(picture.Stride()), chunk)) {
      out.Fail();
      return;
    }
    out.WriteInt32(int32_t(chunk.size()));
    out.WriteBytes(chunk.data(), chunk.size());
    if (rowsWritten != nullptr) rowsWritten->store(y + 1, std::memory_order_relaxed);
  }
}

}  // namespace

void WritePictureRecord(ArchiveWriter& out, const ImageBuffer* picture,
                        std::atomic<int32_t>* rowsWritten) {
  if (picture == nullptr) {
    out.WriteInt32(-1);
    out.WriteInt32(-1);
    out.WriteInt32(-1);
    return;
  }
  out.WriteInt32(picture->Width());
  out.WriteInt32(picture->Height());
  out.WriteInt32(picture->Kind());
  if (picture->Kind() == kKind8Bit) WritePalette(out, *picture);
  try {
    WriteRows(out, *picture, rowsWritten);
  } catch (const std::bad_alloc&) {
    out.Fail();
  }
}

bool ReadPictureRecord(ArchiveReader& in, RowEncoding encoding, ImageRef& picture) {
  picture = nullptr;
  int32_t width, height, kind;
  if (!in.ReadInt32(width) || !in.ReadInt32(height) || !in.ReadInt32(kind)) return false;
  if (width == -1) return true;
  if (!IsValidKind(kind) || !IsAcceptableSize(kind, width, height)) return false;
  uint64_t bytes = uint64_t(RowStride(kind, width)) * uint64_t(height);
  uint64_t remaining = in.Remaining();
  if (encoding == RowEncoding::kRaw ? bytes > remaining
                                    : (uint64_t(height) * 4 > remaining ||
                                       bytes > remaining * kMaxInflateRatio + 64)) {
    return false;
  }
  PaletteEntry palette[256];
  if (kind == kKind8Bit) {
    uint8_t raw[1024];
    if (!in.ReadBytes(raw, sizeof raw)) return false;
    for (int i = 0; i < 256; ++i) palette[i] = {raw[4 * i], raw[4 * i + 1], raw[4 * i + 2], raw[4 * i + 3]};
  }
  ImageRef image = kind == kKind8Bit ? ImageBuffer::CreateWithPalette(kind, width, height, palette, 256)
                                     : ImageBuffer::Create(kind, width, height);
  if (!image) return false;
  bool ok = encoding == RowEncoding::kRaw ? ReadRowsRaw(in, *image) : ReadRowsCompressed(in, *image);
  if (!ok) return false;
  picture = std::move(image);
  return true;
}

}  // namespace tintara
