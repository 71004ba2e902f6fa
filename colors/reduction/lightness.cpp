#include "colors/reduction/lightness.h"

#include <algorithm>

namespace tintara {

namespace {

// Hue, saturation and lightness as the stored integers: hue in 1/255 degree
// (0..91800), saturation and lightness 0..255.
struct Hls {
  int32_t hue = 0;
  int32_t saturation = 0;
  int32_t lightness = 0;
};

constexpr int32_t kSixth = 60 * 255;  // 60 degrees in 1/255 degree
constexpr int32_t kFullCircle = 360 * 255;

// The hue of a chromatic colour as (whole sixths k, fraction y/d of a sixth),
// following the branch order blue, green, red for the largest channel.
struct HueParts {
  int32_t sixths;
  int32_t fraction;  // 0..d
};

HueParts SplitHue(int r, int g, int b, int mx, int d) {
  auto parts = [d](int32_t base, int32_t offset) {
    // base + offset/d with offset in -d..d, as whole sixths plus a fraction >= 0.
    return offset >= 0 ? HueParts{base, offset} : HueParts{base - 1, d + offset};
  };
  if (b == mx) return parts(4, r - g);
  if (g == mx) return parts(2, b - r);
  HueParts red = parts(0, g - b);
  if (red.sixths < 0) red.sixths += 6;  // negative hue: plus 360 degrees
  return red;
}

int32_t ScaledLightness(int32_t lightness, int percent) {
  int64_t scaled = int64_t(percent) * lightness / 100;
  // Below 0 every channel comes back 0, exactly as from lightness 0.
  return int32_t(std::clamp<int64_t>(scaled, 0, 255));
}

int Channel(int64_t m1, int64_t m2, int32_t t) {
  // m1, m2 are scaled by 255²; t is in 1/255 degree. Result: trunc(255 V(t)).
  if (t < 0) t += kFullCircle;
  if (t > kFullCircle) t -= kFullCircle;
  int64_t value;
  if (t < kSixth) {
    value = (m1 * kSixth + (m2 - m1) * t) / (int64_t(kSixth) * 255);
  } else if (t < 3 * kSixth) {
    value = m2 / 255;
  } else if (t < 4 * kSixth) {
    value = (m1 * kSixth + (m2 - m1) * (4 * kSixth - t)) / (int64_t(kSixth) * 255);
  } else {
    value = m1 / 255;
  }
  return int(std::clamp<int64_t>(value, 0, 255));
}

Rgb FromHls(int32_t hue, int32_t saturation, int32_t lightness) {
  if (saturation == 0) {
    auto v = uint8_t(lightness);
    return {v, v, v};
  }
  const int64_t l = lightness, s = saturation;
  const int64_t m2 = lightness <= 127 ? l * (255 + s) : l * 255 + s * 255 - l * s;
  const int64_t m1 = 2 * l * 255 - m2;
  return {uint8_t(Channel(m1, m2, hue + 2 * kSixth)), uint8_t(Channel(m1, m2, hue)),
          uint8_t(Channel(m1, m2, hue - 2 * kSixth))};
}

// floor(255 d / den) for 1 <= d <= den <= 255, and floor(15300 y / d) for
// 0 <= y <= d <= 255: the only divisions by variable amounts.
struct DivisionTables {
  uint8_t saturation[256][256];
  uint16_t hueFraction[256][256];
  DivisionTables() : saturation{}, hueFraction{} {
    for (int d = 1; d < 256; ++d) {
      for (int den = d; den < 256; ++den) saturation[d][den] = uint8_t(255 * d / den);
      for (int y = 0; y <= d; ++y) hueFraction[y][d] = uint16_t(kSixth * y / d);
    }
  }
};

const DivisionTables& Tables() {
  static const DivisionTables tables;
  return tables;
}

}  // namespace

Rgb CorrectLightness(Rgb color, int percent) {
  const int r = color.red, g = color.green, b = color.blue;
  const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
  const int sum = mx + mn;
  Hls hls;
  hls.lightness = sum / 2;
  if (mx != mn) {
    const int d = mx - mn;
    hls.saturation = 255 * d / (sum <= 255 ? sum : 510 - sum);
    // Hue in sixths of the circle, times d: 4 + (r - g)/d when blue is the
    // largest, else 2 + (b - r)/d when green is, else (g - b)/d.
    int sixthsTimesD = b == mx ? 4 * d + (r - g) : g == mx ? 2 * d + (b - r) : g - b;
    if (sixthsTimesD < 0) sixthsTimesD += 6 * d;
    hls.hue = kSixth * sixthsTimesD / d;
  }
  return FromHls(hls.hue, hls.saturation, ScaledLightness(hls.lightness, percent));
}

LightnessCorrector::LightnessCorrector(int percent) : percent_(percent) {
  for (int l = 0; l < 256; ++l) scaledLightness_[size_t(l)] = uint8_t(ScaledLightness(l, percent));
}

Rgb LightnessCorrector::Uncached(Rgb color) const {
  const int r = color.red, g = color.green, b = color.blue;
  const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
  const int sum = mx + mn;
  const int32_t lightness = scaledLightness_[size_t(sum / 2)];
  if (mx == mn) {
    auto v = uint8_t(lightness);
    return {v, v, v};
  }
  const DivisionTables& tables = Tables();
  const int d = mx - mn;
  const int64_t saturation = tables.saturation[d][sum <= 255 ? sum : 510 - sum];
  const HueParts parts = SplitHue(r, g, b, mx, d);
  const int32_t hue = parts.sixths * kSixth + tables.hueFraction[parts.fraction][d];
  // Back to RGB by sixth of the circle: one channel sits at m2, one at m1 and
  // the third runs between them; the piecewise curve meets itself at every
  // sector boundary, so this equals evaluating each channel on its own.
  const int64_t l = lightness;
  const int64_t m2 =
      lightness <= 127 ? l * (255 + saturation) : (l + saturation) * 255 - l * saturation;
  const int64_t m1 = 2 * l * 255 - m2;
  const int sector = hue / kSixth;  // 0..5
  const int32_t along = sector % 2 == 0 ? hue - sector * kSixth : (sector + 1) * kSixth - hue;
  const auto high = uint8_t(std::min<int64_t>(m2 / 255, 255));
  const auto low = uint8_t(std::min<int64_t>(m1 / 255, 255));
  const auto mid =
      uint8_t(std::min<int64_t>((m1 * kSixth + (m2 - m1) * along) / (int64_t(kSixth) * 255), 255));
  switch (sector) {
    case 0: return {high, mid, low};
    case 1: return {mid, high, low};
    case 2: return {low, high, mid};
    case 3: return {low, mid, high};
    case 4: return {mid, low, high};
    default: return {high, low, mid};
  }
}

Rgb LightnessCorrector::operator()(Rgb color) {
  if (cache_.empty()) cache_.assign(size_t{1} << kCacheBits, 0);
  const uint32_t key = (uint32_t(color.red) << 16) | (uint32_t(color.green) << 8) | color.blue;
  uint64_t& slot = cache_[(key * 0x9E3779B1u) >> (32 - kCacheBits)];
  // A slot holds (key + 1) << 24 | result, so an empty slot matches no key.
  if ((slot >> 24) == uint64_t(key) + 1) {
    return {uint8_t(slot >> 16), uint8_t(slot >> 8), uint8_t(slot)};
  }
  Rgb result = Uncached(color);
  slot = ((uint64_t(key) + 1) << 24) | (uint64_t(result.red) << 16) |
         (uint64_t(result.green) << 8) | result.blue;
  return result;
}

void LightnessCorrector::CorrectRow(const uint8_t* in, uint8_t* out, int count) {
  for (int x = 0; x < count; ++x, in += 3, out += 3) {
    Rgb corrected = (*this)(Rgb{in[2], in[1], in[0]});
    out[0] = corrected.blue;
    out[1] = corrected.green;
    out[2] = corrected.red;
  }
}

}  // namespace tintara
