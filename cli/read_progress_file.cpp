#include "cli/read_progress_file.h"

#include "platform/picture_files.h"

namespace tintara::cli {

ReadProgressFile::ReadProgressFile(std::string nativePath,
                                   std::function<void(qint64, qint64)> onRead)
    : path_(std::move(nativePath)), onRead_(std::move(onRead)) {}

bool ReadProgressFile::OpenForReading() {
  int error = 0;
  if (!OpenRegularFileForReading(file_, path_, &error)) return false;
  return open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

bool ReadProgressFile::seek(qint64 position) {
  return QIODevice::seek(position) && file_.seek(position);
}

qint64 ReadProgressFile::readData(char* data, qint64 maxSize) {
  if (file_.pos() != pos() && !file_.seek(pos())) return -1;
  qint64 count = file_.read(data, maxSize);
  if (count > 0 && pos() + count > furthest_) {
    furthest_ = pos() + count;
    if (onRead_) onRead_(furthest_, file_.size());
  }
  return count;
}

}  // namespace tintara::cli
