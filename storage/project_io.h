// Opening and saving projects around the project file, with the messages the
// user sees when that fails.
#pragma once

#include <string>

#include "storage/project_file.h"

namespace tintara {

class CTessel20Doc;
class EarlyPictureRecord;

// Reads `path` into the document. Only ".mop" files are opened. On a damaged
// or foreign file the user is told and the document is left empty.
bool OpenProject(CTessel20Doc& doc, const std::string& path);

// Writes the document to `path`. The project goes to a temporary file in the
// same folder first and replaces the old file only when complete, so a failed
// save never destroys the previous copy. A read-only file is refused; a
// symbolic link is followed; the new file keeps the old one's permissions.
// `early` may hold the initial picture's record, compressed ahead. With
// `progress` shown the save is a counted operation: the progress window
// follows the rows written, and its Cancel ends the save with the old file
// as it was (false, nothing told).
enum class SaveProgress { kQuiet, kShown };
bool SaveProject(CTessel20Doc& doc, const std::string& path, EarlyPictureRecord* early = nullptr,
                 SaveProgress progress = SaveProgress::kQuiet);

struct ProjectReadResult {
  bool legacy = false;  // the file has the older layout without a signature
  bool hasPattern = false;  // the file holds a painting pattern, read or not
  std::string error;    // what the user would have been told, on failure
};

// Reads a project into a document without touching settings or windows (for
// thumbnails and the command-line tool); false on any failure. Only the
// pictures in `wanted` (PictureBit) are inflated, with those the document
// cannot hold without: the converted picture and the pattern go together
// and bring the index image.
bool LoadProjectQuietly(CTessel20Doc& doc, const std::string& path,
                        ProjectReadResult* result = nullptr,
                        unsigned wanted = kWantAllPictures);

}  // namespace tintara
