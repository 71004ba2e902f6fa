// Values held in a tool's parameter slots, and the slots themselves.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "imaging/image_buffer.h"
#include "imaging/region.h"

namespace tintara {

// Four integers, as "%r" gives them.
struct IntQuad {
  std::array<int32_t, 4> values{};
  friend bool operator==(const IntQuad&, const IntQuad&) = default;
};

// Regions are not owned by the slots: whoever sets one keeps it alive for the run.
using ParameterValue = std::variant<std::monostate, int32_t, Point, IntQuad, std::string, ImageRef,
                                    const Region*, Region*>;

enum class ParameterKind { kEmpty, kInt, kPoint, kQuad, kText, kImage, kRegion, kMaskRegion };
ParameterKind KindOf(const ParameterValue& value);

// Slots the engine and the wrappers use; 0, 1, 2 ... are the tool's own parameters.
enum ToolSlot : int32_t {
  kSlotOutput = -1,  // picture the tool made
  kSlotOrigin = -2,  // a point
  kSlotInput = -4,   // picture the tool works on
  kSlotRegion = -6,  // working region
  kSlotMode = -7,    // 2 for a tool that makes a fragment to insert, else 1
  kSlotReserved9 = -9,
  kSlotReserved13 = -13,
  kSlotReserved14 = -14,
  kSlotMask = -15,       // mask region a fragment tool fills
  kSlotPlacement = -23,  // element 0 minus element 1 places the fragment
};

// Most elements a slot holds.
constexpr int32_t kMaxSlotElements = 16;

class ParameterSlots {
 public:
  // Element may be at most the current count (then the value is appended).
  bool Set(int32_t slot, int32_t element, ParameterValue value);
  // The stored value, or an empty value when there is none.
  const ParameterValue& Get(int32_t slot, int32_t element = 0) const;
  int32_t Count(int32_t slot) const;
  void Clear(int32_t slot) { slots_.erase(slot); }

  // Typed readers: the fallback when the slot holds no value of that kind.
  int32_t Int(int32_t slot, int32_t fallback) const;
  ImageRef Image(int32_t slot) const;
  const Region* WorkingRegion(int32_t slot) const;
  Region* MaskRegion(int32_t slot) const;

 private:
  std::map<int32_t, std::vector<ParameterValue>> slots_;
};

}  // namespace tintara
