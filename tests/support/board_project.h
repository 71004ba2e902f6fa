// The busiest pattern there is, as a project file: a checkerboard of single
// cells in two paints, so that every cell is an area of its own.
#pragma once

#include <cstdint>
#include <string>

namespace tintara::test {

// Writes the project; false when it cannot be saved. The brand files come
// from `programFolder`.
bool WriteBoardProject(const std::string& path, int32_t width, int32_t height,
                       const std::string& programFolder);

}  // namespace tintara::test
