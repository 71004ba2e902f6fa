#include "editing/editing_commands.h"

#include <functional>

#include "document/command_table.h"
#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "editing/picture_adjustments.h"
#include "editing/picture_geometry.h"
#include "editing/picture_panel.h"
#include "ports/dialogs.h"
#include "editing/picture_transforms.h"
#include "ports/ui_host.h"

namespace tintara {

namespace {

struct EditingCommand {
  CommandId id;
  const char* text;
  std::function<ImageRef(CTessel20Doc&)> edit;
};

const Region* Selection(CTessel20Doc& doc) { return doc.selection.get(); }
FilterSite& Filters(CTessel20Doc& doc) { return *doc.Environment().filters; }

std::vector<EditingCommand> EditingCommands() {
  return {
      {cmd::kFlipHorizontal, "Flip horizontal",
       [](CTessel20Doc& doc) { return FlipHorizontal(*doc.workingPicture); }},
      {cmd::kFlipVertical, "Flip vertical",
       [](CTessel20Doc& doc) { return FlipVertical(*doc.workingPicture); }},
      {cmd::kFlipBoth, "Flip horizontal and vertical",
       [](CTessel20Doc& doc) { return FlipBoth(*doc.workingPicture); }},
      {cmd::kRotateLeft, "Rotate picture left by 90 degree",
       [](CTessel20Doc& doc) { return RotateLeft(*doc.workingPicture); }},
      {cmd::kRotateRight, "Rotate picture right by 90 degree",
       [](CTessel20Doc& doc) { return RotateRight(*doc.workingPicture); }},
      {cmd::kRotateByAngle, "Set angle of rotation",
       [](CTessel20Doc& doc) {
         return RotateByAngle(Filters(doc), doc.workingPicture, doc.DialogPort());
       }},
      {cmd::kCropToSelection, "Crop selected region",
       [](CTessel20Doc& doc) {
         return CropToSelection(*doc.workingPicture, doc.selection.get(), doc.Ui(),
                                doc.DialogPort());
       }},
      {cmd::kLighter, "Make picture lighter",
       [](CTessel20Doc& doc) { return ChangeBrightness(*doc.workingPicture, Selection(doc), 1); }},
      {cmd::kDarker, "Make picture darker",
       [](CTessel20Doc& doc) { return ChangeBrightness(*doc.workingPicture, Selection(doc), -1); }},
      {cmd::kMoreContrast, "Increase contrast",
       [](CTessel20Doc& doc) { return ChangeContrast(*doc.workingPicture, Selection(doc), 1); }},
      {cmd::kLessContrast, "Decrease contrast",
       [](CTessel20Doc& doc) { return ChangeContrast(*doc.workingPicture, Selection(doc), -1); }},
      {cmd::kSharpen, "Sharpen picture",
       [](CTessel20Doc& doc) {
         return SharpenPicture(Filters(doc), *doc.workingPicture, Selection(doc));
       }},
      {cmd::kSmooth, "Smooth picture",
       [](CTessel20Doc& doc) {
         return SmoothPicture(Filters(doc), *doc.workingPicture, Selection(doc));
       }},
      {cmd::kSmartTune, "Adjust colors automatically",
       [](CTessel20Doc& doc) {
         UiHost& host = doc.Ui();
         auto preview = [&host](const ToneTable* table) {
           const uint8_t* t = table != nullptr ? table->data() : nullptr;
           host.PreviewColorTables(t, t, t);
         };
         return SmartTune(*doc.workingPicture, Selection(doc), doc.DialogPort(), preview);
       }},
      {cmd::kResizePicture, "Set new picture size",
       [](CTessel20Doc& doc) {
         return ResizePicture(Filters(doc), doc.workingPicture, doc.DialogPort());
       }},
  };
}

}  // namespace

void RegisterEditingCommands(CommandTable& table, CTessel20Doc& doc) {
  auto editing = [&doc] { return doc.pictureEditing != 0 && doc.workingPicture != nullptr; };
  for (EditingCommand& command : EditingCommands()) {
    table.Add({command.id, command.text,
               [&doc, edit = std::move(command.edit)] { doc.ApplyPictureEdit(edit(doc)); },
               editing, {}});
  }
  for (bool filters : {false, true}) {
    table.Add({filters ? cmd::kFilterImagePanel : cmd::kAdjustImagePanel,
               filters ? "Filter Image" : "Adjust Image",
               [&doc, filters] {
                 PicturePanel panel(doc);
                 doc.DialogPort().ShowPicturePanel(panel, filters);
               },
               editing, {}});
  }
  const std::pair<CommandId, const char*> popups[] = {
      {cmd::kRotatePopup, "Rotate"}, {cmd::kFilterPopup, "Filters"}, {cmd::kSizePopup, "Size"}};
  const char* texts[] = {"Rotate a picture", "Apply filter to picture", "Change picture size"};
  for (size_t i = 0; i < std::size(popups); ++i) {
    table.Add({popups[i].first, texts[i],
               [&doc, name = popups[i].second] { doc.Ui().PopupMenu(name); }, editing, {}});
  }
}

}  // namespace tintara
