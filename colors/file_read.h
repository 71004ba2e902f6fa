// Reading whole files, and why a file could not be read.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

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

// The file's bytes, or nothing (with `error` set) when it cannot be opened or
// read or is larger than `maxBytes`.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes,
                                         FileError* error = nullptr);

}  // namespace tintara
