#include "storage/archive.h"

#include <algorithm>
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

namespace {

// Small reads from a source come through a window of this size; larger ones
// go straight to their destination.
constexpr size_t kWindowBytes = 64 << 10;

}  // namespace

bool ArchiveReader::Fail() {
  ok_ = false;
  return false;
}

bool ArchiveReader::ReadFromSource(void* out, size_t size) {
  auto* to = static_cast<uint8_t*>(out);
  while (size != 0) {
    if (position_ >= windowStart_ && position_ < windowStart_ + window_.size()) {
      const size_t at = size_t(position_ - windowStart_);
      const size_t n = std::min(size, window_.size() - at);
      std::memcpy(to, window_.data() + at, n);
      to += n;
      size -= n;
      position_ += n;
    } else if (size >= kWindowBytes) {
      if (!source_->ReadAt(position_, to, size)) return Fail();
      position_ += size;
      return true;
    } else {
      window_.resize(size_t(std::min<uint64_t>(kWindowBytes, Remaining())));
      windowStart_ = position_;
      if (!source_->ReadAt(position_, window_.data(), window_.size())) {
        window_.clear();
        return Fail();
      }
    }
  }
  return true;
}

bool ArchiveReader::Take(size_t size, std::span<const uint8_t>& out) {
  out = {};
  if (!ok_ || size > Remaining()) return Fail();
  if (source_ == nullptr) {
    out = bytes_.subspan(size_t(position_), size);
    position_ += size;
    return true;
  }
  try {
    taken_.resize(size);
  } catch (const std::bad_alloc&) {
    return Fail();
  }
  if (!ReadFromSource(taken_.data(), size)) return false;
  out = taken_;
  return true;
}

bool ArchiveReader::Skip(uint64_t size) {
  if (!ok_ || size > Remaining()) return Fail();
  position_ += size;
  return true;
}

bool ArchiveReader::ReadBytes(void* out, size_t size) {
  if (!ok_ || size > Remaining()) return Fail();
  if (size == 0) return true;
  if (source_ != nullptr) return ReadFromSource(out, size);
  std::memcpy(out, bytes_.data() + position_, size);
  position_ += size;
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
