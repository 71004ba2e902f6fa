// Areas of equal colour in an index image: the 4-connected set of pixels that
// share the value of a seed pixel.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/image_buffer.h"
#include "imaging/region.h"

namespace tintara {

// One horizontal run of an area: row y, columns left..right-1.
struct AreaRun {
  int32_t y = 0;
  int32_t left = 0;
  int32_t right = 0;
};

// Finds areas one after another in the same image. Keeps a visited map the
// size of the image between calls, cleared run by run, so that each search
// costs in proportion to the area found rather than to the image.
class AreaFinder {
 public:
  // Null when the image is not one byte per pixel or memory runs out.
  static std::unique_ptr<AreaFinder> Create(const ImageBuffer& image);

  // The area holding (x, y); false when (x, y) lies outside the image or
  // memory runs out. The runs and bounds stay valid until the next call.
  bool Find(int32_t x, int32_t y);
  const std::vector<AreaRun>& Runs() const { return runs_; }
  const BoxRect& Bounds() const { return bounds_; }
  // A mask region over the last area's bounds, 255 inside; null on failure.
  RegionPtr MakeRegion() const;

 private:
  struct Private {};

 public:
  AreaFinder(Private, const ImageBuffer& image) : image_(image) {}

 private:
  struct Seed {
    int32_t x;
    int32_t y;
  };
  void Search(int32_t x, int32_t y);
  void PushSegments(int32_t y, int32_t left, int32_t right, uint8_t value);

  const ImageBuffer& image_;
  std::vector<uint8_t> visited_;
  std::vector<Seed> seeds_;
  std::vector<AreaRun> runs_;
  BoxRect bounds_;
};

// The mask region of the area holding (x, y) in an index image; null when
// (x, y) lies outside the image or the mask cannot be made. The mask covers
// the area's bounding rectangle, which is all that any reader of a mask region
// samples, so the selected pixels are the same as for a mask of the whole image.
RegionPtr SelectSameColorArea(const ImageBuffer& image, int32_t x, int32_t y);

// The click of the area-selection tool at pattern pixel (x, y): the area that
// becomes the new selection, or null when nothing changes (no index image, a
// click outside the pattern, no memory).
RegionPtr SelectAreaAt(const ImageBuffer* indexImage, int32_t x, int32_t y);

}  // namespace tintara
