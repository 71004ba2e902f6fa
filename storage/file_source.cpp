#include "storage/file_source.h"

#include <cerrno>

#include <unistd.h>

namespace tintara {

bool FileByteSource::ReadAt(uint64_t offset, void* out, size_t size) {
  auto* to = static_cast<uint8_t*>(out);
  while (size != 0) {
    ssize_t n = pread(fd_, to, size, off_t(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      int first = 0;
      error_.compare_exchange_strong(first, n < 0 ? errno : EIO);
      return false;
    }
    to += n;
    offset += uint64_t(n);
    size -= size_t(n);
  }
  return true;
}

}  // namespace tintara
