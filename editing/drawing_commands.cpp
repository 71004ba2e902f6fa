#include "editing/drawing_commands.h"

#include <string>

#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "editing/drawing_tool.h"
#include "editing/pattern_edits.h"
#include "editing/pen_geometry.h"
#include "editing/selection_tool.h"
#include "editing/text_placement.h"
#include "ports/ui_host.h"

namespace tintara {

namespace {

std::string PenWidthText(int step) {
  const int pixels = PenSide(step);
  return std::to_string(pixels) + (pixels == 1 ? " Pixel" : " Pixels") + " pen width";
}

void RegisterToolCommands(CommandTable& table, CTessel20Doc& doc, SelectionTool& selection) {
  auto allowed = [&doc] { return DrawingAllowed(doc); };
  struct ToolCommand {
    CommandId id;
    const char* text;
    int32_t tool;
  };
  const ToolCommand tools[] = {{cmd::kPenTool, "Pen Tool", kToolPen},
                               {cmd::kLineTool, "Line Tool", kToolLine},
                               {cmd::kRectangleTool, "Rectangle Tool", kToolRectangle},
                               {cmd::kEllipseTool, "Ellipse Tool", kToolEllipse},
                               {cmd::kPickColor, "Pick color from pattern", kToolPickColor},
                               {cmd::kPickColorInfo, "Pick information about color",
                                kToolColorInfo}};
  for (const ToolCommand& entry : tools) {
    const int32_t tool = entry.tool;
    table.Add({entry.id, entry.text,
               [&doc, &selection, tool] {
                 // A drawing tool takes the mouse from the selection tool.
                 if (tool <= kToolEllipse) selection.SetArmed(false);
                 ChooseDrawingTool(doc, tool);
               },
               allowed, [&doc, tool] { return doc.currentTool == tool; }});
  }
  table.Add({cmd::kRecolorPicked, "Change color, picked by mouse",
             [&doc] { ChooseDrawingTool(doc, kToolRecolor); },
             [&doc] { return doc.convertedPicture != nullptr && !doc.pictureEditing; },
             [&doc] { return doc.currentTool == kToolRecolor; }});
}

void RegisterPenCommands(CommandTable& table, CTessel20Doc& doc) {
  for (int step = 0; step < kPenWidthSteps; ++step) {
    table.Add({cmd::kPenWidth1 + step, PenWidthText(step),
               [&doc, step] {
                 doc.params.penWidth = step;
                 doc.params.SaveToSettings(doc.Environment().settings);
               },
               {}, [&doc, step] { return doc.params.penWidth == step; }});
  }
  struct ShapeCommand {
    CommandId id;
    const char* text;
    int32_t shape;
  };
  for (const ShapeCommand& entry : {ShapeCommand{cmd::kRoundPen, "Round pen", kPenRound},
                                    ShapeCommand{cmd::kSquarePen, "Square pen", kPenSquare}}) {
    const int32_t shape = entry.shape;
    table.Add({entry.id, entry.text,
               [&doc, shape] {
                 doc.params.penShape = shape;
                 doc.params.SaveToSettings(doc.Environment().settings);
               },
               {}, [&doc, shape] { return doc.params.penShape == shape; }});
  }
}

}  // namespace

void RegisterDrawingCommands(CommandTable& table, CTessel20Doc& doc, SelectionTool& selection,
                             InsertedPictureSource insertedPicture) {
  RegisterToolCommands(table, doc, selection);
  RegisterPenCommands(table, doc);
  table.Add({cmd::kFillSelection, "Fill selection", [&doc] { FillSelection(doc); },
             [&doc] {
               return doc.selection != nullptr && doc.convertedPicture != nullptr &&
                      !doc.pictureEditing;
             },
             {}});
  table.Add({cmd::kAddText, "Add text",
             [&doc, &selection] {
               if (!StartTextPlacement(doc)) return;
               selection.SetArmed(false);
             },
             [&doc] { return DrawingAllowed(doc); }, {}});
  table.Add({cmd::kInsertPicture,
             "Insert picture from file. Press CTRL key to keep picture proportions.",
             [&doc, insertedPicture] {
               if (!doc.selection) {
                 doc.Ui().Message(kSelectRegionFirst, MessageIcon::kInformation);
                 return;
               }
               if (!insertedPicture) return;
               bool keepProportions = false;
               ImageRef picture = insertedPicture(keepProportions);
               if (picture) InsertPictureIntoSelection(doc, *picture, keepProportions);
             },
             [&doc] { return DrawingAllowed(doc); }, {}});
}

}  // namespace tintara
