#include "app/get_picture_dialog.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace tintara {

GetPictureDialog::GetPictureDialog(GetPictureActions actions, QWidget* parent)
    : QDialog(parent), actions_(std::move(actions)) {
  setWindowTitle(QStringLiteral("Get Picture"));
  auto* layout = new QVBoxLayout(this);
  const std::array<std::pair<const char*, DeviceKind>, 3> uses = {{
      {"Use My &Scanner...", DeviceKind::kScanner},
      {"Use My Digital &Camera...", DeviceKind::kCamera},
      {"Use Other &TWAIN Device...", DeviceKind::kOther},
  }};
  for (const auto& [caption, kind] : uses) {
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, kind = kind] {
      if (actions_.use) actions_.use(kind);
      FollowBusy();
    });
    use_[static_cast<size_t>(kind)] = button;
  }
  settings_ = new QPushButton(QStringLiteral("S&ettings..."), this);
  layout->addWidget(settings_);
  connect(settings_, &QPushButton::clicked, this, [this] {
    if (actions_.settings) actions_.settings();
  });
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  layout->addWidget(cancel_);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  connect(&poll_, &QTimer::timeout, this, &GetPictureDialog::FollowBusy);
  poll_.start(kBusyPollMilliseconds);
  FollowBusy();
}

void GetPictureDialog::FollowBusy() {
  const bool idle = !actions_.busy || !actions_.busy();
  for (QPushButton* button : use_) button->setEnabled(idle);
}

void RunGetPictureDialog(GetPictureActions actions, QWidget* parent,
                         QPointer<GetPictureDialog>& open) {
  GetPictureDialog dialog(std::move(actions), parent);
  open = &dialog;
  dialog.exec();
  open = nullptr;
}

}  // namespace tintara
