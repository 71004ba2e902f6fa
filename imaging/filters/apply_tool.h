// The two ways the program runs a named filter tool. Both show the wait cursor
// while they run, report failures to the user through the site (a user cancel
// is not reported), record how they ended in site.LastStatus(), and leave the
// picture as it was when they fail.
//
//   ApplyToolInPlace(site, "graham_filt", picture, "5,5,0,0", "%d,%d,%d,%d");
//   ApplyToolNewImage(site, "Change_Size", picture, result, "{640,480},0,300,300",
//                     "%p,%d,%d,%d");
#pragma once

#include <string_view>

#include "imaging/filters/filter_site.h"
#include "imaging/image_buffer.h"
#include "imaging/region.h"

namespace tintara {

// Runs a tool that makes a new picture; on success `result` holds it. The
// region is accepted for symmetry and not used.
bool ApplyToolNewImage(FilterSite& site, std::string_view tool, const ImageRef& picture,
                       ImageRef& result, std::string_view parameters, std::string_view formats,
                       const Region* unused = nullptr);

// Runs a tool on `picture` itself, limited to `region` (the whole picture when
// null). A tool that makes a new picture has it copied over the given one.
bool ApplyToolInPlace(FilterSite& site, std::string_view tool, const ImageRef& picture,
                      std::string_view parameters, std::string_view formats,
                      const Region* region = nullptr);

}  // namespace tintara
