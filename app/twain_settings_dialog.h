// "TWAIN Settings": the source for each kind of device, chosen from every
// source the scanner library finds.
#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ports/dialogs.h"

class QComboBox;

namespace tintara {

class TwainSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // Each list shows its stored name when that source is there, else the
  // first. With `onlyKind`, the other lists are disabled and keep their names.
  TwainSettingsDialog(const std::vector<std::string>& sources, const TwainSourceNames& stored,
                      std::optional<DeviceKind> onlyKind, QWidget* parent = nullptr);

  TwainSourceNames Names() const;
  QComboBox* List(DeviceKind kind) const { return lists_[static_cast<size_t>(kind)]; }

 private:
  std::array<QComboBox*, 3> lists_{};
  TwainSourceNames stored_;
};

}  // namespace tintara
