// The project browser's preview: a project file read into a document of its
// own, away from the open project, and its converted picture (else its
// initial picture) drawn as the navigator draws its thumbnail. Safe to run
// on a worker thread: it shares nothing with the open project.
#pragma once

#include <cstdint>
#include <string>

#include "colors/tessel_params.h"
#include "view/navigator_thumbnail.h"

namespace tintara {

struct ProjectPreviewRequest {
  std::string path;
  std::string programFolder;
  CTesselParams params;       // what a project without its own record starts from
  int memoryLimitMb = 2048;   // the pictures' memory budget of the settings
  int32_t width = 0;          // the preview area
  int32_t height = 0;
};

struct ProjectPreview {
  NavigatorThumbnail thumbnail;  // all grey without a picture or on failure
  std::string error;             // why the file could not be read
};

ProjectPreview ReadProjectPreview(const ProjectPreviewRequest& request);

}  // namespace tintara
