// Base of the in-place tools that change the pixels of their working region:
// the region is sampled through SelectionMask (inverted regions included), the
// result is computed aside over the region's rectangle and written back only
// when the run completes, so a cancel or a failure leaves the picture as it was.
#pragma once

#include <cstdint>
#include <span>

#include "imaging/filters/area_result.h"
#include "imaging/filters/filter_tool.h"

namespace tintara {

class AreaTool : public FilterTool {
 public:
  // Every area tool takes "%d,%d,%d,%d".
  std::span<const ParameterKind> ParameterKinds() const override;
  int Run(FilterSite& site, bool inPlace) override;

 protected:
  // Checks the parameters before any work; 0 or a status.
  virtual int Prepare(const ImageBuffer& input) = 0;
  // Fills the result over its area from the input; 0 or a status
  // (kStatusCancelled when the user stopped it).
  virtual int Compute(FilterSite& site, const ImageBuffer& input, const AreaResult& result) = 0;

  // The window sizes of parameters 0 and 1 (3 when not given); false when
  // either lies outside 1..largest.
  bool ReadWindow(int32_t largest, int32_t& width, int32_t& height) const;
};

// Capabilities of a tool that works in place on 8-bit grey and true-colour
// pictures (and paletted ones when `paletted`).
int InPlaceCapabilities(int formatIndex, bool paletted);

}  // namespace tintara
