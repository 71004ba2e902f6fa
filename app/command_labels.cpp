#include "app/command_labels.h"

namespace tintara {

namespace {

struct Label {
  CommandId id;
  const char* menuText;
};

constexpr Label kLabels[] = {
    {cmd::kNewProject, "&New"},
    {cmd::kOpenProject, "&Open..."},
    {cmd::kSaveProject, "&Save"},
    {cmd::kSaveProjectAs, "Save &As..."},
    {cmd::kExit, "E&xit"},
    {cmd::kAbout, "&About Tintara..."},
    {cmd::kLoadPicture, "&Load picture from disk..."},
    {cmd::kPastePicture, "&Paste picture from clipboard"},
    {cmd::kSavePictureAs, "Save P&icture As..."},
    {cmd::kSaveConvertedAs, "Save &converted picture as..."},
    {cmd::kSavePatternAs, "Save painting pa&ttern as..."},
    {cmd::kSaveCurrentView, "Save current &view as..."},
    {cmd::kSaveColorKey, "Save color &key as..."},
    {cmd::kPictureInformation, "Picture/pattern i&nformation..."},
    {cmd::kUndo, "&Undo"},
    {cmd::kRedo, "&Redo"},
    {cmd::kStartPictureEditing, "&Start picture editing"},
    {cmd::kFinishPictureEditing, "&Finish picture editing"},
    {cmd::kUndoAllPictureEdits, "Undo &all picture edits"},
    {cmd::kReduceColorLevels, "&Posterize..."},
    {cmd::kReduceColorsOptimized, "Red&uce Colors..."},
    {cmd::kViewInitialPicture, "&Initial picture"},
    {cmd::kViewConvertedPicture, "&Converted picture"},
    {cmd::kViewPaintingPattern, "&Painting pattern"},
    {cmd::kZoomIn, "Zoom &in"},
    {cmd::kZoomOut, "Zoom &out"},
    {cmd::kActualSize, "&Actual Size (1:1)"},
    {cmd::kCreateDrawingPattern, "&Create drawing pattern"},
    {cmd::kViewAsColorBlocks, "View as color &blocks"},
    {cmd::kRemoveSmallAreas, "&Remove small areas"},
    {cmd::kSelectOneArea, "&Select one area"},
    {cmd::kBorderColor, "Color of &borders and digits..."},
    {cmd::kOptions, "&General options..."},
    {cmd::kColorCorrection, "Color &correction..."},
    {cmd::kAutoSave, "Auto &save project each 5 minutes"},
    {cmd::kStandardInterface, "&Standard Windows"},
    {cmd::kToggleMenu, "Show/hide standard &menu"},
    {cmd::kToggleToolbars, "Show/hide &toolbars"},
    {cmd::kToggleAnimation, "&Animate toolbars"},
    {cmd::kStageStart, "&Start your work"},
    {cmd::kStagePicture, "Edit your &picture"},
    {cmd::kStageSettings, "S&ettings"},
    {cmd::kStagePattern, "Edit painting p&attern"},
    {cmd::kStageFinish, "Save, print, s&hare"},
};

}  // namespace

QString MenuTextOf(CommandId id, const std::string& commandText) {
  for (const Label& label : kLabels) {
    if (label.id == id) return QString::fromUtf8(label.menuText);
  }
  return QString::fromStdString(commandText);
}

QKeySequence ShortcutOf(CommandId id) {
  switch (id) {
    case cmd::kNewProject: return QKeySequence::New;
    case cmd::kOpenProject: return QKeySequence::Open;
    case cmd::kSaveProject: return QKeySequence::Save;
    case cmd::kUndo: return QKeySequence(Qt::CTRL | Qt::Key_Z);
    case cmd::kRedo: return QKeySequence(Qt::CTRL | Qt::Key_Y);
    case cmd::kLoadPicture: return QKeySequence(Qt::CTRL | Qt::Key_L);
    case cmd::kPastePicture: return QKeySequence::Paste;
    case cmd::kZoomIn: return QKeySequence(Qt::CTRL | Qt::Key_Plus);
    case cmd::kZoomOut: return QKeySequence(Qt::CTRL | Qt::Key_Minus);
    case cmd::kActualSize: return QKeySequence(Qt::CTRL | Qt::Key_0);
    case cmd::kExit: return QKeySequence(Qt::ALT | Qt::Key_F4);
    default: return {};
  }
}

}  // namespace tintara
