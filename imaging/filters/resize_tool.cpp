// "Change_Size": a new picture of the given size ("%p,%d,%d,%d": {width,
// height}, 0, horizontal and vertical dots per inch, stored in the result).
// Along an axis that shrinks, every new pixel is the average of the source
// area it covers (partly covered pixels weigh by the part covered); along one
// that grows, pixels are interpolated linearly between the nearest source
// pixel centres. The axes are done one after the other with fixed-point
// weights: rows first, which shrinks the picture's height before the costlier
// pass along each row.
#include <algorithm>
#include <vector>

#include "imaging/filters/builtin_tools.h"
#include "imaging/filters/row_bands.h"

namespace tintara {

namespace {

constexpr int kWeightBits = 14;
constexpr int32_t kWeightOne = 1 << kWeightBits;

// Which source pixels make each output pixel along one axis, and how much.
struct Taps {
  std::vector<int32_t> first;   // per output index: first source index
  std::vector<int32_t> offset;  // per output index: where its weights start
  std::vector<int32_t> weights;
  int32_t Count(size_t o) const { return offset[o + 1] - offset[o]; }
};

// Weights of one output pixel, summing to kWeightOne exactly.
void AddTaps(Taps& taps, int32_t first, std::vector<int64_t>& parts, int64_t total) {
  taps.first.push_back(first);
  int32_t sum = 0;
  size_t largest = 0;
  for (size_t i = 0; i < parts.size(); ++i) {
    int32_t w = int32_t((parts[i] * kWeightOne + total / 2) / total);
    taps.weights.push_back(w);
    sum += w;
    if (parts[i] > parts[largest]) largest = i;
  }
  taps.weights[taps.weights.size() - parts.size() + largest] += kWeightOne - sum;
  taps.offset.push_back(int32_t(taps.weights.size()));
  parts.clear();
}

Taps MakeTaps(int32_t source, int32_t target) {
  Taps taps;
  taps.offset.push_back(0);
  std::vector<int64_t> parts;
  for (int32_t o = 0; o < target; ++o) {
    if (target <= source) {
      // Output o covers [o S, (o + 1) S) and source i covers [i T, (i + 1) T),
      // both in units of 1 / T source pixels.
      int64_t from = int64_t(o) * source, to = from + source;
      int32_t i = int32_t(from / target);
      int32_t first = i;
      for (; int64_t(i) * target < to; ++i) {
        int64_t start = std::max<int64_t>(from, int64_t(i) * target);
        int64_t end = std::min<int64_t>(to, int64_t(i + 1) * target);
        parts.push_back(end - start);
      }
      AddTaps(taps, first, parts, source);
    } else {
      // Centre of output o in source pixel indices, in units of 1 / (2 T).
      int64_t centre = (2 * int64_t(o) + 1) * source - target;
      centre = std::clamp<int64_t>(centre, 0, 2 * int64_t(target) * (source - 1));
      int32_t i = int32_t(centre / (2 * int64_t(target)));
      int64_t beyond = centre - int64_t(i) * 2 * target;
      parts.push_back(2 * int64_t(target) - beyond);
      if (beyond > 0) parts.push_back(beyond);
      AddTaps(taps, i, parts, 2 * int64_t(target));
    }
  }
  return taps;
}

uint8_t* BitsOf(const std::optional<PixelRows>& rows) { return rows ? rows->Bits() : nullptr; }

class Resampler {
 public:
  Resampler(const ImageBuffer& input, ImageBuffer& output)
      : input_(input),
        channels_(input.Kind() == kKindRgb24 ? 3 : 1),
        width_(output.Width()),
        rows_(MakeTaps(input.Height(), output.Height())),
        columns_(MakeTaps(input.Width(), output.Width())),
        bits_(BitsOf(output.WritableRows())),
        stride_(size_t(output.Stride())) {}

  bool Ready() const { return bits_ != nullptr; }

  void Rows(int32_t firstY, int32_t endY, RowTicker& ticker) const {
    const size_t values = size_t(input_.Width()) * size_t(channels_);
    std::vector<uint32_t> sums(values);
    std::vector<uint16_t> across(values);  // 8 bits after the point
    for (int32_t y = firstY; y < endY; ++y) {
      std::fill(sums.begin(), sums.end(), 0u);
      const int32_t* w = &rows_.weights[size_t(rows_.offset[size_t(y)])];
      for (int32_t t = 0; t < rows_.Count(size_t(y)); ++t) {
        const uint8_t* row = input_.Row(rows_.first[size_t(y)] + t);
        const uint32_t weight = uint32_t(w[t]);
        for (size_t k = 0; k < values; ++k) sums[k] += weight * row[k];
      }
      for (size_t k = 0; k < values; ++k) across[k] = uint16_t((sums[k] + 32) >> 6);
      uint8_t* out = bits_ + size_t(y) * stride_;
      if (channels_ == 3) {
        ColumnPass<3>(across.data(), out);
      } else {
        ColumnPass<1>(across.data(), out);
      }
      if (!ticker.Tick()) return;
    }
  }

 private:
  template <int C>
  void ColumnPass(const uint16_t* across, uint8_t* out) const {
    for (int32_t x = 0; x < width_; ++x) {
      const int32_t* w = &columns_.weights[size_t(columns_.offset[size_t(x)])];
      const uint16_t* in = across + size_t(columns_.first[size_t(x)]) * C;
      uint32_t sum[C] = {};
      for (int32_t t = 0; t < columns_.Count(size_t(x)); ++t, in += C) {
        for (int c = 0; c < C; ++c) sum[c] += uint32_t(w[t]) * in[c];
      }
      for (int c = 0; c < C; ++c) out[C * x + c] = uint8_t((sum[c] + (1u << 21)) >> 22);
    }
  }

  const ImageBuffer& input_;
  int channels_;
  int32_t width_;
  Taps rows_;
  Taps columns_;
  uint8_t* bits_;
  size_t stride_;
};

class ResizeTool : public FilterTool {
 public:
  int Capabilities(int formatIndex) const override {
    return formatIndex >= 3 ? kToolNewPicture : kToolUnsupported;
  }

  std::span<const ParameterKind> ParameterKinds() const override {
    static constexpr ParameterKind kKinds[] = {ParameterKind::kPoint, ParameterKind::kInt,
                                               ParameterKind::kInt, ParameterKind::kInt};
    return kKinds;
  }

  int Run(FilterSite& site, bool) override {
    ImageRef input = Slots().Image(kSlotInput);
    const Point* size = std::get_if<Point>(&Slots().Get(0));
    if (!input || size == nullptr || size->x < 1 || size->y < 1) return kStatusBadParameter;
    // Resolutions not given keep the picture's own.
    int32_t dpiX = Slots().Int(2, input->HorizontalDpi());
    int32_t dpiY = Slots().Int(3, input->VerticalDpi());
    if (dpiX < 0 || dpiX > 0xFFFF || dpiY < 0 || dpiY > 0xFFFF) return kStatusBadParameter;
    ImageRef output;
    if (size->x == input->Width() && size->y == input->Height()) {
      output = ImageBuffer::Copy(*input);
    } else {
      output = ImageBuffer::Create(input->Kind(), size->x, size->y);
      if (!output) return kStatusNoMemory;
      Resampler resampler(*input, *output);
      if (!resampler.Ready()) return kStatusNoMemory;
      ProgressScope progress(site);
      int status = RunRowBands(site, output->Height(),
                               int64_t(input->Width()) * std::max(input->Height(), size->y),
                               [&](int32_t first, int32_t end, RowTicker& ticker) {
                                 resampler.Rows(first, end, ticker);
                               });
      if (status != kStatusOk) return status;
    }
    if (!output) return kStatusNoMemory;
    output->SetResolution(uint32_t(dpiX) | (uint32_t(dpiY) << 16));
    return MutableSlots().Set(kSlotOutput, 0, output) ? kStatusOk : kStatusNoMemory;
  }
};

}  // namespace

std::unique_ptr<FilterTool> MakeResizeTool() { return std::make_unique<ResizeTool>(); }

}  // namespace tintara
