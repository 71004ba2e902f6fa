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
// plane. Row sums are taken once per picture row, column and window sums
// slide down the picture, so the cost does not depend on n (graham_rows.cpp).
// A linear ramp has no second difference and is smoothed without being
// flattened.
//
// Edges of the picture repeat outward. Even sizes use the next odd window.
#include "imaging/filters/graham_filter.h"

#include "imaging/filters/area_tool.h"
#include "imaging/filters/builtin_tools.h"
#include "imaging/filters/graham_rows.h"
#include "imaging/filters/row_bands.h"

namespace tintara {

namespace {

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
    const GrahamLanes lanes = GrahamBestLanes();
    return RunRowBands(site, area.height, int64_t(area.width) * area.height,
                       [&](int32_t first, int32_t end, RowTicker& ticker) {
                         GrahamFilterRows(input, result, window_, area.y + first, area.y + end,
                                          lanes, [&ticker] { return ticker.Tick(); });
                       });
  }

 private:
  GrahamWindow window_{1, 1};
};

}  // namespace

std::unique_ptr<FilterTool> MakeGrahamFilter() { return std::make_unique<GrahamFilter>(); }

}  // namespace tintara
