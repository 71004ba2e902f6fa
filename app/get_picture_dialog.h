// "Get Picture": the wizard's way to a scanner, a camera or another device.
// The three "Use" buttons are enabled only while no acquisition is under way,
// looked at twice a second.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>

#include "ports/scanner_library.h"

class QPushButton;

namespace tintara {

struct GetPictureActions {
  std::function<void(DeviceKind)> use;  // starts the acquisition from that kind
  std::function<void()> settings;       // "TWAIN Settings" for every kind
  std::function<bool()> busy;           // an acquisition is under way
};

class GetPictureDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kBusyPollMilliseconds = 500;

  explicit GetPictureDialog(GetPictureActions actions, QWidget* parent = nullptr);

  QPushButton* UseButton(DeviceKind kind) const { return use_[static_cast<size_t>(kind)]; }
  QPushButton* SettingsButton() const { return settings_; }
  QPushButton* CancelButton() const { return cancel_; }
  const QTimer& BusyPoll() const { return poll_; }

 private:
  void FollowBusy();

  GetPictureActions actions_;
  std::array<QPushButton*, 3> use_{};
  QPushButton* settings_;
  QPushButton* cancel_;
  QTimer poll_;
};

// Runs the dialog until it closes; `open` points at it meanwhile, so that an
// arriving picture can close it.
void RunGetPictureDialog(GetPictureActions actions, QWidget* parent,
                         QPointer<GetPictureDialog>& open);

}  // namespace tintara
