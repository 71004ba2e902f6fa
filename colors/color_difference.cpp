#include "colors/color_difference.h"

#include <array>
#include <cmath>
#include <numbers>

namespace tintara {
namespace {

constexpr double kPi = std::numbers::pi;

double LinearOf(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Millions of pixels go through this: the 256 values are worked out once.
double Linear(uint8_t channel) {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> values{};
    for (int i = 0; i < 256; ++i) values[size_t(i)] = LinearOf(i);
    return values;
  }();
  return table[channel];
}

// Linear sRGB to XYZ (D65). The white used for L*a*b* is the sum of each row,
// so that sRGB white lands on exactly L* = 100, a* = b* = 0.
constexpr double kToXyz[3][3] = {{0.4124564, 0.3575761, 0.1804375},
                                 {0.2126729, 0.7151522, 0.0721750},
                                 {0.0193339, 0.1191920, 0.9503041}};

constexpr double RowSum(int row) { return kToXyz[row][0] + kToXyz[row][1] + kToXyz[row][2]; }

double LabF(double t) {
  constexpr double kDelta = 6.0 / 29.0;
  if (t > kDelta * kDelta * kDelta) return std::cbrt(t);
  return t / (3 * kDelta * kDelta) + 4.0 / 29.0;
}

double Degrees(double radians) { return radians * 180.0 / kPi; }
double Radians(double degrees) { return degrees * kPi / 180.0; }

// Hue angle in degrees, 0..360; grey has hue 0.
double HueAngle(double a, double b) {
  if (a == 0 && b == 0) return 0;
  const double h = Degrees(std::atan2(b, a));
  return h < 0 ? h + 360 : h;
}

double Pow7(double v) {
  const double v2 = v * v;
  return v2 * v2 * v2 * v;
}

double ChromaWeight(double chroma) {
  const double c7 = Pow7(chroma);
  constexpr double k25Pow7 = 6103515625.0;  // 25^7
  return std::sqrt(c7 / (c7 + k25Pow7));
}

}  // namespace

Lab SrgbToLab(Rgb color) {
  const double rgb[3] = {Linear(color.red), Linear(color.green), Linear(color.blue)};
  double f[3];
  for (int row = 0; row < 3; ++row) {
    const double v = kToXyz[row][0] * rgb[0] + kToXyz[row][1] * rgb[1] + kToXyz[row][2] * rgb[2];
    f[row] = LabF(v / RowSum(row));
  }
  return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

double DeltaE2000(const Lab& x, const Lab& y) {
  // a* is stretched for low chroma colours so that near-greys compare fairly.
  const double meanChroma = (std::hypot(x.a, x.b) + std::hypot(y.a, y.b)) / 2;
  const double g = 0.5 * (1 - ChromaWeight(meanChroma));
  const double a1 = (1 + g) * x.a, a2 = (1 + g) * y.a;
  const double c1 = std::hypot(a1, x.b), c2 = std::hypot(a2, y.b);
  const double h1 = HueAngle(a1, x.b), h2 = HueAngle(a2, y.b);

  const bool grey = c1 * c2 == 0;
  double dh = h2 - h1;
  if (grey) {
    dh = 0;
  } else if (dh > 180) {
    dh -= 360;
  } else if (dh < -180) {
    dh += 360;
  }
  const double dL = y.l - x.l;
  const double dC = c2 - c1;
  const double dH = 2 * std::sqrt(c1 * c2) * std::sin(Radians(dh / 2));

  const double meanL = (x.l + y.l) / 2;
  const double meanC = (c1 + c2) / 2;
  double meanH = h1 + h2;
  if (!grey) {
    if (std::abs(h1 - h2) <= 180) {
      meanH /= 2;
    } else {
      meanH = meanH < 360 ? (meanH + 360) / 2 : (meanH - 360) / 2;
    }
  }

  const double t = 1 - 0.17 * std::cos(Radians(meanH - 30)) + 0.24 * std::cos(Radians(2 * meanH)) +
                   0.32 * std::cos(Radians(3 * meanH + 6)) -
                   0.20 * std::cos(Radians(4 * meanH - 63));
  const double l50 = (meanL - 50) * (meanL - 50);
  const double sL = 1 + 0.015 * l50 / std::sqrt(20 + l50);
  const double sC = 1 + 0.045 * meanC;
  const double sH = 1 + 0.015 * meanC * t;
  const double rotation = 30 * std::exp(-std::pow((meanH - 275) / 25, 2));
  const double rT = -std::sin(Radians(2 * rotation)) * 2 * ChromaWeight(meanC);

  const double l = dL / sL, c = dC / sC, h = dH / sH;
  return std::sqrt(l * l + c * c + h * h + rT * c * h);
}

}  // namespace tintara
