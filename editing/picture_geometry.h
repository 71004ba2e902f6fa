// Crop to the selection, rotation by any angle and a new picture size. Each
// returns the new picture or null (cancelled, failed, no memory); the input
// is never changed.
#pragma once

#include <cstdint>

#include "editing/editing_messages.h"
#include "imaging/filters/filter_site.h"
#include "imaging/image_buffer.h"
#include "imaging/region.h"

namespace tintara {

class Dialogs;
class UiHost;
struct PictureSize;

inline constexpr char kCropBackgroundCaption[] = "Background color for Crop";
inline constexpr char kRotateBackgroundCaption[] = "Background color for Rotate";

// Crops to the selection's bounds (the whole picture for an inverted one);
// pixels outside its shape get a background colour asked of the user unless
// the selection is a rectangle. A selection that is not inverted is moved to
// the new picture's origin and stays there.
ImageRef CropToSelection(const ImageBuffer& picture, Region* selection, UiHost& ui,
                         Dialogs& dialogs);
// The crop itself with a given background (red in the low byte).
ImageRef CropWithBackground(const ImageBuffer& picture, Region& selection, uint32_t background);

// "Set angle of rotation": the "Rotate picture" dialog, the background colour
// when the angle is no multiple of 90, then "ImageRotate".
ImageRef RotateByAngle(FilterSite& site, const ImageRef& picture, Dialogs& dialogs);
// "ImageRotate" with a clockwise angle in hundredths of a degree.
ImageRef RotateByHundredths(FilterSite& site, const ImageRef& picture, int hundredths,
                            uint32_t background);

// "Set new picture size": the "Resize" dialog, then "Change_Size".
ImageRef ResizePicture(FilterSite& site, const ImageRef& picture, Dialogs& dialogs);
ImageRef ResizeTo(FilterSite& site, const ImageRef& picture, const PictureSize& size);

}  // namespace tintara
