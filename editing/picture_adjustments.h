// Tone changes of the picture limited to the selection (brightness, contrast,
// "Smart Tune") and the two 3 × 3 filters. Each returns the new picture or
// null (cancelled, failed, or no memory); the input is never changed.
#pragma once

#include <functional>

#include "editing/tone_tables.h"
#include "imaging/filters/filter_site.h"
#include "imaging/image_buffer.h"
#include "imaging/region.h"

namespace tintara {

class Dialogs;

// The table applied to the three channels of every selected pixel (every
// pixel without a selection).
ImageRef ApplyToneTable(const ImageBuffer& picture, const Region* selection,
                        const ToneTable& table);
// +1 lighter, -1 darker.
ImageRef ChangeBrightness(const ImageBuffer& picture, const Region* selection, int direction);
// +1 more contrast, -1 less.
ImageRef ChangeContrast(const ImageBuffer& picture, const Region* selection, int direction);

// "sharp_filt" / "smooth_simp" run on a copy, limited to the selection.
ImageRef SharpenPicture(FilterSite& site, const ImageBuffer& picture, const Region* selection);
ImageRef SmoothPicture(FilterSite& site, const ImageBuffer& picture, const Region* selection);

// The "Smart Tune" dialog: `preview` gets the table of every method chosen
// while the dialog is open and null when it closes, whatever the answer.
using TonePreview = std::function<void(const ToneTable*)>;
ImageRef SmartTune(const ImageBuffer& picture, const Region* selection, Dialogs& dialogs,
                   const TonePreview& preview);

}  // namespace tintara
