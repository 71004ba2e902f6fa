#include "imaging/filters/builtin_tools.h"

namespace tintara {

std::span<const BuiltinTool> BuiltinTools() {
  static constexpr BuiltinTool kTools[] = {
      {kGrahamFilterName, &MakeGrahamFilter},   {kMedianFilterName, &MakeMedianFilter},
      {kSharpenFilterName, &MakeSharpenFilter}, {kSmoothFilterName, &MakeSmoothFilter},
      {kRotateToolName, &MakeRotateTool},       {kResizeToolName, &MakeResizeTool},
      {kInsertToolName, &MakeInsertTool},
  };
  return kTools;
}

}  // namespace tintara
