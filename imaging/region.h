// Selection and mask regions in image coordinates (x to the right, y = row
// number, counting up from the bottom row).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "imaging/image_buffer.h"

namespace tintara {

struct BoxRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool IsEmpty() const { return width <= 0 || height <= 0; }
  friend bool operator==(const BoxRect&, const BoxRect&) = default;
};

// Left, top, right, bottom with right and bottom exclusive.
struct LtrbRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend bool operator==(const LtrbRect&, const LtrbRect&) = default;
};

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

LtrbRect ToLtrb(const BoxRect& box);
BoxRect ToBoxRect(const LtrbRect& rect);
BoxRect Intersect(const BoxRect& a, const BoxRect& b);
BoxRect Unite(const BoxRect& a, const BoxRect& b);

// Combine codes.
constexpr int kCombineAdd = 14;
constexpr int kCombineSubtract = 2;

// Region kinds as reported by Region::Kind.
constexpr int kRegionCombined = 0;
constexpr int kRegionRectangle = 1;
constexpr int kRegionEllipse = 2;
constexpr int kRegionPolygon = 3;
constexpr int kRegionMask = 4;
constexpr int kRegionWhole = 5;

class Region;
using RegionPtr = std::unique_ptr<Region>;

class Region {
 public:
  int Kind() const { return kind_; }
  // The whole-picture region reports a rectangle larger than any picture.
  BoxRect Bounds() const;
  bool IsInverted() const { return inverted_; }
  void SetInverted(bool inverted) { inverted_ = inverted; }
  // Moves the region so that the top-left corner of its bounds is at (x, y).
  void MoveTo(int32_t x, int32_t y);

  // Writes 255 for pixels inside the shape and 0 elsewhere over `area`; byte
  // (x - area.x) of output row (y - area.y) is pixel (x, y). The region's own
  // inversion flag is not applied here.
  void RasterizeShape(const BoxRect& area, uint8_t* bytes, int32_t stride) const;

  // Mask regions only: the mask picture (8-bit, covering Bounds()).
  const ImageRef& MaskImage() const { return mask_; }
  // Mask regions only: writable mask bytes.
  ImageBuffer* MutableMask() { return mask_.get(); }

  RegionPtr Duplicate() const;
  bool Combine(const Region& other, int code);

 private:
  friend RegionPtr RegionCreateEmpty();
  friend RegionPtr RegionCreateRect(const BoxRect&);
  friend RegionPtr RegionCreateEllipse(const BoxRect&);
  friend RegionPtr RegionCreatePolygon(std::span<const Point>);
  friend RegionPtr RegionCreateCombined(int, const Region&);
  friend RegionPtr RegionCreateEmptyMask(const BoxRect&);
  friend RegionPtr RegionMakeMask(const Region&, const BoxRect&);

  struct Part {
    int code;
    RegionPtr region;
  };

  void RasterizeEllipse(const BoxRect& area, uint8_t* bytes, int32_t stride) const;
  void RasterizePolygon(const BoxRect& area, uint8_t* bytes, int32_t stride) const;
  void RasterizeCombined(const BoxRect& area, uint8_t* bytes, int32_t stride) const;
  void RasterizeMask(const BoxRect& area, uint8_t* bytes, int32_t stride) const;

  int kind_ = kRegionRectangle;
  bool inverted_ = false;
  BoxRect box_;                 // rectangle, ellipse, mask: the shape's box
  std::vector<Point> points_;   // polygon corners
  std::vector<Part> parts_;     // combined
  ImageRef mask_;               // mask
};

// Creation returns null on failure; the caller owns the result.
RegionPtr RegionCreateEmpty();  // the region standing for the whole picture
RegionPtr RegionCreateRect(const BoxRect& box);
RegionPtr RegionCreateEllipse(const BoxRect& box);
RegionPtr RegionCreatePolygon(std::span<const Point> points);  // at least 2 points
RegionPtr RegionCreateCombined(int code, const Region& region);
bool RegionCombine(Region& combined, const Region& region, int code);
RegionPtr RegionDuplicate(const Region& region);
// A mask region holding `region` rasterised over `box` (its inversion applied).
RegionPtr RegionMakeMask(const Region& region, const BoxRect& box);
RegionPtr RegionCreateEmptyMask(const BoxRect& box);
// The mask's 8-bit picture as a new reference; null for other kinds.
ImageRef RegionMaskImage(const Region& region);

// Distances to the edges of a region's runs, for placing a label inside an
// area. Arrays: 0 left, 1 up (towards row 0), 2 right, 3 down; -1 outside.
class EdgeDistanceContext {
 public:
  static std::unique_ptr<EdgeDistanceContext> Begin(const Region& region);
  bool Row(int32_t* distances[4], int32_t y, int32_t firstX, int32_t count) const;

 private:
  BoxRect box_;
  std::vector<uint8_t> inside_;
  std::vector<int32_t> up_;
  std::vector<int32_t> down_;
};

using EdgeDistanceHandle = std::unique_ptr<EdgeDistanceContext>;
EdgeDistanceHandle EdgeDistanceBegin(const Region& region);
bool EdgeDistanceRow(int32_t* distances[4], int32_t y, int32_t firstX, int32_t count,
                     const EdgeDistanceContext& context);

// One straight piece of a region's outline along pixel corners, in image
// coordinates (corner (x, y) is the lower-left corner of pixel (x, y)).
struct OutlineSegment {
  Point from;
  Point to;
};
// The boundary between selected and unselected pixels inside a picture of the
// given size (inversion applied). Horizontal and vertical runs are merged.
std::vector<OutlineSegment> RegionOutline(const Region& region, int32_t width, int32_t height);

}  // namespace tintara
