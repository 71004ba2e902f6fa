// What a picture file may cost before it is decoded: its declared size is
// weighed against the file's length (a few hundred bytes cannot hold a
// genuine 400-megapixel photo) and the decoded memory against the budget.
// Vector pictures have no size of their own and are rendered at a bounded one.
#pragma once

#include <QImage>
#include <QImageReader>
#include <QString>
#include <cstdint>

namespace tintara {

// Longest side a vector picture is rendered at: more than any pattern uses.
constexpr int kMaxVectorSide = 8192;

// Bytes a picture of `format` takes decoded and converted to our true colour:
// the decoder's image and the result (the conversion goes strip by strip).
uint64_t DecodedBytes(QSize size, QImage::Format format);

// The reason a picture is refused before decoding, or an empty string.
// `fileBytes` is the length of the file, `format` the reader's format name.
QString RefusalBeforeDecoding(QSize size, QImage::Format format, const QByteArray& readerFormat,
                              qint64 fileBytes, uint64_t budget);

bool IsVectorFormat(const QByteArray& readerFormat);

// The size a vector picture declaring `declared` is rendered at: the same
// proportions within kMaxVectorSide and within the budget.
QSize VectorRenderSize(QSize declared, uint64_t budget);

}  // namespace tintara
