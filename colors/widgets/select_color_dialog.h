// "Select color": one colour from the working palette or from a whole brand.
#pragma once

#include <QDialog>
#include <vector>

#include "colors/brand_palette.h"
#include "colors/widgets/color_list_control.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace tintara {

class ColorSelector;

class SelectColorDialog : public QDialog {
  Q_OBJECT

 public:
  SelectColorDialog(ColorSelector& selector, QWidget* parent = nullptr);

  ColorListControl* List() const { return list_; }
  QComboBox* BrandList() const { return brands_; }
  QRadioButton* CurrentColorsChoice() const { return current_; }
  QRadioButton* BrandColorsChoice() const { return all_; }

  void accept() override;

 private:
  void BuildLayout();
  void ShowList();
  void ShowSelection(int position);

  ColorSelector& selector_;
  std::vector<BrandPalette> allBrands_;
  QLabel* brandLabel_ = nullptr;
  QComboBox* brands_ = nullptr;
  QRadioButton* current_ = nullptr;
  QRadioButton* all_ = nullptr;
  ColorListControl* list_ = nullptr;
  QCheckBox* details_ = nullptr;
  QLabel* info_ = nullptr;
};

}  // namespace tintara
