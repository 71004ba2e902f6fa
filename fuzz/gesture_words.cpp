// The words of `run` come from outside: every line is a gesture or setting
// word, read or refused; what is read plays on a small pattern with the tool
// the first byte picks, and must end quickly whatever its coordinates.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "cli/gestures.h"
#include "document/document_environment.h"
#include "editing/drawing_tool.h"
#include "ports/dialogs.h"
#include "ports/memory_settings_store.h"
#include "ports/scripted_ui_host.h"

namespace {

using namespace tintara;

constexpr int32_t kWidth = 40, kHeight = 30;
constexpr int32_t kTools[] = {kToolNone, kToolPen, kToolLine, kToolRectangle, kToolEllipse,
                              kToolPickColor, kToolRecolor};

ImageRef Filled(int32_t kind, uint8_t value) {
  ImageRef image = ImageBuffer::Create(kind, kWidth, kHeight);
  const PixelRows rows = image->WritableRows().value();
  for (int32_t y = 0; y < kHeight; ++y) {
    std::fill_n(rows.Row(y), rows.Stride(), uint8_t(value + y % 2));
  }
  return image;
}

struct Stage {
  MemorySettingsStore settings;
  ScriptedUiHost ui;
  Dialogs dialogs;
  DocumentEnvironment env{ui, dialogs, settings};
  CSelectParams selectParams;
  std::unique_ptr<CTessel20Doc> doc;
  std::unique_ptr<SelectionTool> selection;
  std::unique_ptr<DrawingTool> drawing;

  Stage() {
    CTesselParams params;
    for (uint8_t i = 0; i < 4; ++i) {
      CFlossColor paint;
      paint.colorName = "Paint " + std::to_string(i);
      paint.red = uint8_t(60 * i);
      paint.paletteIndex = i;
      params.workingPalette.push_back(paint);
    }
    params.paletteReady = 1;
    doc = std::make_unique<CTessel20Doc>(env, std::move(params));
    selection = std::make_unique<SelectionTool>(*doc, selectParams);
    drawing = std::make_unique<DrawingTool>(*doc);
  }

  void Reset(int32_t tool) {
    doc->initialPicture = Filled(kKindRgb24, 90);
    doc->convertedPicture = Filled(kKindRgb24, 90);
    doc->indexImage = Filled(kKindGray8, 0);
    doc->patternImage = Filled(kKind8Bit, 0);
    doc->viewMode = kViewPattern;
    doc->selection.reset();
    doc->params.penWidth = 1;
    doc->params.currentColor = 0;
    doc->currentTool = tool;
    ui.messages.clear();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Stage stage;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const uint8_t pick = size > 0 ? data[0] : 0;
  stage.Reset(kTools[pick % std::size(kTools)]);
  if (!input.empty()) input.remove_prefix(1);
  cli::GesturePlayer player(*stage.doc, *stage.selection, *stage.drawing);
  while (!input.empty()) {
    const size_t end = input.find('\n');
    const std::string word(input.substr(0, end));
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    cli::Gesture gesture;
    std::string error;
    const cli::GestureWord read = cli::ParseGestureWord(word, gesture, error);
    if (read == cli::GestureWord::kBad && error.empty()) __builtin_trap();
    if (read != cli::GestureWord::kGesture) continue;
    if (gesture.kind != cli::Gesture::Kind::kSet && gesture.points.empty()) __builtin_trap();
    player.Play(gesture);
  }
  return 0;
}
