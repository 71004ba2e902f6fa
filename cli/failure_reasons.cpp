#include "cli/failure_reasons.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "colors/brand_palette.h"
#include "colors/page_settings.h"
#include "document/document_environment.h"
#include "document/pipeline_parameters.h"
#include "document/tessel_doc.h"
#include "imaging/image_buffer.h"

namespace tintara::cli {

namespace fs = std::filesystem;

namespace {

std::string Gigabytes(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f GB", double(bytes) / 1e9);
  return text;
}

}  // namespace

std::optional<std::string> WriteObstacle(const std::string& path) {
  std::error_code code;
  fs::path target(path);
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  if (!fs::exists(folder, code)) return "the folder does not exist";
  if (!fs::is_directory(folder, code)) return "the folder " + folder.string() + " is not a folder";
  if (fs::is_directory(target, code)) return "it is a folder";
  const fs::file_status link = fs::symlink_status(target, code);
  if (fs::is_symlink(link)) {
    (void)fs::status(target, code);
    if (code == std::errc::too_many_symbolic_link_levels) return "too many levels of links";
    if (code == std::errc::no_such_file_or_directory) return "it is a link that points nowhere";
  }
  const fs::file_status status = fs::status(target, code);
  if (fs::exists(status) && !fs::is_regular_file(status)) return "it is not a regular file";
  // The file is written beside its target first, so the folder must be writable.
  if (access(folder.c_str(), W_OK | X_OK) != 0) return "the folder cannot be written to";
  return std::nullopt;
}

std::string SaveFailureText(const std::string& path, const std::string& shown) {
  std::string reason;
  if (std::optional<std::string> obstacle = WriteObstacle(path)) {
    reason = *obstacle;
  } else if (!shown.empty() && shown != "Failed to save document.") {
    reason = shown;
  } else {
    reason = "the file could not be written";
  }
  return "Cannot save " + path + ": " + reason;
}

std::string OpenFailureText(const std::string& path, const std::string& shown) {
  std::error_code code;
  std::string reason;
  if (!fs::exists(path, code)) {
    reason = "the file does not exist";
  } else if (fs::is_directory(path, code)) {
    reason = "it is a folder";
  } else if (access(path.c_str(), R_OK) != 0) {
    reason = "the file cannot be read (no permission)";
  } else if (!IsProjectPath(path)) {
    reason = "only project files (.mop) can be opened";
  } else if (!shown.empty() && shown != "Failed to open document.") {
    reason = shown;
  } else {
    reason = "the file could not be read";
  }
  return "Cannot open " + path + ": " + reason;
}

std::string PatternFailureText(const CTessel20Doc& doc, const DocumentEnvironment& environment) {
  const std::string failed = "no painting pattern could be made";
  if (!doc.initialPicture) return failed + ": there is no picture";
  // The pattern's size as the pipeline works it out.
  const CellSize cells =
      PatternCellSize(PageDotsForPicture(environment.app.page, environment.printer,
                                         doc.params.dotsPerCell, doc.initialPicture->Width(),
                                         doc.initialPicture->Height()),
                      doc.params.dotsPerCell, doc.initialPicture->Width(),
                      doc.initialPicture->Height());
  const int64_t width = cells.width;
  const int64_t height = cells.height;
  const uint64_t bytes = uint64_t((width * 3 + 3) & ~int64_t{3}) * uint64_t(height);
  const std::string size = std::to_string(width) + " x " + std::to_string(height) + " pixels";
  if (width > kMaxImageSide || height > kMaxImageSide || bytes > kMaxImageBytes) {
    return failed + ": the page is too large (the pattern would be " + size + ", " +
           Gigabytes(bytes) + " for its picture; at most " + std::to_string(kMaxImageSide) +
           " pixels a side and " + Gigabytes(kMaxImageBytes) + " can be held)";
  }
  // A failed run is rolled back, palette included, so the brand file is asked directly.
  std::optional<BrandPalette> brand = BrandPalette::Load(doc.params.brandFile);
  if (!brand || brand->Colors().empty()) {
    return failed + ": no paint colours could be read from the brand palette " +
           doc.params.brandFile;
  }
  return failed + " (a pattern of " + size + ")";
}

}  // namespace tintara::cli
