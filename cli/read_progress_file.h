// A file that reports how far into it reading has gone, so that the decoding
// of a large picture can show progress: decoders read their input as they go.
#pragma once

#include <QFile>
#include <QIODevice>
#include <functional>
#include <string>

namespace tintara::cli {

class ReadProgressFile : public QIODevice {
 public:
  // `onRead(furthest, size)`: the furthest byte read so far grew.
  // `nativePath`: the name in the file system's own bytes.
  ReadProgressFile(std::string nativePath, std::function<void(qint64, qint64)> onRead);

  // Opens the file for reading, unbuffered, so that positions are the file's own.
  bool OpenForReading();
  QFileDevice::FileError FileError() const { return file_.error(); }

  bool isSequential() const override { return false; }
  qint64 size() const override { return file_.size(); }
  bool seek(qint64 position) override;

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  std::string path_;
  QFile file_;
  std::function<void(qint64, qint64)> onRead_;
  qint64 furthest_ = 0;
};

}  // namespace tintara::cli
