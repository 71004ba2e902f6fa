// A document in picture editing with the editing commands, answered from a
// script, and pixel functions for the picture tests.
#pragma once

#include <array>

#include "editing/editing_commands.h"
#include "ports/scripted_dialogs.h"
#include "tests/document/document_fixture.h"

namespace tintara::test {

// Blue, green, red of image pixel (x, y).
inline std::array<uint8_t, 3> PixelAt(const ImageBuffer& image, int32_t x, int32_t y) {
  const uint8_t* p = image.Row(y) + size_t(x) * 3;
  return {p[0], p[1], p[2]};
}

inline void SetPixel(ImageBuffer& image, int32_t x, int32_t y, uint8_t red, uint8_t green,
                     uint8_t blue) {
  std::optional<PixelRows> rows = image.WritableRows();
  ASSERT_TRUE(rows);
  uint8_t* p = rows->Row(y) + size_t(x) * 3;
  p[0] = blue;
  p[1] = green;
  p[2] = red;
}

class EditingFixture {
 public:
  EditingFixture()
      : settings(QString::fromStdString(folder.File("settings.ini"))),
        engineSettings(QString::fromStdString(folder.File("engine.ini"))),
        ui(&answers),
        scripted(answers),
        env(ui, scripted, settings),
        site(ui, engineSettings, env.progress) {
    env.programFolder = ProgramFolder().string() + "/";
    FilterEngine::InitSite(site);
    env.filters = &site;
    env.app.winInterface = 0;
    doc = std::make_unique<CTessel20Doc>(env, *CTesselParams::Create(settings, env.programFolder));
    RegisterDocumentCommands(commands, *doc);
    RegisterEditingCommands(commands, *doc);
  }

  // Starts picture editing on `picture` (a photo when null).
  void Edit(ImageRef picture = nullptr) {
    doc->ReplaceWithPicture(picture ? picture : MakePhoto(60, 40), kOriginFile, "p.png", false);
    ASSERT_TRUE(commands.Run(cmd::kStartPictureEditing));
  }

  const ImageBuffer& Working() const { return *doc->workingPicture; }

  TempDir folder;
  QtSettingsStore settings;
  QtSettingsStore engineSettings;
  ScriptedAnswers answers;
  ScriptedUiHost ui;
  ScriptedDialogs scripted;
  DocumentEnvironment env;
  FilterSite site;
  std::unique_ptr<CTessel20Doc> doc;
  CommandTable commands;
};

}  // namespace tintara::test
