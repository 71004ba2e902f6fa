// Keeps the floating colour palette window for the document: opens it where
// it was last closed, fills it from the pattern parameters, passes the user's
// choices to the document and remembers its position when it closes.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
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
  // The pattern changed (an edit, undo, redo): the paints' shares are counted
  // again shortly after, once for a burst of changes such as a pen stroke, and
  // never while `busy` says long work is changing the document.
  void PatternChanged();
  void SetBusyCheck(std::function<bool()> busy) { busy_ = std::move(busy); }
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
  QTimer sharesTimer_;
  std::function<bool()> busy_;
};

}  // namespace tintara
