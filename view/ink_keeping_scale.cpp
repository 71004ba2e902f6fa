#include "view/ink_keeping_scale.h"

#include <algorithm>
#include <vector>

namespace tintara {

namespace {

// The cells [first, end) one screen pixel stands for, never empty.
struct Span {
  int32_t first;
  int32_t end;
};

Span SpanOf(int64_t shownAt, int64_t cells, int64_t shown) {
  auto first = int32_t(shownAt * cells / shown);
  auto end = int32_t((shownAt + 1) * cells / shown);
  first = std::clamp<int32_t>(first, 0, int32_t(cells - 1));
  return {first, std::clamp<int32_t>(end, first + 1, int32_t(cells))};
}

struct Tally {
  uint32_t ink = 0;
  uint32_t others = 0;
  uint32_t red = 0;
  uint32_t green = 0;
  uint32_t blue = 0;

  void Add(uint8_t value, uint8_t inkValue, const std::array<uint32_t, 256>& colors) {
    if (value == inkValue) {
      ++ink;
      return;
    }
    const uint32_t color = colors[value];
    ++others;
    red += (color >> 16) & 0xFF;
    green += (color >> 8) & 0xFF;
    blue += color & 0xFF;
  }
};

// `strength` (0..256) of the ink over the mean of the other cells.
uint32_t Mix(const Tally& tally, uint32_t inkColor, uint32_t strength) {
  if (tally.others == 0) return 0xFF000000u | inkColor;
  const uint32_t n = tally.others;
  const uint32_t keep = 256 - strength;
  auto channel = [&](uint32_t sum, int shift) {
    return ((((inkColor >> shift) & 0xFF) * strength + (sum / n) * keep) >> 8) << shift;
  };
  return 0xFF000000u | channel(tally.red, 16) | channel(tally.green, 8) | channel(tally.blue, 0);
}

}  // namespace

bool IsScaledDown(const ImageSize& picture, const ImageSize& shown) {
  return !shown.IsEmpty() && shown.width < picture.width && shown.height < picture.height;
}

void ScaleDownKeepingInk(const ImageBuffer& picture, const std::array<uint32_t, 256>& colors,
                         uint8_t ink, const ImageSize& shown, const ShownPart& part,
                         uint32_t* out, size_t stride) {
  const int32_t w = picture.Width();
  const int32_t h = picture.Height();
  if (shown.IsEmpty() || w <= 0 || h <= 0 || part.width <= 0 || part.height <= 0) return;
  std::vector<Span> columns(size_t(part.width));
  for (int32_t x = 0; x < part.width; ++x) columns[size_t(x)] = SpanOf(part.left + x, w, shown.width);
  const uint32_t inkColor = colors[ink] & 0xFFFFFF;
  std::vector<const uint8_t*> rows;
  for (int32_t y = 0; y < part.height; ++y) {
    const Span down = SpanOf(part.top + y, h, shown.height);
    rows.clear();
    // Shown top-down; the picture's rows run bottom-up.
    for (int32_t r = down.first; r < down.end; ++r) rows.push_back(picture.Row(h - 1 - r));
    const int32_t bh = down.end - down.first;
    uint32_t* line = out + size_t(y) * stride;
    for (int32_t x = 0; x < part.width; ++x) {
      const Span across = columns[size_t(x)];
      const int32_t bw = across.end - across.first;
      Tally tally;
      uint64_t expected;  // ink cells of one line crossing the block, times its length
      if (int64_t(bw) * bh <= kWholeBlockCells) {
        for (const uint8_t* row : rows) {
          for (int32_t c = across.first; c < across.end; ++c) tally.Add(row[c], ink, colors);
        }
        expected = uint64_t(bw) * bh;
      } else {
        const int32_t middleRow = bh / 2;
        const int32_t middleColumn = across.first + bw / 2;
        for (int32_t c = across.first; c < across.end; ++c) {
          tally.Add(rows[size_t(middleRow)][c], ink, colors);
        }
        for (int32_t r = 0; r < bh; ++r) {
          if (r != middleRow) tally.Add(rows[size_t(r)][middleColumn], ink, colors);
        }
        expected = (uint64_t(bw) + uint64_t(bh)) / 2;
      }
      // A line across the block in either direction shows at full strength.
      const uint64_t side = uint64_t(std::max(bw, bh));
      const auto strength =
          uint32_t(std::min<uint64_t>(256, uint64_t(tally.ink) * side * 256 / expected));
      line[x] = Mix(tally, inkColor, strength);
    }
  }
}

}  // namespace tintara
