#include "imaging/region.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>

namespace tintara {

LtrbRect ToLtrb(const BoxRect& box) {
  return {box.x, box.y, box.x + box.width, box.y + box.height};
}

BoxRect ToBoxRect(const LtrbRect& rect) {
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

BoxRect Intersect(const BoxRect& a, const BoxRect& b) {
  int64_t left = std::max<int64_t>(a.x, b.x);
  int64_t top = std::max<int64_t>(a.y, b.y);
  int64_t right = std::min<int64_t>(int64_t(a.x) + a.width, int64_t(b.x) + b.width);
  int64_t bottom = std::min<int64_t>(int64_t(a.y) + a.height, int64_t(b.y) + b.height);
  if (right <= left || bottom <= top) return {int32_t(left), int32_t(top), 0, 0};
  return {int32_t(left), int32_t(top), int32_t(right - left), int32_t(bottom - top)};
}

BoxRect Unite(const BoxRect& a, const BoxRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  int64_t left = std::min(a.x, b.x);
  int64_t top = std::min(a.y, b.y);
  int64_t right = std::max<int64_t>(int64_t(a.x) + a.width, int64_t(b.x) + b.width);
  int64_t bottom = std::max<int64_t>(int64_t(a.y) + a.height, int64_t(b.y) + b.height);
  return {int32_t(left), int32_t(top), int32_t(std::min<int64_t>(right - left, INT32_MAX)),
          int32_t(std::min<int64_t>(bottom - top, INT32_MAX))};
}

namespace {

constexpr BoxRect kWholeBounds{0, 0, kMaxImageSide, kMaxImageSide};

RegionPtr MakeRegion() {
  try {
    return std::make_unique<Region>();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

// Row r of a raster; the offset is taken in size_t because a mask can pass 2 GB.
uint8_t* RowAt(uint8_t* bytes, int32_t r, int32_t stride) {
  return bytes + size_t(r) * size_t(stride);
}

void ClearRows(const BoxRect& area, uint8_t* bytes, int32_t stride) {
  for (int32_t r = 0; r < area.height; ++r) {
    std::memset(RowAt(bytes, r, stride), 0, size_t(area.width));
  }
}

void FillRun(uint8_t* row, int32_t from, int32_t to, uint8_t value) {
  if (to > from) std::memset(row + from, value, size_t(to - from));
}

}  // namespace

BoxRect Region::Bounds() const {
  switch (kind_) {
    case kRegionWhole: return kWholeBounds;
    case kRegionCombined: {
      BoxRect bounds;
      for (const Part& part : parts_) {
        if (part.code != kCombineAdd) continue;
        bounds = part.region->IsInverted() ? kWholeBounds : Unite(bounds, part.region->Bounds());
      }
      return bounds;
    }
    default: return box_;
  }
}

void Region::MoveTo(int32_t x, int32_t y) {
  BoxRect bounds = Bounds();
  int32_t dx = x - bounds.x;
  int32_t dy = y - bounds.y;
  if (kind_ == kRegionWhole) return;
  box_.x += dx;
  box_.y += dy;
  for (Point& p : points_) {
    p.x += dx;
    p.y += dy;
  }
  for (Part& part : parts_) {
    BoxRect b = part.region->Bounds();
    part.region->MoveTo(b.x + dx, b.y + dy);
  }
}

void Region::RasterizeShape(const BoxRect& area, uint8_t* bytes, int32_t stride) const {
  if (area.IsEmpty()) return;
  switch (kind_) {
    case kRegionWhole:
      for (int32_t r = 0; r < area.height; ++r) {
        FillRun(RowAt(bytes, r, stride), 0, area.width, 255);
      }
      return;
    case kRegionRectangle: {
      ClearRows(area, bytes, stride);
      BoxRect hit = Intersect(area, box_);
      for (int32_t r = 0; r < hit.height; ++r) {
        uint8_t* row = RowAt(bytes, hit.y - area.y + r, stride);
        FillRun(row, hit.x - area.x, hit.x - area.x + hit.width, 255);
      }
      return;
    }
    case kRegionEllipse: RasterizeEllipse(area, bytes, stride); return;
    case kRegionPolygon: RasterizePolygon(area, bytes, stride); return;
    case kRegionCombined: RasterizeCombined(area, bytes, stride); return;
    case kRegionMask: RasterizeMask(area, bytes, stride); return;
    default: return;
  }
}

void Region::RasterizeEllipse(const BoxRect& area, uint8_t* bytes, int32_t stride) const {
  double rx = box_.width / 2.0;
  double ry = box_.height / 2.0;
  double cx = box_.x + rx;
  double cy = box_.y + ry;
  for (int32_t r = 0; r < area.height; ++r) {
    uint8_t* row = RowAt(bytes, r, stride);
    std::memset(row, 0, size_t(area.width));
    if (rx <= 0 || ry <= 0) continue;
    double dy = (area.y + r + 0.5 - cy) / ry;
    double left = 1.0 - dy * dy;
    if (left < 0) continue;
    double half = rx * std::sqrt(left);
    // Pixel centres x + 0.5 within [cx - half, cx + half].
    int64_t from = int64_t(std::ceil(cx - half - 0.5));
    int64_t to = int64_t(std::floor(cx + half - 0.5)) + 1;
    from = std::clamp<int64_t>(from - area.x, 0, area.width);
    to = std::clamp<int64_t>(to - area.x, 0, area.width);
    FillRun(row, int32_t(from), int32_t(to), 255);
  }
}

void Region::RasterizePolygon(const BoxRect& area, uint8_t* bytes, int32_t stride) const {
  std::vector<double> crossings;
  size_t n = points_.size();
  for (int32_t r = 0; r < area.height; ++r) {
    uint8_t* row = RowAt(bytes, r, stride);
    std::memset(row, 0, size_t(area.width));
    double y = area.y + r + 0.5;
    crossings.clear();
    for (size_t i = 0; i < n; ++i) {
      const Point& a = points_[i];
      const Point& b = points_[(i + 1) % n];
      if ((a.y <= y) == (b.y <= y)) continue;
      crossings.push_back(a.x + (y - a.y) * double(b.x - a.x) / double(b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    // Even-odd rule: pixel centres between successive pairs of crossings.
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      int64_t from = int64_t(std::ceil(crossings[i] - 0.5));
      int64_t to = int64_t(std::ceil(crossings[i + 1] - 0.5));
      from = std::clamp<int64_t>(from - area.x, 0, area.width);
      to = std::clamp<int64_t>(to - area.x, 0, area.width);
      FillRun(row, int32_t(from), int32_t(to), 255);
    }
  }
}

void Region::RasterizeCombined(const BoxRect& area, uint8_t* bytes, int32_t stride) const {
  ClearRows(area, bytes, stride);
  std::vector<uint8_t> part(size_t(area.width) * size_t(area.height));
  for (const Part& p : parts_) {
    p.region->RasterizeShape(area, part.data(), area.width);
    uint8_t flip = p.region->IsInverted() ? 255 : 0;
    for (int32_t r = 0; r < area.height; ++r) {
      uint8_t* out = RowAt(bytes, r, stride);
      const uint8_t* in = part.data() + size_t(r) * size_t(area.width);
      for (int32_t x = 0; x < area.width; ++x) {
        uint8_t inside = uint8_t(in[x] ^ flip);
        out[x] = p.code == kCombineAdd ? uint8_t(out[x] | inside) : uint8_t(out[x] & ~inside);
      }
    }
  }
}

void Region::RasterizeMask(const BoxRect& area, uint8_t* bytes, int32_t stride) const {
  ClearRows(area, bytes, stride);
  BoxRect hit = Intersect(area, box_);
  for (int32_t r = 0; r < hit.height; ++r) {
    const uint8_t* src = mask_->Row(hit.y - box_.y + r) + (hit.x - box_.x);
    uint8_t* dst = RowAt(bytes, hit.y - area.y + r, stride) + (hit.x - area.x);
    for (int32_t x = 0; x < hit.width; ++x) dst[x] = src[x] ? 255 : 0;
  }
}

RegionPtr Region::Duplicate() const {
  RegionPtr copy = MakeRegion();
  if (!copy) return nullptr;
  copy->kind_ = kind_;
  copy->inverted_ = inverted_;
  copy->box_ = box_;
  copy->points_ = points_;
  for (const Part& part : parts_) {
    RegionPtr inner = part.region->Duplicate();
    if (!inner) return nullptr;
    copy->parts_.push_back({part.code, std::move(inner)});
  }
  if (mask_) {
    copy->mask_ = ImageBuffer::Copy(*mask_);
    if (!copy->mask_) return nullptr;
  }
  return copy;
}

bool Region::Combine(const Region& other, int code) {
  if (kind_ != kRegionCombined || (code != kCombineAdd && code != kCombineSubtract)) return false;
  RegionPtr inner = other.Duplicate();
  if (!inner) return false;
  parts_.push_back({code, std::move(inner)});
  return true;
}

RegionPtr RegionCreateEmpty() {
  RegionPtr region = MakeRegion();
  if (region) region->kind_ = kRegionWhole;
  return region;
}

RegionPtr RegionCreateRect(const BoxRect& box) {
  RegionPtr region = MakeRegion();
  if (!region) return nullptr;
  region->kind_ = kRegionRectangle;
  region->box_ = box;
  return region;
}

RegionPtr RegionCreateEllipse(const BoxRect& box) {
  RegionPtr region = MakeRegion();
  if (!region) return nullptr;
  region->kind_ = kRegionEllipse;
  region->box_ = box;
  return region;
}

RegionPtr RegionCreatePolygon(std::span<const Point> points) {
  if (points.size() < 2) return nullptr;
  RegionPtr region = MakeRegion();
  if (!region) return nullptr;
  region->kind_ = kRegionPolygon;
  region->points_.assign(points.begin(), points.end());
  int32_t minX = INT32_MAX, minY = INT32_MAX, maxX = INT32_MIN, maxY = INT32_MIN;
  for (const Point& p : points) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
  }
  region->box_ = {minX, minY, maxX - minX, maxY - minY};
  return region;
}

RegionPtr RegionCreateCombined(int code, const Region& region) {
  RegionPtr combined = MakeRegion();
  if (!combined) return nullptr;
  combined->kind_ = kRegionCombined;
  if (!combined->Combine(region, code)) return nullptr;
  return combined;
}

bool RegionCombine(Region& combined, const Region& region, int code) {
  return combined.Combine(region, code);
}

RegionPtr RegionDuplicate(const Region& region) { return region.Duplicate(); }

RegionPtr RegionCreateEmptyMask(const BoxRect& box) {
  if (box.IsEmpty()) return nullptr;
  RegionPtr region = MakeRegion();
  if (!region) return nullptr;
  region->kind_ = kRegionMask;
  region->box_ = box;
  region->mask_ = ImageBuffer::Create(kKindGray8, box.width, box.height);
  if (!region->mask_) return nullptr;
  return region;
}

RegionPtr RegionMakeMask(const Region& source, const BoxRect& box) {
  RegionPtr region = RegionCreateEmptyMask(box);
  if (!region) return nullptr;
  ImageBuffer& mask = *region->mask_;
  std::optional<PixelRows> rows = mask.WritableRows();
  if (!rows) return nullptr;
  uint8_t* bits = rows->Bits();
  try {  // combined shapes and polygons allocate while rasterising
    source.RasterizeShape(box, bits, mask.Stride());
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (source.IsInverted()) {
    for (int32_t r = 0; r < box.height; ++r) {
      uint8_t* row = bits + size_t(r) * size_t(mask.Stride());
      for (int32_t x = 0; x < box.width; ++x) row[x] = uint8_t(~row[x]);
    }
  }
  return region;
}

ImageRef RegionMaskImage(const Region& region) {
  return region.Kind() == kRegionMask ? region.MaskImage() : nullptr;
}

std::unique_ptr<EdgeDistanceContext> EdgeDistanceContext::Begin(const Region& region) {
  try {
    auto context = std::make_unique<EdgeDistanceContext>();
    BoxRect box = region.Bounds();
    if (box.IsEmpty() || uint64_t(box.width) * uint64_t(box.height) > (uint64_t(1) << 28)) {
      return nullptr;
    }
    size_t count = size_t(box.width) * size_t(box.height);
    context->box_ = box;
    context->inside_.resize(count);
    region.RasterizeShape(box, context->inside_.data(), box.width);
    if (region.IsInverted()) {
      for (uint8_t& b : context->inside_) b = uint8_t(~b);
    }
    context->up_.assign(count, -1);
    context->down_.assign(count, -1);
    for (int32_t x = 0; x < box.width; ++x) {
      int32_t run = -1;
      for (int32_t r = 0; r < box.height; ++r) {
        size_t i = size_t(r) * size_t(box.width) + size_t(x);
        run = context->inside_[i] ? run + 1 : -1;
        context->up_[i] = run;
      }
      run = -1;
      for (int32_t r = box.height - 1; r >= 0; --r) {
        size_t i = size_t(r) * size_t(box.width) + size_t(x);
        run = context->inside_[i] ? run + 1 : -1;
        context->down_[i] = run;
      }
    }
    return context;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

bool EdgeDistanceContext::Row(int32_t* distances[4], int32_t y, int32_t firstX,
                              int32_t count) const {
  if (count <= 0) return false;
  for (int k = 0; k < 4; ++k) std::fill_n(distances[k], count, -1);
  if (y < box_.y || y >= box_.y + box_.height) return false;
  size_t rowStart = size_t(y - box_.y) * size_t(box_.width);
  const uint8_t* inside = inside_.data() + rowStart;
  auto isInside = [&](int32_t x) {
    return x >= box_.x && x < box_.x + box_.width && inside[x - box_.x] != 0;
  };
  for (int32_t i = 0; i < count; ++i) {
    int32_t x = firstX + i;
    if (!isInside(x)) continue;
    int32_t left = x;
    while (isInside(left - 1)) --left;
    int32_t right = x;
    while (isInside(right + 1)) ++right;
    // Walk the run once and fill every cell of it that lies in the segment.
    for (int32_t c = std::max(x, left); c <= right && c < firstX + count; ++c) {
      int32_t j = c - firstX;
      size_t cell = rowStart + size_t(c - box_.x);
      distances[0][j] = c - left;
      distances[2][j] = right - c;
      distances[1][j] = up_[cell];
      distances[3][j] = down_[cell];
    }
    i = right - firstX;
  }
  return true;
}

EdgeDistanceHandle EdgeDistanceBegin(const Region& region) {
  return EdgeDistanceContext::Begin(region);
}

bool EdgeDistanceRow(int32_t* distances[4], int32_t y, int32_t firstX, int32_t count,
                     const EdgeDistanceContext& context) {
  return context.Row(distances, y, firstX, count);
}

std::vector<OutlineSegment> RegionOutline(const Region& region, int32_t width, int32_t height) {
  std::vector<OutlineSegment> segments;
  BoxRect area = region.IsInverted() ? BoxRect{0, 0, width, height}
                                     : Intersect(region.Bounds(), {0, 0, width, height});
  if (area.IsEmpty()) return segments;
  // One pixel of margin on every side so that edges at the area's border show.
  BoxRect padded{area.x - 1, area.y - 1, area.width + 2, area.height + 2};
  std::vector<uint8_t> inside(size_t(padded.width) * size_t(padded.height));
  region.RasterizeShape(padded, inside.data(), padded.width);
  for (int32_t r = 0; r < padded.height; ++r) {
    for (int32_t c = 0; c < padded.width; ++c) {
      int32_t x = padded.x + c;
      int32_t y = padded.y + r;
      bool inPicture = x >= 0 && y >= 0 && x < width && y < height;
      uint8_t& cell = inside[size_t(r) * size_t(padded.width) + size_t(c)];
      bool on = inPicture && ((cell != 0) != region.IsInverted());
      cell = on ? 1 : 0;
    }
  }
  auto at = [&](int32_t c, int32_t r) {
    if (c < 0 || r < 0 || c >= padded.width || r >= padded.height) return uint8_t(0);
    return inside[size_t(r) * size_t(padded.width) + size_t(c)];
  };
  // Horizontal edges lie between rows r - 1 and r; vertical ones between columns.
  for (int32_t r = 0; r <= padded.height; ++r) {
    int32_t start = -1;
    for (int32_t c = 0; c <= padded.width; ++c) {
      bool edge = c < padded.width && at(c, r) != at(c, r - 1);
      if (edge && start < 0) start = c;
      if (!edge && start >= 0) {
        segments.push_back({{padded.x + start, padded.y + r}, {padded.x + c, padded.y + r}});
        start = -1;
      }
    }
  }
  for (int32_t c = 0; c <= padded.width; ++c) {
    int32_t start = -1;
    for (int32_t r = 0; r <= padded.height; ++r) {
      bool edge = r < padded.height && at(c, r) != at(c - 1, r);
      if (edge && start < 0) start = r;
      if (!edge && start >= 0) {
        segments.push_back({{padded.x + c, padded.y + start}, {padded.x + c, padded.y + r}});
        start = -1;
      }
    }
  }
  return segments;
}

}  // namespace tintara
