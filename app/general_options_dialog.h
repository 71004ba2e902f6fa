// "General options": animation, menu, graphic tool bars and auto-save, with
// Apply. At least one of the menu and the graphic tool bars stays ticked.
#pragma once

#include <QDialog>

#include "app/interface_options.h"

class QCheckBox;
class QPushButton;

namespace tintara {

class GeneralOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  GeneralOptionsDialog(const InterfaceOptions& current, QWidget* parent = nullptr);

  InterfaceOptions Options() const;
  QCheckBox* AnimationBox() const { return animation_; }
  QCheckBox* MenuBox() const { return menu_; }
  QCheckBox* GraphBox() const { return graph_; }
  QCheckBox* AutoSaveBox() const { return autoSave_; }
  QPushButton* ApplyButton() const { return apply_; }

 signals:
  // Apply or OK: store the values and re-apply the interface.
  void applied(const tintara::InterfaceOptions& options);
  // A box was ticked again by the menu/tool bar rule: the setting changes at once.
  void menuForcedOn();
  void graphForcedOn();

 public slots:
  void accept() override;

 private:
  void Apply();
  void Changed();

  QCheckBox* animation_;
  QCheckBox* menu_;
  QCheckBox* graph_;
  QCheckBox* autoSave_;
  QPushButton* apply_;
};

}  // namespace tintara
