// A file written beside its target and put in the target's place only when
// complete, so that a failed or killed write never destroys the previous copy
// and never leaves a half file under the target's name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "storage/archive.h"

namespace tintara {

class ReplacingFile : public ByteSink {
 public:
  // Prepares to replace `path`. A symbolic link is followed: the file it
  // points to is replaced and the link stays. Fails (IsOpen() false, the
  // reason in LastError()) when the target may not be written: EACCES for a
  // read-only file, EROFS, EISDIR, EINVAL for anything but a regular file.
  // Nothing else in the folder is touched: no other file is ever removed or
  // renamed, whatever its name.
  explicit ReplacingFile(const std::string& path);
  ~ReplacingFile() override;  // without Commit: the temporary file goes
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  bool Write(const void* data, size_t size) override;
  // Later writes go to `position` (writers that fill in headers afterwards).
  bool Seek(uint64_t position);
  // Writes out, syncs, gives the file the old file's permissions, renames it
  // over the target and syncs the folder. False (the target untouched) on any
  // failure, with the reason in LastError(). A target with other hard links is
  // rewritten in place from the synced copy instead, so that every name shows
  // the new contents; when that cannot be done the copy is renamed as usual.
  bool Commit();
  // An errno value; 0 while nothing failed.
  int LastError() const { return error_; }
  // The file that is replaced (the link's target for a link).
  const std::string& Target() const { return target_; }

 private:
  bool Open(const std::string& path);
  bool Flush();
  bool Fail(int error);
  bool GiveName();
  // Tries the temporary names in turn until `make` creates one; a name that
  // another file has is skipped, never removed.
  bool TakeFreeName(const std::function<bool(const std::string&)>& make);
  bool CopyIntoTarget();
  bool RenameOverTarget();

  std::string target_;
  std::string folder_;
  std::string temporary_;  // its name in the folder, once it has one
  bool named_ = false;     // the temporary file has a name to remove
  bool replacesOld_ = false;
  bool sharesLinks_ = false;  // the old file has other names
  uint32_t oldMode_ = 0;
  uint32_t oldOwner_ = 0;
  uint32_t oldGroup_ = 0;
  int fd_ = -1;
  int error_ = 0;
  std::vector<uint8_t> buffer_;
};

// The name a temporary file of `target` gets while it is written: hidden,
// beside the target, marked with the writing process; a later attempt, taken
// when a file of the first name exists, adds its number.
std::string TemporaryNameFor(const std::string& target, long processId, int attempt = 0);

}  // namespace tintara
