// The vector writers take paint names from palette files, which come from
// outside: for any small index image and any names, the SVG must be
// well-formed XML in sound UTF-8 and the vector PDF must be complete.
#include <QFile>
#include <QGuiApplication>
#include <QXmlStreamReader>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/pattern_svg.h"
#include "platform/vector_pdf.h"

namespace {

struct Bytes {
  const uint8_t* data;
  size_t size;
  uint8_t Next() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
  std::string Text(size_t length) {
    std::string text;
    for (size_t i = 0; i < length && size > 0; ++i) text += char(Next());
    return text;
  }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in{data, size};
  const int32_t width = 1 + in.Next() % 24, height = 1 + in.Next() % 24;
  tintara::CTesselParams params;
  const size_t paints = 1 + in.Next() % 6;
  for (size_t i = 0; i < paints; ++i) {
    tintara::CFlossColor paint;
    paint.colorName = in.Text(in.Next() % 12);
    paint.brandName = in.Text(in.Next() % 8);
    paint.red = in.Next();
    params.workingPalette.push_back(paint);
  }
  tintara::ImageRef index = tintara::ImageBuffer::Create(tintara::kKindGray8, width, height);
  const tintara::PixelRows rows = index->WritableRows().value();
  for (int32_t y = 0; y < height; ++y) {
    // Values past the palette are allowed: such areas are titled by number.
    for (int32_t x = 0; x < width; ++x) rows.Row(y)[x] = uint8_t(in.Next() % (paints + 1));
  }
  tintara::PatternSvgInput input{index.get(), &params.workingPalette, 0x808080, 0, 0,
                                 tintara::SvgStyle::kFilled, (size & 1) != 0};
  const tintara::PatternOutlines outlines = tintara::TraceOutlines(*index);
  const std::string svg = tintara::PatternSvg(input, outlines, tintara::WholePatternNumberPlaces(*index));
  const QByteArray bytes(svg.data(), qsizetype(svg.size()));
  if (QString::fromUtf8(bytes).toUtf8() != bytes) __builtin_trap();
  QXmlStreamReader xml(bytes);
  while (!xml.atEnd()) xml.readNext();
  if (xml.hasError()) __builtin_trap();

  const std::string path = "/tmp/fuzz-svg-writer-" + std::to_string(QCoreApplication::applicationPid()) + ".pdf";
  tintara::PdfPageSetup setup;
  setup.pagesPerSide = 1 + int(size % 2);
  if (width >= setup.pagesPerSide && height >= setup.pagesPerSide) {
    if (!tintara::WriteVectorPatternPdf(*index, params, setup, path, false, uint64_t(64) << 20).empty()) {
      __builtin_trap();
    }
    QFile pdf(QString::fromStdString(path));
    if (!pdf.open(QIODevice::ReadOnly)) __builtin_trap();
    const QByteArray written = pdf.readAll();
    if (!written.startsWith("%PDF-") || !written.trimmed().endsWith("%%EOF")) __builtin_trap();
    pdf.remove();
  }
  return 0;
}
