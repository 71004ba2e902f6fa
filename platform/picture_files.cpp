#include "platform/picture_files.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <new>

#include "colors/file_read.h"
#include "platform/image_drawing.h"
#include "platform/picture_limits.h"
#include "platform/quiet_standard_error.h"
#include "platform/replacing_file_device.h"

namespace tintara {

namespace {

std::string Text(const QString& text) { return text.toStdString(); }

QString Quoted(const QString& name) { return QStringLiteral("\"%1\"").arg(name); }

// The JPEG decoder fills a cut-off file with grey and reports success, so a
// missing end-of-image marker after the main scan is detected here.
bool JpegLooksComplete(QIODevice& device) {
  if (!device.seek(0)) return true;
  QByteArray head = device.read(2);
  if (head.size() != 2 || uint8_t(head[0]) != 0xFF || uint8_t(head[1]) != 0xD8) return true;
  qint64 at = 2;
  for (;;) {  // walk the segments up to the start of scan
    if (!device.seek(at)) return false;
    QByteArray marker = device.read(4);
    if (marker.size() < 4 || uint8_t(marker[0]) != 0xFF) return false;
    uint8_t code = uint8_t(marker[1]);
    if (code == 0xFF) { ++at; continue; }
    qint64 length = (qint64(uint8_t(marker[2])) << 8) | uint8_t(marker[3]);
    at += 2 + length;
    if (code == 0xDA) break;
  }
  if (!device.seek(at)) return false;
  char previous = 0;
  while (!device.atEnd()) {
    QByteArray chunk = device.read(1 << 20);
    for (char c : chunk) {
      if (uint8_t(previous) == 0xFF && uint8_t(c) == 0xD9) return true;
      previous = c;
    }
    if (chunk.isEmpty()) break;
  }
  return false;
}

int DpiFromDotsPerMetre(int dotsPerMetre) {
  return std::clamp(int(std::lround(dotsPerMetre * 0.0254)), 0, 0xFFFF);
}

// Qt gives a default density to files that state none; that counts as unknown.
uint32_t ResolutionOf(const QImage& image) {
  static const QImage plain(1, 1, QImage::Format_RGB32);
  if (image.dotsPerMeterX() == plain.dotsPerMeterX() &&
      image.dotsPerMeterY() == plain.dotsPerMeterY()) {
    return 0;
  }
  uint32_t x = uint32_t(DpiFromDotsPerMetre(image.dotsPerMeterX()));
  uint32_t y = uint32_t(DpiFromDotsPerMetre(image.dotsPerMeterY()));
  return x | y << 16;
}

QString ReasonOf(QImageReader::ImageReaderError error) {
  switch (error) {
    case QImageReader::FileNotFoundError: return QStringLiteral("the file does not exist");
    case QImageReader::DeviceError: return QStringLiteral("the file cannot be read");
    case QImageReader::UnsupportedFormatError:
      return QStringLiteral("it is not a picture, or its format is not supported");
    case QImageReader::InvalidDataError: return QStringLiteral("the picture is damaged or truncated");
    default: return QStringLiteral("the picture is damaged or truncated");
  }
}

PictureLoad Failure(const QString& name, const QString& reason) {
  return {nullptr, Text(QStringLiteral("Cannot load the picture %1: %2.").arg(Quoted(name), reason))};
}

PictureLoad LoadFromDevice(QIODevice& device, const QString& name, uint64_t budget) {
  // Qt's own limit guards the decoders; ours is checked from the header first.
  QImageReader::setAllocationLimit(int(std::min<uint64_t>(budget >> 20, INT_MAX - 64)) + 64);
  if (device.size() == 0) return Failure(name, QStringLiteral("the file is empty"));
  QImageReader reader(&device);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(true);
  if (!reader.canRead()) return Failure(name, ReasonOf(QImageReader::UnsupportedFormatError));
  QSize size = reader.size();
  if (IsVectorFormat(reader.format()) && size.isValid()) {
    size = VectorRenderSize(size, budget);
    reader.setScaledSize(size);
  }
  if (size.isValid() && (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide ||
                         qint64(size.width()) * size.height() > kMaxPicturePixels)) {
    return Failure(name, QStringLiteral("the picture is too large (%1 × %2 pixels; at most %3 "
                                        "megapixels and %4 pixels a side can be loaded)")
                             .arg(size.width()).arg(size.height())
                             .arg(kMaxPicturePixels / 1'000'000).arg(kMaxPictureSide));
  }
  QString refusal =
      RefusalBeforeDecoding(size, reader.imageFormat(), reader.format(), device.size(), budget);
  if (!refusal.isEmpty()) return Failure(name, refusal);
  bool jpeg = reader.format() == "jpeg" || reader.format() == "jpg";
  qint64 start = device.pos();
  QImage image = reader.read();
  if (image.isNull()) return Failure(name, ReasonOf(reader.error()));
  if (jpeg && device.isSequential() == false) {
    bool complete = JpegLooksComplete(device);
    device.seek(start);
    if (!complete) return Failure(name, ReasonOf(QImageReader::InvalidDataError));
  }
  if (image.colorSpace().isValid() && image.colorSpace() != QColorSpace(QColorSpace::SRgb)) {
    image.convertToColorSpace(QColorSpace(QColorSpace::SRgb));
  }
  ImageRef result = QImageToImage(image);
  if (!result) return Failure(name, QStringLiteral("there is not enough memory"));
  result->SetResolution(ResolutionOf(image));
  return {result, {}};
}

const char* WriterFormat(const QString& path) {
  QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == "png") return "png";
  if (suffix == "jpg" || suffix == "jpeg") return "jpeg";
  if (suffix == "bmp") return "bmp";
  if (suffix == "tif" || suffix == "tiff") return "tiff";
  if (suffix == "webp") return "webp";
  return nullptr;
}

}  // namespace

bool OpenRegularFileForReading(QFile& file, const QString& path, int* error) {
  return OpenRegularFileForReading(file, QFile::encodeName(path).toStdString(), error);
}

bool OpenRegularFileForReading(QFile& file, const std::string& nativePath, int* error) {
  // Only a regular file, opened without blocking: a pipe would wait for ever.
  UniqueFd descriptor = OpenRegularFile(nativePath, error);
  if (!descriptor) return false;
  if (!file.open(descriptor.Get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    if (error != nullptr) *error = EIO;
    return false;
  }
  descriptor.Release();
  return true;
}

PictureLoad LoadPictureFile(const QString& path, uint64_t budget) {
  return LoadPictureFile(QFile::encodeName(path).toStdString(), budget);
}

PictureLoad LoadPictureFile(const std::string& nativePath, uint64_t budget) {
  const QString name =
      QFileInfo(QFile::decodeName(QByteArray::fromStdString(nativePath))).fileName();
  int error = 0;
  QFile file;
  if (!OpenRegularFileForReading(file, nativePath, &error)) {
    return Failure(name, ReasonOf(error == ENOENT ? QImageReader::FileNotFoundError
                                                  : QImageReader::DeviceError));
  }
  return LoadPictureDevice(file, name, budget);
}

PictureLoad LoadPictureDevice(QIODevice& device, const QString& name, uint64_t budget) {
  QuietStandardError quiet;  // the failure is told in one line of our own
  return LoadFromDevice(device, name, budget);
}

PictureLoad LoadPictureBytes(const QByteArray& bytes, const QString& name, uint64_t budget) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  return LoadFromDevice(buffer, name, budget);
}

ImageRef QImageToImage(const QImage& source) {
  ImageRef image = ImageBuffer::Create(kKindRgb24, source.width(), source.height());
  std::optional<PixelRows> pixels = image ? image->WritableRows() : std::nullopt;
  if (!pixels) return nullptr;
  const int32_t width = image->Width();
  const int32_t height = image->Height();
  // Converted a strip at a time, so a deep or paletted picture never has a
  // whole 32-bit copy beside it.
  constexpr int kStripRows = 256;
  for (int top = 0; top < height; top += kStripRows) {
    const int rows = std::min(kStripRows, height - top);
    QImage part = source.copy(0, top, width, rows);
    QImage rgb;
    if (part.hasAlphaChannel()) {
      rgb = QImage(part.size(), QImage::Format_RGB32);
      if (rgb.isNull()) return nullptr;
      rgb.fill(Qt::white);
      QPainter painter(&rgb);
      painter.drawImage(0, 0, part);
    } else {
      rgb = part.convertToFormat(QImage::Format_RGB32);
    }
    if (rgb.isNull()) return nullptr;
    for (int line = 0; line < rows; ++line) {
      const QRgb* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(line));
      uint8_t* out = pixels->Row(height - 1 - (top + line));
      for (int32_t x = 0; x < width; ++x) {
        out[3 * x] = uint8_t(qBlue(in[x]));
        out[3 * x + 1] = uint8_t(qGreen(in[x]));
        out[3 * x + 2] = uint8_t(qRed(in[x]));
      }
    }
  }
  return image;
}

QImage ImageToQImage(const ImageBuffer& image) {
  // The wrapper starts with the bottom row; mirroring makes a copy, top first.
  QImage copy = WrapImageRows(image).mirrored(false, true);
  if (image.HorizontalDpi() > 0 && image.VerticalDpi() > 0) {
    copy.setDotsPerMeterX(int(std::lround(image.HorizontalDpi() / 0.0254)));
    copy.setDotsPerMeterY(int(std::lround(image.VerticalDpi() / 0.0254)));
  }
  return copy;
}

std::string SavePictureFile(const ImageBuffer& image, const QString& path) {
  QString name = QFileInfo(path).fileName();
  auto failure = [&](const QString& reason) {
    return Text(QStringLiteral("Cannot save the picture %1: %2.").arg(Quoted(name), reason));
  };
  const char* format = WriterFormat(path);
  if (format == nullptr) {
    return failure(QStringLiteral("choose PNG, JPEG, BMP, TIFF or WebP as the file type"));
  }
  QImage picture = ImageToQImage(image);
  if (picture.isNull()) return failure(QStringLiteral("there is not enough memory"));
  ReplacingFileDevice file(QFile::encodeName(path).toStdString());
  if (!file.isOpen()) return failure(QString::fromStdString(file.Error()));
  QImageWriter writer(&file, format);
  if (qstrcmp(format, "jpeg") == 0 || qstrcmp(format, "webp") == 0) writer.setQuality(95);
  if (!writer.write(picture)) {
    std::string reason = file.Failed() ? file.Error() : writer.errorString().toStdString();
    return failure(QString::fromStdString(reason));
  }
  std::string error = file.Commit();
  if (!error.empty()) return failure(QString::fromStdString(error));
  return {};
}

QString ReadableFormatsFilter() {
  QStringList patterns;
  for (const QByteArray& format : QImageReader::supportedImageFormats()) {
    patterns << QStringLiteral("*.") + QString::fromLatin1(format);
  }
  return QStringLiteral("Pictures (%1);;All files (*)").arg(patterns.join(' '));
}

QStringList WritableFormatsFilters() {
  return {QStringLiteral("PNG (*.png)"), QStringLiteral("JPEG (*.jpg *.jpeg)"),
          QStringLiteral("BMP (*.bmp)"), QStringLiteral("TIFF (*.tif *.tiff)"),
          QStringLiteral("WebP (*.webp)")};
}

}  // namespace tintara
