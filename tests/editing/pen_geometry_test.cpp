// The shapes of the drawing tools: which pixels a dab covers, where lines and
// rectangle sides stop, the Shift rule and the fixed-point ellipse, the last
// checked against a separate transcription of the quarter-arc rule.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "editing/pen_geometry.h"

namespace tintara::test {
namespace {

using Pixels = std::set<std::pair<int32_t, int32_t>>;

Pixels DabPixels(Point c, int32_t step, int32_t shape) {
  Pixels pixels;
  ForEachDabRow(c, step, shape, [&](int32_t y, int32_t x0, int32_t x1) {
    for (int32_t x = x0; x <= x1; ++x) pixels.insert({x, y});
  });
  return pixels;
}

TEST(PenGeometryTest, DabsCoverTheirDefinedPixels) {
  EXPECT_EQ(DabPixels({5, 7}, 0, kPenRound), (Pixels{{5, 7}}));
  EXPECT_EQ(DabPixels({5, 7}, 0, kPenSquare), (Pixels{{5, 7}}));

  // Round 4-pixel pen: candidates -2..1, kept where dx² + dy² < 4.
  Pixels round = DabPixels({10, 10}, 2, kPenRound);
  Pixels nine;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) nine.insert({10 + dx, 10 + dy});
  }
  EXPECT_EQ(round, nine);

  Pixels square = DabPixels({10, 10}, 2, kPenSquare);
  EXPECT_EQ(square.size(), 16u);
  EXPECT_TRUE(square.count({8, 8}) && square.count({11, 11}));
  EXPECT_FALSE(square.count({12, 10}));

  // The 2-pixel round pen: r² = 1 keeps only the centre.
  EXPECT_EQ(DabPixels({3, 3}, 1, kPenRound), (Pixels{{3, 3}}));
  // Widths beyond the last step stay at 128 pixels.
  EXPECT_EQ(DabPixels({0, 0}, 9, kPenSquare).size(), 128u * 128u);
  // A big round dab is symmetric about its centre pixel's corner.
  Pixels big = DabPixels({0, 0}, 5, kPenRound);
  for (const auto& [x, y] : big) EXPECT_TRUE(x * x + y * y < 256) << x << "," << y;
  EXPECT_TRUE(big.count({-15, 0}) && big.count({0, -15}) && big.count({15, 0}));
}

std::vector<Point> LinePoints(Point a, Point b) {
  std::vector<Point> points;
  ForEachLinePoint(a, b, [&](Point p) { points.push_back(p); });
  return points;
}

TEST(PenGeometryTest, LinesStopShortOfTheirEndAndStayConnected) {
  std::vector<Point> horizontal = LinePoints({10, 5}, {20, 5});
  ASSERT_EQ(horizontal.size(), 10u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(horizontal[size_t(i)], (Point{10 + i, 5}));

  EXPECT_TRUE(LinePoints({3, 3}, {3, 3}).empty());
  for (auto [a, b] : {std::pair{Point{0, 0}, Point{7, -23}}, {Point{40, 9}, Point{-3, 2}},
                      std::pair{Point{5, 5}, Point{5, -5}}}) {
    std::vector<Point> points = LinePoints(a, b);
    ASSERT_FALSE(points.empty());
    EXPECT_EQ(points.front(), a);
    // One step per point along the longer axis; every step touches the last.
    const size_t steps = size_t(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)));
    EXPECT_EQ(points.size(), steps);
    points.push_back(b);
    for (size_t i = 1; i < points.size(); ++i) {
      EXPECT_LE(std::abs(points[i].x - points[i - 1].x), 1);
      EXPECT_LE(std::abs(points[i].y - points[i - 1].y), 1);
    }
  }
}

// The walk as it was before clipping: every point from a to b, one by one.
std::vector<Point> WalkedLine(Point a, Point b) {
  std::vector<Point> points;
  const int32_t dx = std::abs(b.x - a.x);
  const int32_t dy = -std::abs(b.y - a.y);
  const int32_t sx = a.x < b.x ? 1 : -1;
  const int32_t sy = a.y < b.y ? 1 : -1;
  int32_t error = dx + dy;
  for (Point p = a; !(p == b);) {
    points.push_back(p);
    const int32_t twice = 2 * error;
    if (twice >= dy) error += dy, p.x += sx;
    if (twice <= dx) error += dx, p.y += sy;
  }
  return points;
}

TEST(PenGeometryTest, ClippedLinesKeepExactlyTheWalkedPointsInsideTheBox) {
  // Every direction and slope, boxes cutting the line anywhere or missing it.
  uint32_t seed = 12345;
  auto next = [&](int32_t span) {
    seed = seed * 1103515245u + 12345u;
    return int32_t((seed >> 8) % uint32_t(span)) - span / 2;
  };
  for (int round = 0; round < 4000; ++round) {
    const Point a{next(200), next(200)};
    const Point b{next(200), next(200)};
    const int32_t left = next(120);
    const int32_t top = next(120);
    const ClipBox box{left, top, left + next(80) + 40, top + next(80) + 40};
    std::vector<Point> expected;
    for (Point p : WalkedLine(a, b)) {
      if (box.Holds(p.x, p.y)) expected.push_back(p);
    }
    std::vector<Point> clipped;
    ForEachLinePoint(a, b, box, [&](Point p) { clipped.push_back(p); });
    ASSERT_EQ(clipped, expected) << a.x << "," << a.y << " " << b.x << "," << b.y;
    EXPECT_EQ(LinePoints(a, b), WalkedLine(a, b));
  }
}

TEST(PenGeometryTest, ShapesReachingFarPastThePictureCostOnlyItsPixels) {
  const ClipBox picture = PictureClip(100, 50, 4);
  // End to end of the 32-bit range: four thousand million steps unclipped.
  std::vector<Point> row;
  ForEachLinePoint({INT32_MIN, 10}, {INT32_MAX, 10}, picture, [&](Point p) { row.push_back(p); });
  ASSERT_EQ(row.size(), 108u);
  EXPECT_EQ(row.front(), (Point{-4, 10}));
  EXPECT_EQ(row.back(), (Point{103, 10}));
  std::vector<Point> diagonal;
  ForEachLinePoint({INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN}, picture,
                   [&](Point p) { diagonal.push_back(p); });
  ASSERT_EQ(diagonal.size(), 58u);
  EXPECT_EQ(diagonal.front(), (Point{53, 53}));
  EXPECT_EQ(diagonal.back(), (Point{-4, -4}));
  int rectangle = 0;
  ForEachRectanglePoint({-1000000, 20}, {1000000, 1000000}, picture, [&](Point p) {
    EXPECT_TRUE(picture.Holds(p.x, p.y));
    ++rectangle;
  });
  EXPECT_EQ(rectangle, 108);  // only the top side crosses the picture
  int ellipse = 0;
  ForEachEllipsePoint({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, picture,
                      [&](Point p) {
                        EXPECT_TRUE(picture.Holds(p.x, p.y));
                        ++ellipse;
                      });
  EXPECT_EQ(ellipse, 0);  // the huge ellipse passes far outside the picture
}

TEST(PenGeometryTest, RectanglesPaintAllFourCornersOnce) {
  std::vector<Point> points;
  ForEachRectanglePoint({2, 3}, {8, 7}, [&](Point p) { points.push_back(p); });
  // The outline of a 7 × 5 box has 2 × (6 + 4) pixels, none twice.
  EXPECT_EQ(points.size(), 20u);
  std::set<std::pair<int32_t, int32_t>> unique;
  for (Point p : points) unique.insert({p.x, p.y});
  EXPECT_EQ(unique.size(), 20u);
  for (auto corner : {std::pair{2, 3}, {8, 3}, {8, 7}, {2, 7}}) {
    EXPECT_TRUE(unique.count(corner)) << corner.first << "," << corner.second;
  }
}

TEST(PenGeometryTest, ShiftKeepsTheShorterOffsetOnBothAxes) {
  EXPECT_EQ(ConstrainToSquare({100, 100}, {130, 90}), (Point{110, 90}));
  EXPECT_EQ(ConstrainToSquare({100, 100}, {70, 140}), (Point{70, 130}));
  EXPECT_EQ(ConstrainToSquare({100, 100}, {130, 100}), (Point{100, 100}));
  EXPECT_EQ(ConstrainToSquare({0, 0}, {-5, -5}), (Point{-5, -5}));
}

// The quarter-arc rule written out again in 32-bit arithmetic, step by step
// as the rule reads, collecting the points of the whole ellipse.
Pixels EllipseByTheRule(int x0, int y0, int x1, int y1) {
  Pixels out;
  const int mx = x0 + (x1 - x0 + 1) / 2;
  const int my = y0 + (y1 - y0 + 1) / 2;
  const int quarters[4][6] = {{x0, my, mx, y0, x0, y0},
                              {mx, y0, x1, my, x1, y0},
                              {x1, my, mx, y1, x1, y1},
                              {mx, y1, x0, my, x0, y1}};
  for (const auto& q : quarters) {
    const int p0x = q[0], p0y = q[1], p1x = q[2], p1y = q[3], cx = q[4], cy = q[5];
    int o = (cx - p1x) * 65536;
    int u = (cx - p0x) * 65536;
    int r = (cy - p1y) * 65536;
    const int h = r;
    int v = (cy - p0y) * 65536;
    for (int i = 0; i < 1609; ++i) {
      const int x = p0x + p1x - cx + ((o + 32768) >> 16);
      const int y = (p0y * 65536 - h + 32768 + r) >> 16;
      out.insert({x, y});
      u -= o >> 10;
      v -= r >> 10;
      o += u >> 10;
      r += v >> 10;
    }
  }
  return out;
}

TEST(PenGeometryTest, EllipseFollowsTheFixedPointQuarterArcs) {
  for (const auto& box : {std::vector<int>{0, 0, 40, 20}, {10, 5, 11, 6}, {-7, 3, 60, 90},
                          {30, 30, 0, 0}, {5, 5, 5, 5}}) {
    Pixels traced;
    int visits = 0;
    ForEachEllipsePoint({box[0], box[1]}, {box[2], box[3]}, [&](Point p) {
      traced.insert({p.x, p.y});
      ++visits;
    });
    EXPECT_EQ(traced, EllipseByTheRule(box[0], box[1], box[2], box[3]))
        << box[0] << "," << box[1] << " " << box[2] << "," << box[3];
    // Repeated points are skipped: far fewer visits than the 4 × 1609 steps.
    EXPECT_LT(visits, 4 * 1609);
  }
  // The widest points of a 40 × 20 box lie on its sides' middles.
  Pixels wide = EllipseByTheRule(0, 0, 40, 20);
  EXPECT_TRUE(wide.count({0, 10}) && wide.count({40, 10}));
  EXPECT_TRUE(wide.count({20, 0}) && wide.count({20, 20}));
}

}  // namespace
}  // namespace tintara::test
