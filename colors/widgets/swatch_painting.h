// How a paint colour is drawn in the colour lists: a filled square with a grey
// outline, and a corner mark when another brand has a look-alike paint.
#pragma once

#include <QRect>

#include "colors/floss_color.h"

class QPainter;

namespace tintara {

// Fills `square` (outline included) with the colour and a 0x808080 outline.
void PaintSwatch(QPainter& painter, const QRect& square, const CFlossColor& color, bool marked);

}  // namespace tintara
