// "Size of Painting Pattern": the paper, orientation, number of pages and
// resolution the pattern is made for, or the default printer's page.
#pragma once

#include <QDialog>

#include "colors/page_settings.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace tintara {

class PatternSizeDialog : public QDialog {
  Q_OBJECT

 public:
  // Without a default printer the custom printer is chosen and the other
  // choice is disabled. The command offers the first three page counts,
  // the settings sheet all of them.
  static constexpr int kCommandPageCounts = 3;
  PatternSizeDialog(const PatternPageSettings& current, bool defaultPrinterAvailable,
                    QWidget* parent = nullptr, int offeredPageCounts = kCommandPageCounts);
  PatternPageSettings Settings() const;

  QComboBox* Paper() const { return paper_; }
  QComboBox* Pages() const { return pages_; }
  QComboBox* Resolution() const { return resolution_; }
  QRadioButton* Portrait() const { return portrait_; }
  QRadioButton* Landscape() const { return landscape_; }
  QRadioButton* DefaultPrinter() const { return defaultPrinter_; }
  QRadioButton* CustomPrinter() const { return customPrinter_; }
  QCheckBox* AutoOrientation() const { return autoOrientation_; }

 private:
  void FollowPrinterChoice();

  QComboBox* paper_;
  QComboBox* pages_;
  QComboBox* resolution_;
  QRadioButton* portrait_;
  QRadioButton* landscape_;
  QRadioButton* defaultPrinter_;
  QRadioButton* customPrinter_;
  QCheckBox* autoOrientation_;
};

}  // namespace tintara
