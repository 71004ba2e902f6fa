#include "platform/replacing_file_device.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tintara {

ReplacingFileDevice::ReplacingFileDevice(const std::string& path)
    : file_(std::make_unique<ReplacingFile>(path)) {
  if (file_->IsOpen()) QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

ReplacingFileDevice::~ReplacingFileDevice() = default;

std::string ReplacingFileDevice::Error() const {
  return std::strerror(file_->LastError() != 0 ? file_->LastError() : EIO);
}

std::string ReplacingFileDevice::Commit() {
  // Qt writers may close the device when they end; the file's own state decides.
  bool ok = file_->IsOpen() && file_->Commit();
  QIODevice::close();
  return ok ? std::string() : Error();
}

bool ReplacingFileDevice::seek(qint64 position) {
  if (position < 0 || !file_->Seek(uint64_t(position))) return false;
  return QIODevice::seek(position);
}

qint64 ReplacingFileDevice::readData(char*, qint64) { return -1; }

qint64 ReplacingFileDevice::writeData(const char* data, qint64 size) {
  if (size < 0 || !file_->Write(data, size_t(size))) {
    setErrorString(QString::fromStdString(Error()));
    return -1;
  }
  end_ = std::max(end_, pos() + size);
  return size;
}

}  // namespace tintara
