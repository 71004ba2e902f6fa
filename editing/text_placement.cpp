#include "editing/text_placement.h"

#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "editing/pattern_canvas.h"
#include "editing/pattern_edits.h"
#include "ports/dialogs.h"
#include "ports/text_rasterizer.h"

namespace tintara {

bool StartTextPlacement(CTessel20Doc& doc) {
  std::optional<std::string> text = doc.DialogPort().AddText(doc.drawing.textFont);
  if (!text) return false;
  CancelTextPlacement(doc);
  TextRasterizer* rasterizer = doc.Environment().textRasterizer;
  if (rasterizer == nullptr) return false;
  ImageRef mask = rasterizer->Render(*text, doc.drawing.textFont);
  if (!mask) return false;
  doc.drawing.text = *text;
  doc.drawing.textMask = std::move(mask);
  doc.drawing.textWaiting = true;
  doc.drawing.textPositioned = false;
  doc.currentTool = kToolNone;
  return true;
}

BoxRect PlacedTextBox(const CTessel20Doc& doc) {
  const DrawingToolState& state = doc.drawing;
  if (!state.textWaiting || !state.textPositioned || !state.textMask) return {};
  return {state.textPosition.x, state.textPosition.y, state.textMask->Width(),
          state.textMask->Height()};
}

void PlaceTextAt(CTessel20Doc& doc, Point pixel) {
  if (!doc.drawing.textMask) return;
  doc.drawing.textPosition = {pixel.x, pixel.y - doc.drawing.textMask->Height() / 2};
  doc.drawing.textPositioned = true;
}

void CancelTextPlacement(CTessel20Doc& doc) {
  doc.drawing.textWaiting = false;
  doc.drawing.textPositioned = false;
  doc.drawing.textMask = nullptr;
  doc.drawing.text.clear();
}

bool CommitPlacedText(CTessel20Doc& doc) {
  const BoxRect box = PlacedTextBox(doc);
  if (box.IsEmpty()) return false;
  ImageRef mask = doc.drawing.textMask;
  BeginHandEdit(doc);
  if (std::optional<PatternCanvas> canvas = PatternCanvas::Open(doc)) {
    for (int32_t row = 0; row < mask->Height(); ++row) {
      const uint8_t* bytes = mask->Row(row);
      for (int32_t column = 0; column < mask->Width(); ++column) {
        if (bytes[column] != 0) canvas->Pixel(box.x + column, box.y + row);
      }
    }
    const BoxRect touched = canvas->Touched();
    if (!touched.IsEmpty()) RenderTouched(doc, box, 0, false);
  }
  CancelTextPlacement(doc);
  doc.UpdateAllViews();
  doc.RefreshNavigator();
  return true;
}

}  // namespace tintara
