// Planar row passes of "graham_filt". Every row entering the window is split
// into planes (blue, green, red, luminance; one plane for 8-bit pictures) and
// its sums over the window's width are taken once, as differences of a running
// sum across the row. Column sums and window sums then slide down the picture
// by adding the entering row and taking away the leaving one, so no pass
// depends on n and none walks a row one pixel at a time. The mode is decided
// for N pixels at once from the luminance planes; the chosen sum and divisor
// are picked with masks.
//
// Slide and output go over the row in chunks that stay in the first-level
// cache.
#include "imaging/filters/graham_rows.h"

#include <algorithm>
#include <vector>

#include "imaging/filters/graham_lanes.h"
#include "imaging/filters/neighbourhood.h"

namespace tintara {

float GrahamMeanFactor(int32_t divisor) {
  // Raised by 2^-21 so that the product never falls below the true quotient,
  // yet stays below the next integer.
  return float((1.0 + 1.0 / (1 << 21)) / divisor);
}

namespace graham {
namespace {

constexpr int32_t kChunk = 256;  // columns per slide-and-output step

size_t RoundUp(size_t value, size_t step) { return (value + step - 1) / step * step; }

// The sums and pixels of one plane that the output pass reads.
struct PlaneView {
  const int32_t* box;
  const uint16_t* column;
  const uint16_t* row;
  const uint8_t* keep;  // the centre row's pixels, from the first result column
};

// The constants of the output pass, as full vectors.
template <int N>
struct Modes {
  typename Lanes<N>::F32 nx, ny, limitX, limitY;
  typename Lanes<N>::F32 factor[4];  // box, row, column, keep
  typename Lanes<N>::I32 half[4];
};

template <int N>
class Band {
  using L = Lanes<N>;
  using I32 = typename L::I32;
  using F32 = typename L::F32;
  using Words = typename L::Words;

 public:
  Band(const ImageBuffer& input, const AreaResult& result, GrahamWindow window)
      : input_(input),
        area_(result.Area()),
        result_(result),
        rx_(window.rx),
        ry_(window.ry),
        nx_(2 * window.rx + 1),
        ny_(2 * window.ry + 1),
        width_(area_.width),
        padded_(width_ + 2 * rx_),
        planes_(input.Kind() == kKindRgb24 ? 4 : 1),
        ringRows_(ny_ + 2),
        sumLength_(int32_t(RoundUp(size_t(width_), 2 * N))),
        pixelStride_(RoundUp(size_t(padded_) + 8 * N, 64)),
        sumStride_(RoundUp(size_t(sumLength_) + 2 * N, 32)),
        pixels_(size_t(ringRows_) * planes_ * pixelStride_),
        rowSums_(size_t(ringRows_) * planes_ * sumStride_),
        columns_(planes_ * sumStride_),
        boxes_(planes_ * sumStride_),
        prefix_(planes_ * (pixelStride_ + 2 * N)) {}

  void Run(int32_t firstY, int32_t endY, const std::function<bool()>& rowDone) {
    const Modes<N> modes = MakeModes();
    for (int32_t y = firstY - ry_; y < firstY + ry_; ++y) {
      Enter(y);
      Slide<false>(Slot(y), 0, 0, sumLength_);
    }
    for (int32_t y = firstY; y < endY; ++y) {
      Enter(y + ry_);
      const size_t entering = Slot(y + ry_), leaving = Slot(y - ry_ - 1);
      uint8_t* out = result_.Row(y);
      for (int32_t begin = 0; begin < sumLength_; begin += kChunk) {
        const int32_t end = std::min(begin + kChunk, sumLength_);
        if (y > firstY) {
          Slide<true>(entering, leaving, begin, end);
        } else {
          Slide<false>(entering, 0, begin, end);
        }
        if (planes_ == 1) {
          Output<1>(Slot(y), modes, begin, std::min(end, width_), out);
        } else {
          Output<3>(Slot(y), modes, begin, std::min(end, width_), out);
        }
      }
      if (!rowDone()) return;
    }
  }

 private:
  size_t Slot(int32_t y) const { return size_t(((y % ringRows_) + ringRows_) % ringRows_); }
  uint8_t* Pixels(size_t slot, int plane) {
    return pixels_.data() + (slot * planes_ + size_t(plane)) * pixelStride_;
  }
  uint16_t* RowSums(size_t slot, int plane) {
    return rowSums_.data() + (slot * planes_ + size_t(plane)) * sumStride_;
  }

  Modes<N> MakeModes() const {
    Modes<N> modes;
    modes.nx = F32{} + float(nx_);
    modes.ny = F32{} + float(ny_);
    modes.limitX = F32{} + float(kGrahamDetailThreshold * rx_ * ny_);
    modes.limitY = F32{} + float(kGrahamDetailThreshold * ry_ * nx_);
    const int32_t divisors[4] = {nx_ * ny_, nx_, ny_, 1};
    for (int m = 0; m < 4; ++m) {
      modes.factor[m] = F32{} + GrahamMeanFactor(divisors[m]);
      modes.half[m] = I32{} + divisors[m] / 2;
    }
    return modes;
  }

  // Picture row y (edges repeated) into its slot, then its row sums.
  void Enter(int32_t y) {
    const size_t slot = Slot(y);
    const uint8_t* source = ClampedRow(input_, y);
    const int32_t from = area_.x - rx_;
    const int32_t width = input_.Width();
    // Padded columns left of the picture, and the end of those inside it.
    const int32_t left = std::clamp(-from, 0, padded_);
    const int32_t inside = std::clamp(width - from, left, padded_);
    if (planes_ == 1) {
      uint8_t* grey = Pixels(slot, 0);
      std::memset(grey, source[0], size_t(left));
      std::memcpy(grey + left, source + from + left, size_t(inside - left));
      std::memset(grey + inside, source[width - 1], size_t(padded_ - inside));
    } else {
      SplitColour(slot, source, from, left, inside);
    }
    if (planes_ == 1) {
      TakeRowSums<1>(slot);
    } else {
      TakeRowSums<4>(slot);
    }
  }

  // Padded column j takes picture column from + j, pinned to the first
  // column left of `left` and to the last from `inside` on.
  void SplitColour(size_t slot, const uint8_t* source, int32_t from, int32_t left,
                   int32_t inside) {
    uint8_t* const blue = Pixels(slot, 0);
    uint8_t* const green = Pixels(slot, 1);
    uint8_t* const red = Pixels(slot, 2);
    uint8_t* const luminance = Pixels(slot, 3);
    const int32_t padded = padded_;
    const uint8_t* const last = source + 3 * size_t(input_.Width() - 1);
    int32_t j = 0;
    for (; j < left; ++j) Put(j, source, blue, green, red, luminance);
    if constexpr (L::kSplitsSixteen) {
      for (; j + 16 <= inside; j += 16) {
        L::SplitColour16(source + 3 * size_t(from + j), blue + j, green + j, red + j,
                         luminance + j);
      }
    }
    for (; j < inside; ++j) Put(j, source + 3 * size_t(from + j), blue, green, red, luminance);
    for (; j < padded; ++j) Put(j, last, blue, green, red, luminance);
  }

  static void Put(int32_t j, const uint8_t* p, uint8_t* blue, uint8_t* green, uint8_t* red,
                  uint8_t* luminance) {
    blue[j] = p[0];
    green[j] = p[1];
    red[j] = p[2];
    luminance[j] = GrahamLuminance(p[0], p[1], p[2]);
  }

  // Row sums as differences of running sums across the row. The planes run
  // side by side so that their carries, each waiting on the last, overlap.
  template <int kPlanes>
  void TakeRowSums(size_t slot) {
    const size_t length = RoundUp(size_t(sumLength_ + nx_), 2 * N);
    const int32_t nx = nx_, sumLength = sumLength_;
    const uint8_t* pixels[kPlanes];
    uint16_t* prefix[kPlanes];
    Words carry[kPlanes];
    for (int p = 0; p < kPlanes; ++p) {
      pixels[p] = Pixels(slot, p);
      prefix[p] = prefix_.data() + size_t(p) * (pixelStride_ + 2 * N);
      prefix[p][0] = 0;
      carry[p] = Words{};
    }
    for (size_t j = 0; j < length; j += 2 * N) {
      for (int p = 0; p < kPlanes; ++p) {
        Words x;
        L::WidenToWords(x, pixels[p] + j);
        L::PrefixSum(x, carry[p]);
        StoreFrom(prefix[p] + 1 + j, x);
      }
    }
    for (int p = 0; p < kPlanes; ++p) {
      uint16_t* const sums = RowSums(slot, p);
      const uint16_t* const running = prefix[p];
      for (int32_t i = 0; i < sumLength; i += 2 * N) {
        Words high, low;
        LoadTo(high, running + i + nx);
        LoadTo(low, running + i);
        StoreFrom(sums + i, Words(high - low));
      }
    }
  }

  // Column and window sums over [begin, end) take in the entering row and,
  // when kLeave, give up the leaving one.
  template <bool kLeave>
  void Slide(size_t entering, size_t leaving, int32_t begin, int32_t end) {
    for (int plane = 0; plane < planes_; ++plane) {
      uint16_t* const columns = columns_.data() + size_t(plane) * sumStride_;
      const uint8_t* const in = Pixels(entering, plane) + rx_;
      const uint8_t* const out = Pixels(leaving, plane) + rx_;
      for (int32_t i = begin; i < end; i += 2 * N) {
        Words sum, added, removed;
        LoadTo(sum, columns + i);
        L::WidenToWords(added, in + i);
        sum += added;
        if constexpr (kLeave) {
          L::WidenToWords(removed, out + i);
          sum -= removed;
        }
        StoreFrom(columns + i, sum);
      }
      int32_t* const boxes = boxes_.data() + size_t(plane) * sumStride_;
      const uint16_t* const inSums = RowSums(entering, plane);
      const uint16_t* const outSums = RowSums(leaving, plane);
      for (int32_t i = begin; i < end; i += N) {
        I32 box, added, removed;
        LoadTo(box, boxes + i);
        L::WidenWords(added, inSums + i);
        box += added;
        if constexpr (kLeave) {
          L::WidenWords(removed, outSums + i);
          box -= removed;
        }
        StoreFrom(boxes + i, box);
      }
    }
  }

  PlaneView View(size_t slot, int plane) {
    return {boxes_.data() + size_t(plane) * sumStride_,
            columns_.data() + size_t(plane) * sumStride_, RowSums(slot, plane),
            Pixels(slot, plane) + rx_};
  }

  // Result pixels [begin, end) of the row in `slot`, N at a time, from local
  // copies of everything read (byte stores could otherwise alias it). The
  // last few of the row go through a small buffer so no write passes its end.
  template <int kChannels>
  void Output(size_t slot, const Modes<N>& modes, int32_t begin, int32_t end, uint8_t* out) {
    constexpr int kBytes = kChannels == 1 ? 1 : 3;
    const PlaneView luma = View(slot, planes_ - 1);
    PlaneView channels[kChannels];
    for (int c = 0; c < kChannels; ++c) channels[c] = View(slot, c);
    const int32_t width = width_;
    for (int32_t i = begin; i < end; i += N) {
      uint8_t spare[4 * N];
      const bool whole = i + N < width;
      uint8_t* target = whole ? out + size_t(i) * kBytes : spare;
      OutputLanes<kChannels>(luma, channels, modes, i, target);
      if (!whole) std::memcpy(out + size_t(i) * kBytes, spare, size_t(width - i) * kBytes);
    }
  }

  // N result pixels from column i: N bytes on 8-bit pictures; 3N on true
  // colour, where the four-lane form writes one byte more.
  template <int kChannels>
  static void OutputLanes(const PlaneView& luma, const PlaneView* channels, const Modes<N>& modes,
                          int32_t i, uint8_t* target) {
    I32 box, column, row;
    LoadTo(box, luma.box + i);
    L::WidenWords(column, luma.column + i);
    L::WidenWords(row, luma.row + i);
    // Second differences across x and y at the window's scale. All terms are
    // integers below 2^24, so the float arithmetic is exact; clearing the
    // sign bit gives the magnitude.
    const F32 boxF = __builtin_convertvector(box, F32);
    const F32 acrossX = boxF - modes.nx * __builtin_convertvector(column, F32);
    const F32 acrossY = boxF - modes.ny * __builtin_convertvector(row, F32);
    const I32 detailX = F32(I32(acrossX) & 0x7fffffff) > modes.limitX;
    const I32 detailY = F32(I32(acrossY) & 0x7fffffff) > modes.limitY;
    const F32 factor = detailX ? (detailY ? modes.factor[3] : modes.factor[2])
                               : (detailY ? modes.factor[1] : modes.factor[0]);
    const I32 half = detailX ? (detailY ? modes.half[3] : modes.half[2])
                             : (detailY ? modes.half[1] : modes.half[0]);
    I32 means[kChannels];
    for (int c = 0; c < kChannels; ++c) {
      Mean(channels[c], i, detailX, detailY, factor, half, means[c]);
    }
    if constexpr (kChannels == 1) {
      L::StoreBytes(target, means[0]);
    } else {
      L::StoreColour(target, means[0] | means[1] << 8 | means[2] << 16);
    }
  }

  // The chosen sum of one plane over N pixels, divided and rounded.
  static void Mean(const PlaneView& plane, int32_t i, const I32& detailX, const I32& detailY,
                   const F32& factor, const I32& half, I32& mean) {
    I32 box, column, row, keep;
    LoadTo(box, plane.box + i);
    L::WidenWords(column, plane.column + i);
    L::WidenWords(row, plane.row + i);
    L::WidenBytes(keep, plane.keep + i);
    const I32 sum = detailX ? (detailY ? keep : column) : (detailY ? row : box);
    // Sums stay below 2^31, so the signed conversions are exact.
    mean = __builtin_convertvector(__builtin_convertvector(sum + half, F32) * factor, I32);
  }

  const ImageBuffer& input_;
  const BoxRect area_;
  const AreaResult& result_;
  const int32_t rx_, ry_, nx_, ny_;
  const int32_t width_;      // result columns
  const int32_t padded_;     // with rx_ more columns each side
  const int planes_;
  const int32_t ringRows_;   // the window's rows, the leaving one and the entering one
  const int32_t sumLength_;  // width_ rounded up to whole 16-bit vectors
  const size_t pixelStride_, sumStride_;
  // Every array has zeroed room past its used part for whole-vector passes.
  std::vector<uint8_t> pixels_;    // per ring row and plane
  std::vector<uint16_t> rowSums_;  // per ring row and plane: sums over nx_ columns
  std::vector<uint16_t> columns_;  // per plane: sums over the window's ny_ rows
  std::vector<int32_t> boxes_;     // per plane: sums over the window
  std::vector<uint16_t> prefix_;   // per plane: running sum across the entering row
};

template <int N>
void RunBand(const ImageBuffer& input, const AreaResult& result, GrahamWindow window,
             int32_t firstY, int32_t endY, const std::function<bool()>& rowDone) {
  Band<N> band(input, result, window);
  band.Run(firstY, endY, rowDone);
}

// Both entry points inline every call they make, so the passes compile once
// per lane width with that width's instructions.
__attribute__((flatten)) void RunFour(const ImageBuffer& input, const AreaResult& result,
                                      GrahamWindow window, int32_t firstY, int32_t endY,
                                      const std::function<bool()>& rowDone) {
  RunBand<4>(input, result, window, firstY, endY, rowDone);
}

#ifdef TINTARA_GRAHAM_EIGHT_LANES
__attribute__((target("avx2"), flatten)) void RunEight(const ImageBuffer& input,
                                                       const AreaResult& result,
                                                       GrahamWindow window, int32_t firstY,
                                                       int32_t endY,
                                                       const std::function<bool()>& rowDone) {
  RunBand<8>(input, result, window, firstY, endY, rowDone);
}
#endif

}  // namespace
}  // namespace graham

GrahamLanes GrahamBestLanes() {
#ifdef TINTARA_GRAHAM_EIGHT_LANES
  static const bool eight = __builtin_cpu_supports("avx2");
  if (eight) return GrahamLanes::kEight;
#endif
  return GrahamLanes::kFour;
}

void GrahamFilterRows(const ImageBuffer& input, const AreaResult& result, GrahamWindow window,
                      int32_t firstY, int32_t endY, GrahamLanes lanes,
                      const std::function<bool()>& rowDone) {
#ifdef TINTARA_GRAHAM_EIGHT_LANES
  if (lanes == GrahamLanes::kEight && GrahamBestLanes() == GrahamLanes::kEight) {
    graham::RunEight(input, result, window, firstY, endY, rowDone);
    return;
  }
#endif
  (void)lanes;
  graham::RunFour(input, result, window, firstY, endY, rowDone);
}

}  // namespace tintara
