#include "pattern/outline_tracer.h"

#include <algorithm>
#include <numeric>

namespace tintara {

namespace {

// Runs of equal value in every row, joined into 4-connected areas.
struct RowRuns {
  std::vector<int32_t> start;      // first column of each run
  std::vector<uint32_t> rowFirst;  // runs of row y: rowFirst[y] .. rowFirst[y + 1]
  std::vector<uint32_t> area;      // area number of each run
  uint32_t areaCount = 0;
};

uint32_t FindRoot(std::vector<uint32_t>& parent, uint32_t r) {
  while (parent[r] != r) {
    parent[r] = parent[parent[r]];
    r = parent[r];
  }
  return r;
}

RowRuns FindRuns(const std::vector<const uint8_t*>& rows, int32_t width, uint64_t runCount) {
  RowRuns runs;
  const auto height = int32_t(rows.size());
  runs.rowFirst.reserve(size_t(height) + 1);
  runs.start.reserve(size_t(runCount));
  for (int32_t y = 0; y < height; ++y) {
    runs.rowFirst.push_back(uint32_t(runs.start.size()));
    const uint8_t* row = rows[size_t(y)];
    for (int32_t x = 0; x < width; ++x) {
      if (x == 0 || row[x] != row[x - 1]) runs.start.push_back(x);
    }
  }
  runs.rowFirst.push_back(uint32_t(runs.start.size()));
  auto runEnd = [&](uint32_t r, int32_t y) {
    return r + 1 < runs.rowFirst[size_t(y) + 1] ? runs.start[r + 1] : width;
  };

  std::vector<uint32_t> parent(runs.start.size());
  std::iota(parent.begin(), parent.end(), 0u);
  for (int32_t y = 1; y < height; ++y) {
    uint32_t i = runs.rowFirst[size_t(y)], iEnd = runs.rowFirst[size_t(y) + 1];
    uint32_t j = runs.rowFirst[size_t(y) - 1], jEnd = i;
    while (i < iEnd && j < jEnd) {
      const int32_t a0 = runs.start[i], a1 = runEnd(i, y);
      const int32_t b0 = runs.start[j], b1 = runEnd(j, y - 1);
      if (a0 < b1 && b0 < a1 && rows[size_t(y)][a0] == rows[size_t(y) - 1][b0]) {
        uint32_t ra = FindRoot(parent, i), rb = FindRoot(parent, j);
        if (ra != rb) parent[std::max(ra, rb)] = std::min(ra, rb);
      }
      if (a1 <= b1) ++i;
      if (b1 <= a1) ++j;
    }
  }
  // Roots are the lowest run of their set, so numbering in run order numbers
  // the areas in the order they are first met.
  runs.area.reserve(parent.size());
  runs.area.resize(parent.size());
  for (uint32_t r = 0; r < parent.size(); ++r) {
    uint32_t root = FindRoot(parent, r);
    runs.area[r] = root == r ? runs.areaCount++ : runs.area[root];
  }
  return runs;
}

enum Direction { kRight = 0, kUp = 1, kLeft = 2, kDown = 3 };
constexpr uint8_t kVisitedUp = 1;
constexpr uint8_t kVisitedDown = 2;

// Walks the boundary with the area on the left. At a corner where two pixels
// of the area touch only diagonally the walk turns left, keeping to the
// pixel it follows, so 4-connected areas stay apart.
class RingWalker {
 public:
  RingWalker(const std::vector<const uint8_t*>& rows, int32_t width)
      : rows_(rows), width_(width), height_(int32_t(rows.size())),
        visited_(size_t(width + 1) * rows.size(), 0) {}

  bool Visited(int32_t x, int32_t y, uint8_t flag) const {
    return (visited_[Edge(x, y)] & flag) != 0;
  }

  // Appends the ring's corners to `points`.
  void Walk(int32_t sx, int32_t sy, Direction d0, std::vector<OutlinePoint>& points) {
    const int a = Value(d0 == kDown ? sx : sx - 1, d0 == kDown ? sy - 1 : sy);
    int32_t x = sx, y = sy;
    int d = d0;
    do {
      switch (d) {
        case kRight: ++x; break;
        case kUp: visited_[Edge(x, y)] |= kVisitedUp; ++y; break;
        case kLeft: --x; break;
        default: --y; visited_[Edge(x, y)] |= kVisitedDown; break;
      }
      int next = d;
      if (LeftAhead(x, y, d) != a) {
        next = (d + 1) & 3;
      } else if (RightAhead(x, y, d) == a) {
        next = (d + 3) & 3;
      }
      if (next != d) points.push_back({x, y});
      d = next;
    } while (x != sx || y != sy || d != d0);
  }

 private:
  size_t Edge(int32_t x, int32_t y) const { return size_t(y) * size_t(width_ + 1) + size_t(x); }
  int Value(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
    return rows_[size_t(y)][x];
  }
  // The pixels ahead of corner (x, y) on either side of direction d.
  int LeftAhead(int32_t x, int32_t y, int d) const {
    switch (d) {
      case kRight: return Value(x, y);
      case kUp: return Value(x - 1, y);
      case kLeft: return Value(x - 1, y - 1);
      default: return Value(x, y - 1);
    }
  }
  int RightAhead(int32_t x, int32_t y, int d) const {
    switch (d) {
      case kRight: return Value(x, y - 1);
      case kUp: return Value(x, y);
      case kLeft: return Value(x - 1, y);
      default: return Value(x - 1, y - 1);
    }
  }

  const std::vector<const uint8_t*>& rows_;
  int32_t width_;
  int32_t height_;
  std::vector<uint8_t> visited_;  // per vertical edge: walked up, walked down
};

// Corners at the lattice point between pixels a (lower left), b (lower
// right), c (upper left) and d (upper right), -1 for outside the picture:
// one for each group of pixels of one area there that holds one or three of
// the four (a convex or a concave corner); two alike only diagonally are two
// groups, as the walk keeps them apart.
int CornersAt(int a, int b, int c, int d) {
  const int inside = (a >= 0) + (b >= 0) + (c >= 0) + (d >= 0);
  const bool ab = a >= 0 && a == b, cd = c >= 0 && c == d;
  const bool ac = a >= 0 && a == c, bd = b >= 0 && b == d;
  switch (ab + cd + ac + bd) {
    case 0: return inside;
    case 1: return inside - 2;
    case 2: return (ab && cd) || (ac && bd) ? 0 : inside - 2;
    default: return 0;
  }
}

uint64_t CornersAlong(const uint8_t* lower, const uint8_t* upper, int32_t width) {
  auto at = [](const uint8_t* row, int32_t x) { return row != nullptr ? int(row[x]) : -1; };
  uint64_t corners = uint64_t(CornersAt(-1, at(lower, 0), -1, at(upper, 0)));
  for (int32_t x = 1; x < width; ++x) {
    const int a = at(lower, x - 1), b = at(lower, x), c = at(upper, x - 1), d = at(upper, x);
    if (a == b && c == d && a == c) continue;
    corners += uint64_t(CornersAt(a, b, c, d));
  }
  return corners + uint64_t(CornersAt(at(lower, width - 1), -1, at(upper, width - 1), -1));
}

void Walk(const std::vector<const uint8_t*>& rows, int32_t width, const RowRuns& runs,
          std::vector<OutlinePoint>& points, std::vector<uint32_t>& ringStarts,
          std::vector<uint32_t>& ringArea, std::vector<uint8_t>& areaValue) {
  // Every ring holds a vertical edge, and every vertical boundary edge is the
  // left end of one run (walked down) and the right end of another (walked
  // up), so starting from unwalked run ends finds each ring once. The first
  // ring met of an area starts at its lowest, leftmost pixel: its outline.
  RingWalker walker(rows, width);
  auto walk = [&](int32_t x, int32_t y, Direction d, uint32_t area) {
    ringStarts.push_back(uint32_t(points.size()));
    ringArea.push_back(area);
    walker.Walk(x, y, d, points);
  };
  const auto height = int32_t(rows.size());
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t first = runs.rowFirst[size_t(y)], end = runs.rowFirst[size_t(y) + 1];
    for (uint32_t r = first; r < end; ++r) {
      const int32_t x0 = runs.start[r];
      const int32_t x1 = r + 1 < end ? runs.start[r + 1] : width;
      areaValue[runs.area[r]] = rows[size_t(y)][x0];
      if (!walker.Visited(x0, y, kVisitedDown)) walk(x0, y + 1, kDown, runs.area[r]);
      if (!walker.Visited(x1, y, kVisitedUp)) walk(x1, y, kUp, runs.area[r]);
    }
  }
  ringStarts.push_back(uint32_t(points.size()));
}

}  // namespace

OutlineCounts CountOutlines(const ImageBuffer& indexImage) {
  OutlineCounts counts;
  const int32_t width = indexImage.Width();
  const int32_t height = indexImage.Height();
  if (BitsPerPixel(indexImage.Kind()) != 8 || width <= 0 || height <= 0) return counts;
  for (int32_t y = 0; y <= height; ++y) {
    const uint8_t* lower = y > 0 ? indexImage.Row(y - 1) : nullptr;
    const uint8_t* upper = y < height ? indexImage.Row(y) : nullptr;
    counts.corners += CornersAlong(lower, upper, width);
    if (upper == nullptr) continue;
    counts.runs += 1;
    for (int32_t x = 1; x < width; ++x) counts.runs += upper[x] != upper[x - 1];
  }
  return counts;
}

uint64_t OutlinesBytes(const OutlineCounts& counts) {
  // Points, ring starts (a ring has four corners at least) and areas.
  return counts.corners * sizeof(OutlinePoint) + (counts.corners / 4 + 1) * sizeof(uint32_t) +
         counts.runs * sizeof(OutlineArea);
}

uint64_t TracingBytes(int32_t width, int32_t height, const OutlineCounts& counts) {
  const uint64_t w = uint64_t(std::max(width, 0)), h = uint64_t(std::max(height, 0));
  const uint64_t rows = h * sizeof(const uint8_t*) + (h + 1) * sizeof(uint32_t);
  const uint64_t points = counts.corners * sizeof(OutlinePoint);
  const uint64_t rings = counts.corners / 4 + 1;
  // Runs: start, union-find parent and area number; then the walk with its
  // marks per vertical edge; then the rings regrouped by area beside the
  // points in the order walked.
  const uint64_t findRuns = rows + 3 * 4 * counts.runs;
  const uint64_t walk = rows + 2 * 4 * counts.runs + (w + 1) * h + points + 2 * 4 * rings +
                        counts.runs;
  const uint64_t regroup = rows + points + 2 * 4 * rings + counts.runs + 4 * rings +
                           OutlinesBytes(counts);
  return std::max({findRuns, walk, regroup});
}

PatternOutlines TraceOutlines(const ImageBuffer& indexImage) {
  return TraceOutlines(indexImage, CountOutlines(indexImage));
}

PatternOutlines TraceOutlines(const ImageBuffer& indexImage, const OutlineCounts& counts) {
  PatternOutlines out;
  const int32_t width = indexImage.Width();
  const int32_t height = indexImage.Height();
  if (BitsPerPixel(indexImage.Kind()) != 8 || width <= 0 || height <= 0) return out;
  out.width = width;
  out.height = height;
  std::vector<const uint8_t*> rows(static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y) rows[size_t(y)] = indexImage.Row(y);

  // Sized from the counts, so that nothing grows past what was weighed.
  std::vector<OutlinePoint> points;
  std::vector<uint32_t> ringStarts;
  std::vector<uint32_t> ringArea;
  std::vector<uint8_t> areaValue;
  points.reserve(size_t(counts.corners));
  ringStarts.reserve(size_t(counts.corners / 4 + 1));
  ringArea.reserve(size_t(counts.corners / 4));
  {
    // The runs and the walk's marks go before the rings are regrouped.
    const RowRuns runs = FindRuns(rows, width, counts.runs);
    areaValue.resize(runs.areaCount);
    Walk(rows, width, runs, points, ringStarts, ringArea, areaValue);
  }

  // Rings grouped by area, keeping the order they were met in.
  out.areas.resize(areaValue.size());
  for (uint32_t a : ringArea) ++out.areas[a].ringCount;
  uint32_t next = 0;
  for (OutlineArea& area : out.areas) {
    area.firstRing = next;
    next += area.ringCount;
    area.ringCount = 0;
  }
  std::vector<uint32_t> order(ringArea.size());
  for (uint32_t ring = 0; ring < ringArea.size(); ++ring) {
    OutlineArea& area = out.areas[ringArea[ring]];
    order[area.firstRing + area.ringCount++] = ring;
  }
  out.points.reserve(points.size());
  out.ringStarts.reserve(order.size() + 1);
  for (uint32_t ring : order) {
    out.ringStarts.push_back(uint32_t(out.points.size()));
    out.points.insert(out.points.end(), points.begin() + ringStarts[ring],
                      points.begin() + ringStarts[ring + 1]);
  }
  out.ringStarts.push_back(uint32_t(out.points.size()));
  for (size_t a = 0; a < areaValue.size(); ++a) out.areas[a].value = areaValue[a];
  return out;
}

namespace {

// A corner between exactly two areas, one pixel against the other three,
// all inside the picture.
bool IsPlainCorner(const ImageBuffer& index, int32_t x, int32_t y) {
  if (x <= 0 || y <= 0 || x >= index.Width() || y >= index.Height()) return false;
  const uint8_t around[4] = {index.Row(y - 1)[x - 1], index.Row(y - 1)[x], index.Row(y)[x - 1],
                             index.Row(y)[x]};
  int same = 0;
  for (int i = 1; i < 4; ++i) same += around[i] == around[0];
  // One of four differs: either around[0] is alone (same == 0 and the other
  // three agree) or exactly one of the others differs (same == 2).
  if (same == 2) return true;
  return same == 0 && around[1] == around[2] && around[2] == around[3];
}

}  // namespace

void SmoothRing(std::span<const OutlinePoint> ring, const ImageBuffer& indexImage,
                std::vector<OutlinePoint>& out) {
  out.clear();
  const size_t n = ring.size();
  auto push = [&](int32_t x, int32_t y) {
    if (!out.empty() && out.back() == OutlinePoint{x, y}) return;
    out.push_back({x, y});
  };
  auto sign = [](int32_t d) { return (d > 0) - (d < 0); };
  for (size_t i = 0; i < n; ++i) {
    const OutlinePoint before = ring[(i + n - 1) % n], p = ring[i], after = ring[(i + 1) % n];
    if (!IsPlainCorner(indexImage, p.x, p.y)) {
      push(2 * p.x, 2 * p.y);
      continue;
    }
    // Half a pixel back along the edge coming in, half a pixel on along the one going out.
    push(2 * p.x + sign(before.x - p.x), 2 * p.y + sign(before.y - p.y));
    push(2 * p.x + sign(after.x - p.x), 2 * p.y + sign(after.y - p.y));
  }
  // Two cuts meeting in the middle of a one-pixel edge close on the same point.
  if (out.size() > 1 && out.back() == out.front()) out.pop_back();
}

PatternOutlines SmoothOutlines(const PatternOutlines& outlines, const ImageBuffer& indexImage) {
  PatternOutlines out;
  out.width = outlines.width;
  out.height = outlines.height;
  out.unitsPerPixel = 2;
  out.areas = outlines.areas;
  if (outlines.unitsPerPixel != 1 || indexImage.Width() != outlines.width ||
      indexImage.Height() != outlines.height) {
    return out;
  }
  out.points.reserve(outlines.points.size() * 2);
  out.ringStarts.reserve(outlines.ringStarts.size());
  std::vector<OutlinePoint> ring;
  for (size_t r = 0; r < outlines.RingCount(); ++r) {
    out.ringStarts.push_back(uint32_t(out.points.size()));
    SmoothRing(outlines.Ring(r), indexImage, ring);
    out.points.insert(out.points.end(), ring.begin(), ring.end());
  }
  out.ringStarts.push_back(uint32_t(out.points.size()));
  return out;
}

}  // namespace tintara
