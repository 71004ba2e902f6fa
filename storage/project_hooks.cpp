#include "storage/project_hooks.h"

#include "document/document_environment.h"
#include "storage/recent_projects.h"

namespace tintara {

void InstallProjectHooks(DocumentEnvironment& environment, SettingsStore& store) {
  environment.projectOpened = [&store](const std::string& path) {
    RecordOpenedProject(store, path);
  };
  environment.projectSaved = [&store](const std::string& path) {
    RecordSavedProject(store, path);
  };
}

}  // namespace tintara
