#include "imaging/filters/filter_tool.h"

#include "imaging/filters/filter_engine.h"

namespace tintara {

int FormatIndex(int32_t kind) {
  switch (kind) {
    case kKind1Bit: return 0;
    case kKind4Bit: return 1;
    case kKind8Bit: return 2;
    case kKindGray8: return 3;
    default: return 4;
  }
}

namespace {

ParameterKind EngineSlotKind(int32_t slot) {
  switch (slot) {
    case kSlotOutput:
    case kSlotInput: return ParameterKind::kImage;
    case kSlotOrigin:
    case kSlotPlacement: return ParameterKind::kPoint;
    case kSlotRegion: return ParameterKind::kRegion;
    case kSlotMask: return ParameterKind::kMaskRegion;
    case kSlotMode:
    case kSlotReserved9:
    case kSlotReserved13:
    case kSlotReserved14: return ParameterKind::kInt;
    default: return ParameterKind::kEmpty;
  }
}

}  // namespace

bool FilterTool::SetParameter(int32_t slot, int32_t element, ParameterValue value) {
  ParameterKind wanted;
  if (slot >= 0) {
    std::span<const ParameterKind> kinds = ParameterKinds();
    if (size_t(slot) >= kinds.size()) return false;
    wanted = kinds[size_t(slot)];
  } else {
    wanted = EngineSlotKind(slot);
    if (wanted == ParameterKind::kEmpty) return false;
  }
  ParameterKind given = KindOf(value);
  // An empty value clears the element; a mask region may also serve as a working region.
  bool fits = given == ParameterKind::kEmpty || given == wanted ||
              (wanted == ParameterKind::kRegion && given == ParameterKind::kMaskRegion);
  if (const ImageRef* image = std::get_if<ImageRef>(&value); image != nullptr && !*image) {
    fits = wanted == ParameterKind::kImage;
  }
  if (!fits) return false;
  return slots_.Set(slot, element, std::move(value));
}

ToolHandle& ToolHandle::operator=(ToolHandle&& other) noexcept {
  if (this != &other) {
    Reset();
    site_ = other.site_;
    tool_ = std::move(other.tool_);
    id_ = other.id_;
    other.id_ = 0;
  }
  return *this;
}

void ToolHandle::Reset() {
  if (!tool_) return;
  FilterEngine::FreezeErrors(*site_);
  tool_.reset();
  FilterEngine::UnfreezeErrors(*site_);
}

}  // namespace tintara
