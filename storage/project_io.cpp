#include "storage/project_io.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <cstdio>
#include <filesystem>
#include <new>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "colors/file_read.h"
#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "ports/step_progress.h"
#include "ports/ui_host.h"
#include "storage/file_source.h"
#include "storage/memory_budget.h"
#include "storage/project_file.h"
#include "storage/replacing_file.h"

namespace tintara {

namespace {

namespace fs = std::filesystem;

constexpr uint64_t kMaxProjectBytes = uint64_t(8) << 30;
constexpr uint64_t kHeadBytes = 64;  // the signature or a first picture header

std::string Replace(std::string_view pattern, const std::string& path) {
  std::string text(pattern);
  size_t at = text.find("%1");
  if (at != std::string::npos) text.replace(at, 2, path);
  return text;
}

constexpr const char* kBadFormatText = "Unexpected file format.";

void Tell(CTessel20Doc& doc, const std::string& text) {
  doc.Ui().Message(text, MessageIcon::kError);
}

std::string OpenErrorText(int error, const std::string& path) {
  switch (error) {
    case EACCES:
    case EPERM: return Replace("Access to %1 was denied.", path);
    case EBUSY:
    case ETXTBSY: return Replace("A sharing violation occurred while accessing %1.", path);
    case ENOMEM: return Replace("There is not enough memory to open %1.", path);
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

// The opened file, or an errno value; -1 when its first bytes cannot begin a
// project (the rest of a foreign file is never read). Only regular files are
// opened, without blocking, so a pipe or a device never hangs the reader.
int OpenProjectFile(const std::string& path, UniqueFd& file, uint64_t& size) {
  int error = 0;
  file = OpenRegularFile(path, &error);
  if (!file) return error;
  size = file.Size();
  if (size > kMaxProjectBytes) return EFBIG;
  uint8_t head[kHeadBytes];
  const size_t headSize = size_t(std::min<uint64_t>(size, kHeadBytes));
  if (!file.ReadFully(head, headSize, &error)) return error;
  return CanStartProject({head, headSize}) ? 0 : -1;
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

// Reads and parses, the rows straight from the file once every picture's
// header has been weighed; "" on success, else what the user is told.
std::string ReadInto(CTessel20Doc& doc, const std::string& path, ProjectData& data,
                     unsigned wanted = kWantAllPictures) {
  UniqueFd file;
  uint64_t size = 0;
  int error = OpenProjectFile(path, file, size);
  if (error == -1) return kBadFormatText;
  if (error != 0) return OpenErrorText(error, path);
  data.params = doc.params;
  uint64_t budget = PictureMemoryBudget(doc.Environment().settings);
  FileByteSource source(file.Get(), size);
  ProjectReadStatus status = ReadProject(source, doc.Environment().programFolder, budget, data, wanted);
  if (source.Error() != 0) return OpenErrorText(source.Error(), path);
  switch (status.kind) {
    case ProjectReadStatus::kRead: return {};
    case ProjectReadStatus::kOverBudget:
      return "The project's pictures (" + status.pictureSizes + ") would take " +
             MemoryAmountText(status.neededBytes) + " of memory, more than the limit of " +
             MemoryAmountText(budget) + ".";
    case ProjectReadStatus::kOutOfMemory: return OpenErrorText(ENOMEM, path);
    case ProjectReadStatus::kBadFormat: break;
  }
  return kBadFormatText;
}

// Writes on a worker thread while this one moves the progress window and
// hears its Cancel; false when the user cancelled.
bool WriteWatched(CTessel20Doc& doc, ArchiveWriter& writer, EarlyPictureRecord* early) {
  UiHost& ui = doc.Ui();
  ProgressCounters& counters = doc.Environment().progress;
  CountedOperation counted(ui, counters, 1);
  counters.stepNumber = 0;
  bool shown = false;  // a save over in a moment flashes no window
  SaveWatch watch;
  const int64_t rows = std::max<int64_t>(ProjectRowCount(doc), 1);
  constexpr int kSteps = 1000;
  std::mutex mutex;
  std::condition_variable ended;
  bool done = false;
  auto write = [&] {
    WriteProject(writer, doc, early, &watch, PictureMemoryBudget(doc.Environment().settings));
    std::lock_guard lock(mutex);
    done = true;
    ended.notify_one();
  };
  std::jthread worker;
  try {
    worker = std::jthread(write);
  } catch (const std::system_error&) {
    write();  // no thread: a save without progress
  }
  std::unique_lock lock(mutex);
  while (!ended.wait_for(lock, std::chrono::milliseconds(40), [&] { return done; })) {
    lock.unlock();
    if (!shown) ui.ProgressBegin(counters);
    shown = true;
    const int64_t written = std::min<int64_t>(watch.RowsWritten(), rows);
    if (ui.ProgressStep(counters, int(written * kSteps / rows), kSteps)) {
      watch.stop.store(true, std::memory_order_relaxed);
    }
    lock.lock();
  }
  return !watch.stop.load(std::memory_order_relaxed);
}

}  // namespace

bool OpenProject(CTessel20Doc& doc, const std::string& path) {
  if (!IsProjectPath(path)) {
    Tell(doc, "Failed to open document.");
    return false;
  }
  ProjectData data;
  std::string error = ReadInto(doc, path, data);
  if (!error.empty()) {
    if (error == kBadFormatText) doc.ResetToUntitled();
    Tell(doc, error);
    return false;
  }
  doc.DeleteContents();
  ApplyProject(doc, data);
  doc.title = fs::path(path).filename().string();
  doc.ProjectOpened(path);
  return true;
}

bool LoadProjectQuietly(CTessel20Doc& doc, const std::string& path, ProjectReadResult* result,
                        unsigned wanted) {
  if ((wanted & (kWantConverted | kWantPattern)) != 0) wanted |= kWantConverted | kWantPattern | kWantIndex;
  ProjectData data;
  std::string error =
      IsProjectPath(path) ? ReadInto(doc, path, data, wanted) : OpenErrorText(EINVAL, path);
  if (!error.empty()) {
    if (result != nullptr) result->error = error;
    return false;
  }
  if (result != nullptr) {
    result->legacy = data.legacy;
    result->hasPattern = data.headers[1].present;
  }
  ApplyProject(doc, data);
  doc.pathName = path;
  doc.title = fs::path(path).filename().string();
  doc.modified = false;
  return true;
}

bool SaveProject(CTessel20Doc& doc, const std::string& path, EarlyPictureRecord* early,
                 SaveProgress progress) {
  int error = 0;
  {
    ReplacingFile file(path);
    if (file.IsOpen()) {
      ArchiveWriter writer(file);
      if (progress == SaveProgress::kShown) {
        // Cancelled: the temporary file goes with `file`, the old one stays.
        if (!WriteWatched(doc, writer, early)) return false;
      } else {
        WriteProject(writer, doc, early, nullptr, PictureMemoryBudget(doc.Environment().settings));
      }
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
