#include "imaging/filters/filter_engine.h"

#include <new>

namespace tintara {

bool FilterEngine::InitSite(FilterSite& site) { return InitSite(site, BuiltinTools()); }

bool FilterEngine::InitSite(FilterSite& site, std::span<const BuiltinTool> tools) {
  site.ready_ = false;
  site.freezeDepth_ = 0;
  site.lastStatus_ = 0;
  site.errorText_.clear();
  site.tools_.clear();
  for (const BuiltinTool& tool : tools) {
    if (!RegisterTool(site, tool.name, tool.make)) return false;
  }
  site.ready_ = true;
  return true;
}

void FilterEngine::FreeSite(FilterSite& site) {
  site.tools_.clear();
  site.ready_ = false;
}

bool FilterEngine::RegisterTool(FilterSite& site, std::string_view name, ToolFactory make) {
  if (name.empty() || make == nullptr || FindTool(site, name) != 0 ||
      site.tools_.size() >= 0xFFFF) {
    return false;
  }
  try {
    site.tools_.push_back({std::string(name), make});
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

uint16_t FilterEngine::FindTool(const FilterSite& site, std::string_view name) {
  for (size_t i = 0; i < site.tools_.size(); ++i) {
    if (site.tools_[i].name == name) return uint16_t(i + 1);
  }
  return 0;
}

ToolHandle FilterEngine::CreateTool(FilterSite& site, std::string_view name) {
  uint16_t id = site.ready_ ? FindTool(site, name) : 0;
  if (id == 0) {
    SetErrorText(site, 0, name);
    RaiseError(site, kStatusNotAvailable);
    return {};
  }
  std::unique_ptr<FilterTool> tool;
  try {
    tool = site.tools_[id - 1].make();
  } catch (const std::bad_alloc&) {
  }
  if (!tool) {
    RaiseError(site, kStatusNoMemory);
    return {};
  }
  return ToolHandle(site, std::move(tool), id);
}

void FilterEngine::DeleteTool(FilterSite&, ToolHandle& tool) { tool.Reset(); }

int FilterEngine::Capabilities(FilterSite&, const FilterTool& tool, int formatIndex) {
  return tool.Capabilities(formatIndex);
}

int FilterEngine::CapabilitiesFor(FilterSite& site, const FilterTool& tool, int32_t pictureKind) {
  int first = Capabilities(site, tool, 0);
  int kind = first & kCapabilityKindMask;
  if (kind == 3 || kind == 4 || kind == 5) return first;
  return Capabilities(site, tool, FormatIndex(pictureKind));
}

int FilterEngine::SetParameter(FilterSite& site, FilterTool& tool, int32_t slot, int32_t element,
                               ParameterValue value) {
  bool set = false;
  try {
    set = tool.SetParameter(slot, element, std::move(value));
  } catch (const std::bad_alloc&) {
    return RaiseError(site, kStatusNoMemory);
  }
  return set ? kStatusOk : RaiseError(site, kStatusBadParameter);
}

int FilterEngine::GetParameter(FilterSite& site, const FilterTool& tool, int32_t slot,
                               int32_t element, ParameterValue& value) {
  if (element < 0 || element >= tool.Slots().Count(slot)) {
    return RaiseError(site, kStatusBadParameter);
  }
  value = tool.Slots().Get(slot, element);
  return kStatusOk;
}

int FilterEngine::ParameterCount(FilterSite&, const FilterTool& tool, int32_t slot) {
  return tool.Slots().Count(slot);
}

int FilterEngine::Execute(FilterSite& site, FilterTool& tool, int inPlace, int) {
  ImageRef input = tool.Slots().Image(kSlotInput);
  if (!input) return RaiseError(site, kStatusCannotHandle);
  int kind = CapabilitiesFor(site, tool, input->Kind()) & kCapabilityKindMask;
  if (kind != (inPlace != 0 ? kToolInPlace : kToolNewPicture)) {
    return RaiseError(site, kStatusCannotHandle);
  }
  int status = kStatusOk;
  try {
    status = tool.Run(site, inPlace != 0);
  } catch (const std::bad_alloc&) {
    status = kStatusNoMemory;
  }
  return status == kStatusOk ? status : RaiseError(site, status);
}

RegionPtr FilterEngine::OutputRegion(FilterSite& site, FilterTool& tool) {
  RegionPtr region;
  try {
    region = tool.OutputRegion(site);
  } catch (const std::bad_alloc&) {
  }
  if (!region) RaiseError(site, kStatusNotAvailable);
  return region;
}

void FilterEngine::FreezeErrors(FilterSite& site) { ++site.freezeDepth_; }

void FilterEngine::UnfreezeErrors(FilterSite& site) {
  if (site.freezeDepth_ > 0) --site.freezeDepth_;
}

void FilterEngine::SetErrorText(FilterSite& site, int, std::string_view text) {
  if (site.ErrorsFrozen()) return;
  site.errorText_.assign(text);
}

int FilterEngine::RaiseError(FilterSite& site, int status) {
  if (status == kStatusOk || status == kStatusCancelled || site.ErrorsFrozen()) return status;
  std::string caption = std::move(site.errorText_);
  site.errorText_.clear();
  site.ShowMessage(StatusMessage(status), caption);
  return status;
}

}  // namespace tintara
