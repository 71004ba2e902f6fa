#include "editing/tone_tables.h"

#include <algorithm>

#include "imaging/parallel_rows.h"

namespace tintara {

namespace {

uint8_t Clamp255(int64_t v) { return uint8_t(std::clamp<int64_t>(v, 0, 255)); }

constexpr std::array<std::array<int, 5>, kSmartTuneMethodCount - 1> kCurvePoints = {{
    {0, 72, 140, 196, 255},
    {0, 49, 99, 161, 255},
    {15, 77, 145, 212, 257},
    {21, 94, 162, 214, 272},
    {5, 54, 116, 191, 272},
    {5, 42, 99, 176, 272},
    {22, 103, 180, 241, 300},
}};

struct ByteRange {
  uint8_t low = 255;
  uint8_t high = 0;
};

ByteRange RowRange(const uint8_t* row, size_t count, ByteRange range) {
  for (size_t i = 0; i < count; ++i) {
    range.low = std::min(range.low, row[i]);
    range.high = std::max(range.high, row[i]);
  }
  return range;
}

}  // namespace

ToneTable BrightnessTable(int direction) {
  ToneTable table{};
  for (int v = 0; v < 256; ++v) table[size_t(v)] = Clamp255(v + 15 * direction);
  return table;
}

ToneTable ContrastTable(int direction) {
  ToneTable table{};
  const double k = 0.8 * direction;
  for (int v = 0; v < 256; ++v) {
    const double x = v * (1.0 / 255) - 0.5;
    const double e = (2 * k + 1) * x * 255;
    const double t = x > 0 ? e / (k + x) * 0.5 + 127 : e / (k - x) * 0.5 + 127;
    table[size_t(v)] = uint8_t(std::clamp(t, 0.0, 255.0));  // truncates toward zero
  }
  return table;
}

ToneTable AutoToneTable(const ImageBuffer& picture) {
  const size_t rowBytes = size_t(picture.Width()) * size_t(BitsPerPixel(picture.Kind())) / 8;
  const int32_t height = picture.Height();
  std::array<ByteRange, kMaxBands> bands{};
  RunBands(height, BandCount(height, int64_t(picture.Width()) * height),
           [&](int band, int32_t first, int32_t end) {
             ByteRange range;
             for (int32_t y = first; y < end; ++y) {
               range = RowRange(picture.Row(y), rowBytes, range);
             }
             bands[size_t(band)] = range;
           });
  ByteRange all;
  for (const ByteRange& band : bands) {
    all.low = std::min(all.low, band.low);
    all.high = std::max(all.high, band.high);
  }
  int low = all.low;
  int high = all.high;
  if (low >= high) {  // one value (or no pixels): as if the bytes spanned everything
    low = 0;
    high = 255;
  }
  ToneTable table{};
  for (int v = 0; v < 256; ++v) table[size_t(v)] = Clamp255(v * 255 / (high - low));
  return table;
}

ToneTable CurveTable(const std::array<int, 5>& p) {
  ToneTable table{};
  for (int v = 0; v < 256; ++v) {
    const int s = v / 64;
    const int next = p[size_t(s + 1)];
    const int value = next + ((next - p[size_t(s)]) * (v - 64 * (s + 1))) / 64;
    table[size_t(v)] = Clamp255(value);
  }
  return table;
}

const std::vector<std::string>& SmartTuneMethodNames() {
  static const std::vector<std::string> names = {
      "Auto",         "Light Shadow",    "Inside Flash", "Inside Room",
      "Heavy Shadow", "Daylight Bright", "Faded",        "Daylight Cloudly"};
  return names;
}

std::vector<ToneTable> SmartTuneTables(const ImageBuffer& picture) {
  std::vector<ToneTable> tables;
  tables.reserve(kSmartTuneMethodCount);
  tables.push_back(AutoToneTable(picture));
  for (const auto& points : kCurvePoints) tables.push_back(CurveTable(points));
  return tables;
}

}  // namespace tintara
