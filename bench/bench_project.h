// A project of a benchmark's own: real settings files in /tmp, the filter
// engine, a pattern sized for one A4 sheet at 600 dots per inch with 32
// colours, and no floating windows.
#pragma once

#include <QString>
#include <filesystem>
#include <memory>
#include <string>

#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "imaging/filters/filter_engine.h"
#include "imaging/filters/filter_site.h"
#include "platform/qt_settings_store.h"
#include "ports/dialogs.h"
#include "ports/scripted_ui_host.h"

namespace tintara {

inline std::string BenchProgramFolder() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
}

struct BenchProject {
  // `name` keeps the settings files of two benchmarks apart.
  explicit BenchProject(const std::string& name)
      : settings(QString::fromStdString("/tmp/tintara-bench-" + name + ".ini")),
        engine(QString::fromStdString("/tmp/tintara-bench-" + name + "-engine.ini")),
        env(ui, dialogs, settings),
        site(ui, engine, env.progress) {
    FilterEngine::InitSite(site);
    env.filters = &site;
    env.programFolder = BenchProgramFolder();
    env.app.page.useDefaultPrinter = 0;
    env.app.page.paperSize = 3;        // A4
    env.app.page.printResolution = 2;  // 600 dpi
    env.app.showColorsPalette = 0;
    env.app.showNavigator = 0;
    auto params = CTesselParams::Create(settings, env.programFolder);
    params->neededNumColors = 32;
    doc = std::make_unique<CTessel20Doc>(env, std::move(*params));
  }

  QtSettingsStore settings;
  QtSettingsStore engine;
  ScriptedUiHost ui;
  Dialogs dialogs;
  DocumentEnvironment env;
  FilterSite site;
  std::unique_ptr<CTessel20Doc> doc;
};

}  // namespace tintara
