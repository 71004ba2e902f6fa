// "smooth_simp" and "sharp_filt": 3 x 3 filters for picture editing, limited
// to the selection. Smooth is the rounded mean of the 3 x 3 window; sharpen
// pushes each pixel away from that mean by the same amount (2 c - mean),
// clamped to 0..255. Edges of the picture repeat outward.
#include <algorithm>
#include <vector>

#include "imaging/filters/area_tool.h"
#include "imaging/filters/builtin_tools.h"
#include "imaging/filters/neighbourhood.h"
#include "imaging/filters/row_bands.h"

namespace tintara {

namespace {

class ThreeByThreeFilter : public AreaTool {
 public:
  explicit ThreeByThreeFilter(bool sharpen) : sharpen_(sharpen) {}

  int Capabilities(int formatIndex) const override {
    return InPlaceCapabilities(formatIndex, false);
  }

 protected:
  int Prepare(const ImageBuffer&) override {
    int32_t width = 0, height = 0;
    return ReadWindow(3, width, height) && width == 3 && height == 3 ? kStatusOk
                                                                     : kStatusBadParameter;
  }

  int Compute(FilterSite& site, const ImageBuffer& input, const AreaResult& result) override {
    const BoxRect& area = result.Area();
    return RunRowBands(site, area.height, int64_t(area.width) * area.height,
                       [&](int32_t first, int32_t end, RowTicker& ticker) {
                         FilterRows(input, result, area.y + first, area.y + end, ticker);
                       });
  }

 private:
  void FilterRows(const ImageBuffer& input, const AreaResult& result, int32_t firstY, int32_t endY,
                  RowTicker& ticker) const {
    const int bytes = BitsPerPixel(input.Kind()) / 8;
    const int32_t width = result.Area().width;
    const int32_t from = result.Area().x - 1;
    const size_t padded = size_t(width + 2) * size_t(bytes);
    std::vector<uint8_t> rows[3];
    std::vector<uint16_t> columns(padded);  // sums of three rows per padded column
    for (auto& row : rows) row.resize(padded);
    const size_t s = size_t(bytes);
    for (int32_t y = firstY; y < endY; ++y) {
      for (int k = 0; k < 3; ++k) {
        CopyPaddedRow(ClampedRow(input, y + k - 1), input.Width(), bytes, from, from + width + 2,
                      rows[k].data());
      }
      for (size_t i = 0; i < padded; ++i) {
        columns[i] = uint16_t(rows[0][i] + rows[1][i] + rows[2][i]);
      }
      uint8_t* out = result.Row(y);
      const uint8_t* centre = rows[1].data() + s;
      for (size_t i = 0; i < size_t(width) * s; ++i) {
        int mean = (columns[i] + columns[i + s] + columns[i + 2 * s] + 4) / 9;
        out[i] = uint8_t(sharpen_ ? std::clamp(2 * centre[i] - mean, 0, 255) : mean);
      }
      if (!ticker.Tick()) return;
    }
  }

  bool sharpen_;
};

}  // namespace

std::unique_ptr<FilterTool> MakeSharpenFilter() {
  return std::make_unique<ThreeByThreeFilter>(true);
}

std::unique_ptr<FilterTool> MakeSmoothFilter() {
  return std::make_unique<ThreeByThreeFilter>(false);
}

}  // namespace tintara
