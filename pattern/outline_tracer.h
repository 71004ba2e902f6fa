// The areas of the colour-index image as outlines: for every 4-connected area
// of one value, closed polygons along the pixel edges, the outer one first,
// then its holes. Corners lie on the pixel lattice, so neighbouring areas
// share their edges exactly; only turning points are kept, so a straight run
// of edges is one segment.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/image_buffer.h"

namespace tintara {

// A pixel corner: x from 0 to width, y from 0 to height, y counting upwards
// like picture rows (pixel (x, y) spans x..x+1, y..y+1).
struct OutlinePoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const OutlinePoint&, const OutlinePoint&) = default;
};

struct OutlineArea {
  uint8_t value = 0;        // the index image's value: position in the working palette
  uint32_t firstRing = 0;   // the outer ring; holes follow
  uint32_t ringCount = 0;
};

// Every ring runs with its area on the left (counter-clockwise when y points
// up): outer rings counter-clockwise, holes clockwise, so both the even-odd and
// the non-zero rule fill exactly the area's pixels.
struct PatternOutlines {
  int32_t width = 0;
  int32_t height = 0;
  // Points are in pixels, or in half pixels once smoothed.
  int32_t unitsPerPixel = 1;
  std::vector<OutlinePoint> points;
  std::vector<uint32_t> ringStarts;  // ring r: points[ringStarts[r] .. ringStarts[r + 1])
  std::vector<OutlineArea> areas;    // in the order their lowest, leftmost pixel is met

  size_t RingCount() const { return ringStarts.empty() ? 0 : ringStarts.size() - 1; }
  std::span<const OutlinePoint> Ring(size_t r) const {
    return {points.data() + ringStarts[r], points.data() + ringStarts[r + 1]};
  }
};

// What tracing an index image makes, counted in one pass without tracing it.
struct OutlineCounts {
  uint64_t runs = 0;     // runs of one value along the rows: no image has more areas
  uint64_t corners = 0;  // the points of all the rings together
};
OutlineCounts CountOutlines(const ImageBuffer& indexImage);

// The most memory TraceOutlines takes at once on a width × height image of
// those counts, the outlines it returns included.
uint64_t TracingBytes(int32_t width, int32_t height, const OutlineCounts& counts);
// What the returned outlines keep.
uint64_t OutlinesBytes(const OutlineCounts& counts);

// Empty outlines for an image that is not one byte per pixel or is empty.
// Throws std::bad_alloc when memory runs out.
PatternOutlines TraceOutlines(const ImageBuffer& indexImage);
// The same, with the image's counts already made.
PatternOutlines TraceOutlines(const ImageBuffer& indexImage, const OutlineCounts& counts);

// The staircases softened: every corner where exactly two areas meet, one
// pixel against three, is cut half a pixel along both its edges, so a
// staircase becomes a slope through the edges' middles. Corners where three
// or more areas meet, where two pixels of an area touch diagonally, or on the
// picture's frame stay, so neighbours still share their outline exactly and
// no edge moves by more than half a pixel; every pixel's centre stays inside
// its own area. Points come out in half pixels.
PatternOutlines SmoothOutlines(const PatternOutlines& outlines, const ImageBuffer& indexImage);

// One ring of traced outlines smoothed so, into `out` (emptied first).
void SmoothRing(std::span<const OutlinePoint> ring, const ImageBuffer& indexImage,
                std::vector<OutlinePoint>& out);

}  // namespace tintara
