// "Type of pattern": how the areas of the pattern are told apart — numbers,
// textures or borders only.
#pragma once

#include <QDialog>

class QListWidget;

namespace tintara {

class PatternTypeDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens with the list position `selected` chosen.
  explicit PatternTypeDialog(int selected, QWidget* parent = nullptr);
  int Selected() const;
  QListWidget* List() const { return list_; }

 private:
  QListWidget* list_;
};

}  // namespace tintara
