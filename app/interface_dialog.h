// "Interface": asks at the first start which interface style to use.
#pragma once

#include <QDialog>
#include <optional>

class QRadioButton;

namespace tintara {

class InterfaceDialog : public QDialog {
  Q_OBJECT

 public:
  explicit InterfaceDialog(QWidget* parent = nullptr);

  // True for the standard interface.
  bool StandardChosen() const;
  QRadioButton* GraphicalButton() const { return graphical_; }
  QRadioButton* StandardButton() const { return standard_; }

 private:
  QRadioButton* graphical_;
  QRadioButton* standard_;
};

// Runs the dialog: true for the standard interface, false for the graphical
// one, nothing when cancelled (the program then ends before any window).
std::optional<bool> AskInterfaceStyle(QWidget* parent = nullptr);

}  // namespace tintara
