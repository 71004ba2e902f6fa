#include "tests/support/board_project.h"

#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "ports/dialogs.h"
#include "ports/memory_settings_store.h"
#include "ports/scripted_ui_host.h"
#include "storage/project_io.h"
#include "tests/support/synthetic_images.h"

namespace tintara::test {

bool WriteBoardProject(const std::string& path, int32_t width, int32_t height,
                       const std::string& programFolder) {
  MemorySettingsStore settings;
  ScriptedUiHost ui;
  Dialogs dialogs;
  DocumentEnvironment env(ui, dialogs, settings);
  env.programFolder = programFolder;
  auto params = CTesselParams::Create(settings, env.programFolder);
  if (!params) return false;
  CTessel20Doc doc(env, std::move(*params));
  auto cell = [](int x, int y) { return (x + y) % 2; };
  ImageRef picture = ImageBuffer::Create(kKindRgb24, width, height);
  ImageRef pattern = ImageBuffer::Create(kKind8Bit, width, height);
  if (!picture || !pattern) return false;
  const PixelRows pictureRows = picture->WritableRows().value();
  const PixelRows patternRows = pattern->WritableRows().value();
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const uint8_t v = uint8_t(cell(x, y) * 255);
      std::fill_n(pictureRows.Row(y) + 3 * x, 3, v);
      patternRows.Row(y)[x] = uint8_t(cell(x, y));
    }
  }
  doc.initialPicture = picture;
  doc.convertedPicture = picture;
  doc.indexImage = MakeIndex(width, height, cell);
  doc.patternImage = pattern;
  return SaveProject(doc, path);
}

}  // namespace tintara::test
