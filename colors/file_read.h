// Reading whole files, and why a file could not be read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace tintara {

enum class FileErrorKind {
  kNotFound,
  kAccessDenied,
  kReadFailed,
  kTooLarge,
  kOutOfMemory,
};

struct FileError {
  FileErrorKind kind = FileErrorKind::kReadFailed;
  std::string path;
};

// The user-visible text, naming the file.
std::string FileErrorText(const FileError& error);
// The error for the errno of a failed open or read.
FileError FileErrorFromErrno(int error, const std::string& path);

// A file descriptor that closes itself.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  ~UniqueFd();
  explicit operator bool() const { return fd_ >= 0; }
  int Get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }
  uint64_t Size() const;  // 0 when unknown
  // Exactly `size` bytes; false with an errno value (EIO when the file ends early).
  bool ReadFully(void* out, size_t size, int* error) const;

 private:
  int fd_ = -1;
};

// Opens a regular file for reading, never blocking: a pipe, a device or a
// folder is refused (EINVAL, EISDIR) without being read. An empty UniqueFd
// and `error` set on failure.
UniqueFd OpenRegularFile(const std::string& path, int* error);

// The file's bytes, or nothing (with `error` set) when it cannot be opened or
// read or is larger than `maxBytes`. Only regular files are read.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes,
                                         FileError* error = nullptr);

}  // namespace tintara
