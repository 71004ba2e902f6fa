// Steps the two filter wrappers share.
#pragma once

#include <string_view>

#include "imaging/filters/filter_engine.h"

namespace tintara {

// Converts the parameter text and sets slots 0, 1, ...; 0 or a status.
int SetToolParameters(FilterSite& site, FilterTool& tool, std::string_view text,
                      std::string_view formats);

// Empties a slot without reporting anything.
void ClearSlotQuietly(FilterSite& site, FilterTool& tool, int32_t slot);

// Creates the tool; 0 or the status already reported.
int CreateNamedTool(FilterSite& site, std::string_view name, ToolHandle& tool);

// Sets the working slots of a tool about to run on `picture` within `region`:
// mode (fragment or in place), input, region and the reserved ones.
int SetWorkingSlots(FilterSite& site, FilterTool& tool, int capabilities, const ImageRef& picture,
                    const Region& region);

// Runs a fragment tool and pastes its fragment into the picture with the
// insert tool. The working slots (-7, -4, -6 and the reserved ones) are set.
int RunFragmentTool(FilterSite& site, FilterTool& tool, const ImageRef& picture,
                    const Region& region, std::string_view parameters, std::string_view formats);

}  // namespace tintara
