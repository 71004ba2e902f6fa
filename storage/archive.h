// Archive encoding: little-endian integers and length-prefixed byte strings.
//
// A string's length is one byte when below 255; 0xFF and a 16-bit length when
// below 0xFFFE; else 0xFF, 0xFFFF and a 32-bit length. This file depends on
// nothing else of the program so that every layer may use it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tintara {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual bool Write(const void* data, size_t size) = 0;
};

class VectorSink : public ByteSink {
 public:
  bool Write(const void* data, size_t size) override;
  std::vector<uint8_t> bytes;
};

// Writes through a C stream that it owns and closes.
class FileSink : public ByteSink {
 public:
  // `exclusive`: fail when the file exists already.
  explicit FileSink(const std::string& path, bool exclusive = false);
  bool IsOpen() const { return file_ != nullptr; }
  bool Write(const void* data, size_t size) override;
  // Flushes to the disk and closes; false when anything failed to reach the file.
  bool Close();
  int LastError() const { return error_; }

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  int error_ = 0;
};

class ArchiveWriter {
 public:
  explicit ArchiveWriter(ByteSink& sink) : sink_(sink) {}
  void WriteInt32(int32_t value);
  void WriteUInt32(uint32_t value);
  void WriteUInt16(uint16_t value);
  void WriteByte(uint8_t value);
  void WriteBytes(const void* data, size_t size);
  void WriteString(const std::string& text);
  // False once any write failed; later writes are skipped.
  bool Ok() const { return ok_; }
  // Marks the output as failed (an encoder upstream of the sink failed).
  void Fail() { ok_ = false; }

 private:
  ByteSink& sink_;
  bool ok_ = true;
};

// Where a reader's bytes come from when they are not all in memory: a file
// read as it goes, so that its size never becomes an allocation.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Exactly `size` bytes from `offset`; false when they cannot all be read.
  virtual bool ReadAt(uint64_t offset, void* out, size_t size) = 0;
};

// Reads from bytes in memory, or from a ByteSource through a small window.
// Reading past the end fails cleanly: the reader stays failed, the value is
// left unset and no memory is allocated from an unchecked length. Copies read
// on from the same place, independently of the original.
class ArchiveReader {
 public:
  explicit ArchiveReader(std::span<const uint8_t> bytes) : bytes_(bytes), size_(bytes.size()) {}
  // `source` must outlive the reader and its copies.
  explicit ArchiveReader(ByteSource& source) : source_(&source), size_(source.Size()) {}
  bool ReadInt32(int32_t& value);
  bool ReadUInt32(uint32_t& value);
  bool ReadUInt16(uint16_t& value);
  bool ReadByte(uint8_t& value);
  bool ReadBytes(void* out, size_t size);
  bool ReadString(std::string& text);
  // A view of the next `size` bytes, consumed, valid until the next read;
  // empty span and failure when short.
  bool Take(size_t size, std::span<const uint8_t>& out);
  // Steps over bytes without reading them.
  bool Skip(uint64_t size);

  bool Ok() const { return ok_; }
  uint64_t Position() const { return position_; }
  uint64_t Remaining() const { return size_ - position_; }
  void Rewind() {
    position_ = 0;
    ok_ = true;
  }

 private:
  bool Fail();
  bool ReadFromSource(void* out, size_t size);

  std::span<const uint8_t> bytes_;  // when reading from memory
  ByteSource* source_ = nullptr;
  uint64_t size_ = 0;
  uint64_t position_ = 0;
  bool ok_ = true;
  std::vector<uint8_t> window_;  // source bytes from windowStart_ on
  uint64_t windowStart_ = 0;
  std::vector<uint8_t> taken_;   // what Take hands out from a source
};

}  // namespace tintara
