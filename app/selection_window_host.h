// The application's selection settings and selection tool, attached to the
// pattern view, and the floating "Select Region" window that edits them: opened
// where it was last closed, its position kept when it closes.
#pragma once

#include <QObject>
#include <QPointer>

#include "editing/select_params.h"
#include "editing/selection_tool.h"
#include "view/selection_input.h"

class QWidget;

namespace tintara {

class CTessel20Doc;
class CTessel20View;
class SelectRegionWindow;
class SettingsStore;
struct AppSettings;

class SelectionWindowHost : public QObject {
  Q_OBJECT

 public:
  SelectionWindowHost(CTessel20Doc& doc, AppSettings& app, SettingsStore& settings,
                      CTessel20View* view, QWidget* owner);
  ~SelectionWindowHost() override;

  SelectionTool& Tool() { return tool_; }
  CSelectParams& Params() { return params_; }
  // Opens the window (only one exists) and shows it.
  void Open();
  SelectRegionWindow* Window() const { return window_; }

 signals:
  // The tool changed the document's selection.
  void selectionChanged();

 private:
  void Closing(QPoint topLeft);

  CSelectParams params_;
  SelectionTool tool_;
  MappedSelectionHost viewHost_;
  AppSettings& app_;
  SettingsStore& settings_;
  QPointer<QWidget> owner_;
  QPointer<QWidget> canvas_;
  QPointer<SelectRegionWindow> window_;
};

}  // namespace tintara
