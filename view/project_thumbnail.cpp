#include "view/project_thumbnail.h"

#include <map>
#include <new>

#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "ports/dialogs.h"
#include "ports/settings_store.h"
#include "ports/ui_host.h"
#include "storage/project_io.h"
#include "storage/settings_keys.h"

namespace tintara {

namespace {

// Tells nobody anything: the preview reports failure as grey.
class SilentUiHost : public UiHost {
 public:
  int ShowMessage(const MessageRequest&) override { return kResultCancel; }
  void Beep() override {}
  void PushWaitCursor() override {}
  void PopWaitCursor() override {}
  void ProgressBegin(const ProgressCounters&) override {}
  bool ProgressStep(const ProgressCounters&, int, int) override { return false; }
  void ProgressEnd(const ProgressCounters&) override {}
};

// The few settings the reader consults, held apart from the program's own
// store, which belongs to the user-interface thread.
class MemorySettings : public SettingsStore {
 public:
  bool Contains(std::string_view section, std::string_view key) const override {
    return values_.count(Key(section, key)) != 0;
  }
  int ReadInt(std::string_view section, std::string_view key, int defaultValue) const override {
    auto found = values_.find(Key(section, key));
    return found == values_.end() ? defaultValue : std::stoi(found->second);
  }
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& defaultValue) const override {
    auto found = values_.find(Key(section, key));
    return found == values_.end() ? defaultValue : found->second;
  }
  void WriteInt(std::string_view section, std::string_view key, int value) override {
    values_[Key(section, key)] = std::to_string(value);
  }
  void WriteString(std::string_view section, std::string_view key,
                   const std::string& value) override {
    values_[Key(section, key)] = value;
  }
  void Remove(std::string_view section, std::string_view key) override {
    values_.erase(Key(section, key));
  }

 private:
  static std::string Key(std::string_view section, std::string_view key) {
    return std::string(section) + '/' + std::string(key);
  }
  std::map<std::string, std::string> values_;
};

}  // namespace

ProjectPreview ReadProjectPreview(const ProjectPreviewRequest& request) {
  ProjectPreview preview;
  SilentUiHost ui;
  Dialogs dialogs;
  MemorySettings settings;
  WriteSetting(settings, Setting::kPictureMemoryLimit, request.memoryLimitMb);
  DocumentEnvironment env(ui, dialogs, settings);
  env.programFolder = request.programFolder;
  const ImageBuffer* shown = nullptr;
  try {
    CTessel20Doc doc(env, request.params);
    ProjectReadResult result;
    if (LoadProjectQuietly(doc, request.path, &result)) {
      shown = doc.convertedPicture ? doc.convertedPicture.get() : doc.initialPicture.get();
      preview.thumbnail = RenderThumbnail(shown, request.width, request.height);
      return preview;
    }
    preview.error = result.error;
  } catch (const std::bad_alloc&) {
    preview.error = "Out of memory.";
  }
  preview.thumbnail = RenderThumbnail(nullptr, request.width, request.height);
  return preview;
}

}  // namespace tintara
