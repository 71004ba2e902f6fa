// "graham_filt": noise-stripping smoothing after R. E. Graham ("Snow removal",
// 1962), widened from 3 x 3 to an n x n window.
//
// Per pixel, second differences across x and across y tell whether the window
// holds detail in that direction: where neither does, the pixel becomes the mean
// of the window; where one does, it is averaged only along the other (along the
// column for detail across x, along the row for detail across y), so edges stay
// sharp; where both do, it is kept. The mode is decided once per pixel from
// luminance and applied to all channels alike, so no colour fringes appear.
//
// The second differences are taken at the window's scale: across x, the mean
// of the columns left of the centre column plus the mean of those right of it
// minus twice the centre column's mean, all over the window's height. That sum
// equals (n / r) times the difference between the window mean and the centre
// column mean (r = n / 2), so the test needs only the window, column and row
// sums that the averaging itself uses. Luminance rides along as a fourth
// channel. Column sums run down the picture and window sums slide along each
// row, so the cost does not depend on n. A linear ramp has no second
// difference and is smoothed without being flattened.
//
// Edges of the picture repeat outward. Even sizes use the next odd window.
#include "imaging/filters/graham_filter.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "imaging/filters/area_tool.h"
#include "imaging/filters/builtin_tools.h"
#include "imaging/filters/lanes4.h"
#include "imaging/filters/neighbourhood.h"
#include "imaging/filters/row_bands.h"

namespace tintara {

namespace {

// Rounded means (sum + d / 2) / d as a float product: the reciprocal is raised
// by 2^-21 so the product never falls below the true quotient, and stays below
// the next integer for every sum of at most d values of 255 (d <= 63^2).
F32x4 Reciprocal(int32_t d) {
  float r = float((1.0 + 1.0 / (1 << 21)) / d);
  return F32x4{r, r, r, r};
}

class GrahamBand {
 public:
  GrahamBand(const ImageBuffer& input, const AreaResult& result, GrahamWindow window)
      : input_(input),
        result_(result),
        w_(window),
        grey_(input.Kind() != kKindRgb24),
        nx_(2 * window.rx + 1),
        ny_(2 * window.ry + 1),
        padded_(result.Area().width + 2 * window.rx),
        ringRows_(2 * window.ry + 2),
        rowBytes_(size_t(padded_ + 2) * 4),
        ring_(size_t(ringRows_) * rowBytes_),
        ringY_(size_t(ringRows_), kNoRow),
        column_(rowBytes_),
        wide_(rowBytes_) {
    const int32_t divisors[4] = {nx_ * ny_, nx_, ny_, 1};  // box, row, column, keep
    for (int m = 0; m < 4; ++m) {
      reciprocal_[m] = Reciprocal(divisors[m]);
      uint32_t half = uint32_t(divisors[m] / 2);
      half_[m] = U32x4{half, half, half, half};
    }
  }

  void Run(int32_t firstY, int32_t endY, RowTicker& ticker) {
    for (int32_t k = -w_.ry; k <= w_.ry; ++k) AddRow(Pixels(firstY + k));
    for (int32_t y = firstY; y < endY; ++y) {
      if (grey_) {
        OutputRow<true>(Pixels(y), result_.Row(y));
      } else {
        OutputRow<false>(Pixels(y), result_.Row(y));
      }
      if (y + 1 < endY) {
        RemoveRow(Pixels(y - w_.ry));
        AddRow(Pixels(y + w_.ry + 1));
      }
      if (!ticker.Tick()) return;
    }
  }

 private:
  static constexpr int32_t kNoRow = INT32_MIN;

  // Row y as blue, green, red, luminance per padded column, from the ring of
  // the rows the window currently spans.
  const uint8_t* Pixels(int32_t y) {
    size_t slot = size_t(((y % ringRows_) + ringRows_) % ringRows_);
    uint8_t* row = ring_.data() + slot * rowBytes_;
    if (ringY_[slot] != y) {
      FillPixels(ClampedRow(input_, y), row);
      ringY_[slot] = y;
    }
    return row;
  }

  void FillPixels(const uint8_t* source, uint8_t* out) const {
    const int32_t from = result_.Area().x - w_.rx;
    const int32_t width = input_.Width();
    // Columns left of the picture, inside it, right of it.
    const int32_t left = std::min(std::max(-from, 0), padded_);
    const int32_t inside = std::max(std::min(width - from, padded_), left);
    for (int32_t i = 0; i < padded_; ++i) {
      int32_t x = i < left ? 0 : (i < inside ? from + i : width - 1);
      if (i == left && i < inside) {
        if (grey_) {
          FillGrey(source + x, inside - left, out + 4 * i);
        } else {
          FillColour(source + 3 * size_t(x), inside - left, out + 4 * i);
        }
        i = inside - 1;
        continue;
      }
      if (grey_) {
        FillGrey(source + x, 1, out + 4 * i);
      } else {
        FillColour(source + 3 * size_t(x), 1, out + 4 * i);
      }
    }
  }

  static void FillGrey(const uint8_t* p, int32_t count, uint8_t* out) {
    for (int32_t i = 0; i < count; ++i, out += 4) out[0] = out[1] = out[2] = out[3] = p[i];
  }

  static void FillColour(const uint8_t* p, int32_t count, uint8_t* out) {
    for (int32_t i = 0; i < count; ++i, p += 3, out += 4) {
      out[0] = p[0];
      out[1] = p[1];
      out[2] = p[2];
      out[3] = GrahamLuminance(p[0], p[1], p[2]);
    }
  }

  // Column sums of at most 63 values of 255 fit 16 bits.
  void AddRow(const uint8_t* pixels) {
    AccumulateBytes(column_.data(), pixels, size_t(padded_) * 4, true);
  }

  void RemoveRow(const uint8_t* pixels) {
    AccumulateBytes(column_.data(), pixels, size_t(padded_) * 4, false);
  }

  template <bool kGrey>
  void OutputRow(const uint8_t* pixels, uint8_t* out) {
    const uint16_t* column = column_.data();
    // The window and row sums slide along the row; the column and pixel
    // arrays hold one spare zero column for the last slide.
    uint32_t* wide = wide_.data();
    for (int32_t k = 0; k <= padded_; ++k) StoreU32x4(wide + 4 * k, WidenU8x4(pixels + 4 * k));
    U32x4 box{}, row{};
    for (int32_t k = 0; k < nx_; ++k) {
      box += WidenU16x4(column + 4 * k);
      row += LoadU32x4(wide + 4 * k);
    }
    const int32_t limitX = kGrahamDetailThreshold * w_.rx * ny_;
    const int32_t limitY = kGrahamDetailThreshold * w_.ry * nx_;
    const int bytes = kGrey ? 1 : 3;
    const int32_t width = result_.Area().width;
    // The luminance sums also run as plain integers, read straight from the
    // arrays, so deciding the mode takes nothing out of the lanes.
    int32_t boxL = int32_t(box[3]), rowL = int32_t(row[3]);
    const int32_t nx = nx_, ny = ny_, rx = w_.rx;
    for (int32_t i = 0; i < width; ++i, out += bytes) {
      U32x4 col = WidenU16x4(column + 4 * (i + rx));
      U32x4 keep = LoadU32x4(wide + 4 * (i + rx));
      int detailX = std::abs(boxL - nx * int32_t(column[4 * (i + rx) + 3])) > limitX;
      int detailY = std::abs(boxL - ny * rowL) > limitY;
      boxL += int32_t(column[4 * (i + nx) + 3]) - int32_t(column[4 * i + 3]);
      rowL += int32_t(wide[4 * (i + nx) + 3]) - int32_t(wide[4 * i + 3]);
      int mode = 2 * detailX + detailY;  // 0 box, 1 row, 2 column, 3 keep
      const U32x4 candidates[4] = {box, row, col, keep};
      // Sums stay below 2^31, so the signed conversions are exact.
      I32x4 rounded = I32x4(candidates[mode] + half_[mode]);
      F32x4 scaled = __builtin_convertvector(rounded, F32x4) * reciprocal_[mode];
      uint32_t mean = PackLowBytes(__builtin_convertvector(scaled, I32x4));
      if (kGrey) {
        out[0] = uint8_t(mean);
      } else if (i + 1 < width) {
        std::memcpy(out, &mean, 4);  // the fourth byte is the next pixel's, written next
      } else {
        std::memcpy(out, &mean, 3);
      }
      box += WidenU16x4(column + 4 * (i + nx_)) - WidenU16x4(column + 4 * i);
      row += LoadU32x4(wide + 4 * (i + nx_)) - LoadU32x4(wide + 4 * i);
    }
  }

  const ImageBuffer& input_;
  const AreaResult& result_;
  GrahamWindow w_;
  bool grey_;
  int32_t nx_, ny_;
  int32_t padded_;
  int32_t ringRows_;
  // Every row array holds two spare zero columns: one for the last slide along
  // the row, one so that 8-lane passes never run past the end.
  size_t rowBytes_;
  std::vector<uint8_t> ring_;     // ringRows_ rows of rowBytes_ bytes
  std::vector<int32_t> ringY_;    // picture row each ring row holds
  std::vector<uint16_t> column_;  // sums over the window's rows, 4 per padded column
  std::vector<uint32_t> wide_;    // the current row's pixels, 4 lanes each
  F32x4 reciprocal_[4];           // box, row, column, keep
  U32x4 half_[4];
};

class GrahamFilter : public AreaTool {
 public:
  int Capabilities(int formatIndex) const override {
    return InPlaceCapabilities(formatIndex, false);
  }

 protected:
  int Prepare(const ImageBuffer&) override {
    int32_t width = 0, height = 0;
    if (!ReadWindow(kGrahamLargestWindow, width, height)) return kStatusBadParameter;
    window_ = {width / 2, height / 2};
    return kStatusOk;
  }

  int Compute(FilterSite& site, const ImageBuffer& input, const AreaResult& result) override {
    const BoxRect& area = result.Area();
    return RunRowBands(site, area.height, int64_t(area.width) * area.height,
                       [&](int32_t first, int32_t end, RowTicker& ticker) {
                         GrahamBand band(input, result, window_);
                         band.Run(area.y + first, area.y + end, ticker);
                       });
  }

 private:
  GrahamWindow window_{1, 1};
};

}  // namespace

std::unique_ptr<FilterTool> MakeGrahamFilter() { return std::make_unique<GrahamFilter>(); }

}  // namespace tintara
