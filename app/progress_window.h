// The small window of a long counted operation: "Processed: n%" with the hint
// "Press ESC to cancel" and a Cancel button; above 98 % it says "Generating
// template" and can no longer be cancelled. Releasing Escape or clicking
// Cancel asks to cancel; the work notices it at its next step.
#pragma once

#include <QWidget>
#include <atomic>

class QLabel;
class QPushButton;

namespace tintara {

constexpr int kLastCancellablePercent = 98;

class ProgressWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressWindow(QWidget* parent = nullptr);

  void SetPercent(int percent);
  QString Text() const;
  bool HintVisible() const;
  bool CancelAllowed() const { return cancelAllowed_; }
  QPushButton* CancelButton() const { return cancel_; }

 signals:
  void cancelRequested();

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void AskToCancel();

 private:
  QLabel* text_;
  QLabel* hint_;
  QPushButton* cancel_;
  bool cancelAllowed_ = true;
};

}  // namespace tintara
