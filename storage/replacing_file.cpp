#include "storage/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <new>
#include <string_view>

namespace tintara {

namespace {

namespace fs = std::filesystem;

constexpr size_t kBufferBytes = size_t(1) << 18;
constexpr int kMaxLinkHops = 40;
constexpr std::string_view kMark = ".saving-";
// Names tried for a temporary file before giving up: another file of that name
// is never removed, the next name is taken instead.
constexpr int kNameTries = 100;

// The file a path finally names, following symbolic links (also dangling ones,
// so that a link to a file yet to be made creates that file).
int FollowLinks(const std::string& path, std::string& resolved) {
  fs::path current(path);
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info;
    if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      resolved = current.string();
      return 0;
    }
    std::error_code code;
    fs::path link = fs::read_symlink(current, code);
    if (code) return code.value();
    current = link.is_absolute() ? link : current.parent_path() / link;
  }
  return ELOOP;
}

std::string FolderOfPath(const std::string& path) {
  std::string folder = fs::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

int WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    if (written == 0) return ENOSPC;
    data += written;
    size -= size_t(written);
  }
  return 0;
}

// Writes all of `from` over `to` from the start, through `chunk`, and cuts
// `to` to that length.
int CopyFileContents(int from, int to, std::vector<uint8_t>& chunk) {
  chunk.resize(kBufferBytes);
  off_t offset = 0;
  for (;;) {
    ssize_t got = pread(from, chunk.data(), chunk.size(), offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) break;
    if (lseek(to, offset, SEEK_SET) < 0) return errno;
    if (int error = WriteAll(to, chunk.data(), size_t(got))) return error;
    offset += got;
  }
  return ftruncate(to, offset) == 0 ? 0 : errno;
}

// A folder's entries reach the disk; file systems that cannot sync a folder are no failure.
int SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return 0;
  int error = fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP ? 0 : errno;
  close(fd);
  return error;
}

// 0 when `target` may be replaced. The mode bits count for every user: the
// superuser's right to write anything does not make a read-only file writable.
int CheckTarget(const std::string& target, struct stat& info, bool& exists) {
  exists = false;
  if (stat(target.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
  exists = true;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!S_ISREG(info.st_mode)) return EINVAL;
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
  if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return errno;
  return 0;
}

}  // namespace

std::string TemporaryNameFor(const std::string& target, long processId, int attempt) {
  fs::path path(target);
  // Built by appending: GCC 12 at -O3 misreads "." + std::string as overlapping copies.
  std::string name = ".";
  name += path.filename().string();
  name += kMark;
  name += std::to_string(processId);
  if (attempt > 0) {
    name += '-';
    name += std::to_string(attempt);
  }
  return (path.parent_path() / name).string();
}

ReplacingFile::ReplacingFile(const std::string& path) { Open(path); }

ReplacingFile::~ReplacingFile() {
  if (fd_ >= 0) close(fd_);
  if (named_) unlink(temporary_.c_str());
}

bool ReplacingFile::Fail(int error) {
  if (error_ == 0) error_ = error != 0 ? error : EIO;
  return false;
}

bool ReplacingFile::Open(const std::string& path) {
  if (int error = FollowLinks(path, target_)) return Fail(error);
  struct stat old{};
  if (int error = CheckTarget(target_, old, replacesOld_)) return Fail(error);
  oldMode_ = old.st_mode & 07777;
  oldOwner_ = old.st_uid;
  oldGroup_ = old.st_gid;
  sharesLinks_ = replacesOld_ && old.st_nlink > 1;
  folder_ = FolderOfPath(target_);
  try {
    buffer_.reserve(kBufferBytes);
  } catch (const std::bad_alloc&) {
    return Fail(ENOMEM);
  }
  // Unnamed where the system offers it: a killed write then leaves nothing.
  if (access("/proc/self/fd", X_OK) == 0) {
    fd_ = open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd_ >= 0) return true;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return Fail(errno);
  }
  return TakeFreeName([this](const std::string& name) {
    fd_ = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return fd_ >= 0;
  });
}

bool ReplacingFile::TakeFreeName(const std::function<bool(const std::string&)>& make) {
  for (int attempt = 0; attempt < kNameTries; ++attempt) {
    temporary_ = TemporaryNameFor(target_, long(getpid()), attempt);
    if (make(temporary_)) {
      named_ = true;
      return true;
    }
    if (errno != EEXIST) return Fail(errno);
  }
  return Fail(EEXIST);
}

bool ReplacingFile::Write(const void* data, size_t size) {
  if (fd_ < 0 || error_ != 0) return false;
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (buffer_.size() + size > kBufferBytes && !Flush()) return false;
  if (size >= kBufferBytes) {
    if (int error = WriteAll(fd_, bytes, size)) return Fail(error);
    return true;
  }
  buffer_.insert(buffer_.end(), bytes, bytes + size);
  return true;
}

bool ReplacingFile::Seek(uint64_t position) {
  if (fd_ < 0 || error_ != 0 || !Flush()) return Fail(error_);
  if (lseek(fd_, off_t(position), SEEK_SET) < 0) return Fail(errno);
  return true;
}

bool ReplacingFile::Flush() {
  if (int error = WriteAll(fd_, buffer_.data(), buffer_.size())) return Fail(error);
  buffer_.clear();
  return true;
}

// An unnamed file gets its temporary name now, just before the rename.
bool ReplacingFile::GiveName() {
  if (named_) return true;
  char self[64];
  std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd_);
  return TakeFreeName([&self](const std::string& name) {
    return linkat(AT_FDCWD, self, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
  });
}

bool ReplacingFile::Commit() {
  if (fd_ < 0 || error_ != 0 || !Flush()) return Fail(error_);
  if (fsync(fd_) != 0) return Fail(errno);
  if (sharesLinks_ && CopyIntoTarget()) return true;
  if (error_ != 0) return false;
  return RenameOverTarget();
}

// The old file's other names see the new contents only when the file itself
// is rewritten. The complete copy keeps its name until the rewrite is on disk,
// so a rewrite cut short still leaves the whole new file beside the target.
bool ReplacingFile::CopyIntoTarget() {
  if (!GiveName()) return false;
  struct stat copy;
  if (fstat(fd_, &copy) != 0) return false;
  int target = open(target_.c_str(), O_WRONLY | O_CLOEXEC);
  if (target < 0) return false;  // the rename below still saves the work
  // Room for the whole new file first: a full disk then stops the rewrite
  // before the old contents are touched, and the rename saves the work.
  if (posix_fallocate(target, 0, copy.st_size) != 0) {
    close(target);
    return false;
  }
  int error = CopyFileContents(fd_, target, buffer_);  // written out: free to reuse
  if (error == 0 && fsync(target) != 0) error = errno;
  if (close(target) != 0 && error == 0) error = errno;
  if (error != 0) return false;
  close(fd_);
  fd_ = -1;
  unlink(temporary_.c_str());
  named_ = false;
  return true;
}

bool ReplacingFile::RenameOverTarget() {
  if (replacesOld_) {
    // As far as the file system lets us: only the superuser can give a file
    // away, and some file systems keep no modes at all. Neither stops the save.
    if (fchown(fd_, uid_t(oldOwner_), gid_t(oldGroup_)) != 0) {
      [[maybe_unused]] int ignored = fchown(fd_, uid_t(-1), gid_t(oldGroup_));
    }
    [[maybe_unused]] int ignored = fchmod(fd_, mode_t(oldMode_));
  }
  if (!GiveName()) return false;
  int closed = close(fd_);
  fd_ = -1;
  if (closed != 0) return Fail(errno);
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) return Fail(errno);
  named_ = false;
  if (int error = SyncFolder(folder_)) return Fail(error);
  return true;
}

}  // namespace tintara
