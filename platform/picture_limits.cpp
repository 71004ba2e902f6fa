#include "platform/picture_limits.h"

#include <algorithm>
#include <cmath>

#include "storage/memory_budget.h"

namespace tintara {

namespace {

// Pixels a byte of file can stand for at most. A JPEG spends at least a bit
// on every 8 × 8 block of every channel; deflate, LZW and run lengths reach
// about a thousand to one on bytes, and a bilevel picture packs 8 pixels into
// each. Beyond these the size field lies and decoding would only fill memory.
constexpr uint64_t kJpegPixelsPerByte = 2048;
constexpr uint64_t kOtherPixelsPerByte = 65536;
// Small pictures are never refused for their length.
constexpr uint64_t kAlwaysAllowedPixels = 4'000'000;

int BytesPerPixel(QImage::Format format) {
  QImage probe(1, 1, format);
  return probe.isNull() ? 4 : std::max(1, probe.depth() / 8);
}

QString SizeText(QSize size) {
  return QString::fromStdString(PixelSizeText(size.width(), size.height()));
}

}  // namespace

uint64_t DecodedBytes(QSize size, QImage::Format format) {
  const uint64_t pixels =
      uint64_t(std::max(0, size.width())) * uint64_t(std::max(0, size.height()));
  return pixels * (uint64_t(BytesPerPixel(format)) + 3);
}

bool IsVectorFormat(const QByteArray& readerFormat) {
  return readerFormat == "svg" || readerFormat == "svgz";
}

QString RefusalBeforeDecoding(QSize size, QImage::Format format, const QByteArray& readerFormat,
                              qint64 fileBytes, uint64_t budget) {
  if (!size.isValid()) return {};
  const uint64_t pixels = uint64_t(size.width()) * uint64_t(size.height());
  const bool jpeg = readerFormat == "jpeg" || readerFormat == "jpg";
  const uint64_t perByte = jpeg ? kJpegPixelsPerByte : kOtherPixelsPerByte;
  if (!IsVectorFormat(readerFormat) && pixels > kAlwaysAllowedPixels &&
      pixels / perByte > uint64_t(std::max<qint64>(fileBytes, 0))) {
    const QString text = QStringLiteral("the file is far too small for the %1 pixels it declares, "
                                        "so it is damaged");
    return text.arg(SizeText(size));
  }
  const uint64_t needed = DecodedBytes(size, format);
  if (needed > budget) {
    return QStringLiteral("%1 pixels would take %2 of memory, more than the limit of %3")
        .arg(SizeText(size), QString::fromStdString(MemoryAmountText(needed)),
             QString::fromStdString(MemoryAmountText(budget)));
  }
  return {};
}

QSize VectorRenderSize(QSize declared, uint64_t budget) {
  if (!declared.isValid() || declared.isEmpty()) return declared;
  double scale =
      std::min(1.0, double(kMaxVectorSide) / std::max(declared.width(), declared.height()));
  const double perPixel = double(DecodedBytes(QSize(1, 1), QImage::Format_ARGB32_Premultiplied));
  const double area = double(declared.width()) * declared.height() * scale * scale;
  if (area * perPixel > double(budget)) scale *= std::sqrt(double(budget) / (area * perPixel));
  return QSize(std::max(1, int(declared.width() * scale)),
               std::max(1, int(declared.height() * scale)));
}

}  // namespace tintara
