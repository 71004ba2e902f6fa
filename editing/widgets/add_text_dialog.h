// "Add text": a line of text shown in the text font, "Select &Font" to choose
// another font (kept at once, whatever the dialog's outcome), OK and Cancel.
#pragma once

#include <QDialog>
#include <functional>

#include "document/drawing_tool_state.h"

class QLineEdit;
class QPushButton;

namespace tintara {

class AddTextDialog : public QDialog {
  Q_OBJECT

 public:
  AddTextDialog(TextFont& font, QWidget* parent = nullptr);

  QString Text() const;
  QLineEdit* Field() const { return field_; }
  QPushButton* FontButton() const { return fontButton_; }
  // The font chooser; the platform's by default, replaceable for tests.
  void SetFontChooser(std::function<bool(QFont&)> chooser) { chooser_ = std::move(chooser); }

 private:
  void ChooseFont();
  void ShowFont();

  TextFont& font_;
  QLineEdit* field_;
  QPushButton* fontButton_;
  std::function<bool(QFont&)> chooser_;
};

}  // namespace tintara
