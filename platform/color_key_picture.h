// The colour key as a picture: for every paint colour the pattern uses, a
// swatch of the paint, its number on the pattern, its name, catalogue number
// and brand, in number order.
#pragma once

#include <QImage>
#include <span>
#include <vector>

#include "colors/floss_color.h"
#include "imaging/image_buffer.h"

namespace tintara {

// Null when there is nothing to show or memory runs out. `scale` multiplies
// every length, for a sharper picture.
QImage RenderColorKey(std::span<const CFlossColor> workingPalette, const ImageBuffer& indexImage,
                      int scale = 2);

}  // namespace tintara
