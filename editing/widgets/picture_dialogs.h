// "Rotate picture", "Resize" and "Smart Tune", opened on the picture being
// edited. Entry fields are checked on OK; a refused one keeps the focus and
// its message goes to `refuse`.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "editing/resize_form.h"
#include "ports/dialogs.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tintara {

using RefuseMessage = std::function<void(const std::string&)>;

class RotatePictureDialog : public QDialog {
  Q_OBJECT

 public:
  explicit RotatePictureDialog(RefuseMessage refuse, QWidget* parent = nullptr);
  RotateAnswer Answer() const;
  QLineEdit* AngleField() const { return angle_; }
  QRadioButton* RightButton() const { return right_; }
  QRadioButton* LeftButton() const { return left_; }
  void accept() override;

 private:
  void Step(int by);

  RefuseMessage refuse_;
  QLineEdit* angle_;
  QRadioButton* right_;
  QRadioButton* left_;
};

class ResizeDialog : public QDialog {
  Q_OBJECT

 public:
  ResizeDialog(ResizeForm& form, RefuseMessage refuse, QWidget* parent = nullptr);
  QLineEdit* WidthField() const { return width_; }
  QLineEdit* HeightField() const { return height_; }
  QCheckBox* AspectBox() const { return aspect_; }
  void accept() override;

 private:
  void ShowForm();

  ResizeForm& form_;
  RefuseMessage refuse_;
  QLineEdit* width_;
  QLineEdit* height_;
  QCheckBox* aspect_;
};

class SmartTuneDialog : public QDialog {
  Q_OBJECT

 public:
  SmartTuneDialog(const std::vector<std::string>& methods, std::function<void(int)> changed,
                  QWidget* parent = nullptr);
  int Method() const;
  QComboBox* Methods() const { return methods_; }

 private:
  QComboBox* methods_;
};

}  // namespace tintara
