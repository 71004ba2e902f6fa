#include "editing/selection_commands.h"

#include "document/command_table.h"
#include "document/tessel_doc.h"
#include "editing/selection_tool.h"

namespace tintara {

bool SelectablePictureShown(const CTessel20Doc& doc) {
  return doc.viewMode != kViewInitial ? doc.convertedPicture != nullptr
                                      : doc.initialPicture != nullptr;
}

void RegisterSelectionCommands(CommandTable& table, CTessel20Doc& doc, SelectionTool& tool) {
  auto shown = [&doc] { return SelectablePictureShown(doc); };
  auto hasSelection = [&doc] { return doc.selection != nullptr; };
  table.Add({cmd::kSelectRegion, "Select a region on the picture",
             [&doc, &tool] {
               doc.currentTool = kToolNone;
               tool.SetArmed(true);
             },
             shown, {}});
  table.Add({cmd::kSelectAll, "Select All",
             [&doc] {
               doc.selection = RegionCreateEmpty();
               doc.UpdateAllViews();
             },
             shown, {}});
  table.Add({cmd::kSelectNone, "Select None",
             [&doc] {
               if (!doc.selection) return;
               doc.selection.reset();
               doc.UpdateAllViews();
             },
             hasSelection, {}});
  table.Add({cmd::kSelectInvert, "Select Invert",
             [&doc] {
               if (!doc.selection) return;
               doc.selection->SetInverted(!doc.selection->IsInverted());
               doc.UpdateAllViews();
             },
             hasSelection, {}});
}

}  // namespace tintara
