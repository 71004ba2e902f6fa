// Changes of the pattern by hand that need no mouse drag: filling the
// selection, recolouring one paint, taking the painting colour from the
// pattern and inserting a picture. Each is one undo step, marks the pattern
// as edited by hand and draws the pattern again over what it touched only.
#pragma once

#include <cstdint>

#include "imaging/image_buffer.h"
#include "editing/editing_messages.h"
#include "imaging/region.h"

namespace tintara {

class CTessel20Doc;

// Tools that draw need the pattern shown and picture editing off.
bool DrawingAllowed(const CTessel20Doc& doc);

// Draws the pattern again over `touched` (picture rows and columns) grown by
// `margin` and cut to the picture. False when drawing failed (rolled back).
bool RenderTouched(CTessel20Doc& doc, const BoxRect& touched, int32_t margin, bool noNumbers);

// The undo step and the marks of a hand edit, taken before the first pixel changes.
void BeginHandEdit(CTessel20Doc& doc);

// "Fill selection"; tells the user when there is no selection.
void FillSelection(CTessel20Doc& doc);

// Paints, inside the selection or everywhere without one, every pixel whose
// paint is the one at `pixel`. False (and a beep) outside the picture.
bool RecolorPickedColor(CTessel20Doc& doc, Point pixel);

// The paint at `pixel` becomes the painting colour. False (and a beep) outside.
bool PickPaintingColor(CTessel20Doc& doc, Point pixel);

// The working-palette position at `pixel`, or -1 outside the picture.
int32_t PaintIndexAt(const CTessel20Doc& doc, Point pixel);

// The picture scaled into the selection's bounds (the whole picture for an
// inverted selection), through the selection, each pixel as the nearest
// working colour. `keepProportions` centres it at its own aspect ratio.
// False when there is no selection (the user is told) or nothing changed.
bool InsertPictureIntoSelection(CTessel20Doc& doc, const ImageBuffer& picture,
                                bool keepProportions);

// The part of `target` the picture fills when its proportions are kept.
BoxRect ProportionalTarget(const BoxRect& target, int32_t sourceWidth, int32_t sourceHeight);

}  // namespace tintara
