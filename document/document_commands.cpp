#include "document/document_commands.h"

#include "document/command_table.h"
#include "document/tessel_doc.h"
#include "ports/ui_host.h"

namespace tintara {

namespace {

void RegisterUndoCommands(CommandTable& table, CTessel20Doc& doc) {
  table.Add({cmd::kUndo, "Undo",
             [&doc] {
               if (doc.pictureEditing) {
                 doc.PictureUndo();
               } else {
                 doc.Undo();
               }
               doc.UpdateAllViews();
               doc.RefreshNavigator();
             },
             [&doc] { return doc.pictureEditing ? doc.pictureUndo[0] != nullptr : doc.CanUndo(); },
             {}});
  table.Add({cmd::kRedo, "Redo",
             [&doc] {
               if (doc.pictureEditing) {
                 doc.PictureRedo();
               } else {
                 doc.Redo();
               }
               doc.UpdateAllViews();
               doc.RefreshNavigator();
             },
             [&doc] { return doc.pictureEditing ? doc.pictureRedo[0] != nullptr : doc.CanRedo(); },
             {}});
}

void RegisterPictureEditingCommands(CommandTable& table, CTessel20Doc& doc) {
  table.Add({cmd::kStartPictureEditing, "Start picture editing",
             [&doc] {
               doc.LeavePatternEditing();
               doc.StartPictureEditing();
               doc.SetWorkStage(1);
               doc.RefreshNavigator();
             },
             [&doc] { return doc.initialPicture && !doc.pictureEditing; }, {}});
  table.Add({cmd::kFinishPictureEditing, "Finish picture editing",
             [&doc] { doc.FinishPictureEditing(); }, [&doc] { return doc.pictureEditing != 0; },
             {}});
  table.Add({cmd::kUndoAllPictureEdits, "Undo all picture edits",
             [&doc] { doc.UndoAllPictureEdits(); },
             [&doc] { return doc.pictureEditing && doc.pictureUndo[0]; }, {}});
}

void RegisterDisplayCommands(CommandTable& table, CTessel20Doc& doc) {
  auto hasPicture = [&doc] { return doc.initialPicture != nullptr; };
  auto notEditing = [&doc] { return doc.initialPicture && !doc.pictureEditing; };
  table.Add({cmd::kViewInitialPicture, "View initial picture", [&doc] { doc.ViewInitialPicture(); },
             hasPicture, [&doc] { return doc.viewMode == kViewInitial; }});
  table.Add({cmd::kViewConvertedPicture, "View converted picture",
             [&doc] { doc.ViewConvertedOrPattern(kViewConverted); }, notEditing,
             [&doc] { return doc.viewMode == kViewConverted; }});
  table.Add({cmd::kViewPaintingPattern, "View painting pattern",
             [&doc] { doc.ViewConvertedOrPattern(kViewPattern); }, notEditing,
             [&doc] { return doc.viewMode == kViewPattern; }});
  // The two pop-up menus are shown by the shell, which replaces these entries.
  table.Add({cmd::kWhatToDisplay, "What to display", {}, {}, {}});
  table.Add({cmd::kWhatToView, "What to view", {}, {}, {}});
  table.Add({cmd::kViewAsColorBlocks, "View as color blocks", [&doc] { doc.ViewAsColorBlocks(); },
             {}, {}});
  table.Add({cmd::kCreateDrawingPattern, "Create drawing pattern",
             [&doc] { doc.CreateDrawingPatternCommand(); }, notEditing, {}});
}

void RegisterStageCommands(CommandTable& table, CTessel20Doc& doc) {
  struct Stage {
    CommandId id;
    const char* text;
    int stage;
    bool needsPicture;
  };
  const Stage stages[] = {
      {cmd::kStageStart, "Start your work", 0, false},
      {cmd::kStagePicture, "Edit your picture", 1, true},
      {cmd::kStageSettings, "Settings", 2, false},
      {cmd::kStagePattern, "Edit painting pattern", 3, true},
      {cmd::kStageFinish, "Save, print, share", 4, false},
  };
  for (const Stage& s : stages) {
    int stage = s.stage;
    std::function<bool()> enabled;
    if (s.needsPicture) enabled = [&doc] { return doc.initialPicture != nullptr; };
    table.Add({s.id, s.text,
               [&doc, stage] {
                 doc.Ui().StageEntered(stage);
                 doc.RunStage(stage);
               },
               enabled, {}});
  }
}

}  // namespace

void RegisterDocumentCommands(CommandTable& table, CTessel20Doc& doc) {
  RegisterUndoCommands(table, doc);
  RegisterPictureEditingCommands(table, doc);
  RegisterDisplayCommands(table, doc);
  RegisterStageCommands(table, doc);
}

}  // namespace tintara
