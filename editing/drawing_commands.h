// The commands of drawing on the pattern: the pen and shape tools, pen width
// and shape, filling the selection, recolouring, the two pickers and
// inserting a picture into the selection.
#pragma once

#include <functional>

#include "imaging/image_buffer.h"

namespace tintara {

class CommandTable;
class CTessel20Doc;
class SelectionTool;

// The picture to insert, or null when the user cancelled; `keepProportions`
// is set when the user asked to keep them while choosing.
using InsertedPictureSource = std::function<ImageRef(bool& keepProportions)>;

void RegisterDrawingCommands(CommandTable& table, CTessel20Doc& doc, SelectionTool& selection,
                             InsertedPictureSource insertedPicture);

}  // namespace tintara
