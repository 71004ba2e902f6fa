// Text on the pattern: the "Add text" dialog gives the text, the platform
// draws it into a mask, the user places the mask with the mouse (a click fixes
// it, a drag inside moves it by whole pixels) and a double click paints it.
#pragma once

#include "imaging/region.h"

namespace tintara {

class CTessel20Doc;

// The dialog, then placement: the mask is rendered and waits for a click.
// False when the dialog was cancelled or no mask could be made.
bool StartTextPlacement(CTessel20Doc& doc);

// The mask's place in picture rows and columns (row 0 of the mask on the
// box's first row); empty while the text has no position.
BoxRect PlacedTextBox(const CTessel20Doc& doc);

// The text's left edge at `pixel`, its middle height on the pixel's row.
void PlaceTextAt(CTessel20Doc& doc, Point pixel);

// Paints the mask's pixels that fall inside the picture as one undo step and
// ends the placement. False when there is no placed text.
bool CommitPlacedText(CTessel20Doc& doc);

// Ends the placement without painting.
void CancelTextPlacement(CTessel20Doc& doc);

}  // namespace tintara
