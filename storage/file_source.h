// A file read in place by an ArchiveReader: the reader takes what it needs
// when it needs it, so a file's size is never an allocation.
#pragma once

#include <atomic>
#include <cstdint>

#include "storage/archive.h"

namespace tintara {

class FileByteSource : public ByteSource {
 public:
  // `fd` stays open and owned by the caller for the source's life; `size` is
  // the file's size when it was opened.
  FileByteSource(int fd, uint64_t size) : fd_(fd), size_(size) {}
  uint64_t Size() const override { return size_; }
  bool ReadAt(uint64_t offset, void* out, size_t size) override;
  // The errno of the first read that failed (EIO when the file had shrunk),
  // else 0. Reads may run on several threads at once.
  int Error() const { return error_.load(); }

 private:
  int fd_;
  uint64_t size_;
  std::atomic<int> error_{0};
};

}  // namespace tintara
