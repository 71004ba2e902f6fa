// "Painting pattern settings": the "Colors", "Size of Painting Pattern" and
// "Type of pattern" dialogs as the pages of one sheet with one OK.
#pragma once

#include <QDialog>

#include "ports/dialogs.h"

class QTabWidget;

namespace tintara {

class ColorsDialog;
class PatternSizeDialog;
class PatternTypeDialog;

class PatternSettingsSheet : public QDialog {
  Q_OBJECT

 public:
  PatternSettingsSheet(ColorsEditor& editor, const PatternSheetPages& pages,
                       QWidget* parent = nullptr);

  // What the size and type pages show now.
  PatternSheetPages Pages() const;

  QTabWidget* Tabs() const { return tabs_; }
  ColorsDialog* ColorsPage() const { return colors_; }
  PatternSizeDialog* SizePage() const { return size_; }
  PatternTypeDialog* TypePage() const { return type_; }

  void accept() override;
  // Cancel asks about unsaved palette changes as the "Colors" dialog does.
  void reject() override;

 private:
  ColorsEditor& editor_;
  PatternSheetPages pages_;
  QTabWidget* tabs_;
  ColorsDialog* colors_;
  PatternSizeDialog* size_;
  PatternTypeDialog* type_;
};

}  // namespace tintara
