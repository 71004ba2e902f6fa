#include "storage/picture_record.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <deque>
#include <algorithm>
#include <memory>
#include <new>
#include <span>
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

// The rows' deflate stream, read as it is needed. Row y may use the data of
// its own chunk and whatever earlier chunks left unread, never more: `in`
// steps over each row's chunk while `data`, a second reader starting at the
// same place, trails it through the chunks' bytes. Only a window of input is
// held, however the data is spread over the chunks.
class ChunkedInput {
 public:
  explicit ChunkedInput(const ArchiveReader& in) : data_(in) {}

  // Reads the next row's chunk header from `in` and makes its bytes available.
  bool AddChunk(ArchiveReader& in) {
    int32_t size;
    if (!in.ReadInt32(size) || size < 0 || !in.Skip(uint64_t(size))) return false;
    chunks_.push_back(size);
    return true;
  }

  // Fills `z`'s input when it has run dry; false when the chunks given so far are spent.
  bool Refill(z_stream& z) {
    while (leftInChunk_ == 0 && !chunks_.empty()) {
      leftInChunk_ = uint32_t(chunks_.front());
      chunks_.pop_front();
      if (!data_.Skip(4)) return false;
    }
    if (leftInChunk_ == 0) return false;
    const size_t n = std::min<size_t>(sizeof buffer_, leftInChunk_);
    if (!data_.ReadBytes(buffer_, n)) return false;
    leftInChunk_ -= uint32_t(n);
    z.next_in = buffer_;
    z.avail_in = uInt(n);
    return true;
  }

 private:
  ArchiveReader data_;
  std::deque<int32_t> chunks_;  // entered by `in`, not yet by `data_`
  uint32_t leftInChunk_ = 0;
  uint8_t buffer_[16384];
};

bool ReadRowsCompressed(ArchiveReader& in, const PixelRows& picture) {
  InflateStream stream;
  if (!stream.ready) return false;
  const size_t stride = picture.Stride();
  auto input = std::make_unique<ChunkedInput>(in);
  for (int32_t y = 0; y < picture.Height(); ++y) {
    if (!input->AddChunk(in)) return false;
    stream.z.next_out = picture[y];
    stream.z.avail_out = uInt(stride);
    while (stream.z.avail_out != 0) {
      // Damaged, or the row's data ran out.
      if (stream.z.avail_in == 0 && !input->Refill(stream.z)) return false;
      int status = inflate(&stream.z, Z_PARTIAL_FLUSH);
      if (status == Z_STREAM_END && stream.z.avail_out == 0) break;
      if (status != Z_OK) return false;
    }
  }
  return true;
}

bool ReadRowsRaw(ArchiveReader& in, const PixelRows& picture) {
  for (int32_t y = 0; y < picture.Height(); ++y) {
    if (!in.ReadBytes(picture[y], picture.Stride())) return false;
  }
  return true;
}

}  // namespace

namespace {

void WriteRows(ArchiveWriter& out, const ImageBuffer& picture, std::atomic<int32_t>* rowsWritten,
               const std::atomic<bool>* stop) {
  DeflateStream stream;
  std::vector<uint8_t> chunk;
  if (!stream.ready) {
    out.Fail();
    return;
  }
  for (int32_t y = 0; y < picture.Height() && out.Ok(); ++y) {
    if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
      out.Fail();
      return;
    }
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
                        std::atomic<int32_t>* rowsWritten, const std::atomic<bool>* stop) {
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
    WriteRows(out, *picture, rowsWritten, stop);
  } catch (const std::bad_alloc&) {
    out.Fail();
  }
}

namespace {

// The header, checked against the bytes that remain; the palette is left unread.
bool ReadHeader(ArchiveReader& in, RowEncoding encoding, PictureHeader& header) {
  header = {};
  int32_t width, height, kind;
  if (!in.ReadInt32(width) || !in.ReadInt32(height) || !in.ReadInt32(kind)) return false;
  if (width == -1) return true;
  if (!IsValidKind(kind) || !IsAcceptableSize(kind, width, height)) return false;
  header = {true, kind, width, height};
  uint64_t bytes = header.Bytes();
  uint64_t remaining = in.Remaining();
  return encoding == RowEncoding::kRaw
             ? bytes <= remaining
             : (uint64_t(height) * 4 <= remaining && bytes <= remaining * kMaxInflateRatio + 64);
}

}  // namespace

uint64_t PictureHeader::Bytes() const {
  return present ? uint64_t(RowStride(kind, width)) * uint64_t(height) : 0;
}

bool SkipPictureRecord(ArchiveReader& in, RowEncoding encoding, PictureHeader& header) {
  if (!ReadHeader(in, encoding, header)) return false;
  if (!header.present) return true;
  if (header.kind == kKind8Bit && !in.Skip(1024)) return false;
  if (encoding == RowEncoding::kRaw) return in.Skip(size_t(header.Bytes()));
  for (int32_t y = 0; y < header.height; ++y) {
    int32_t size;
    if (!in.ReadInt32(size) || size < 0 || !in.Skip(size_t(size))) return false;
  }
  return true;
}

bool ReadPictureRecord(ArchiveReader& in, RowEncoding encoding, ImageRef& picture,
                       bool* outOfMemory) {
  picture = nullptr;
  if (outOfMemory != nullptr) *outOfMemory = false;
  PictureHeader header;
  if (!ReadHeader(in, encoding, header)) return false;
  if (!header.present) return true;
  const int32_t kind = header.kind;
  PaletteEntry palette[256];
  if (kind == kKind8Bit) {
    uint8_t raw[1024];
    if (!in.ReadBytes(raw, sizeof raw)) return false;
    for (int i = 0; i < 256; ++i) palette[i] = {raw[4 * i], raw[4 * i + 1], raw[4 * i + 2], raw[4 * i + 3]};
  }
  ImageRef image = kind == kKind8Bit ? ImageBuffer::CreateWithPalette(kind, header.width,
                                                                      header.height, palette, 256)
                                     : ImageBuffer::Create(kind, header.width, header.height);
  std::optional<PixelRows> rows = image ? image->WritableRows() : std::nullopt;
  if (!rows) image = nullptr;
  bool ok = false;
  try {
    ok = rows &&
         (encoding == RowEncoding::kRaw ? ReadRowsRaw(in, *rows) : ReadRowsCompressed(in, *rows));
  } catch (const std::bad_alloc&) {
    image = nullptr;
  }
  if (!image && outOfMemory != nullptr) *outOfMemory = true;
  if (!ok) return false;
  picture = std::move(image);
  return true;
}

}  // namespace tintara
