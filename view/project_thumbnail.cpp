#include "view/project_thumbnail.h"

#include <map>
#include <new>

#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "ports/dialogs.h"
#include "ports/memory_settings_store.h"
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


}  // namespace

ProjectPreview ReadProjectPreview(const ProjectPreviewRequest& request) {
  ProjectPreview preview;
  SilentUiHost ui;
  Dialogs dialogs;
  MemorySettingsStore settings;
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
