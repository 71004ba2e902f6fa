// A document on real settings in a temporary folder, the brand files of the
// program folder, and scripted answers for its questions.
#pragma once

#include <memory>

#include "document/command_table.h"
#include "document/document_commands.h"
#include "document/document_environment.h"
#include "document/pattern_commands.h"
#include "document/tessel_doc.h"
#include "imaging/filters/filter_engine.h"
#include "imaging/filters/filter_site.h"
#include "platform/qt_settings_store.h"
#include "ports/dialogs.h"
#include "ports/scripted_answers.h"
#include "ports/scripted_ui_host.h"
#include "tests/support/synthetic_images.h"
#include "tests/support/temp_dir.h"

namespace tintara::test {

class DocumentFixture {
 public:
  DocumentFixture()
      : settings(QString::fromStdString(folder.File("settings.ini"))),
        engineSettings(QString::fromStdString(folder.File("engine.ini"))),
        ui(&answers),
        env(ui, dialogs, settings),
        site(ui, engineSettings, env.progress) {
    env.programFolder = ProgramFolder().string() + "/";
    FilterEngine::InitSite(site);
    env.filters = &site;
    // A custom A4 printer at 150 dpi keeps pictures small: 310 × 438 pattern pixels.
    env.app.page.useDefaultPrinter = 0;
    env.app.page.printResolution = 0;
    env.app.winInterface = 0;
    // The classic pattern, which the exact outputs here were made with.
    env.app.colorMatch = 0;
    env.app.mergeSmallAreas = 0;
    env.app.page.autoOrientation = 0;
    auto params = CTesselParams::Create(settings, env.programFolder);
    doc = std::make_unique<CTessel20Doc>(env, std::move(*params));
    RegisterDocumentCommands(commands, *doc);
    RegisterPatternCommands(commands, *doc);
  }

  // Gives the document a photo-like initial picture.
  void LoadPicture(int32_t width = 200, int32_t height = 150) {
    doc->ReplaceWithPicture(MakePhoto(width, height), kOriginFile, "photo.png", false);
  }

  // Replaces the project by `picture`, answering "No" to saving the old one.
  void NewPicture(ImageRef picture) {
    answers.Add("Save changes to " + doc->title + "?", "No");
    doc->ReplaceWithPicture(std::move(picture), kOriginFile, "", false);
  }

  TempDir folder;
  QtSettingsStore settings;
  QtSettingsStore engineSettings;
  ScriptedAnswers answers;
  ScriptedUiHost ui;
  Dialogs dialogs;
  DocumentEnvironment env;
  FilterSite site;
  std::unique_ptr<CTessel20Doc> doc;
  CommandTable commands;
};

}  // namespace tintara::test
