#include "app/palette_window_host.h"

#include "app/floating_window_place.h"
#include "colors/brand_list.h"
#include "colors/widgets/color_notes.h"
#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "storage/settings_keys.h"

namespace tintara {

namespace {

// Long enough to count once per pen stroke, short enough to seem immediate.
constexpr int kSharesDelayMs = 150;

}  // namespace

PaletteWindowHost::PaletteWindowHost(CTessel20Doc& doc, SettingsStore& settings, QWidget* owner,
                                     QWidget* canvas)
    : doc_(doc), settings_(settings), owner_(owner), canvas_(canvas) {
  sharesTimer_.setSingleShot(true);
  sharesTimer_.setInterval(kSharesDelayMs);
  connect(&sharesTimer_, &QTimer::timeout, this, [this] {
    if (!window_) return;
    if (busy_ && busy_()) {
      sharesTimer_.start();
      return;
    }
    Reload();
  });
}

void PaletteWindowHost::PatternChanged() {
  if (window_) sharesTimer_.start();
}

PaletteWindowHost::~PaletteWindowHost() {
  // The position is kept however the window goes away.
  if (window_) window_->close();
}

void PaletteWindowHost::Show(bool on) {
  if (on && !window_) Open();
  if (!on && window_) window_->close();
}

void PaletteWindowHost::Open() {
  if (brands_.empty()) brands_ = LoadAllBrands(ListBrands(doc_.Environment().programFolder));
  window_ = new ColorsPaletteWindow(owner_);
  window_->setAttribute(Qt::WA_DeleteOnClose);
  connect(window_, &ColorsPaletteWindow::colorChosen, this, [this](int position) {
    doc_.SetCurrentColor(position);
    emit changed();
  });
  connect(window_, &ColorsPaletteWindow::addRequested, this, [this] {
    doc_.AddColorFromPaletteWindow();
    emit changed();
  });
  connect(window_, &ColorsPaletteWindow::closing, this, &PaletteWindowHost::Closing);
  Reload();
  std::optional<QPoint> stored;
  if (HasSetting(settings_, Setting::kColorsPalettePosX)) {
    stored = QPoint(ReadSetting(settings_, Setting::kColorsPalettePosX),
                    ReadSetting(settings_, Setting::kColorsPalettePosY));
  }
  if (canvas_) {
    ShowFloatingWindow(*window_, *canvas_, stored);
  } else {
    window_->show();
  }
}

void PaletteWindowHost::Reload() {
  const std::vector<CFlossColor>& palette = doc_.params.workingPalette;
  window_->Reload(palette, MakeColorNotes(palette, doc_.ColorShares(), brands_),
                  doc_.params.currentColor);
}

void PaletteWindowHost::Refresh(bool fullReload) {
  if (!window_) return;
  if (fullReload) {
    Reload();
  } else {
    window_->SelectCurrent(doc_.params.currentColor);
  }
}

void PaletteWindowHost::Closing(QPoint topLeft) {
  WriteSetting(settings_, Setting::kColorsPalettePosX, topLeft.x());
  WriteSetting(settings_, Setting::kColorsPalettePosY, topLeft.y());
  doc_.paletteWindowShown = false;
  emit changed();
}

}  // namespace tintara
