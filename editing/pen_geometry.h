// The points the drawing tools put a pen dab on, in picture coordinates: the
// dab's own pixels, a digital straight line without its end point, the four
// sides of a rectangle and an ellipse traced as four fixed-point quarter arcs.
// Every shape hands its points to a visitor, so the same rules serve painting,
// counting and testing.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "imaging/region.h"

namespace tintara {

constexpr int32_t kPenWidthSteps = 8;  // 1, 2, 4, ... 128 pixels
constexpr int32_t kPenSquare = 0;
constexpr int32_t kPenRound = 1;

// The side of the pen in pixels for a width step 0..7 (clamped).
inline int32_t PenSide(int32_t widthStep) {
  return int32_t{1} << std::clamp(widthStep, 0, kPenWidthSteps - 1);
}

// Calls row(y, x0, x1) once per row of the dab at c, pixels x0..x1 inclusive.
// Rows are not cut to any picture.
template <typename RowVisitor>
void ForEachDabRow(Point c, int32_t widthStep, int32_t shape, RowVisitor&& row) {
  const int32_t s = PenSide(widthStep);
  const int32_t first = -(s / 2);
  const int64_t r2 = s >= 2 ? int64_t(s) * s / 4 : 1;
  for (int32_t dy = first; dy < first + s; ++dy) {
    if (shape != kPenRound) {
      row(c.y + dy, c.x + first, c.x + first + s - 1);
      continue;
    }
    int32_t lo = 0;
    int32_t hi = -1;
    for (int32_t dx = first; dx < first + s; ++dx) {
      if (int64_t(dx) * dx + int64_t(dy) * dy < r2) {
        if (hi < lo) lo = dx;
        hi = dx;
      }
    }
    // A disc's row is one run, so its two ends describe it.
    if (hi >= lo) row(c.y + dy, c.x + lo, c.x + hi);
  }
}

// Pixels a walk may visit, both ends inclusive. Shapes are clipped to it
// before they are walked, so a segment reaching far beyond the picture costs
// only the pixels near it.
struct ClipBox {
  int32_t left = INT32_MIN;
  int32_t top = INT32_MIN;
  int32_t right = INT32_MAX;
  int32_t bottom = INT32_MAX;
  bool Holds(int64_t x, int64_t y) const {
    return x >= left && x <= right && y >= top && y <= bottom;
  }
};

// A picture of w × h pixels widened by `margin` on every side.
inline ClipBox PictureClip(int32_t width, int32_t height, int32_t margin) {
  return {-margin, -margin, width - 1 + margin, height - 1 + margin};
}

namespace pen_detail {

// Coordinate differences of 32-bit points reach 2^32; their products need more than 64 bits.
__extension__ using Wide = __int128;

// The minor-axis offset of step k of a line of `major` steps that rises
// `minor` (0 <= minor <= major, 0 <= k): the walk below lands there.
inline int64_t MinorOffset(int64_t k, int64_t minor, int64_t major) {
  return int64_t((Wide(2) * minor * k + major) / (Wide(2) * major));
}

// Narrows the steps first..final to those whose coordinate start + sign ×
// offset(k) lies in lo..hi, for a non-decreasing offset; false when none does.
template <typename Offset>
bool StepsWithin(int64_t start, int64_t sign, int64_t lo, int64_t hi, Offset&& offset,
                 int64_t& first, int64_t& final) {
  // The offsets that keep the coordinate in lo..hi.
  const int64_t want0 = sign > 0 ? lo - start : start - hi;
  const int64_t want1 = sign > 0 ? hi - start : start - lo;
  int64_t a = first;
  int64_t b = final + 1;  // first step with offset >= want0
  while (a < b) {
    const int64_t mid = a + (b - a) / 2;
    if (offset(mid) >= want0) b = mid; else a = mid + 1;
  }
  first = a;
  a = first - 1;
  b = final;  // last step with offset <= want1
  while (a < b) {
    const int64_t mid = b - (b - a) / 2;
    if (offset(mid) <= want1) a = mid; else b = mid - 1;
  }
  final = a;
  return first <= final;
}

}  // namespace pen_detail

// Bresenham from a up to but excluding b, only the points inside `clip`; the
// points are those of the whole walk, which starts at the first of them.
template <typename PointVisitor>
void ForEachLinePoint(Point a, Point b, const ClipBox& clip, PointVisitor&& visit) {
  const int64_t dx = std::abs(int64_t(b.x) - a.x);
  const int64_t ady = std::abs(int64_t(b.y) - a.y);
  const int64_t dy = -ady;
  const int32_t sx = a.x < b.x ? 1 : -1;
  const int32_t sy = a.y < b.y ? 1 : -1;
  const bool xMajor = dx >= ady;
  const int64_t major = xMajor ? dx : ady;
  const int64_t minor = xMajor ? ady : dx;
  if (major == 0) return;
  // Step k moves once along the major axis and offset(k) along the minor one.
  auto along = [](int64_t k) { return k; };
  auto across = [&](int64_t k) { return pen_detail::MinorOffset(k, minor, major); };
  int64_t first = 0;
  int64_t last = major - 1;
  if (xMajor) {
    if (!pen_detail::StepsWithin(a.x, sx, clip.left, clip.right, along, first, last) ||
        !pen_detail::StepsWithin(a.y, sy, clip.top, clip.bottom, across, first, last)) {
      return;
    }
  } else if (!pen_detail::StepsWithin(a.y, sy, clip.top, clip.bottom, along, first,
                                      last) ||
             !pen_detail::StepsWithin(a.x, sx, clip.left, clip.right, across, first,
                                      last)) {
    return;
  }
  // The walk's state at step `first`: i steps along x, j along y so far.
  const int64_t i = xMajor ? first : across(first);
  const int64_t j = xMajor ? across(first) : first;
  int64_t error = int64_t(pen_detail::Wide(dx) * (1 + j) - pen_detail::Wide(ady) * (1 + i));
  Point p{int32_t(a.x + sx * i), int32_t(a.y + sy * j)};
  for (int64_t k = first; k <= last; ++k) {
    visit(p);
    const int64_t twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      p.x += sx;
    }
    if (twice <= dx) {
      error += dx;
      p.y += sy;
    }
  }
}

template <typename PointVisitor>
void ForEachLinePoint(Point a, Point b, PointVisitor&& visit) {
  ForEachLinePoint(a, b, ClipBox{}, visit);
}

// The sides p0 → (p1.x, p0.y) → p1 → (p0.x, p1.y) → p0, each without its end.
template <typename PointVisitor>
void ForEachRectanglePoint(Point p0, Point p1, const ClipBox& clip, PointVisitor&& visit) {
  const Point corners[5] = {p0, {p1.x, p0.y}, p1, {p0.x, p1.y}, p0};
  for (int i = 0; i < 4; ++i) ForEachLinePoint(corners[i], corners[i + 1], clip, visit);
}

template <typename PointVisitor>
void ForEachRectanglePoint(Point p0, Point p1, PointVisitor&& visit) {
  ForEachRectanglePoint(p0, p1, ClipBox{}, visit);
}

// One quarter arc from `from` to `to` about the box corner `corner`, traced in
// 16.16 fixed point with arithmetic shifts; repeated points are skipped, and
// so are points outside `clip`.
template <typename PointVisitor>
void ForEachQuarterArcPoint(Point from, Point to, Point corner, const ClipBox& clip,
                            PointVisitor&& visit) {
  constexpr int kSteps = 1609;
  int64_t o = (int64_t(corner.x) - to.x) * 65536;
  int64_t u = (int64_t(corner.x) - from.x) * 65536;
  const int64_t h = (int64_t(corner.y) - to.y) * 65536;
  int64_t r = h;
  int64_t v = (int64_t(corner.y) - from.y) * 65536;
  const int64_t baseX = int64_t(from.x) + to.x - corner.x;
  int64_t previousX = INT64_MIN;
  int64_t previousY = INT64_MIN;
  for (int i = 0; i < kSteps; ++i) {
    const int64_t x = baseX + ((o + 32768) >> 16);
    const int64_t y = (int64_t(from.y) * 65536 - h + 32768 + r) >> 16;
    if ((x != previousX || y != previousY) && clip.Holds(x, y)) visit(Point{int32_t(x), int32_t(y)});
    previousX = x;
    previousY = y;
    u -= o >> 10;
    v -= r >> 10;
    o += u >> 10;
    r += v >> 10;
  }
}

// The ellipse inside the box with corners p0 and p1.
template <typename PointVisitor>
void ForEachEllipsePoint(Point p0, Point p1, const ClipBox& clip, PointVisitor&& visit) {
  const int32_t mx = int32_t(p0.x + (int64_t(p1.x) - p0.x + 1) / 2);
  const int32_t my = int32_t(p0.y + (int64_t(p1.y) - p0.y + 1) / 2);
  ForEachQuarterArcPoint({p0.x, my}, {mx, p0.y}, p0, clip, visit);
  ForEachQuarterArcPoint({mx, p0.y}, {p1.x, my}, {p1.x, p0.y}, clip, visit);
  ForEachQuarterArcPoint({p1.x, my}, {mx, p1.y}, p1, clip, visit);
  ForEachQuarterArcPoint({mx, p1.y}, {p0.x, my}, {p0.x, p1.y}, clip, visit);
}

template <typename PointVisitor>
void ForEachEllipsePoint(Point p0, Point p1, PointVisitor&& visit) {
  ForEachEllipsePoint(p0, p1, ClipBox{}, visit);
}

// Shift held: the end moves onto the diagonal through the start, by the
// shorter of the two offsets.
inline Point ConstrainToSquare(Point start, Point end) {
  const int64_t dx = int64_t(end.x) - start.x;
  const int64_t dy = int64_t(end.y) - start.y;
  const int64_t m = std::min(std::abs(dx), std::abs(dy));
  if (m == 0) return start;
  // Both offsets are at least m long, so the corner lies between start and end.
  return {int32_t(start.x + (dx < 0 ? -m : m)), int32_t(start.y + (dy < 0 ? -m : m))};
}

}  // namespace tintara
