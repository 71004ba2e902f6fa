#include "pattern/outline_tracer.h"

#include <gtest/gtest.h>

#include <map>
#include <queue>
#include <random>
#include <tuple>

#include "tests/support/outline_raster.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

using test::CompareFilled;
using test::MakeIndex;

// Twice the signed area of a ring: positive when it runs counter-clockwise.
int64_t TwiceSignedArea(std::span<const OutlinePoint> ring) {
  int64_t sum = 0;
  for (size_t i = 0; i < ring.size(); ++i) {
    const OutlinePoint a = ring[i], b = ring[(i + 1) % ring.size()];
    sum += int64_t(a.x) * b.y - int64_t(b.x) * a.y;
  }
  return sum;
}

// 4-connected areas of equal value, counted the slow, obvious way.
size_t CountAreas(const ImageBuffer& index) {
  const int32_t w = index.Width(), h = index.Height();
  std::vector<bool> seen(size_t(w) * size_t(h));
  size_t count = 0;
  for (int32_t y0 = 0; y0 < h; ++y0) {
    for (int32_t x0 = 0; x0 < w; ++x0) {
      if (seen[size_t(y0) * size_t(w) + size_t(x0)]) continue;
      ++count;
      const uint8_t v = index.Row(y0)[x0];
      std::queue<std::pair<int32_t, int32_t>> open;
      open.push({x0, y0});
      seen[size_t(y0) * size_t(w) + size_t(x0)] = true;
      while (!open.empty()) {
        auto [x, y] = open.front();
        open.pop();
        const int32_t next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
        for (const auto& n : next) {
          if (n[0] < 0 || n[1] < 0 || n[0] >= w || n[1] >= h) continue;
          size_t p = size_t(n[1]) * size_t(w) + size_t(n[0]);
          if (seen[p] || index.Row(n[1])[n[0]] != v) continue;
          seen[p] = true;
          open.push({n[0], n[1]});
        }
      }
    }
  }
  return count;
}

// Exactness, the area count, orientation (outer ring first and
// counter-clockwise, holes clockwise) and corners only.
void ExpectFaithful(const ImageBuffer& index) {
  PatternOutlines outlines = TraceOutlines(index);
  ASSERT_EQ(CompareFilled(outlines, index), "");
  EXPECT_EQ(outlines.areas.size(), CountAreas(index));
  // What is weighed before tracing is what the tracing makes.
  const OutlineCounts counts = CountOutlines(index);
  EXPECT_EQ(counts.corners, outlines.points.size());
  EXPECT_GE(counts.runs, outlines.areas.size());
  EXPECT_LE(outlines.RingCount(), counts.corners / 4);
  for (const OutlineArea& area : outlines.areas) {
    ASSERT_GE(area.ringCount, 1u);
    EXPECT_GT(TwiceSignedArea(outlines.Ring(area.firstRing)), 0);
    for (uint32_t r = area.firstRing + 1; r < area.firstRing + area.ringCount; ++r) {
      EXPECT_LT(TwiceSignedArea(outlines.Ring(r)), 0) << "hole " << r;
    }
  }
  for (size_t r = 0; r < outlines.RingCount(); ++r) {
    auto ring = outlines.Ring(r);
    ASSERT_GE(ring.size(), 4u);
    for (size_t i = 0; i < ring.size(); ++i) {
      const OutlinePoint a = ring[i], b = ring[(i + 1) % ring.size()],
                         c = ring[(i + 2) % ring.size()];
      ASSERT_TRUE(a.x == b.x || a.y == b.y) << "segments follow pixel edges";
      ASSERT_FALSE((a.x == b.x && b.x == c.x) || (a.y == b.y && b.y == c.y))
          << "ring " << r << " keeps a point inside a straight run at " << b.x << "," << b.y;
    }
  }
}

TEST(OutlineTracer, OneColourIsOneCounterClockwiseRectangle) {
  ImageRef index = MakeIndex(7, 5, [](int, int) { return 3; });
  PatternOutlines outlines = TraceOutlines(*index);
  ASSERT_EQ(outlines.areas.size(), 1u);
  EXPECT_EQ(outlines.areas[0].value, 3);
  ASSERT_EQ(outlines.RingCount(), 1u);
  auto ring = outlines.Ring(0);
  std::vector<OutlinePoint> corners(ring.begin(), ring.end());
  ASSERT_EQ(corners.size(), 4u);
  EXPECT_EQ(TwiceSignedArea(ring), 2 * 7 * 5);
  for (OutlinePoint p : {OutlinePoint{0, 0}, {7, 0}, {7, 5}, {0, 5}}) {
    EXPECT_NE(std::find(corners.begin(), corners.end(), p), corners.end());
  }
}

TEST(OutlineTracer, AHoleIsASecondRingOfTheSurroundingArea) {
  ImageRef index = MakeIndex(10, 9, [](int x, int y) {
    return x >= 3 && x < 7 && y >= 2 && y < 6 ? 1 : 0;
  });
  PatternOutlines outlines = TraceOutlines(*index);
  ASSERT_EQ(outlines.areas.size(), 2u);
  EXPECT_EQ(outlines.areas[0].value, 0);
  EXPECT_EQ(outlines.areas[0].ringCount, 2u);
  EXPECT_EQ(outlines.areas[1].ringCount, 1u);
  EXPECT_EQ(TwiceSignedArea(outlines.Ring(outlines.areas[0].firstRing + 1)), -2 * 16);
  ExpectFaithful(*index);
  // An island inside the hole: three nested areas.
  ImageRef nested = MakeIndex(12, 12, [](int x, int y) {
    if (x >= 5 && x < 7 && y >= 5 && y < 7) return 2;
    return x >= 2 && x < 10 && y >= 2 && y < 10 ? 1 : 0;
  });
  ExpectFaithful(*nested);
}

TEST(OutlineTracer, DiagonallyTouchingPixelsAreSeparateAreas) {
  ImageRef board = MakeIndex(8, 8, [](int x, int y) { return (x + y) % 2; });
  PatternOutlines outlines = TraceOutlines(*board);
  EXPECT_EQ(outlines.areas.size(), 64u);
  for (const OutlineArea& area : outlines.areas) {
    EXPECT_EQ(area.ringCount, 1u);
    EXPECT_EQ(outlines.Ring(area.firstRing).size(), 4u);
  }
  ExpectFaithful(*board);
  // One area whose two pixels meet only at a corner inside a ring of the
  // same colour around them, the other colour wrapping both ways.
  ImageRef saddle = MakeIndex(6, 6, [](int x, int y) {
    if ((x == 2 && y == 2) || (x == 3 && y == 3)) return 1;
    if ((x == 3 && y == 2) || (x == 2 && y == 3)) return 2;
    return 1;
  });
  ExpectFaithful(*saddle);
}

TEST(OutlineTracer, OnePixelAreasAndAreasOnTheFrame) {
  std::mt19937 random(7);
  ImageRef noise = MakeIndex(41, 29, [&](int, int) { return int(random() % 4); });
  ExpectFaithful(*noise);
  ImageRef stripes = MakeIndex(13, 11, [](int x, int y) { return x < 4 ? 0 : (y < 5 ? 1 : 2); });
  ExpectFaithful(*stripes);
  ImageRef column = MakeIndex(1, 9, [](int, int y) { return y / 3; });
  ExpectFaithful(*column);
  ImageRef row = MakeIndex(9, 1, [](int x, int) { return x % 2; });
  ExpectFaithful(*row);
  ImageRef single = MakeIndex(1, 1, [](int, int) { return 200; });
  ExpectFaithful(*single);
}

TEST(OutlineTracer, BlobsOfManyColoursComeBackExactly) {
  ImageRef blobs = MakeIndex(300, 200, [](int x, int y) {
    int v = (x * x / 97 + y * y / 53 + (x * y) / 71 + (x ^ y) % 7) / 9;
    return v % 48;
  });
  ExpectFaithful(*blobs);
}

// Every edge between two areas lies in both areas' rings, once each way; the
// edges of the picture's frame lie in one ring.
TEST(OutlineTracer, NeighboursShareEveryEdge) {
  std::mt19937 random(3);
  ImageRef index = MakeIndex(23, 17, [&](int x, int y) {
    return (x / 3 + y / 4 + int(random() % 3 == 0)) % 3;
  });
  PatternOutlines outlines = TraceOutlines(*index);
  // Unit edges keyed by start corner and direction.
  std::map<std::tuple<int, int, int, int>, int> walked;
  for (size_t r = 0; r < outlines.RingCount(); ++r) {
    auto ring = outlines.Ring(r);
    for (size_t i = 0; i < ring.size(); ++i) {
      OutlinePoint a = ring[i];
      const OutlinePoint b = ring[(i + 1) % ring.size()];
      const int dx = (b.x > a.x) - (b.x < a.x), dy = (b.y > a.y) - (b.y < a.y);
      while (!(a == b)) {
        ++walked[{a.x, a.y, dx, dy}];
        a.x += dx;
        a.y += dy;
      }
    }
  }
  const int32_t w = index->Width(), h = index->Height();
  auto value = [&](int x, int y) {
    return x < 0 || y < 0 || x >= w || y >= h ? -1 : int(index->Row(y)[x]);
  };
  int boundaryEdges = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x <= w; ++x) {  // vertical edge at x between rows y and y + 1
      const int west = value(x - 1, y), east = value(x, y);
      if (west == east) continue;
      ++boundaryEdges;
      EXPECT_EQ((walked[{x, y, 0, 1}]), west >= 0 ? 1 : 0) << x << "," << y;
      EXPECT_EQ((walked[{x, y + 1, 0, -1}]), east >= 0 ? 1 : 0) << x << "," << y;
    }
  }
  for (int y = 0; y <= h; ++y) {
    for (int x = 0; x < w; ++x) {  // horizontal edge at y between columns x and x + 1
      const int south = value(x, y - 1), north = value(x, y);
      if (south == north) continue;
      ++boundaryEdges;
      EXPECT_EQ((walked[{x, y, 1, 0}]), north >= 0 ? 1 : 0) << x << "," << y;
      EXPECT_EQ((walked[{x + 1, y, -1, 0}]), south >= 0 ? 1 : 0) << x << "," << y;
    }
  }
  int total = 0;
  for (const auto& [edge, count] : walked) total += count;
  EXPECT_EQ(total, 2 * boundaryEdges - 2 * (w + h)) << "no edge walked that is not a boundary";
}

TEST(OutlineTracer, OnlyOneBytePixelsAreTraced) {
  ImageRef colour = test::MakeSolid(4, 4, 1, 2, 3);
  PatternOutlines outlines = TraceOutlines(*colour);
  EXPECT_TRUE(outlines.areas.empty());
  EXPECT_EQ(outlines.RingCount(), 0u);
}

}  // namespace
}  // namespace tintara

namespace tintara {
namespace {

// The smoothed outline keeps each pixel centre on its own side, moves no
// point more than half a pixel from a corner of the traced outline, and
// leaves every stretch between two areas in both their outlines, once each way.
void ExpectSmoothedFaithful(const ImageBuffer& index) {
  const PatternOutlines traced = TraceOutlines(index);
  const PatternOutlines smooth = SmoothOutlines(traced, index);
  ASSERT_EQ(smooth.unitsPerPixel, 2);
  ASSERT_EQ(smooth.RingCount(), traced.RingCount());
  ASSERT_EQ(test::CompareFilled(smooth, index), "");
  std::map<std::tuple<int, int, int, int>, int> segments;
  for (size_t r = 0; r < smooth.RingCount(); ++r) {
    auto ring = smooth.Ring(r);
    auto corners = traced.Ring(r);
    for (size_t i = 0; i < ring.size(); ++i) {
      const OutlinePoint a = ring[i], b = ring[(i + 1) % ring.size()];
      ASSERT_FALSE(a == b);
      // Straight runs split into half-pixel steps; cuts are single diagonal steps.
      const int dx = (b.x > a.x) - (b.x < a.x), dy = (b.y > a.y) - (b.y < a.y);
      ASSERT_TRUE(dx == 0 || dy == 0 || (std::abs(b.x - a.x) == 1 && std::abs(b.y - a.y) == 1));
      for (OutlinePoint p = a; !(p == b); p.x += dx, p.y += dy) {
        ++segments[{p.x, p.y, p.x + dx, p.y + dy}];
      }
      bool near = false;
      for (const OutlinePoint& c : corners) {
        near = near || (std::abs(2 * c.x - a.x) + std::abs(2 * c.y - a.y) <= 1);
      }
      EXPECT_TRUE(near) << "point " << a.x << "," << a.y << " (half pixels) strays";
    }
  }
  const int w2 = 2 * index.Width(), h2 = 2 * index.Height();
  for (const auto& [s, count] : segments) {
    auto [ax, ay, bx, by] = s;
    const bool onFrame = (ax == bx && (ax == 0 || ax == w2)) || (ay == by && (ay == 0 || ay == h2));
    EXPECT_EQ(count, 1);
    if (!onFrame) {
      auto back = segments.find({bx, by, ax, ay});
      EXPECT_TRUE(back != segments.end() && back->second == 1)
          << "segment " << ax << "," << ay << " - " << bx << "," << by << " has no neighbour";
    }
  }
}

TEST(SmoothedOutlines, StaircasesBecomeSlopesThatNeighboursShare) {
  // A diagonal split: one staircase between two areas.
  ImageRef stairs = test::MakeIndex(12, 12, [](int x, int y) { return x > y ? 1 : 0; });
  const PatternOutlines smooth = SmoothOutlines(TraceOutlines(*stairs), *stairs);
  bool diagonal = false;
  for (size_t r = 0; r < smooth.RingCount(); ++r) {
    auto ring = smooth.Ring(r);
    for (size_t i = 0; i < ring.size(); ++i) {
      const OutlinePoint a = ring[i], b = ring[(i + 1) % ring.size()];
      diagonal = diagonal || (a.x != b.x && a.y != b.y);
    }
  }
  EXPECT_TRUE(diagonal);
  ExpectSmoothedFaithful(*stairs);
}

TEST(SmoothedOutlines, JunctionsSaddlesAndTheFrameStayPut) {
  ImageRef board = test::MakeIndex(6, 6, [](int x, int y) { return (x + y) % 2; });
  const PatternOutlines traced = TraceOutlines(*board);
  const PatternOutlines smooth = SmoothOutlines(traced, *board);
  // Every corner of a checkerboard is a saddle or on the frame: nothing is cut.
  ASSERT_EQ(smooth.points.size(), traced.points.size());
  for (size_t i = 0; i < traced.points.size(); ++i) {
    EXPECT_EQ(smooth.points[i], (OutlinePoint{2 * traced.points[i].x, 2 * traced.points[i].y}));
  }
  ImageRef three = test::MakeIndex(9, 9, [](int x, int y) { return x < 4 ? 0 : (y < 4 ? 1 : 2); });
  ExpectSmoothedFaithful(*three);
}

TEST(SmoothedOutlines, PhotoLikeAreasStayFaithful) {
  std::mt19937 random(11);
  ImageRef noise = test::MakeIndex(37, 23, [&](int, int) { return int(random() % 3); });
  ExpectSmoothedFaithful(*noise);
  ImageRef blobs = test::MakeIndex(160, 120, [](int x, int y) {
    return ((x * x / 97 + y * y / 53 + (x * y) / 71) / 9) % 6;
  });
  ExpectSmoothedFaithful(*blobs);
}

}  // namespace
}  // namespace tintara
