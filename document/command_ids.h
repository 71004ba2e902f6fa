// Numbers of the program's commands. The numbers are stable: menus, tool bars,
// stage panels and scripts all name commands by them.
#pragma once

#include <cstdint>

namespace tintara {

using CommandId = int32_t;

namespace cmd {

// Undo and display.
constexpr CommandId kUndo = 57643;
constexpr CommandId kRedo = 57644;
constexpr CommandId kStartPictureEditing = 32855;
constexpr CommandId kFinishPictureEditing = 32856;
constexpr CommandId kUndoAllPictureEdits = 32818;
constexpr CommandId kViewInitialPicture = 32834;
constexpr CommandId kViewConvertedPicture = 33109;
constexpr CommandId kViewPaintingPattern = 33110;
constexpr CommandId kWhatToDisplay = 32825;
constexpr CommandId kWhatToView = 32851;
constexpr CommandId kViewAsColorBlocks = 32869;
constexpr CommandId kCreateDrawingPattern = 32857;

// Stages of the guided interface.
constexpr CommandId kStageStart = 32788;
constexpr CommandId kStagePicture = 32792;
constexpr CommandId kStageSettings = 32833;
constexpr CommandId kStagePattern = 32819;
constexpr CommandId kStageFinish = 32789;

// Pattern clean-up and areas.
constexpr CommandId kRemoveSmallAreas = 33118;
constexpr CommandId kSelectOneArea = 33119;
constexpr CommandId kBorderColor = 33117;

// Colour reductions of the picture being edited (numbers of our own).
constexpr CommandId kReduceColorLevels = 34500;
constexpr CommandId kReduceColorsOptimized = 34501;

}  // namespace cmd
}  // namespace tintara
