#include "pattern/same_color_area.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace tintara {

std::unique_ptr<AreaFinder> AreaFinder::Create(const ImageBuffer& image) {
  if (BitsPerPixel(image.Kind()) != 8) return nullptr;
  try {
    auto finder = std::make_unique<AreaFinder>(Private{}, image);
    finder->visited_.assign(size_t(image.Width()) * size_t(image.Height()), 0);
    return finder;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

bool AreaFinder::Find(int32_t x, int32_t y) {
  runs_.clear();
  bounds_ = {};
  if (x < 0 || y < 0 || x >= image_.Width() || y >= image_.Height()) return false;
  bool complete = true;
  try {
    Search(x, y);
  } catch (const std::bad_alloc&) {
    complete = false;
  }
  // Leave the map clear for the next search, whatever happened.
  int32_t width = image_.Width();
  for (const AreaRun& run : runs_) {
    std::memset(visited_.data() + size_t(run.y) * size_t(width) + size_t(run.left), 0,
                size_t(run.right - run.left));
  }
  if (!complete || runs_.empty()) {
    runs_.clear();
    return false;
  }
  int32_t left = runs_[0].left, right = runs_[0].right, top = runs_[0].y, bottom = runs_[0].y;
  for (const AreaRun& run : runs_) {
    left = std::min(left, run.left);
    right = std::max(right, run.right);
    top = std::min(top, run.y);
    bottom = std::max(bottom, run.y);
  }
  bounds_ = {left, top, right - left, bottom - top + 1};
  return true;
}

// Span fill: each seed grows into the whole run of equal, unvisited pixels
// around it, and the rows above and below are scanned over that run's columns
// for the next seeds. Only side neighbours connect, never diagonal ones.
void AreaFinder::Search(int32_t x, int32_t y) {
  const uint8_t value = image_.Row(y)[x];
  const int32_t width = image_.Width();
  seeds_.clear();
  seeds_.push_back({x, y});
  while (!seeds_.empty()) {
    Seed seed = seeds_.back();
    seeds_.pop_back();
    const uint8_t* row = image_.Row(seed.y);
    uint8_t* visited = visited_.data() + size_t(seed.y) * size_t(width);
    if (visited[seed.x]) continue;
    int32_t left = seed.x;
    while (left > 0 && row[left - 1] == value && !visited[left - 1]) --left;
    int32_t right = seed.x + 1;
    while (right < width && row[right] == value && !visited[right]) ++right;
    runs_.push_back({seed.y, left, right});
    std::memset(visited + left, 1, size_t(right - left));
    if (seed.y > 0) PushSegments(seed.y - 1, left, right, value);
    if (seed.y + 1 < image_.Height()) PushSegments(seed.y + 1, left, right, value);
  }
}

void AreaFinder::PushSegments(int32_t y, int32_t left, int32_t right, uint8_t value) {
  const uint8_t* row = image_.Row(y);
  const uint8_t* visited = visited_.data() + size_t(y) * size_t(image_.Width());
  int32_t x = left;
  while (x < right) {
    if (row[x] != value || visited[x]) {
      ++x;
      continue;
    }
    seeds_.push_back({x, y});
    while (x < right && row[x] == value && !visited[x]) ++x;
  }
}

RegionPtr AreaFinder::MakeRegion() const {
  if (runs_.empty()) return nullptr;
  RegionPtr region = RegionCreateEmptyMask(bounds_);
  if (!region) return nullptr;
  ImageBuffer* mask = region->MutableMask();
  std::optional<PixelRows> rows = mask->WritableRows();
  if (!rows) return nullptr;
  for (const AreaRun& run : runs_) {
    uint8_t* row = rows->Row(run.y - bounds_.y);
    std::memset(row + (run.left - bounds_.x), 255, size_t(run.right - run.left));
  }
  return region;
}

RegionPtr SelectSameColorArea(const ImageBuffer& image, int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= image.Width() || y >= image.Height()) return nullptr;
  std::unique_ptr<AreaFinder> finder = AreaFinder::Create(image);
  if (!finder || !finder->Find(x, y)) return nullptr;
  return finder->MakeRegion();
}

RegionPtr SelectAreaAt(const ImageBuffer* indexImage, int32_t x, int32_t y) {
  if (indexImage == nullptr) return nullptr;
  return SelectSameColorArea(*indexImage, x, y);
}

}  // namespace tintara
