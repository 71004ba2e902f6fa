// Keeps the recent-project settings in step with the document: an opened
// project becomes the last project, a saved one also joins the recent list.
// The GUI and the command-line tool install the same hooks.
#pragma once

namespace tintara {

struct DocumentEnvironment;
class SettingsStore;

// `store` must outlive the environment's use of the hooks.
void InstallProjectHooks(DocumentEnvironment& environment, SettingsStore& store);

}  // namespace tintara
