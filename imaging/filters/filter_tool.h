// A named filter tool: its capabilities, its parameter slots and its run.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "imaging/filters/filter_site.h"
#include "imaging/filters/filter_status.h"
#include "imaging/filters/parameter_value.h"

namespace tintara {

// Capability flags: bits 0..2 the kind, bits 3..5 set for a tool that makes a
// fragment which the insert tool then pastes into the picture.
constexpr int kCapabilityKindMask = 0x07;
constexpr int kCapabilityFragmentMask = 0x38;
constexpr int kToolInPlace = 0;     // writes into its input
constexpr int kToolNewPicture = 1;  // makes a new picture
constexpr int kToolUnsupported = 7;
constexpr int kToolMakesFragment = 0x08;

// Pixel-format index of a picture kind: 1 -> 0, 2 -> 1, 4 -> 2, 8 -> 3, other -> 4.
int FormatIndex(int32_t kind);

class FilterTool {
 public:
  virtual ~FilterTool() = default;

  virtual int Capabilities(int formatIndex) const = 0;
  // Kinds of the tool's own parameters 0, 1, 2 ...
  virtual std::span<const ParameterKind> ParameterKinds() const = 0;
  // Runs on the slots as set; returns a status. An in-place run writes into the
  // input only when it succeeds; a new-picture run sets the output slot.
  virtual int Run(FilterSite& site, bool inPlace) = 0;
  // A fragment tool: the bounds of the fragment it will make. Null otherwise.
  virtual RegionPtr OutputRegion(FilterSite& /*site*/) { return nullptr; }

  // False for a value of the wrong kind or a slot the tool does not have.
  bool SetParameter(int32_t slot, int32_t element, ParameterValue value);
  const ParameterSlots& Slots() const { return slots_; }
  ParameterSlots& MutableSlots() { return slots_; }

 private:
  ParameterSlots slots_;
};

// Owns a created tool; deleting it never reports an error.
class ToolHandle {
 public:
  ToolHandle() = default;
  ToolHandle(FilterSite& site, std::unique_ptr<FilterTool> tool, uint16_t id)
      : site_(&site), tool_(std::move(tool)), id_(id) {}
  ~ToolHandle() { Reset(); }
  ToolHandle(ToolHandle&& other) noexcept { *this = std::move(other); }
  ToolHandle& operator=(ToolHandle&& other) noexcept;

  explicit operator bool() const { return tool_ != nullptr; }
  FilterTool& operator*() const { return *tool_; }
  FilterTool* operator->() const { return tool_.get(); }
  FilterTool* Get() const { return tool_.get(); }
  uint16_t Id() const { return id_; }
  void Reset();

 private:
  FilterSite* site_ = nullptr;
  std::unique_ptr<FilterTool> tool_;
  uint16_t id_ = 0;
};

}  // namespace tintara
