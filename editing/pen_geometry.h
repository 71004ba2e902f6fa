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

// Bresenham from a up to but excluding b.
template <typename PointVisitor>
void ForEachLinePoint(Point a, Point b, PointVisitor&& visit) {
  const int32_t dx = std::abs(b.x - a.x);
  const int32_t dy = -std::abs(b.y - a.y);
  const int32_t sx = a.x < b.x ? 1 : -1;
  const int32_t sy = a.y < b.y ? 1 : -1;
  int64_t error = int64_t(dx) + dy;
  Point p = a;
  while (!(p == b)) {
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

// The sides p0 → (p1.x, p0.y) → p1 → (p0.x, p1.y) → p0, each without its end.
template <typename PointVisitor>
void ForEachRectanglePoint(Point p0, Point p1, PointVisitor&& visit) {
  const Point corners[5] = {p0, {p1.x, p0.y}, p1, {p0.x, p1.y}, p0};
  for (int i = 0; i < 4; ++i) ForEachLinePoint(corners[i], corners[i + 1], visit);
}

// One quarter arc from `from` to `to` about the box corner `corner`, traced in
// 16.16 fixed point with arithmetic shifts; repeated points are skipped.
template <typename PointVisitor>
void ForEachQuarterArcPoint(Point from, Point to, Point corner, PointVisitor&& visit) {
  constexpr int kSteps = 1609;
  int64_t o = int64_t(corner.x - to.x) * 65536;
  int64_t u = int64_t(corner.x - from.x) * 65536;
  const int64_t h = int64_t(corner.y - to.y) * 65536;
  int64_t r = h;
  int64_t v = int64_t(corner.y - from.y) * 65536;
  Point previous{INT32_MIN, INT32_MIN};
  for (int i = 0; i < kSteps; ++i) {
    Point p{int32_t(from.x + to.x - corner.x + ((o + 32768) >> 16)),
            int32_t((int64_t(from.y) * 65536 - h + 32768 + r) >> 16)};
    if (!(p == previous)) visit(p);
    previous = p;
    u -= o >> 10;
    v -= r >> 10;
    o += u >> 10;
    r += v >> 10;
  }
}

// The ellipse inside the box with corners p0 and p1.
template <typename PointVisitor>
void ForEachEllipsePoint(Point p0, Point p1, PointVisitor&& visit) {
  const int32_t mx = p0.x + (p1.x - p0.x + 1) / 2;
  const int32_t my = p0.y + (p1.y - p0.y + 1) / 2;
  ForEachQuarterArcPoint({p0.x, my}, {mx, p0.y}, p0, visit);
  ForEachQuarterArcPoint({mx, p0.y}, {p1.x, my}, {p1.x, p0.y}, visit);
  ForEachQuarterArcPoint({p1.x, my}, {mx, p1.y}, p1, visit);
  ForEachQuarterArcPoint({mx, p1.y}, {p0.x, my}, {p0.x, p1.y}, visit);
}

// Shift held: the end moves onto the diagonal through the start, by the
// shorter of the two offsets.
inline Point ConstrainToSquare(Point start, Point end) {
  const int32_t dx = end.x - start.x;
  const int32_t dy = end.y - start.y;
  const int32_t m = std::min(std::abs(dx), std::abs(dy));
  if (m == 0) return start;
  return {start.x + (dx < 0 ? -m : m), start.y + (dy < 0 ? -m : m)};
}

}  // namespace tintara
