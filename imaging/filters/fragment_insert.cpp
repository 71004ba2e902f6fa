// The insert path: a tool that makes a fragment (capability bits 0x38) draws it
// into a new picture with a mask, and the insert tool pastes it into the
// picture through that mask at the place the tool asked for or, by default,
// centred on the working region.
#include <algorithm>

#include "imaging/filters/apply_tool_steps.h"
#include "imaging/filters/builtin_tools.h"

namespace tintara {

namespace {

struct Fragment {
  ImageRef picture;
  RegionPtr mask;
};

// A blank picture of the input's kind and palette, and an empty mask over it.
int MakeFragment(FilterSite& site, const ImageBuffer& input, const BoxRect& bounds,
                 Fragment& fragment) {
  // Space left of or below the origin is part of the fragment.
  int64_t width = int64_t(bounds.width) + std::max(bounds.x, 0);
  int64_t height = int64_t(bounds.height) + std::max(bounds.y, 0);
  if (width <= 0 || height <= 0) return FilterEngine::RaiseError(site, kStatusCannotHandle);
  fragment.picture = ImageBuffer::CreateLike(input, width, height);
  if (!fragment.picture) return FilterEngine::RaiseError(site, kStatusNoMemory);
  fragment.mask = RegionCreateEmptyMask({0, 0, int32_t(width), int32_t(height)});
  if (!fragment.mask) return FilterEngine::RaiseError(site, kStatusNoMemory);
  return kStatusOk;
}

// Where the fragment's bottom-left corner goes in the picture.
Point Placement(const FilterTool& tool, const ImageBuffer& input, const Region& region,
                const Region& readBack, const ImageBuffer& fragment) {
  const ParameterSlots& slots = tool.Slots();
  if (slots.Count(kSlotPlacement) >= 2) {
    const Point* at = std::get_if<Point>(&slots.Get(kSlotPlacement, 0));
    const Point* from = std::get_if<Point>(&slots.Get(kSlotPlacement, 1));
    if (at != nullptr && from != nullptr) return {at->x - from->x, at->y - from->y};
  }
  BoxRect target = region.Bounds();
  // The whole-picture region's bounds are not the picture's: use the picture.
  if (readBack.IsInverted() || region.Kind() == kRegionWhole) {
    target = {0, 0, input.Width(), input.Height()};
  }
  return {target.x + target.width / 2 - fragment.Width() / 2,
          target.y + target.height / 2 - fragment.Height() / 2};
}

int Insert(FilterSite& site, const ImageRef& picture, const ImageRef& fragment, const Region& mask,
           Point at) {
  if (FilterEngine::FindTool(site, kInsertToolName) == 0) {
    FilterEngine::SetErrorText(site, 0, "Insert fragment");
    return FilterEngine::RaiseError(site, kStatusInsertMissing);
  }
  ToolHandle insert;
  if (int status = CreateNamedTool(site, kInsertToolName, insert)) return status;
  RegionPtr rectangle = RegionCreateRect({at.x, at.y, fragment->Width(), fragment->Height()});
  ImageRef maskPicture = RegionMaskImage(mask);
  if (!rectangle || !maskPicture) return FilterEngine::RaiseError(site, kStatusNoMemory);
  int capabilities = FilterEngine::CapabilitiesFor(site, *insert, picture->Kind());
  int status = SetWorkingSlots(site, *insert, capabilities, picture, *rectangle);
  if (status == kStatusOk) status = FilterEngine::SetParameter(site, *insert, 0, 0, fragment);
  if (status == kStatusOk) status = FilterEngine::SetParameter(site, *insert, 1, 0, maskPicture);
  if (status == kStatusOk) status = FilterEngine::Execute(site, *insert, 1);
  return status;
}

}  // namespace

int RunFragmentTool(FilterSite& site, FilterTool& tool, const ImageRef& picture,
                    const Region& region, std::string_view parameters, std::string_view formats) {
  int status = FilterEngine::SetParameter(site, tool, kSlotOrigin, 0, Point{0, 0});
  if (status == kStatusOk) status = FilterEngine::SetParameter(site, tool, kSlotReserved13, 0, 0);
  if (status != kStatusOk) return status;
  BoxRect bounds;
  {
    RegionPtr output = FilterEngine::OutputRegion(site, tool);
    if (!output) return kStatusNotAvailable;
    bounds = output->Bounds();
  }
  Fragment fragment;
  if (int made = MakeFragment(site, *picture, bounds, fragment)) return made;
  Region* mask = fragment.mask.get();
  status = FilterEngine::SetParameter(site, tool, kSlotMask, 0, mask);
  if (status == kStatusOk)
    status = FilterEngine::SetParameter(site, tool, kSlotOutput, 0, fragment.picture);
  if (status == kStatusOk) status = SetToolParameters(site, tool, parameters, formats);
  if (status == kStatusOk) status = FilterEngine::Execute(site, tool, 1);
  ImageRef drawn = tool.Slots().Image(kSlotOutput);
  Region* drawnMask = tool.Slots().MaskRegion(kSlotMask);
  ClearSlotQuietly(site, tool, kSlotOutput);
  ClearSlotQuietly(site, tool, kSlotMask);
  if (status != kStatusOk) return status;
  const Region* readBack = tool.Slots().WorkingRegion(kSlotRegion);
  if (readBack == nullptr || !drawn || drawnMask == nullptr) {
    return FilterEngine::RaiseError(site, kStatusCannotHandle);
  }
  Point at = Placement(tool, *picture, region, *readBack, *drawn);
  return Insert(site, picture, drawn, *drawnMask, at);
}

}  // namespace tintara
