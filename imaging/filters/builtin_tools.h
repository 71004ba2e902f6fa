// The tools every site registers at start-up.
#pragma once

#include <memory>
#include <span>

#include "imaging/filters/filter_tool.h"

namespace tintara {

inline constexpr const char* kGrahamFilterName = "graham_filt";
inline constexpr const char* kMedianFilterName = "median_filt";
inline constexpr const char* kSharpenFilterName = "sharp_filt";
inline constexpr const char* kSmoothFilterName = "smooth_simp";
inline constexpr const char* kRotateToolName = "ImageRotate";
inline constexpr const char* kResizeToolName = "Change_Size";
inline constexpr const char* kInsertToolName = "#Insert_Tool";

std::unique_ptr<FilterTool> MakeGrahamFilter();
std::unique_ptr<FilterTool> MakeMedianFilter();
std::unique_ptr<FilterTool> MakeSharpenFilter();
std::unique_ptr<FilterTool> MakeSmoothFilter();
std::unique_ptr<FilterTool> MakeRotateTool();
std::unique_ptr<FilterTool> MakeResizeTool();
std::unique_ptr<FilterTool> MakeInsertTool();

struct BuiltinTool {
  const char* name;
  ToolFactory make;
};
std::span<const BuiltinTool> BuiltinTools();

}  // namespace tintara
