// Keeps the floating colour palette window for the document: opens it where
// it was last closed, fills it from the pattern parameters, passes the user's
// choices to the document and remembers its position when it closes.
#pragma once

#include <QObject>
#include <QPointer>
#include <string>
#include <vector>

#include "colors/brand_palette.h"
#include "colors/widgets/colors_palette_window.h"

class QWidget;

namespace tintara {

class CTessel20Doc;
class SettingsStore;

class PaletteWindowHost : public QObject {
  Q_OBJECT

 public:
  // The window opens beside `canvas` the first time.
  PaletteWindowHost(CTessel20Doc& doc, SettingsStore& settings, QWidget* owner, QWidget* canvas);
  ~PaletteWindowHost() override;

  void Show(bool on);
  // The whole list again, or only the current colour's selection.
  void Refresh(bool fullReload);
  ColorsPaletteWindow* Window() const { return window_; }

 signals:
  // The document's palette or current colour changed through the window.
  void changed();

 private:
  void Open();
  void Reload();
  void Closing(QPoint topLeft);

  CTessel20Doc& doc_;
  SettingsStore& settings_;
  QPointer<QWidget> owner_;
  QPointer<QWidget> canvas_;
  QPointer<ColorsPaletteWindow> window_;
  std::vector<BrandPalette> brands_;
};

}  // namespace tintara
