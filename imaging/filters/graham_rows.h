// The row work of "graham_filt" over one band of rows, in planar vector passes.
#pragma once

#include <cstdint>
#include <functional>

#include "imaging/filters/area_result.h"
#include "imaging/filters/graham_filter.h"
#include "imaging/image_buffer.h"

namespace tintara {

// Vector width of the passes: four lanes run everywhere, eight need AVX2.
// Both give the same bytes.
enum class GrahamLanes { kFour, kEight };

// The widest lanes this processor runs.
GrahamLanes GrahamBestLanes();

// Filters picture rows [firstY, endY) of result.Area() from `input` (true
// colour or 8-bit) into `result`. rowDone is called after every row; when it
// returns false the band stops. Throws std::bad_alloc when its row buffers
// cannot be had.
void GrahamFilterRows(const ImageBuffer& input, const AreaResult& result, GrahamWindow window,
                      int32_t firstY, int32_t endY, GrahamLanes lanes,
                      const std::function<bool()>& rowDone);

// Factor that turns a window sum into its rounded mean: for every sum s of at
// most `divisor` values of 255, int(float(s + divisor / 2) * factor) equals
// (s + divisor / 2) / divisor, for divisor up to kGrahamLargestWindow^2.
float GrahamMeanFactor(int32_t divisor);

}  // namespace tintara
