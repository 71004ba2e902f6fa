#include "storage/project_io.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <new>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "ports/ui_host.h"
#include "storage/project_file.h"
#include "storage/replacing_file.h"

namespace tintara {

namespace {

namespace fs = std::filesystem;

constexpr uint64_t kMaxProjectBytes = uint64_t(8) << 30;

std::string Replace(std::string_view pattern, const std::string& path) {
  std::string text(pattern);
  size_t at = text.find("%1");
  if (at != std::string::npos) text.replace(at, 2, path);
  return text;
}

void Tell(CTessel20Doc& doc, const std::string& text) {
  doc.Ui().Message(text, MessageIcon::kError);
}

std::string OpenErrorText(int error, const std::string& path) {
  switch (error) {
    case EACCES:
    case EPERM: return Replace("Access to %1 was denied.", path);
    case EBUSY:
    case ETXTBSY: return Replace("A sharing violation occurred while accessing %1.", path);
    default: return "Failed to open document.";
  }
}

std::string SaveErrorText(int error, const std::string& path) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return "Destination disk drive is full.";
    case EROFS:
    case ETXTBSY:
    case EBUSY: return Replace("Unable to write to %1, it is read-only or opened by someone else.", path);
    case EACCES:
    case EPERM:
      if (access(path.c_str(), F_OK) == 0) {
        return Replace("Unable to write to %1, it is read-only or opened by someone else.", path);
      }
      return Replace("Access to %1 was denied.", path);
    default: return "Failed to save document.";
  }
}

// The whole file, or an errno value.
int ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return errno;
  std::error_code code;
  uint64_t size = fs::file_size(path, code);
  if (code || size > kMaxProjectBytes) return code ? code.value() : EFBIG;
  try {
    bytes.resize(size_t(size));
  } catch (const std::bad_alloc&) {
    return ENOMEM;
  }
  if (size != 0 && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    return EIO;
  }
  return 0;
}

void ApplyProject(CTessel20Doc& doc, ProjectData& data) {
  doc.initialPicture = std::move(data.initialPicture);
  doc.convertedPicture = std::move(data.convertedPicture);
  doc.indexImage = std::move(data.indexImage);
  doc.patternImage = std::move(data.patternImage);
  doc.pictureOrigin = data.pictureOrigin;
  doc.viewMode = data.viewMode;
  doc.params = std::move(data.params);
  doc.pictureFileName = std::move(data.pictureFileName);
  doc.CheckInvariants();
}

// Reads and parses; 0 on success, an errno value, or -1 for a bad format.
int ReadInto(CTessel20Doc& doc, const std::string& path, ProjectData& data) {
  std::vector<uint8_t> bytes;
  if (int error = ReadWholeFile(path, bytes)) return error;
  data.params = doc.params;
  return ReadProject(bytes, doc.Environment().programFolder, data) ? 0 : -1;
}

}  // namespace

bool OpenProject(CTessel20Doc& doc, const std::string& path) {
  if (!IsProjectPath(path)) {
    Tell(doc, "Failed to open document.");
    return false;
  }
  ProjectData data;
  int result = ReadInto(doc, path, data);
  if (result != 0) {
    if (result == -1) doc.ResetToUntitled();
    Tell(doc, result == -1 ? std::string("Unexpected file format.") : OpenErrorText(result, path));
    return false;
  }
  doc.DeleteContents();
  ApplyProject(doc, data);
  doc.title = fs::path(path).filename().string();
  doc.ProjectOpened(path);
  return true;
}

bool LoadProjectQuietly(CTessel20Doc& doc, const std::string& path, ProjectReadResult* result) {
  ProjectData data;
  int error = IsProjectPath(path) ? ReadInto(doc, path, data) : EINVAL;
  if (error != 0) {
    if (result != nullptr) {
      result->error = error == -1 ? std::string("Unexpected file format.")
                                  : OpenErrorText(error, path);
    }
    return false;
  }
  if (result != nullptr) result->legacy = data.legacy;
  ApplyProject(doc, data);
  doc.pathName = path;
  doc.title = fs::path(path).filename().string();
  doc.modified = false;
  return true;
}

bool SaveProject(CTessel20Doc& doc, const std::string& path, EarlyPictureRecord* early) {
  int error = 0;
  {
    ReplacingFile file(path);
    if (file.IsOpen()) {
      ArchiveWriter writer(file);
      WriteProject(writer, doc, early);
      if (!writer.Ok() || !file.Commit()) error = file.LastError() != 0 ? file.LastError() : EIO;
    } else {
      error = file.LastError();
    }
  }
  if (error != 0) {
    Tell(doc, SaveErrorText(error, path));
    return false;
  }
  doc.title = fs::path(path).filename().string();
  doc.ProjectSaved(path);
  return true;
}

}  // namespace tintara
