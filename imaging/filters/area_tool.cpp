#include "imaging/filters/area_tool.h"

#include "imaging/selection_mask.h"

namespace tintara {

std::span<const ParameterKind> AreaTool::ParameterKinds() const {
  static constexpr ParameterKind kKinds[] = {ParameterKind::kInt, ParameterKind::kInt,
                                             ParameterKind::kInt, ParameterKind::kInt};
  return kKinds;
}

int AreaTool::Run(FilterSite& site, bool) {
  ImageRef input = Slots().Image(kSlotInput);
  if (!input) return kStatusCannotHandle;
  if (int status = Prepare(*input)) return status;
  std::optional<SelectionMask> mask =
      SelectionMask::Build(Slots().WorkingRegion(kSlotRegion), input->Width(), input->Height());
  if (!mask) return kStatusNoMemory;
  if (mask->Area().IsEmpty()) return kStatusOk;
  std::optional<AreaResult> result = AreaResult::Make(*input, mask->Area());
  if (!result) return kStatusNoMemory;
  {
    ProgressScope progress(site);
    if (int status = Compute(site, *input, *result)) return status;
  }
  return result->CommitTo(*input, *mask) ? kStatusOk : kStatusNoMemory;
}

bool AreaTool::ReadWindow(int32_t largest, int32_t& width, int32_t& height) const {
  width = Slots().Int(0, 3);
  height = Slots().Int(1, width);
  return width >= 1 && width <= largest && height >= 1 && height <= largest;
}

int InPlaceCapabilities(int formatIndex, bool paletted) {
  switch (formatIndex) {
    case 2: return paletted ? kToolInPlace : kToolUnsupported;
    case 3:
    case 4: return kToolInPlace;
    default: return kToolUnsupported;
  }
}

}  // namespace tintara
