// Picture files from outside: any bytes give a true-colour picture within the
// size limits or a reason, never a crash or a read past the data.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

#include "platform/picture_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  constexpr uint64_t kBudget = uint64_t(256) << 20;  // leaves the run's limit room
  tintara::PictureLoad load = tintara::LoadPictureBytes(bytes, QStringLiteral("fuzz"), kBudget);
  if (load.image) {
    if (load.image->Kind() != tintara::kKindRgb24 ||
        int64_t(load.image->Width()) * load.image->Height() > tintara::kMaxPicturePixels ||
        load.image->ByteSize() > kBudget) {
      __builtin_trap();
    }
  } else if (load.error.empty()) {
    __builtin_trap();
  }
  return 0;
}
