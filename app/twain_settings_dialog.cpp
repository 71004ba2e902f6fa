#include "app/twain_settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tintara {

TwainSettingsDialog::TwainSettingsDialog(const std::vector<std::string>& sources,
                                         const TwainSourceNames& stored,
                                         std::optional<DeviceKind> onlyKind, QWidget* parent)
    : QDialog(parent), stored_(stored) {
  setWindowTitle(QStringLiteral("TWAIN Settings"));
  auto* group = new QGroupBox(QStringLiteral("TWAIN driver:"), this);
  auto* form = new QFormLayout(group);
  const std::array<std::pair<const char*, const std::string*>, 3> kinds = {{
      {"&Scanner:", &stored.scanner},
      {"Digital &Camera:", &stored.camera},
      {"Other &TWAIN Device:", &stored.other},
  }};
  for (size_t i = 0; i < kinds.size(); ++i) {
    auto* list = new QComboBox(group);
    for (const std::string& source : sources) list->addItem(QString::fromStdString(source));
    int shown = list->findText(QString::fromStdString(*kinds[i].second), Qt::MatchExactly);
    list->setCurrentIndex(shown >= 0 ? shown : 0);
    list->setEnabled(!onlyKind || static_cast<size_t>(*onlyKind) == i);
    auto* label = new QLabel(QString::fromUtf8(kinds[i].first), group);
    label->setBuddy(list);
    form->addRow(label, list);
    lists_[i] = list;
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(buttons);
  if (onlyKind) List(*onlyKind)->setFocus();
}

TwainSourceNames TwainSettingsDialog::Names() const {
  auto chosen = [this](DeviceKind kind, const std::string& stored) {
    const QComboBox* list = List(kind);
    return list->isEnabled() ? list->currentText().toStdString() : stored;
  };
  return {chosen(DeviceKind::kScanner, stored_.scanner), chosen(DeviceKind::kCamera, stored_.camera),
          chosen(DeviceKind::kOther, stored_.other)};
}

}  // namespace tintara
