#include "storage/png_writer.h"

#include <zlib.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "storage/archive.h"
#include "storage/replacing_file.h"
#include "storage/zlib_streams.h"

namespace tintara {

namespace {

// Large enough that chunk headers cost nothing, far below the 2^31 - 1 a
// chunk may hold, and small enough to pass through memory.
constexpr size_t kIdatBytes = size_t(1) << 18;

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

void PutChunk(ArchiveWriter& out, const char type[4], const uint8_t* data, size_t size) {
  std::vector<uint8_t> head;
  PutBigEndian(head, uint32_t(size));
  head.insert(head.end(), type, type + 4);
  uLong crc = crc32(0L, head.data() + 4, 4);
  if (size != 0) crc = crc32(crc, data, uInt(size));
  std::vector<uint8_t> tail;
  PutBigEndian(tail, uint32_t(crc));
  out.WriteBytes(head.data(), head.size());
  out.WriteBytes(data, size);
  out.WriteBytes(tail.data(), tail.size());
}

void PutChunk(ArchiveWriter& out, const char type[4], const std::vector<uint8_t>& data) {
  PutChunk(out, type, data.data(), data.size());
}

// Bytes of one file row (no filter byte): BGR turned into RGB for true colour.
void FileRow(const ImageBuffer& image, int32_t y, PngColorType type, uint8_t* out) {
  const uint8_t* row = image.Row(y);
  if (type != PngColorType::kTrueColor) {
    std::memcpy(out, row, size_t(image.Width()));
    return;
  }
  for (int32_t x = 0; x < image.Width(); ++x) {
    out[3 * x] = row[3 * x + 2];
    out[3 * x + 1] = row[3 * x + 1];
    out[3 * x + 2] = row[3 * x];
  }
}

// The rows, top first, each after a filter byte 0, as one zlib stream cut
// into IDAT chunks of at most kIdatBytes.
bool WriteImageData(const ImageBuffer& image, PngColorType type, ArchiveWriter& out) {
  DeflateStream stream;
  if (!stream.ready) return false;
  z_stream& z = stream.z;
  size_t rowBytes = size_t(image.Width()) * (type == PngColorType::kTrueColor ? 3 : 1);
  std::vector<uint8_t> line(rowBytes + 1, 0);
  std::vector<uint8_t> chunk(kIdatBytes);
  z.next_out = chunk.data();
  z.avail_out = uInt(chunk.size());
  for (int32_t i = 0; i < image.Height() && out.Ok(); ++i) {
    FileRow(image, image.Height() - 1 - i, type, line.data() + 1);
    bool last = i + 1 == image.Height();
    z.next_in = line.data();
    z.avail_in = uInt(line.size());
    int status;
    do {
      status = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
      if (status == Z_STREAM_ERROR) return false;
      bool ended = last && status == Z_STREAM_END;
      if (z.avail_out == 0 || ended) {
        PutChunk(out, "IDAT", chunk.data(), chunk.size() - z.avail_out);
        z.next_out = chunk.data();
        z.avail_out = uInt(chunk.size());
      }
      if (ended) break;
    } while (z.avail_in != 0 || last);
  }
  return out.Ok();
}

std::vector<uint8_t> Header(const ImageBuffer& image, PngColorType type) {
  std::vector<uint8_t> data;
  PutBigEndian(data, uint32_t(image.Width()));
  PutBigEndian(data, uint32_t(image.Height()));
  data.push_back(8);  // bits per sample
  data.push_back(type == PngColorType::kTrueColor ? 2 : type == PngColorType::kPalette ? 3 : 0);
  data.push_back(0);  // deflate
  data.push_back(0);  // adaptive filtering (every row uses filter 0)
  data.push_back(0);  // not interlaced
  return data;
}

std::vector<uint8_t> PhysicalSize(const ImageBuffer& image) {
  std::vector<uint8_t> data;
  PutBigEndian(data, uint32_t(std::lround(image.HorizontalDpi() / 0.0254)));
  PutBigEndian(data, uint32_t(std::lround(image.VerticalDpi() / 0.0254)));
  data.push_back(1);  // metres
  return data;
}

std::vector<uint8_t> Palette(const ImageBuffer& image) {
  std::vector<uint8_t> data;
  for (int i = 0; i < 256; ++i) {
    PaletteEntry entry = image.PaletteAt(i);
    data.insert(data.end(), {entry.red, entry.green, entry.blue});
  }
  return data;
}

// The whole file into `out`; false when the picture's kind has no PNG form,
// memory runs out or a write failed.
bool WritePng(const ImageBuffer& image, ArchiveWriter& out) {
  PngColorType type;
  if (!PngColorTypeFor(image.Kind(), type)) return false;
  try {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    out.WriteBytes(kSignature, sizeof kSignature);
    PutChunk(out, "IHDR", Header(image, type));
    if (image.HorizontalDpi() > 0 && image.VerticalDpi() > 0) {
      PutChunk(out, "pHYs", PhysicalSize(image));
    }
    if (type == PngColorType::kPalette) PutChunk(out, "PLTE", Palette(image));
    if (!WriteImageData(image, type, out)) return false;
    PutChunk(out, "IEND", nullptr, 0);
    return out.Ok();
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace

bool PngColorTypeFor(int32_t kind, PngColorType& type) {
  switch (kind) {
    case kKindRgb24: type = PngColorType::kTrueColor; return true;
    case kKind8Bit: type = PngColorType::kPalette; return true;
    case kKindGray8: type = PngColorType::kGrey; return true;
    default: return false;
  }
}

std::vector<uint8_t> EncodePng(const ImageBuffer& image) {
  VectorSink sink;
  ArchiveWriter writer(sink);
  if (!WritePng(image, writer)) return {};
  return std::move(sink.bytes);
}

std::string WritePngFile(const ImageBuffer& image, const std::string& path) {
  PngColorType type;
  if (!PngColorTypeFor(image.Kind(), type)) return "the picture cannot be written as PNG";
  ReplacingFile file(path);
  if (!file.IsOpen()) return std::strerror(file.LastError());
  ArchiveWriter writer(file);
  bool written = WritePng(image, writer);
  if (written && file.Commit()) return {};
  if (file.LastError() != 0) return std::strerror(file.LastError());
  return "there is not enough memory";
}

}  // namespace tintara
