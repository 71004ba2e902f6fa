// A Qt output device over a ReplacingFile: Qt writers (PDF, pictures) write
// through it, and the target is replaced only when every byte reached the
// disk.
#pragma once

#include <QIODevice>
#include <memory>
#include <string>

#include "storage/replacing_file.h"

namespace tintara {

class ReplacingFileDevice : public QIODevice {
 public:
  // Opens for writing at once; on failure isOpen() is false and Error() says why.
  explicit ReplacingFileDevice(const std::string& path);
  ~ReplacingFileDevice() override;  // without Commit the target stays as it was

  // Replaces the target; "" on success, else the reason. Any write that
  // failed before makes it fail, and the temporary file is gone then.
  std::string Commit();
  std::string Error() const;
  // A write has failed already.
  bool Failed() const { return file_->LastError() != 0; }
  bool seek(qint64 position) override;
  qint64 size() const override { return end_; }

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char* data, qint64 size) override;

 private:
  std::unique_ptr<ReplacingFile> file_;
  qint64 end_ = 0;
};

}  // namespace tintara
