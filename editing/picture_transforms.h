// Mirrors and quarter turns of a true-colour picture. Each returns a new
// picture (the input is never changed), or null when the picture is not true
// colour or the result cannot be made.
#pragma once

#include "imaging/image_buffer.h"

namespace tintara {

ImageRef FlipHorizontal(const ImageBuffer& picture);
ImageRef FlipVertical(const ImageBuffer& picture);
ImageRef FlipBoth(const ImageBuffer& picture);
// Clockwise as shown; the result is H × W.
ImageRef RotateRight(const ImageBuffer& picture);
// Counter-clockwise as shown; the result is H × W.
ImageRef RotateLeft(const ImageBuffer& picture);

}  // namespace tintara
