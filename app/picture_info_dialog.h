// "Picture info" (the initial picture's size in pixels and as printed
// lengths, and where it came from) and "Painting pattern info" (how many
// paint colours the pattern uses, and their brands).
#pragma once

#include <QDialog>

#include "document/picture_info.h"

class QComboBox;
class QLabel;

namespace tintara {

class PictureInfoDialog : public QDialog {
  Q_OBJECT

 public:
  PictureInfoDialog(const PictureInfo& info, QWidget* parent = nullptr);
  // The texts shown, for checks: width and height in pixels and lengths,
  // the unit and the origin.
  QString FieldText(const QString& name) const;
};

class PatternInfoDialog : public QDialog {
  Q_OBJECT

 public:
  PatternInfoDialog(const PatternInfo& info, QWidget* parent = nullptr);
  QString CountText() const;
  QComboBox* Brands() const { return brands_; }

 private:
  QLabel* count_;
  QComboBox* brands_;
};

// Lengths as shown: two decimals.
QString LengthText(double length);

}  // namespace tintara
