// Messages that several editing commands show.
#pragma once

namespace tintara {

inline constexpr char kSelectRegionFirst[] = "Please select a region first!  ";

}  // namespace tintara
