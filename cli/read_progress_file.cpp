#include "cli/read_progress_file.h"

#include "colors/file_read.h"

namespace tintara::cli {

ReadProgressFile::ReadProgressFile(const QString& path, std::function<void(qint64, qint64)> onRead)
    : file_(path), onRead_(std::move(onRead)) {}

bool ReadProgressFile::OpenForReading() {
  // Only a regular file, opened without blocking: a pipe would wait for ever.
  int error = 0;
  UniqueFd descriptor = OpenRegularFile(QFile::encodeName(file_.fileName()).toStdString(), &error);
  if (!descriptor) return false;
  if (!file_.open(descriptor.Get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return false;
  descriptor.Release();
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
