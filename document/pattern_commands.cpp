#include "document/pattern_commands.h"

#include "document/command_table.h"
#include "document/document_environment.h"
#include "document/print_settings_commands.h"
#include "document/tessel_doc.h"
#include "pattern/render_pattern.h"
#include "pattern/same_color_area.h"
#include "ports/dialogs.h"
#include "ports/step_progress.h"
#include "ports/ui_host.h"

namespace tintara {

void CTessel20Doc::RemoveSmallAreasCommand() {
  WaitCursor wait(Ui());
  PushUndoSnapshot();
  {
    CountedOperation counted(Ui(), env_.progress, 2 + RenderStepCount(params.patternType));
    RemoveSmallAreas();
  }
  if (viewMode != kViewInitial) UpdateAllViews();
  RefreshNavigator();
  NoteUnusedPaints();
}

void CTessel20Doc::ToggleSelectOneArea() {
  if (currentTool == kToolSelectArea) {
    currentTool = kToolNone;
    return;
  }
  currentTool = kToolSelectArea;
  drawing.textWindowOpen = false;
  bool shown = drawing.textPositioned;
  EndTextEntry();
  if (shown) UpdateAllViews();
}

void CTessel20Doc::SelectAreaAt(int32_t x, int32_t y) {
  RegionPtr area;
  {
    WaitCursor wait(Ui());
    area = tintara::SelectAreaAt(indexImage.get(), x, y);
  }
  if (!area) return;
  selection = std::move(area);
  if (viewMode != kViewInitial) UpdateAllViews();
}

void CTessel20Doc::ChooseBorderColor() {
  std::optional<uint32_t> chosen =
      DialogPort().ChooseBorderColor(params.borderColor, env_.StandardInterface());
  if (!chosen || (*chosen & 0xFFFFFF) == params.borderColor) return;
  // The snapshot is taken before the colour changes, so that undo brings back
  // the old colour together with the old pattern palette.
  if (convertedPicture) PushUndoSnapshot();
  params.borderColor = *chosen & 0xFFFFFF;
  params.SaveToSettings(env_.settings);
  if (!convertedPicture) return;
  {
    // The snapshot holds its own image object, so it keeps the old palette.
    WaitCursor wait(Ui());
    SetInkColor(*patternImage, params.borderColor);
  }
  if (viewMode != kViewInitial) UpdateAllViews();
  RefreshNavigator();
}

void RegisterPatternCommands(CommandTable& table, CTessel20Doc& doc) {
  table.Add({cmd::kRemoveSmallAreas, "Remove small areas from painting pattern",
             [&doc] { doc.RemoveSmallAreasCommand(); },
             [&doc] { return doc.convertedPicture != nullptr; }, {}});
  table.Add({cmd::kMergeSmallAreas, "Merge areas too small to paint",
             [&doc] { doc.MergeSmallAreasCommand(); },
             [&doc] { return doc.convertedPicture != nullptr && !doc.pictureEditing; }, {}});
  table.Add({cmd::kToggleMergeWhenCreating, "Merge small areas when creating the pattern",
             [&doc] { doc.ToggleMergeWhenCreating(); }, {},
             [&doc] { return doc.MergesWhenCreating(); }});
  table.Add({cmd::kSelectOneArea, "Select one area", [&doc] { doc.ToggleSelectOneArea(); },
             [&doc] {
               return !doc.pictureEditing && doc.viewMode != kViewInitial &&
                      doc.convertedPicture != nullptr;
             },
             [&doc] { return doc.currentTool == kToolSelectArea; }});
  table.Add({cmd::kBorderColor, "Color of borders and digits", [&doc] { doc.ChooseBorderColor(); },
             [&doc] { return !doc.pictureEditing; }, {}});
  RegisterPatternSettingsCommands(table, doc);
  RegisterColorCommands(table, doc);
  RegisterPrintSettingsCommands(table, doc);
}

}  // namespace tintara
