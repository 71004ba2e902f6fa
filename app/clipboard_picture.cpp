#include "app/clipboard_picture.h"

#include <QImage>
#include <QMimeData>
#include <span>

#include "platform/picture_files.h"
#include "storage/clipboard_bitmap.h"

namespace tintara {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr uint32_t kUnstatedResolution = 72u | 72u << 16;  // dots per inch on both axes

ImageRef FromBitmapBytes(const QByteArray& bytes) {
  return BitmapToImage(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                                size_t(bytes.size())));
}

}  // namespace

bool ClipboardHoldsPicture(const QMimeData* data) {
  return data != nullptr && (data->hasFormat(QString::fromLatin1(kBitmapMimeType)) ||
                             data->hasImage());
}

QByteArray BitmapBytesOf(const QByteArray& bmpData) {
  if (bmpData.size() > kFileHeaderSize && bmpData.startsWith("BM")) {
    return bmpData.mid(kFileHeaderSize);
  }
  return bmpData;
}

ImageRef PictureFromClipboard(const QMimeData* data) {
  if (data == nullptr) return nullptr;
  QString bitmapType = QString::fromLatin1(kBitmapMimeType);
  if (data->hasFormat(bitmapType)) {
    if (ImageRef picture = FromBitmapBytes(BitmapBytesOf(data->data(bitmapType)))) return picture;
  }
  // Bitmaps the conversion does not take (32 bits, compressed) still arrive as images.
  if (!data->hasImage()) return nullptr;
  QImage image = qvariant_cast<QImage>(data->imageData());
  if (image.isNull()) return nullptr;
  ImageRef picture = QImageToImage(image);
  if (!picture) return nullptr;
  // The same resolution a bitmap without one is given.
  picture->SetResolution(kUnstatedResolution);
  return picture;
}

}  // namespace tintara
