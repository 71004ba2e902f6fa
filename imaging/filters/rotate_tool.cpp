// "ImageRotate": turns the picture clockwise as shown by an angle in hundredths
// of a degree ("%d,%c": angle, background red + 256 green + 65536 blue). The
// new picture is large enough to hold the whole turned picture; the corners
// it uncovers get the background. Multiples of 90 degrees move pixels exactly;
// other angles sample true-colour pictures bilinearly (blending into the
// background along the edges) and 8-bit pictures by nearest pixel, since their
// values are palette entries or indices that must not be mixed.
//
// Rows are stored bottom-up, so image y grows upwards: a clockwise turn maps
// (x, y) about the centre to (x cos + y sin, -x sin + y cos).
#include <algorithm>
#include <cmath>
#include <cstring>

#include "imaging/filters/builtin_tools.h"
#include "imaging/filters/lanes4.h"
#include "imaging/filters/row_bands.h"

namespace tintara {

namespace {

constexpr int kFraction = 32;  // bits after the point of source coordinates

// Rows of a picture by pointer, taken once before the bands start.
template <typename Byte>
struct RowsOf {
  Byte* bits;
  size_t stride;
  int32_t width;
  Byte* Row(int32_t y) const { return bits + size_t(y) * stride; }
};
using Rows = RowsOf<uint8_t>;
using SourceRows = RowsOf<const uint8_t>;

SourceRows RowsOfPicture(const ImageBuffer& picture) {
  return {picture.Bits(), size_t(picture.Stride()), picture.Width()};
}

// Output pixel (x, y) of a quarter turn reads source pixel (sx, sy).
struct QuarterTurn {
  int turns;              // clockwise quarter turns, 1..3
  int32_t width, height;  // of the source
  void Source(int32_t x, int32_t y, int32_t& sx, int32_t& sy) const {
    switch (turns) {
      case 1:
        sx = width - 1 - y;
        sy = x;
        return;
      case 2:
        sx = width - 1 - x;
        sy = height - 1 - y;
        return;
      default:
        sx = y;
        sy = height - 1 - x;
        return;
    }
  }
};

// Square tiles keep the source rows a quarter turn walks across in the cache.
template <int kBytes>
void QuarterTurnRows(const SourceRows& input, const Rows& output, QuarterTurn turn, int32_t firstY,
                     int32_t endY, RowTicker& ticker) {
  constexpr int32_t kTile = 32;
  for (int32_t top = firstY; top < endY; top += kTile) {
    const int32_t bottom = std::min(top + kTile, endY);
    for (int32_t left = 0; left < output.width; left += kTile) {
      const int32_t right = std::min(left + kTile, output.width);
      for (int32_t y = top; y < bottom; ++y) {
        uint8_t* out = output.Row(y) + size_t(left) * kBytes;
        for (int32_t x = left; x < right; ++x, out += kBytes) {
          int32_t sx = 0, sy = 0;
          turn.Source(x, y, sx, sy);
          const uint8_t* in = input.Row(sy) + size_t(sx) * kBytes;
          for (int b = 0; b < kBytes; ++b) out[b] = in[b];
        }
      }
    }
    for (int32_t y = top; y < bottom; ++y) {
      if (!ticker.Tick()) return;
    }
  }
}

// The palette entry nearest to a colour (lowest index on ties).
uint8_t NearestEntry(const ImageBuffer& picture, int red, int green, int blue) {
  int best = 0;
  int bestDistance = 1 << 30;
  for (int i = 0; i < 256; ++i) {
    PaletteEntry e = picture.PaletteAt(i);
    int distance = (e.red - red) * (e.red - red) + (e.green - green) * (e.green - green) +
                   (e.blue - blue) * (e.blue - blue);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return uint8_t(best);
}

class FreeRotation {
 public:
  FreeRotation(const ImageBuffer& input, const Rows& output, int32_t outputHeight, double degrees,
               int32_t colour)
      : input_(input), source_(RowsOfPicture(input)), output_(output), outputHeight_(outputHeight) {
    double radians = degrees * 3.14159265358979323846 / 180.0;
    cos_ = std::cos(radians);
    sin_ = std::sin(radians);
    background_[0] = uint8_t(colour >> 16);  // blue
    background_[1] = uint8_t(colour >> 8);   // green
    background_[2] = uint8_t(colour);        // red
    if (input.Kind() != kKindRgb24) {
      background_[0] = NearestEntry(input, colour & 255, (colour >> 8) & 255, colour >> 16);
    }
  }

  // Strips of rows in tiles of columns: a tile reads a compact patch of the
  // source, which stays in the cache while the tile's rows are done.
  void FillRows(int32_t firstY, int32_t endY, RowTicker& ticker) const {
    constexpr int32_t kStrip = 16, kTileWidth = 128;
    const double scale = std::ldexp(1.0, kFraction);
    const int64_t stepU = std::llround(cos_ * scale);
    const int64_t stepV = std::llround(sin_ * scale);
    int64_t startU[kStrip], startV[kStrip];
    for (int32_t top = firstY; top < endY; top += kStrip) {
      const int32_t rows = std::min(kStrip, endY - top);
      for (int32_t r = 0; r < rows; ++r) {
        // Source position of the centre of output pixel (0, y), in pixel indices.
        double dx = 0.5 - output_.width / 2.0;
        double dy = top + r + 0.5 - outputHeight_ / 2.0;
        startU[r] = std::llround((dx * cos_ - dy * sin_ + input_.Width() / 2.0 - 0.5) * scale);
        startV[r] = std::llround((dx * sin_ + dy * cos_ + input_.Height() / 2.0 - 0.5) * scale);
      }
      for (int32_t left = 0; left < output_.width; left += kTileWidth) {
        const int32_t count = std::min(kTileWidth, output_.width - left);
        for (int32_t r = 0; r < rows; ++r) {
          int64_t u = startU[r] + left * stepU, v = startV[r] + left * stepV;
          if (input_.Kind() == kKindRgb24) {
            BilinearRun(output_.Row(top + r) + 3 * size_t(left), count, u, v, stepU, stepV);
          } else {
            NearestRun(output_.Row(top + r) + size_t(left), count, u, v, stepU, stepV);
          }
        }
      }
      for (int32_t r = 0; r < rows; ++r) {
        if (!ticker.Tick()) return;
      }
    }
  }

 private:
  void BilinearRun(uint8_t* out, int32_t count, int64_t u, int64_t v, int64_t stepU,
                   int64_t stepV) const {
    const int64_t lastX = input_.Width() - 1, lastY = input_.Height() - 1;
    for (int32_t x = 0; x < count; ++x, u += stepU, v += stepV, out += 3) {
      int64_t i = u >> kFraction, j = v >> kFraction;
      uint32_t fx = uint32_t(u >> (kFraction - 8)) & 255;
      uint32_t fy = uint32_t(v >> (kFraction - 8)) & 255;
      // Inside, with a byte to spare after the right-hand neighbour: whole
      // pixels are read four bytes at a time.
      if (i >= 0 && j >= 0 && i + 1 < lastX && j < lastY) {
        const uint8_t* p00 = source_.Row(int32_t(j)) + 3 * i;
        uint32_t blended = BlendBilinear(p00, p00 + source_.stride, fx, fy);
        std::memcpy(out, &blended, 3);
        continue;
      }
      if (i < -1 || j < -1 || i > lastX || j > lastY) {
        out[0] = background_[0], out[1] = background_[1], out[2] = background_[2];
        continue;
      }
      const uint8_t *p00 = Pixel(i, j), *p10 = Pixel(i + 1, j);
      const uint8_t *p01 = Pixel(i, j + 1), *p11 = Pixel(i + 1, j + 1);
      for (int c = 0; c < 3; ++c) {
        uint32_t bottom = (p00[c] * (256 - fx) + p10[c] * fx + 128) >> 8;
        uint32_t top = (p01[c] * (256 - fx) + p11[c] * fx + 128) >> 8;
        out[c] = uint8_t((bottom * (256 - fy) + top * fy + 128) >> 8);
      }
    }
  }

  // Both rows' pixel pairs in 16-bit lanes: bottom row in lanes 0..3, top row
  // in 4..7 (the fourth lane of each is a neighbour's byte, unused). Every
  // product stays below 2^16.
  static uint32_t BlendBilinear(const uint8_t* bottom, const uint8_t* top, uint32_t fx,
                                uint32_t fy) {
    U8x8 near, far;
    std::memcpy(&near, bottom, 4);
    std::memcpy(reinterpret_cast<uint8_t*>(&near) + 4, top, 4);
    std::memcpy(&far, bottom + 3, 4);
    std::memcpy(reinterpret_cast<uint8_t*>(&far) + 4, top + 3, 4);
    const uint16_t wx = uint16_t(fx), wy = uint16_t(fy);
    U16x8 across = (__builtin_convertvector(near, U16x8) * uint16_t(256 - wx) +
                    __builtin_convertvector(far, U16x8) * wx + uint16_t(128)) >>
                   8;
    U16x8 weighted = across * U16x8{uint16_t(256 - wy),
                                    uint16_t(256 - wy),
                                    uint16_t(256 - wy),
                                    uint16_t(256 - wy),
                                    wy,
                                    wy,
                                    wy,
                                    wy};
    U16x4 low = __builtin_shufflevector(weighted, weighted, 0, 1, 2, 3);
    U16x4 high = __builtin_shufflevector(weighted, weighted, 4, 5, 6, 7);
    U8x4 bytes = __builtin_convertvector((low + high + uint16_t(128)) >> 8, U8x4);
    uint32_t packed;
    std::memcpy(&packed, &bytes, sizeof packed);
    return packed;
  }

  void NearestRun(uint8_t* out, int32_t count, int64_t u, int64_t v, int64_t stepU,
                  int64_t stepV) const {
    const int64_t half = int64_t{1} << (kFraction - 1);
    for (int32_t x = 0; x < count; ++x, u += stepU, v += stepV) {
      int64_t i = (u + half) >> kFraction, j = (v + half) >> kFraction;
      bool inside = i >= 0 && j >= 0 && i < input_.Width() && j < input_.Height();
      out[x] = inside ? source_.Row(int32_t(j))[i] : background_[0];
    }
  }

  const uint8_t* Pixel(int64_t i, int64_t j) const {
    if (i < 0 || j < 0 || i >= input_.Width() || j >= input_.Height()) return background_;
    return source_.Row(int32_t(j)) + 3 * i;
  }

  const ImageBuffer& input_;
  SourceRows source_;
  Rows output_;
  int32_t outputHeight_;
  double cos_ = 1, sin_ = 0;
  uint8_t background_[3] = {};
};

// Size of the box holding a width x height picture turned by the angle; the
// tolerance keeps exact fits from growing by a pixel.
int64_t TurnedSide(double a, double b) {
  return int64_t(std::ceil(std::fabs(a) + std::fabs(b) - 1e-6));
}

class RotateTool : public FilterTool {
 public:
  int Capabilities(int formatIndex) const override {
    return formatIndex >= 2 ? kToolNewPicture : kToolUnsupported;
  }

  std::span<const ParameterKind> ParameterKinds() const override {
    static constexpr ParameterKind kKinds[] = {ParameterKind::kInt, ParameterKind::kInt};
    return kKinds;
  }

  int Run(FilterSite& site, bool) override {
    ImageRef input = Slots().Image(kSlotInput);
    int32_t colour = Slots().Int(1, 0);
    if (!input || colour < 0 || colour > 0xFFFFFF) return kStatusBadParameter;
    int32_t angle = Slots().Int(0, 0) % 36000;
    if (angle < 0) angle += 36000;
    ImageRef output = angle == 0 ? ImageBuffer::Copy(*input) : MakeOutput(*input, angle);
    if (!output) return kStatusNoMemory;
    if (angle != 0) {
      std::optional<PixelRows> writable = output->WritableRows();
      if (!writable) return kStatusNoMemory;
      Rows rows{writable->Bits(), writable->Stride(), output->Width()};
      ProgressScope progress(site);
      int status =
          RunRowBands(site, output->Height(), int64_t(output->Width()) * output->Height(),
                      [&](int32_t first, int32_t end, RowTicker& ticker) {
                        Fill(*input, rows, output->Height(), angle, colour, first, end, ticker);
                      });
      if (status != kStatusOk) return status;
    }
    return MutableSlots().Set(kSlotOutput, 0, output) ? kStatusOk : kStatusNoMemory;
  }

 private:
  static ImageRef MakeOutput(const ImageBuffer& input, int32_t angle) {
    int64_t width = input.Width(), height = input.Height();
    uint32_t resolution = input.Resolution();
    if (angle % 9000 == 0) {
      if (angle != 18000) {
        std::swap(width, height);
        resolution = (resolution >> 16) | (resolution << 16);
      }
    } else {
      double radians = angle / 100.0 * 3.14159265358979323846 / 180.0;
      double c = std::cos(radians), s = std::sin(radians);
      int64_t turnedWidth = TurnedSide(input.Width() * c, input.Height() * s);
      int64_t turnedHeight = TurnedSide(input.Width() * s, input.Height() * c);
      width = turnedWidth, height = turnedHeight;
    }
    ImageRef output = ImageBuffer::CreateLike(input, width, height);
    if (output) output->SetResolution(resolution);
    return output;
  }

  static void Fill(const ImageBuffer& input, const Rows& output, int32_t height, int32_t angle,
                   int32_t colour, int32_t first, int32_t end, RowTicker& ticker) {
    if (angle % 9000 == 0) {
      QuarterTurn turn{angle / 9000, input.Width(), input.Height()};
      SourceRows source = RowsOfPicture(input);
      if (input.Kind() == kKindRgb24) {
        QuarterTurnRows<3>(source, output, turn, first, end, ticker);
      } else {
        QuarterTurnRows<1>(source, output, turn, first, end, ticker);
      }
    } else {
      FreeRotation(input, output, height, angle / 100.0, colour).FillRows(first, end, ticker);
    }
  }
};

}  // namespace

std::unique_ptr<FilterTool> MakeRotateTool() { return std::make_unique<RotateTool>(); }

}  // namespace tintara
