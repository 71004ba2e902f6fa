// The interface style, its toggles and options, auto-save, colour correction,
// About, the zoom commands and the "What view" pop-ups.
#include <QCursor>

#include "app/color_correction_dialog.h"
#include "app/general_options_dialog.h"
#include "app/interface_options.h"
#include "app/main_frame.h"
#include "app/splash_window.h"
#include "app/tessel20_app.h"
#include "document/tessel_doc.h"
#include "view/widgets/tessel20_view.h"

namespace tintara {

namespace {

InterfaceOptions OptionsOf(const AppSettings& settings) {
  return {settings.animation != 0, settings.menu != 0, settings.graph != 0,
          settings.autoSave != 0};
}

void StoreOptions(AppSettings& settings, const InterfaceOptions& options) {
  settings.animation = options.animation ? 1 : 0;
  settings.menu = options.menu ? 1 : 0;
  settings.graph = options.graph ? 1 : 0;
  settings.autoSave = options.autoSave ? 1 : 0;
}

}  // namespace

void CTessel20App::RegisterInterfaceCommands() {
  AppSettings& settings = env_.app;
  auto graphical = [this] { return !env_.StandardInterface(); };
  auto toggle = [this](void (*change)(InterfaceOptions&)) {
    return [this, change] {
      InterfaceOptions options = OptionsOf(env_.app);
      change(options);
      StoreOptions(env_.app, options);
      ApplyInterface();
    };
  };
  table_.Add({cmd::kOptions, "Options", [this] { ShowOptionsDialog(); }, {}, {}});
  table_.Add({cmd::kToggleMenu, "Show/hide standard menu", toggle(ToggleMenu), graphical,
              [&settings] { return settings.menu != 0; }});
  table_.Add({cmd::kToggleToolbars, "Show/hide toolbars", toggle(ToggleGraph), graphical,
              [&settings] { return settings.graph != 0; }});
  table_.Add({cmd::kToggleAnimation, "Animate toolbars",
              toggle([](InterfaceOptions& o) { o.animation = !o.animation; }), graphical,
              [&settings] { return settings.animation != 0; }});
  table_.Add({cmd::kStandardInterface, "Standard interface",
              [this] {
                env_.app.winInterface = env_.StandardInterface() ? 0 : 1;
                ApplyInterface();
              },
              {}, [this] { return env_.StandardInterface(); }});
  table_.Add({cmd::kAutoSave, "Auto save project each 5 minutes",
              [this] {
                env_.app.autoSave = env_.app.autoSave != 0 ? 0 : 1;
                // Five minutes from now, not from when the program started.
                if (env_.app.autoSave != 0) autoSave_.Start(Ticks());
              },
              {}, [&settings] { return settings.autoSave != 0; }});
  table_.Add({cmd::kColorCorrection, "Color correction", [this] { ShowColorCorrection(); }, {},
              {}});
  table_.Add({cmd::kAbout, "About", [this] { ShowAbout(); }, {}, {}});

  auto hasPicture = [this] { return doc_->initialPicture || doc_->convertedPicture; };
  table_.Add({cmd::kZoomIn, "Zoom in",
              [this] {
                fitted_ = false;
                frame_->View()->ZoomIn();
              },
              hasPicture, {}});
  table_.Add({cmd::kZoomOut, "Zoom Out",
              [this] {
                fitted_ = false;
                frame_->View()->ZoomOut();
              },
              hasPicture, {}});
  table_.Add({cmd::kActualSize, "Actual Size (1:1)",
              [this] {
                fitted_ = false;
                frame_->View()->ActualSize();
              },
              hasPicture, {}});
  // A resized window keeps the picture fitted until the user zooms.
  table_.Add({cmd::kFitToWindow, "Fit in window",
              [this] {
                fitted_ = true;
                frame_->View()->FitToWindow();
              },
              hasPicture, {}});
}

void CTessel20App::ReplaceDocumentCommands() {
  table_.Add({cmd::kWhatToDisplay, "What to display", [this] { PopupViewChoice(); }, {}, {}});
  table_.Add({cmd::kWhatToView, "What to view", [this] { PopupViewChoice(); }, {}, {}});
  // The size is asked here; a new pattern is made behind the progress window.
  const Command* size = table_.Find(cmd::kPatternSize);
  table_.Add({cmd::kPatternSize, size->text, [this] { PatternSizeCommand(); }, size->enabled, {}});
  // The colours likewise: the pattern may be made again or mapped onto them.
  const Command* colors = table_.Find(cmd::kPaintingColors);
  table_.Add({cmd::kPaintingColors, colors->text, [this] { PaintingColorsCommand(); },
              colors->enabled, {}});
}

void CTessel20App::PaintingColorsCommand() {
  std::optional<CTesselParams> edited = doc_->AskPaintingColors();
  if (!edited) return;
  RunLong([this, &edited] { doc_->ApplyPaintingColors(std::move(*edited)); });
}

void CTessel20App::PatternSizeCommand() {
  printer_.Refresh();
  std::optional<PatternPageSettings> chosen = doc_->AskPatternSize();
  if (!chosen) return;
  RunLong([this, &chosen] { doc_->ApplyPatternSize(*chosen); });
}

void CTessel20App::PopupViewChoice() { frame_->PopupViewChoice(QCursor::pos()); }

void CTessel20App::ApplyInterface() {
  bool standard = env_.StandardInterface();
  host_.SetStandardInterface(standard);
  frame_->ApplyInterface(env_.app, doc_->pictureEditing != 0);
}

void CTessel20App::ShowOptionsDialog() {
  GeneralOptionsDialog dialog(OptionsOf(env_.app), frame_.get());
  connect(&dialog, &GeneralOptionsDialog::applied, this, [this](const InterfaceOptions& options) {
    bool autoSaveWasOn = env_.app.autoSave != 0;
    StoreOptions(env_.app, options);
    if (!autoSaveWasOn && options.autoSave) autoSave_.Start(Ticks());
    ApplyInterface();
  });
  // The box ticked again by the menu/tool bar rule takes effect at once.
  connect(&dialog, &GeneralOptionsDialog::menuForcedOn, this, [this] {
    env_.app.menu = 1;
    ApplyInterface();
  });
  connect(&dialog, &GeneralOptionsDialog::graphForcedOn, this, [this] {
    env_.app.graph = 1;
    ApplyInterface();
  });
  dialog.exec();
}

void CTessel20App::ShowColorCorrection() {
  std::optional<int> percent = AskBrightnessFactor(env_.app.colorCorrectionPercent, frame_.get());
  if (percent) env_.app.colorCorrectionPercent = *percent;
}

void CTessel20App::ShowAbout() { splash_ = ShowSplash(ReadPaintDataNotice(programFolder_)); }

}  // namespace tintara
