#include "colors/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>

namespace tintara {

std::string FileErrorText(const FileError& error) {
  switch (error.kind) {
    case FileErrorKind::kNotFound: return error.path + " was not found.";
    case FileErrorKind::kAccessDenied: return "Access to " + error.path + " was denied.";
    case FileErrorKind::kTooLarge: return error.path + " is too large.";
    case FileErrorKind::kOutOfMemory:
      return "There is not enough memory to read " + error.path + ".";
    case FileErrorKind::kReadFailed: break;
  }
  return "An error occurred while reading " + error.path + ".";
}

FileError FileErrorFromErrno(int error, const std::string& path) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return {FileErrorKind::kNotFound, path};
    case EACCES:
    case EPERM: return {FileErrorKind::kAccessDenied, path};
    case ENOMEM: return {FileErrorKind::kOutOfMemory, path};
    default: return {FileErrorKind::kReadFailed, path};
  }
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) ::close(fd_);
}

uint64_t UniqueFd::Size() const {
  struct stat info {};
  return fd_ >= 0 && ::fstat(fd_, &info) == 0 && info.st_size > 0 ? uint64_t(info.st_size) : 0;
}

bool UniqueFd::ReadFully(void* out, size_t size, int* error) const {
  auto* at = static_cast<uint8_t*>(out);
  while (size > 0) {
    ssize_t got = ::read(fd_, at, std::min<size_t>(size, size_t(1) << 30));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      if (error != nullptr) *error = got < 0 ? errno : EIO;
      return false;
    }
    at += got;
    size -= size_t(got);
  }
  return true;
}

UniqueFd OpenRegularFile(const std::string& path, int* error) {
  auto fail = [&](int code) {
    if (error != nullptr) *error = code;
    return UniqueFd();
  };
  // O_NONBLOCK: opening a pipe without a writer would otherwise wait for ever.
  UniqueFd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!file) return fail(errno);
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) return fail(errno);
  if (S_ISDIR(info.st_mode)) return fail(EISDIR);
  if (!S_ISREG(info.st_mode)) return fail(EINVAL);
  return file;
}

std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes,
                                         FileError* error) {
  auto fail = [&](FileError e) -> std::optional<std::string> {
    if (error != nullptr) *error = std::move(e);
    return std::nullopt;
  };
  int code = 0;
  UniqueFd file = OpenRegularFile(path, &code);
  if (!file) return fail(FileErrorFromErrno(code, path));
  std::string bytes;
  try {
    char chunk[1 << 16];
    for (;;) {
      ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return fail(FileErrorFromErrno(errno, path));
      if (got == 0) break;
      if (size_t(got) > maxBytes - bytes.size()) return fail({FileErrorKind::kTooLarge, path});
      bytes.append(chunk, size_t(got));
    }
  } catch (const std::bad_alloc&) {
    return fail({FileErrorKind::kOutOfMemory, path});
  }
  return bytes;
}

}  // namespace tintara
