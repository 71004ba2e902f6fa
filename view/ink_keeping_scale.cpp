#include "view/ink_keeping_scale.h"

#include <algorithm>
#include <vector>

namespace tintara {

std::array<uint32_t, 256> PaletteColors(const ImageBuffer& picture) {
  std::array<uint32_t, 256> colors{};
  std::vector<PaletteEntry> entries(256);
  picture.ReadPalette(0, 256, entries.data());
  for (size_t i = 0; i < colors.size(); ++i) {
    colors[i] = uint32_t(entries[i].red) << 16 | uint32_t(entries[i].green) << 8 | entries[i].blue;
  }
  return colors;
}

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

// Red, green and blue of a value in three 21-bit lanes of one word, so that a
// cell costs one add and no branch (a branch on ink mispredicts on every
// border); ink counts as black, its cells are counted apart.
constexpr int kLane = 21;
constexpr uint64_t kLaneMask = (uint64_t(1) << kLane) - 1;
// Cells one sum may hold before a lane could overflow.
constexpr uint32_t kMostSummedCells = uint32_t(kLaneMask / 255);

using Lanes = std::array<uint64_t, 256>;

Lanes LanesOf(const std::array<uint32_t, 256>& colors, uint8_t ink) {
  Lanes lanes{};
  for (size_t v = 0; v < lanes.size(); ++v) {
    const uint32_t c = colors[v];
    lanes[v] = uint64_t((c >> 16) & 0xFF) << (2 * kLane) | uint64_t((c >> 8) & 0xFF) << kLane |
               (c & 0xFF);
  }
  lanes[ink] = 0;
  return lanes;
}

struct Tally {
  uint64_t sum = 0;
  uint32_t cells = 0;
  uint32_t ink = 0;

  void Add(uint8_t value, uint8_t inkValue, const Lanes& lanes) {
    sum += lanes[value];
    ink += value == inkValue ? 1u : 0u;
    ++cells;
  }
};

// The mean colour of the cells that are not ink. Most blocks hold one value
// only (the paper, or one texture): when the sums say it is `guess`'s colour
// (the lanes never overflow, so equal sums mean equal means) no division is needed.
uint32_t MeanOfOthers(const Tally& tally, uint32_t others, uint8_t guess, uint8_t ink,
                      const Lanes& lanes, const std::array<uint32_t, 256>& colors) {
  if (guess != ink && tally.sum == uint64_t(others) * lanes[guess]) return colors[guess] & 0xFFFFFF;
  uint32_t mean = 0;
  for (int lane = 2; lane >= 0; --lane) {
    mean = mean << 8 | uint32_t(((tally.sum >> (lane * kLane)) & kLaneMask) / others);
  }
  return mean;
}

// `strength` (0..256) of the ink over `mean`.
uint32_t Mix(uint32_t mean, uint32_t inkColor, uint32_t strength) {
  if (strength == 0) return 0xFF000000u | mean;
  const uint32_t keep = 256 - strength;
  auto channel = [&](int shift) {
    return ((((inkColor >> shift) & 0xFF) * strength + ((mean >> shift) & 0xFF) * keep) >> 8) << shift;
  };
  return 0xFF000000u | channel(16) | channel(8) | channel(0);
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
  const Lanes lanes = LanesOf(colors, ink);
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
      uint64_t expected;  // ink cells of one line across the block
      if (int64_t(bw) * bh <= kWholeBlockCells) {
        for (const uint8_t* row : rows) {
          for (int32_t c = across.first; c < across.end; ++c) tally.Add(row[c], ink, lanes);
        }
        expected = uint64_t(bw) * bh;
      } else {
        // Past what the lanes hold (a zoom far below the view's own levels)
        // every step-th cell of the cross is looked at.
        const int32_t step = int32_t((uint32_t(bw) + uint32_t(bh)) / kMostSummedCells + 1);
        const int32_t middleRow = bh / 2;
        const int32_t middleColumn = across.first + bw / 2;
        for (int32_t c = across.first; c < across.end; c += step) {
          tally.Add(rows[size_t(middleRow)][c], ink, lanes);
        }
        for (int32_t r = 0; r < bh; r += step) {
          if (r != middleRow) tally.Add(rows[size_t(r)][middleColumn], ink, lanes);
        }
        expected = (uint64_t(bw) + uint64_t(bh)) / (2 * uint64_t(step));
      }
      const uint32_t others = tally.cells - tally.ink;
      if (others == 0) {
        line[x] = 0xFF000000u | inkColor;
        continue;
      }
      // A line across the block in either direction shows at full strength.
      uint32_t strength = 0;
      if (tally.ink != 0) {
        const uint64_t side = uint64_t(std::max(bw, bh));
        strength = uint32_t(std::min<uint64_t>(
            256, uint64_t(tally.ink) * side * 256 / std::max<uint64_t>(expected, 1)));
      }
      // A guess at the one value the other cells may share: right or not, the
      // mean comes out exact.
      const uint8_t guess = rows[0][across.first];
      line[x] = Mix(MeanOfOthers(tally, others, guess, ink, lanes, colors), inkColor, strength);
    }
  }
}

}  // namespace tintara
