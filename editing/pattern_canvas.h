// Painting on the pattern by hand: a pixel gets the painting colour in the
// converted picture and its palette position in the index image together.
// The canvas remembers the box of everything it touched, so that only that
// part of the pattern is drawn again.
#pragma once

#include <climits>
#include <cstdint>
#include <optional>

#include "imaging/image_buffer.h"
#include "imaging/region.h"

namespace tintara {

class CTessel20Doc;

class PatternCanvas {
 public:
  // Paints with the document's current colour. Nothing without a converted
  // picture and index image of one size, or when their pixels cannot be made
  // private to the document.
  static std::optional<PatternCanvas> Open(CTessel20Doc& doc);

  // Paints with another working colour from now on.
  void UsePaint(int32_t position, uint8_t red, uint8_t green, uint8_t blue);

  void Pixel(int32_t x, int32_t y);
  // The pen's footprint at c; pixels outside the picture are skipped.
  void Dab(Point c, int32_t widthStep, int32_t shape);
  // Pixels x0..x1 of row y, cut to the picture.
  void Run(int32_t y, int32_t x0, int32_t x1);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Inside(int32_t x, int32_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
  }
  // Rows and columns painted so far, right and bottom exclusive; empty when none.
  BoxRect Touched() const;

 private:
  PatternCanvas(PixelRows converted, PixelRows index, int32_t colorIndex, uint8_t red,
                uint8_t green, uint8_t blue);

  PixelRows converted_;
  PixelRows index_;
  int32_t width_;
  int32_t height_;
  uint8_t colorIndex_;
  uint8_t bgr_[3];
  LtrbRect touched_{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
};

}  // namespace tintara
