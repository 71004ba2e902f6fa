#include "document/picture_commands.h"

#include "colors/reduction/optimized_reduction.h"
#include "colors/reduction/posterize.h"
#include "document/command_table.h"
#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "ports/ui_host.h"

namespace tintara {

void RegisterPictureCommands(CommandTable& table, CTessel20Doc& doc) {
  auto editing = [&doc] { return doc.pictureEditing != 0 && doc.workingPicture != nullptr; };
  table.Add({cmd::kReduceColorLevels, "Reduce number of colors",
             [&doc] {
               UiHost& host = doc.Ui();
               auto preview = [&host](const LevelTables* tables) {
                 if (tables == nullptr) {
                   host.PreviewColorTables(nullptr, nullptr, nullptr);
                 } else {
                   host.PreviewColorTables(tables->red.data(), tables->green.data(),
                                           tables->blue.data());
                 }
               };
               doc.ApplyPictureEdit(ReduceNumberOfColors(*doc.workingPicture, doc.selection.get(),
                                                         doc.DialogPort(), preview));
             },
             editing, {}});
  table.Add({cmd::kReduceColorsOptimized, "Reduce number of colors with optimization",
             [&doc] {
               doc.ApplyPictureEdit(ReduceColorsWithOptimization(
                   *doc.workingPicture, doc.selection.get(), doc.DialogPort(),
                   doc.Environment().settings, doc.Ui()));
             },
             editing, {}});
}

}  // namespace tintara
