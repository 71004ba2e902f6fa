// "median_filt": the median of every channel over an n x n window, for 8-bit
// and true-colour pictures. On the colour-index image it removes specks smaller
// than half the window while keeping the boundaries of larger areas.
//
// 3 x 3 sorts each column of three once and combines neighbouring columns
// (a few byte minima and maxima per pixel). Larger windows keep a 256-bin
// histogram per column of the window and a two-level kernel histogram whose
// fine bins are brought up to date only for the coarse bin the median falls
// in, after Perreault and Hebert: constant time per pixel whatever n.
//
// Edges of the picture repeat outward. Even sizes use the next odd window.
#include <array>
#include <vector>

#include "imaging/filters/area_tool.h"
#include "imaging/filters/builtin_tools.h"
#include "imaging/filters/neighbourhood.h"
#include "imaging/filters/row_bands.h"

namespace tintara {

namespace {

constexpr int32_t kLargestWindow = 63;  // column counts fit a byte

inline uint8_t Min(uint8_t a, uint8_t b) { return a < b ? a : b; }
inline uint8_t Max(uint8_t a, uint8_t b) { return a < b ? b : a; }
inline uint8_t Median3(uint8_t a, uint8_t b, uint8_t c) {
  return Max(Min(a, b), Min(Max(a, b), c));
}

// 3 x 3: the median is the median of (largest column minimum, median of column
// medians, smallest column maximum).
void Median3x3Rows(const ImageBuffer& input, const AreaResult& result, int32_t firstY, int32_t endY,
                   RowTicker& ticker) {
  const int bytes = BitsPerPixel(input.Kind()) / 8;
  const int32_t from = result.Area().x - 1;
  const size_t padded = size_t(result.Area().width + 2) * size_t(bytes);
  std::vector<uint8_t> rows[3], low(padded), mid(padded), high(padded);
  for (auto& row : rows) row.resize(padded);
  for (int32_t y = firstY; y < endY; ++y) {
    for (int k = 0; k < 3; ++k) {
      CopyPaddedRow(ClampedRow(input, y + k - 1), input.Width(), bytes, from,
                    from + result.Area().width + 2, rows[k].data());
    }
    const uint8_t *a = rows[0].data(), *b = rows[1].data(), *c = rows[2].data();
    for (size_t i = 0; i < padded; ++i) {
      uint8_t lo = Min(a[i], b[i]), hi = Max(a[i], b[i]);
      low[i] = Min(lo, c[i]);
      high[i] = Max(hi, c[i]);
      mid[i] = Max(lo, Min(hi, c[i]));
    }
    uint8_t* out = result.Row(y);
    const size_t used = padded - 2 * size_t(bytes);
    const size_t s = size_t(bytes);
    for (size_t i = 0; i < used; ++i) {
      uint8_t lo = Max(Max(low[i], low[i + s]), low[i + 2 * s]);
      uint8_t hi = Min(Min(high[i], high[i + s]), high[i + 2 * s]);
      uint8_t me = Median3(mid[i], mid[i + s], mid[i + 2 * s]);
      out[i] = Median3(lo, me, hi);
    }
    if (!ticker.Tick()) return;
  }
}

// Column and kernel histograms of one channel over one band of rows.
class HistogramMedian {
 public:
  HistogramMedian(const ImageBuffer& input, const AreaResult& result, int channel, int32_t rx,
                  int32_t ry)
      : input_(input),
        result_(result),
        channel_(channel),
        rx_(rx),
        ry_(ry),
        bytes_(BitsPerPixel(input.Kind()) / 8),
        columns_(result.Area().width + 2 * rx),
        fine_(size_t(columns_) * 256),
        coarse_(size_t(columns_) * 16),
        row_(size_t(columns_) * size_t(bytes_)) {}

  // Column histograms over the window around row y.
  void Start(int32_t y) {
    for (int32_t k = -ry_; k <= ry_; ++k) AddRow(y + k, 1);
  }
  // From the window around row y - 1 to the one around row y.
  void Slide(int32_t y) {
    AddRow(y - ry_ - 1, -1);
    AddRow(y + ry_, 1);
  }

  void MedianRow(uint8_t* out) {
    const int32_t nx = 2 * rx_ + 1;
    const uint32_t rank = uint32_t(nx * (2 * ry_ + 1) / 2);  // 0-based rank of the median
    std::array<uint16_t, 16> coarse{};
    std::array<std::array<uint16_t, 16>, 16> fine;
    std::array<int32_t, 16> validFor;  // window start each bin's fine counts are for
    validFor.fill(-2 * kLargestWindow);
    for (int32_t x = 0; x < nx; ++x) AddCoarse(coarse, x, 1);
    for (int32_t i = 0; i < result_.Area().width; ++i) {
      if (i > 0) {
        AddCoarse(coarse, i - 1, -1);
        AddCoarse(coarse, i + nx - 1, 1);
      }
      uint32_t below = 0;
      size_t bin = 0;
      while (below + coarse[bin] <= rank) below += coarse[bin++];
      UpdateFine(fine[bin], validFor[bin], bin, i);
      size_t value = 0;
      while (below + fine[bin][value] <= rank) below += fine[bin][value++];
      out[size_t(i) * size_t(bytes_) + size_t(channel_)] = uint8_t(bin * 16 + value);
    }
  }

 private:
  void AddRow(int32_t y, int sign) {
    int32_t from = result_.Area().x - rx_;
    CopyPaddedRow(ClampedRow(input_, y), input_.Width(), bytes_, from, from + columns_,
                  row_.data());
    for (int32_t x = 0; x < columns_; ++x) {
      uint8_t v = row_[size_t(x) * size_t(bytes_) + size_t(channel_)];
      uint8_t& f = fine_[size_t(x) * 256 + v];
      uint8_t& c = coarse_[size_t(x) * 16 + (v >> 4)];
      f = uint8_t(f + sign);
      c = uint8_t(c + sign);
    }
  }

  void AddCoarse(std::array<uint16_t, 16>& coarse, int32_t column, int sign) const {
    const uint8_t* h = &coarse_[size_t(column) * 16];
    for (size_t b = 0; b < 16; ++b) coarse[b] = uint16_t(coarse[b] + sign * h[b]);
  }

  // Brings the fine counts of coarse bin `bin` to the window starting at `start`.
  void UpdateFine(std::array<uint16_t, 16>& fine, int32_t& validFor, size_t bin,
                  int32_t start) const {
    const int32_t nx = 2 * rx_ + 1;
    if (start - validFor >= nx) {
      fine.fill(0);
      for (int32_t x = start; x < start + nx; ++x) AddFine(fine, x, bin, 1);
    } else {
      for (int32_t s = validFor + 1; s <= start; ++s) {
        AddFine(fine, s - 1, bin, -1);
        AddFine(fine, s + nx - 1, bin, 1);
      }
    }
    validFor = start;
  }

  void AddFine(std::array<uint16_t, 16>& fine, int32_t column, size_t bin, int sign) const {
    const uint8_t* h = &fine_[size_t(column) * 256 + bin * 16];
    for (size_t v = 0; v < 16; ++v) fine[v] = uint16_t(fine[v] + sign * h[v]);
  }

  const ImageBuffer& input_;
  const AreaResult& result_;
  int channel_;
  int32_t rx_, ry_;
  int bytes_;
  int32_t columns_;
  std::vector<uint8_t> fine_;    // 256 counts per padded column
  std::vector<uint8_t> coarse_;  // 16 counts per padded column
  std::vector<uint8_t> row_;
};

void HistogramMedianRows(const ImageBuffer& input, const AreaResult& result, int32_t rx, int32_t ry,
                         int32_t firstY, int32_t endY, RowTicker& ticker) {
  std::vector<HistogramMedian> channels;
  for (int c = 0; c < BitsPerPixel(input.Kind()) / 8; ++c) {
    channels.emplace_back(input, result, c, rx, ry);
    channels.back().Start(firstY);
  }
  for (int32_t y = firstY; y < endY; ++y) {
    for (HistogramMedian& channel : channels) {
      if (y > firstY) channel.Slide(y);
      channel.MedianRow(result.Row(y));
    }
    if (!ticker.Tick()) return;
  }
}

class MedianFilter : public AreaTool {
 public:
  int Capabilities(int formatIndex) const override {
    return InPlaceCapabilities(formatIndex, true);
  }

 protected:
  int Prepare(const ImageBuffer&) override {
    int32_t width = 0, height = 0;
    if (!ReadWindow(kLargestWindow, width, height)) return kStatusBadParameter;
    rx_ = width / 2;
    ry_ = height / 2;
    return kStatusOk;
  }

  int Compute(FilterSite& site, const ImageBuffer& input, const AreaResult& result) override {
    const BoxRect& area = result.Area();
    return RunRowBands(site, area.height, int64_t(area.width) * area.height,
                       [&](int32_t first, int32_t end, RowTicker& ticker) {
                         if (rx_ == 1 && ry_ == 1) {
                           Median3x3Rows(input, result, area.y + first, area.y + end, ticker);
                         } else {
                           HistogramMedianRows(input, result, rx_, ry_, area.y + first,
                                               area.y + end, ticker);
                         }
                       });
  }

 private:
  int32_t rx_ = 1;
  int32_t ry_ = 1;
};

}  // namespace

std::unique_ptr<FilterTool> MakeMedianFilter() { return std::make_unique<MedianFilter>(); }

}  // namespace tintara
