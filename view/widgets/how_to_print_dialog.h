// "How to print": the number of sheets a picture is printed over, the
// "&Printer..." set-up, and the aids that help join the sheets and buy the
// paint.
#pragma once

#include <QDialog>
#include <functional>

#include "ports/dialogs.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

namespace tintara {

class HowToPrintDialog : public QDialog {
  Q_OBJECT

 public:
  HowToPrintDialog(const PrintSetupChoice& current, std::function<void()> printerSetup,
                   QWidget* parent = nullptr);
  PrintSetupChoice Choice() const;

  QComboBox* Pages() const { return pages_; }
  QPushButton* PrinterButton() const { return printer_; }
  QCheckBox* SheetColors() const { return sheetColors_; }
  QSpinBox* Overlap() const { return overlap_; }
  QCheckBox* Marks() const { return marks_; }
  QCheckBox* ShoppingList() const { return shopping_; }
  QSpinBox* Coverage() const { return coverage_; }
  QSpinBox* Coats() const { return coats_; }
  QSpinBox* Pot() const { return pot_; }

 private:
  QWidget* MakeSheetAids(const PrintSetupChoice& current);
  QWidget* MakeShopping(const PrintSetupChoice& current);
  void FollowChoices();

  std::function<void()> printerSetup_;
  QComboBox* pages_;
  QPushButton* printer_;
  QCheckBox* sheetColors_ = nullptr;
  QSpinBox* overlap_ = nullptr;
  QCheckBox* marks_ = nullptr;
  QCheckBox* shopping_ = nullptr;
  QSpinBox* coverage_ = nullptr;
  QSpinBox* coats_ = nullptr;
  QSpinBox* pot_ = nullptr;
};

// The entries of "Number of pages:": "1 page", "2x2 (4 pages)", ...
QStringList PagesPerSideEntries();

}  // namespace tintara
