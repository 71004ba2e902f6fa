// "Colors": the brand, the wanted number of colours and the working palette.
// Every button passes on to the ColorsEditor; the dialog shows its state.
#pragma once

#include <QDialog>
#include <vector>

#include "colors/brand_palette.h"
#include "colors/widgets/color_list_control.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tintara {

class ColorsEditor;

class ColorsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ColorsDialog(ColorsEditor& editor, QWidget* parent = nullptr);

  ColorListControl* List() const { return list_; }
  QLineEdit* NumberField() const { return number_; }
  QComboBox* BrandList() const { return brands_; }
  // "Classic" or "Closest to the picture".
  QComboBox* ChoiceList() const { return choice_; }

  // Closing without OK asks about unsaved changes first.
  void reject() override;
  void accept() override;
  // What OK takes from the page: the list view, the number, and a palette made
  // for a brand or number chosen since; false keeps the dialog open.
  bool TakeAnswer();

 private:
  void BuildLayout();
  void Connect();
  void ShowBrand();
  void ShowPalette(int select);
  void ShowSelection(int position);
  void TakeNumber();
  void StepNumber(int step);
  void AddColor();
  void DeleteColor();
  bool eventFilter(QObject* watched, QEvent* event) override;

  ColorsEditor& editor_;
  std::vector<BrandPalette> allBrands_;
  QLabel* numberLabel_ = nullptr;
  QLineEdit* number_ = nullptr;
  QComboBox* brands_ = nullptr;
  QComboBox* choice_ = nullptr;
  QLabel* brandCount_ = nullptr;
  ColorListControl* list_ = nullptr;
  QLabel* paletteCount_ = nullptr;
  QLabel* info_ = nullptr;
  QPushButton* forPicture_ = nullptr;
  QPushButton* forBrand_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* load_ = nullptr;
  QCheckBox* details_ = nullptr;
};

}  // namespace tintara
