#include "platform/sane_frames.h"

#include <algorithm>
#include <cstring>

namespace tintara {

namespace {

// A sample of a row at 1, 8 or 16 bits, as 16 bits. Line art marks black with 1.
uint16_t Sample(const uint8_t* row, int index, int depth) {
  switch (depth) {
    case 1: return (row[index / 8] >> (7 - index % 8)) & 1 ? 0 : 0xffff;
    case 8: return static_cast<uint16_t>(row[index] * 257);
    default: {
      uint16_t value;
      std::memcpy(&value, row + 2 * index, 2);  // the machine's own byte order
      return value;
    }
  }
}

int BytesNeeded(int samples, int depth) {
  return depth == 1 ? (samples + 7) / 8 : samples * depth / 8;
}

}  // namespace

bool SaneFrameAssembler::AddFrame(const SANE_Parameters& parameters,
                                  const std::vector<uint8_t>& bytes) {
  const int depth = parameters.depth;
  const int width = parameters.pixels_per_line;
  const int stride = parameters.bytes_per_line;
  if ((depth != 1 && depth != 8 && depth != 16) || width <= 0 || stride <= 0) return false;
  const int lines = static_cast<int>(bytes.size() / static_cast<size_t>(stride));
  if (lines <= 0) return false;
  const bool rgb = parameters.format == SANE_FRAME_RGB;
  if (BytesNeeded(width * (rgb ? 3 : 1), depth) > stride || (rgb && depth == 1)) return false;

  if (parameters.format == SANE_FRAME_RED) return AddChannel(0, parameters, bytes, lines);
  if (parameters.format == SANE_FRAME_GREEN) return AddChannel(1, parameters, bytes, lines);
  if (parameters.format == SANE_FRAME_BLUE) return AddChannel(2, parameters, bytes, lines);
  if (parameters.format != SANE_FRAME_GRAY && !rgb) return false;

  QImage::Format format = rgb ? (depth == 16 ? QImage::Format_RGBX64 : QImage::Format_RGB888)
                              : (depth == 16 ? QImage::Format_Grayscale16
                                             : QImage::Format_Grayscale8);
  separateDepth_ = 0;
  image_ = QImage(width, lines, format);
  if (image_.isNull()) return false;
  const int samples = width * (rgb ? 3 : 1);
  for (int y = 0; y < lines; ++y) {
    const uint8_t* row = bytes.data() + static_cast<size_t>(y) * stride;
    uchar* out = image_.scanLine(y);
    if (depth == 8) {
      std::memcpy(out, row, static_cast<size_t>(samples));
    } else if (depth == 1) {
      for (int x = 0; x < width; ++x) out[x] = static_cast<uchar>(Sample(row, x, 1) >> 8);
    } else if (!rgb) {
      std::memcpy(out, row, static_cast<size_t>(samples) * 2);
    } else {
      auto* pixels = reinterpret_cast<uint16_t*>(out);
      for (int x = 0; x < width; ++x) {
        for (int c = 0; c < 3; ++c) pixels[4 * x + c] = Sample(row, 3 * x + c, 16);
        pixels[4 * x + 3] = 0xffff;
      }
    }
  }
  return true;
}

bool SaneFrameAssembler::AddChannel(int channel, const SANE_Parameters& parameters,
                                    const std::vector<uint8_t>& bytes, int lines) {
  const int width = parameters.pixels_per_line;
  if (image_.isNull() || image_.format() != QImage::Format_RGBX64) {
    image_ = QImage(width, lines, QImage::Format_RGBX64);
    if (image_.isNull()) return false;
    image_.fill(Qt::black);
  }
  const int rows = std::min(lines, image_.height());
  const int columns = std::min(width, image_.width());
  for (int y = 0; y < rows; ++y) {
    const uint8_t* row = bytes.data() + static_cast<size_t>(y) * parameters.bytes_per_line;
    auto* pixels = reinterpret_cast<uint16_t*>(image_.scanLine(y));
    for (int x = 0; x < columns; ++x) pixels[4 * x + channel] = Sample(row, x, parameters.depth);
  }
  separateDepth_ = parameters.depth;
  return true;
}

}  // namespace tintara

namespace tintara {

QImage SaneFrameAssembler::Result() const {
  // Single-colour frames of 8 bits were widened to share one buffer.
  if (separateDepth_ != 0 && separateDepth_ != 16) return image_.convertToFormat(QImage::Format_RGB888);
  return image_;
}

}  // namespace tintara
