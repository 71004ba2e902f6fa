#include "storage/png_writer.h"

#include <zlib.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <unistd.h>

#include "storage/archive.h"
#include "storage/zlib_streams.h"

namespace tintara {

namespace {

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
  PutBigEndian(out, uint32_t(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0L, out.data() + start, uInt(out.size() - start));
  PutBigEndian(out, uint32_t(crc));
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

// The rows, top first, each after a filter byte 0, as one zlib stream.
bool CompressRows(const ImageBuffer& image, PngColorType type, std::vector<uint8_t>& out) {
  DeflateStream stream;
  if (!stream.ready) return false;
  z_stream& z = stream.z;
  size_t rowBytes = size_t(image.Width()) * (type == PngColorType::kTrueColor ? 3 : 1);
  std::vector<uint8_t> line(rowBytes + 1, 0);
  uint8_t buffer[65536];
  bool ok = true;
  for (int32_t i = 0; i < image.Height() && ok; ++i) {
    FileRow(image, image.Height() - 1 - i, type, line.data() + 1);
    bool last = i + 1 == image.Height();
    z.next_in = line.data();
    z.avail_in = uInt(line.size());
    int status;
    do {
      z.next_out = buffer;
      z.avail_out = sizeof buffer;
      status = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
      if (status == Z_STREAM_ERROR) ok = false;
      out.insert(out.end(), buffer, buffer + (sizeof buffer - z.avail_out));
    } while (ok && (z.avail_out == 0 || (last && status != Z_STREAM_END)));
  }
  return ok;
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
  PngColorType type;
  if (!PngColorTypeFor(image.Kind(), type)) return {};
  try {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> file(kSignature, kSignature + 8);
    PutChunk(file, "IHDR", Header(image, type));
    if (image.HorizontalDpi() > 0 && image.VerticalDpi() > 0) {
      PutChunk(file, "pHYs", PhysicalSize(image));
    }
    if (type == PngColorType::kPalette) PutChunk(file, "PLTE", Palette(image));
    std::vector<uint8_t> rows;
    if (!CompressRows(image, type, rows)) return {};
    PutChunk(file, "IDAT", rows);
    PutChunk(file, "IEND", {});
    return file;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

std::string WritePngFile(const ImageBuffer& image, const std::string& path) {
  std::vector<uint8_t> bytes = EncodePng(image);
  if (bytes.empty()) return "the picture cannot be written as PNG";
  std::string temporary = path + ".writing-" + std::to_string(getpid());
  int error = 0;
  {
    FileSink sink(temporary);
    if (!sink.IsOpen()) return std::strerror(sink.LastError());
    bool written = sink.Write(bytes.data(), bytes.size());
    bool closed = sink.Close();
    if (!written || !closed) error = sink.LastError() != 0 ? sink.LastError() : EIO;
  }
  if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    std::remove(temporary.c_str());
    return std::strerror(error);
  }
  return {};
}

}  // namespace tintara
