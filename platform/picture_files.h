// Reading pictures from files into true-colour ImageBuffers and writing any
// ImageBuffer as PNG, JPEG, BMP, TIFF or WebP, through Qt's image I/O.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

#include "imaging/image_buffer.h"
#include "storage/memory_budget.h"

class QFile;

namespace tintara {

// Largest picture accepted: a side of 65535 pixels and 400 megapixels, which
// still leaves room for the decoder's own copy on a 24 GiB machine. A 100
// megapixel photo loads.
constexpr int64_t kMaxPicturePixels = 400'000'000;
constexpr int32_t kMaxPictureSide = 65535;

struct PictureLoad {
  ImageRef image;     // true colour, bottom-up; null on failure
  std::string error;  // the reason, naming the file, when image is null
};

// EXIF orientation is applied, a picture with a colour space is converted to
// sRGB, transparent parts are laid over white, and the resolution comes from
// the file's dots per metre (0 when the file gives none). The size is read
// from the header and checked before anything is decoded: against the length
// of the file and against `budget`, the bytes decoding may take. Vector
// pictures are rendered at a bounded size.
PictureLoad LoadPictureFile(const QString& path, uint64_t budget = kDefaultPictureBudget);
// The same for a name in the file system's own bytes, which need not be
// UTF-8 (a name from the command line).
PictureLoad LoadPictureFile(const std::string& nativePath, uint64_t budget = kDefaultPictureBudget);
// Opens `path` for reading when it is a regular file, without blocking on a
// pipe or device; false with an errno value in `error` otherwise.
bool OpenRegularFileForReading(QFile& file, const QString& path, int* error);
bool OpenRegularFileForReading(QFile& file, const std::string& nativePath, int* error);
// The same from an open device that can seek (one that reports how far the
// decoder has read, for instance); `name` names it in messages.
PictureLoad LoadPictureDevice(QIODevice& device, const QString& name,
                              uint64_t budget = kDefaultPictureBudget);
// The same from bytes already in memory; `name` names them in messages.
PictureLoad LoadPictureBytes(const QByteArray& bytes, const QString& name,
                             uint64_t budget = kDefaultPictureBudget);

// Writes the picture in the format its extension names (png, jpg, jpeg, bmp,
// tif, tiff, webp), through a temporary file so that a failed save leaves an
// older file untouched. Returns "" on success, else the reason.
std::string SavePictureFile(const ImageBuffer& image, const QString& path);

// The picture as a QImage of its own pixels, top row first.
QImage ImageToQImage(const ImageBuffer& image);
// A true-colour ImageBuffer from any QImage (alpha laid over white); null
// when memory runs out.
ImageRef QImageToImage(const QImage& image);

// File dialog filters: every format Qt reads, and the formats we write.
QString ReadableFormatsFilter();
QStringList WritableFormatsFilters();

}  // namespace tintara
