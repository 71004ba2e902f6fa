#include "imaging/filters/apply_tool.h"

#include <algorithm>
#include <new>

#include "imaging/filters/apply_tool_steps.h"
#include "imaging/filters/parameter_text.h"

namespace tintara {

int SetToolParameters(FilterSite& site, FilterTool& tool, std::string_view text,
                      std::string_view formats) {
  std::optional<std::vector<ParameterValue>> values;
  try {
    values = ParseParameterText(text, formats);
  } catch (const std::bad_alloc&) {
    return FilterEngine::RaiseError(site, kStatusNoMemory);
  }
  if (!values) return FilterEngine::RaiseError(site, kStatusBadParameter);
  for (size_t i = 0; i < values->size(); ++i) {
    int status = FilterEngine::SetParameter(site, tool, int32_t(i), 0, std::move((*values)[i]));
    if (status != kStatusOk) return status;
  }
  return kStatusOk;
}

void ClearSlotQuietly(FilterSite& site, FilterTool& tool, int32_t slot) {
  FilterEngine::FreezeErrors(site);
  FilterEngine::SetParameter(site, tool, slot, 0, ParameterValue{});
  FilterEngine::UnfreezeErrors(site);
}

int CreateNamedTool(FilterSite& site, std::string_view name, ToolHandle& tool) {
  tool = FilterEngine::CreateTool(site, name);
  if (tool) return kStatusOk;
  return FilterEngine::FindTool(site, name) == 0 ? kStatusNotAvailable : kStatusNoMemory;
}

int SetWorkingSlots(FilterSite& site, FilterTool& tool, int capabilities, const ImageRef& picture,
                    const Region& region) {
  int mode = (capabilities & kCapabilityFragmentMask) != 0 ? 2 : 1;
  int status = FilterEngine::SetParameter(site, tool, kSlotMode, 0, mode);
  if (status == kStatusOk) status = FilterEngine::SetParameter(site, tool, kSlotInput, 0, picture);
  if (status == kStatusOk) status = FilterEngine::SetParameter(site, tool, kSlotRegion, 0, &region);
  for (int32_t slot : {kSlotReserved9, kSlotReserved13, kSlotReserved14}) {
    if (status == kStatusOk) status = FilterEngine::SetParameter(site, tool, slot, 0, 0);
  }
  return status;
}

namespace {

// Runs a new-picture tool; on success `made` holds what it put in slot -1.
int RunNewPicture(FilterSite& site, FilterTool& tool, const ImageRef& picture,
                  std::string_view parameters, std::string_view formats, ImageRef& made) {
  int status = FilterEngine::SetParameter(site, tool, kSlotInput, 0, picture);
  if (status == kStatusOk) status = FilterEngine::SetParameter(site, tool, kSlotReserved9, 0, 0);
  if (status == kStatusOk)
    status = FilterEngine::SetParameter(site, tool, kSlotOutput, 0, ImageRef());
  if (status == kStatusOk) status = SetToolParameters(site, tool, parameters, formats);
  if (status == kStatusOk) status = FilterEngine::Execute(site, tool, 0);
  if (status == kStatusOk) made = tool.Slots().Image(kSlotOutput);
  ClearSlotQuietly(site, tool, kSlotOutput);
  return status;
}

int NewImage(FilterSite& site, std::string_view name, const ImageRef& picture, ImageRef& result,
             std::string_view parameters, std::string_view formats) {
  if (!picture) return FilterEngine::RaiseError(site, kStatusCannotHandle);
  ToolHandle tool;
  if (int status = CreateNamedTool(site, name, tool)) return status;
  int kind = FilterEngine::CapabilitiesFor(site, *tool, picture->Kind()) & kCapabilityKindMask;
  if (kind != kToolNewPicture) return FilterEngine::RaiseError(site, kStatusCannotHandle);
  ImageRef made;
  if (int status = RunNewPicture(site, *tool, picture, parameters, formats, made)) return status;
  if (!made) return FilterEngine::RaiseError(site, kStatusCannotHandle);
  result = std::move(made);
  return kStatusOk;
}

// A new-picture tool used in place: its picture is copied over the given one.
int CopyOver(FilterSite& site, const ImageRef& made, ImageBuffer& picture) {
  if (!made || made.get() == &picture) return kStatusOk;
  if (made->Kind() != picture.Kind()) return FilterEngine::RaiseError(site, kStatusCannotHandle);
  int32_t width = std::min(made->Width(), picture.Width());
  int32_t height = std::min(made->Height(), picture.Height());
  if (!CopyArea(picture, 0, 0, *made, 0, 0, width, height)) {
    return FilterEngine::RaiseError(site, kStatusNoMemory);
  }
  return kStatusOk;
}

int InPlace(FilterSite& site, std::string_view name, const ImageRef& picture,
            std::string_view parameters, std::string_view formats, const Region* region) {
  if (!picture) return FilterEngine::RaiseError(site, kStatusCannotHandle);
  ToolHandle tool;
  if (int status = CreateNamedTool(site, name, tool)) return status;
  int capabilities = FilterEngine::CapabilitiesFor(site, *tool, picture->Kind());
  int kind = capabilities & kCapabilityKindMask;
  if (kind == kToolNewPicture) {
    ImageRef made;
    if (int status = RunNewPicture(site, *tool, picture, parameters, formats, made)) return status;
    return CopyOver(site, made, *picture);
  }
  if (kind != kToolInPlace) return FilterEngine::RaiseError(site, kStatusCannotHandle);
  RegionPtr whole;  // stands for the whole picture during the call
  if (region == nullptr) {
    whole = RegionCreateEmpty();
    if (!whole) return FilterEngine::RaiseError(site, kStatusNoMemory);
    region = whole.get();
  }
  if (int status = SetWorkingSlots(site, *tool, capabilities, picture, *region)) return status;
  if ((capabilities & kCapabilityFragmentMask) != 0) {
    return RunFragmentTool(site, *tool, picture, *region, parameters, formats);
  }
  int status = FilterEngine::SetParameter(site, *tool, kSlotMask, 0, ParameterValue{});
  if (status == kStatusOk) status = SetToolParameters(site, *tool, parameters, formats);
  if (status == kStatusOk) status = FilterEngine::Execute(site, *tool, 1);
  return status;
}

}  // namespace

bool ApplyToolNewImage(FilterSite& site, std::string_view tool, const ImageRef& picture,
                       ImageRef& result, std::string_view parameters, std::string_view formats,
                       const Region*) {
  WaitCursor wait(site.Host());
  int status = NewImage(site, tool, picture, result, parameters, formats);
  site.SetLastStatus(status);
  return status == kStatusOk;
}

bool ApplyToolInPlace(FilterSite& site, std::string_view tool, const ImageRef& picture,
                      std::string_view parameters, std::string_view formats, const Region* region) {
  WaitCursor wait(site.Host());
  int status = InPlace(site, tool, picture, parameters, formats, region);
  site.SetLastStatus(status);
  return status == kStatusOk;
}

}  // namespace tintara
