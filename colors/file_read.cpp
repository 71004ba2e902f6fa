#include "colors/file_read.h"

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

std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes,
                                         FileError* error) {
  auto fail = [&](FileError e) -> std::optional<std::string> {
    if (error != nullptr) *error = std::move(e);
    return std::nullopt;
  };
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
  if (!file) return fail(FileErrorFromErrno(errno, path));
  std::string bytes;
  try {
    char chunk[1 << 16];
    for (;;) {
      size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
      if (got > maxBytes - bytes.size()) return fail({FileErrorKind::kTooLarge, path});
      bytes.append(chunk, got);
      if (got < sizeof chunk) break;
    }
  } catch (const std::bad_alloc&) {
    return fail({FileErrorKind::kOutOfMemory, path});
  }
  if (std::ferror(file.get())) return fail(FileErrorFromErrno(errno, path));
  return bytes;
}

}  // namespace tintara
