// Tools registered by the tests to drive the engine paths no built-in tool
// takes: chosen capabilities, a failing run, a fragment to insert.
#pragma once

#include <vector>

#include "imaging/filters/filter_engine.h"

namespace tintara::test {

// What the probe tool answers and what it saw; reset by each test.
struct Probe {
  static inline int capabilitiesAtZero = kToolInPlace;
  static inline int capabilities = kToolInPlace;
  static inline int runStatus = kStatusOk;
  static inline std::vector<int> askedIndexes;
  static inline int runs = 0;
  static inline int seenMode = 0;
  static inline int seenRegionKind = -1;
  static inline bool seenRegionInverted = false;
  static inline int32_t seenParameter = 0;
  static inline int seenParameterCount = 0;
  static inline bool seenMask = false;
  static inline int32_t fragmentX = 0;

  static void Reset() {
    capabilitiesAtZero = capabilities = kToolInPlace;
    runStatus = kStatusOk;
    askedIndexes.clear();
    runs = 0;
    seenMode = 0;
    seenRegionKind = -1;
    seenRegionInverted = false;
    seenParameter = 0;
    seenParameterCount = 0;
    seenMask = false;
    fragmentX = 0;
  }
};

class ProbeTool : public FilterTool {
 public:
  int Capabilities(int formatIndex) const override {
    Probe::askedIndexes.push_back(formatIndex);
    return formatIndex == 0 ? Probe::capabilitiesAtZero : Probe::capabilities;
  }
  std::span<const ParameterKind> ParameterKinds() const override {
    static constexpr ParameterKind kKinds[] = {ParameterKind::kInt, ParameterKind::kInt};
    return kKinds;
  }
  int Run(FilterSite&, bool) override {
    ++Probe::runs;
    Probe::seenMode = Slots().Int(kSlotMode, 0);
    const Region* region = Slots().WorkingRegion(kSlotRegion);
    Probe::seenRegionKind = region != nullptr ? region->Kind() : -1;
    Probe::seenRegionInverted = region != nullptr && region->IsInverted();
    Probe::seenParameter = Slots().Int(0, -1);
    Probe::seenParameterCount = Slots().Count(0) + Slots().Count(1);
    Probe::seenMask = Slots().MaskRegion(kSlotMask) != nullptr;
    if (Probe::runStatus == kStatusOk && Slots().Count(kSlotOutput) > 0) {
      // A new-picture probe hands back a copy of its input.
      MutableSlots().Set(kSlotOutput, 0, ImageBuffer::Copy(*Slots().Image(kSlotInput)));
    }
    return Probe::runStatus;
  }
};

inline std::unique_ptr<FilterTool> MakeProbeTool() { return std::make_unique<ProbeTool>(); }

// A fragment of one colour (parameter 0, red + 256 green + 65536 blue) whose
// mask leaves out its bottom-left pixel. Its output region, asked before the
// parameters are set, is (Probe::fragmentX, 0, 4, 3). Parameters 1 and 2, when
// given, place it: slot -23 gets (parameter 1, parameter 2) and (1, 1).
class FragmentTool : public FilterTool {
 public:
  int Capabilities(int formatIndex) const override {
    return formatIndex == 4 ? kToolInPlace | kToolMakesFragment : kToolUnsupported;
  }
  std::span<const ParameterKind> ParameterKinds() const override {
    static constexpr ParameterKind kKinds[] = {ParameterKind::kInt, ParameterKind::kInt,
                                               ParameterKind::kInt, ParameterKind::kInt};
    return kKinds;
  }
  RegionPtr OutputRegion(FilterSite&) override {
    if (Probe::runStatus == kStatusNotAvailable) return nullptr;
    return RegionCreateRect({Probe::fragmentX, 0, 4, 3});
  }
  int Run(FilterSite&, bool) override {
    ++Probe::runs;
    Probe::seenMode = Slots().Int(kSlotMode, 0);
    if (Probe::runStatus != kStatusOk) return Probe::runStatus;
    ImageRef fragment = Slots().Image(kSlotOutput);
    Region* mask = Slots().MaskRegion(kSlotMask);
    if (!fragment || mask == nullptr) return kStatusCannotHandle;
    int32_t colour = Slots().Int(0, 0);
    for (int32_t y = 0; y < fragment->Height(); ++y) {
      uint8_t* row = fragment->WritableRows().value().Row(y);
      uint8_t* maskRow = mask->MutableMask()->WritableRows().value().Row(y);
      for (int32_t x = 0; x < fragment->Width(); ++x) {
        row[3 * x] = uint8_t(colour >> 16);
        row[3 * x + 1] = uint8_t(colour >> 8);
        row[3 * x + 2] = uint8_t(colour);
        maskRow[x] = (x == 0 && y == 0) ? 0 : 255;
      }
    }
    if (Slots().Count(1) > 0 && Slots().Count(2) > 0) {
      MutableSlots().Set(kSlotPlacement, 0, Point{Slots().Int(1, 0), Slots().Int(2, 0)});
      MutableSlots().Set(kSlotPlacement, 1, Point{1, 1});
    }
    return kStatusOk;
  }
};

inline std::unique_ptr<FilterTool> MakeFragmentTool() { return std::make_unique<FragmentTool>(); }

}  // namespace tintara::test
