#include "imaging/filters/parameter_value.h"

namespace tintara {

ParameterKind KindOf(const ParameterValue& value) {
  switch (value.index()) {
    case 1: return ParameterKind::kInt;
    case 2: return ParameterKind::kPoint;
    case 3: return ParameterKind::kQuad;
    case 4: return ParameterKind::kText;
    case 5: return ParameterKind::kImage;
    case 6: return ParameterKind::kRegion;
    case 7: return ParameterKind::kMaskRegion;
    default: return ParameterKind::kEmpty;
  }
}

bool ParameterSlots::Set(int32_t slot, int32_t element, ParameterValue value) {
  std::vector<ParameterValue>& elements = slots_[slot];
  if (element < 0 || element >= kMaxSlotElements || size_t(element) > elements.size()) {
    if (elements.empty()) slots_.erase(slot);
    return false;
  }
  if (size_t(element) == elements.size()) {
    elements.push_back(std::move(value));
  } else {
    elements[size_t(element)] = std::move(value);
  }
  return true;
}

const ParameterValue& ParameterSlots::Get(int32_t slot, int32_t element) const {
  static const ParameterValue kNone;
  auto it = slots_.find(slot);
  if (it == slots_.end() || element < 0 || size_t(element) >= it->second.size()) return kNone;
  return it->second[size_t(element)];
}

int32_t ParameterSlots::Count(int32_t slot) const {
  auto it = slots_.find(slot);
  return it == slots_.end() ? 0 : int32_t(it->second.size());
}

int32_t ParameterSlots::Int(int32_t slot, int32_t fallback) const {
  const int32_t* value = std::get_if<int32_t>(&Get(slot));
  return value != nullptr ? *value : fallback;
}

ImageRef ParameterSlots::Image(int32_t slot) const {
  const ImageRef* value = std::get_if<ImageRef>(&Get(slot));
  return value != nullptr ? *value : nullptr;
}

const Region* ParameterSlots::WorkingRegion(int32_t slot) const {
  const ParameterValue& value = Get(slot);
  if (auto region = std::get_if<const Region*>(&value)) return *region;
  if (auto region = std::get_if<Region*>(&value)) return *region;
  return nullptr;
}

Region* ParameterSlots::MaskRegion(int32_t slot) const {
  Region* const* value = std::get_if<Region*>(&Get(slot));
  return value != nullptr ? *value : nullptr;
}

}  // namespace tintara
