#include "storage/archive.h"

#include <cerrno>
#include <cstring>
#include <new>

#include <unistd.h>

namespace tintara {

bool VectorSink::Write(const void* data, size_t size) {
  const auto* p = static_cast<const uint8_t*>(data);
  try {
    bytes.insert(bytes.end(), p, p + size);
  } catch (const std::bad_alloc&) {
    return false;  // a failed write, like a full disk
  }
  return true;
}

FileSink::FileSink(const std::string& path, bool exclusive)
    : file_(std::fopen(path.c_str(), exclusive ? "wbx" : "wb")) {
  if (!file_) error_ = errno;
}

bool FileSink::Write(const void* data, size_t size) {
  if (!file_) return false;
  if (size == 0) return true;
  if (std::fwrite(data, 1, size, file_.get()) != size) {
    error_ = errno;
    return false;
  }
  return true;
}

bool FileSink::Close() {
  if (!file_) return false;
  // Durable before it may replace an older file.
  bool ok = std::fflush(file_.get()) == 0 && fsync(fileno(file_.get())) == 0;
  if (!ok) error_ = errno;
  std::FILE* f = file_.release();
  if (std::fclose(f) != 0 && ok) {
    error_ = errno;
    ok = false;
  }
  return ok && error_ == 0;
}

void ArchiveWriter::WriteBytes(const void* data, size_t size) {
  if (ok_ && !sink_.Write(data, size)) ok_ = false;
}

void ArchiveWriter::WriteByte(uint8_t value) { WriteBytes(&value, 1); }

void ArchiveWriter::WriteUInt16(uint16_t value) {
  uint8_t b[2] = {uint8_t(value), uint8_t(value >> 8)};
  WriteBytes(b, 2);
}

void ArchiveWriter::WriteUInt32(uint32_t value) {
  uint8_t b[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
  WriteBytes(b, 4);
}

void ArchiveWriter::WriteInt32(int32_t value) { WriteUInt32(uint32_t(value)); }

void ArchiveWriter::WriteString(const std::string& text) {
  size_t length = text.size();
  if (length < 0xFF) {
    WriteByte(uint8_t(length));
  } else if (length < 0xFFFE) {
    WriteByte(0xFF);
    WriteUInt16(uint16_t(length));
  } else {
    WriteByte(0xFF);
    WriteUInt16(0xFFFF);
    WriteUInt32(uint32_t(length));
  }
  WriteBytes(text.data(), length);
}

bool ArchiveReader::Take(size_t size, std::span<const uint8_t>& out) {
  if (!ok_ || size > Remaining()) {
    ok_ = false;
    out = {};
    return false;
  }
  out = bytes_.subspan(position_, size);
  position_ += size;
  return true;
}

bool ArchiveReader::Skip(size_t size) {
  std::span<const uint8_t> ignored;
  return Take(size, ignored);
}

bool ArchiveReader::ReadBytes(void* out, size_t size) {
  std::span<const uint8_t> view;
  if (!Take(size, view)) return false;
  if (size != 0) std::memcpy(out, view.data(), size);
  return true;
}

bool ArchiveReader::ReadByte(uint8_t& value) { return ReadBytes(&value, 1); }

bool ArchiveReader::ReadUInt16(uint16_t& value) {
  uint8_t b[2];
  if (!ReadBytes(b, 2)) return false;
  value = uint16_t(b[0] | (b[1] << 8));
  return true;
}

bool ArchiveReader::ReadUInt32(uint32_t& value) {
  uint8_t b[4];
  if (!ReadBytes(b, 4)) return false;
  value = uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
  return true;
}

bool ArchiveReader::ReadInt32(int32_t& value) {
  uint32_t raw;
  if (!ReadUInt32(raw)) return false;
  value = int32_t(raw);
  return true;
}

bool ArchiveReader::ReadString(std::string& text) {
  uint8_t shortLength;
  if (!ReadByte(shortLength)) return false;
  size_t length = shortLength;
  if (shortLength == 0xFF) {
    uint16_t mid;
    if (!ReadUInt16(mid)) return false;
    length = mid;
    if (mid == 0xFFFF) {
      uint32_t full;
      if (!ReadUInt32(full)) return false;
      length = full;
    }
  }
  std::span<const uint8_t> view;
  if (!Take(length, view)) return false;  // checked before anything is allocated
  text.assign(reinterpret_cast<const char*>(view.data()), view.size());
  return true;
}

}  // namespace tintara
