#include "app/progress_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tintara {

ProgressWindow::ProgressWindow(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("progressWindow"));
  setAttribute(Qt::WA_StyledBackground);
  setWindowModality(Qt::ApplicationModal);
  setWindowTitle(QStringLiteral("Tintara"));
  setFocusPolicy(Qt::StrongFocus);
  setStyleSheet(QStringLiteral("QWidget#progressWindow { background: #fbf6ee; "
                               "border: 2px solid #b0763c; }"));
  text_ = new QLabel(QStringLiteral("Processed: 0%"), this);
  text_->setAlignment(Qt::AlignCenter);
  QFont bold = text_->font();
  bold.setBold(true);
  text_->setFont(bold);
  hint_ = new QLabel(QStringLiteral("Press ESC to cancel"), this);
  hint_->setAlignment(Qt::AlignCenter);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  // The window keeps the keyboard, so that Escape still reaches it.
  cancel_->setFocusPolicy(Qt::NoFocus);
  connect(cancel_, &QPushButton::clicked, this, &ProgressWindow::AskToCancel);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 16, 24, 16);
  layout->addWidget(text_);
  layout->addWidget(hint_);
  layout->addWidget(cancel_, 0, Qt::AlignHCenter);
  setFixedSize(260, 130);
}

void ProgressWindow::SetPercent(int percent) {
  if (percent > kLastCancellablePercent) {
    cancelAllowed_ = false;
    hint_->hide();
    cancel_->setEnabled(false);
    text_->setText(QStringLiteral("Generating template"));
  } else {
    cancelAllowed_ = true;
    hint_->show();
    cancel_->setEnabled(true);
    text_->setText(QStringLiteral("Processed: %1%").arg(percent));
  }
  // Shown at once, also while the work keeps this thread busy.
  text_->repaint();
}

QString ProgressWindow::Text() const { return text_->text(); }

bool ProgressWindow::HintVisible() const { return !hint_->isHidden(); }

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
  // Escape must not close the window by itself: only its release cancels.
  if (event->key() == Qt::Key_Escape) return event->accept();
  QWidget::keyPressEvent(event);
}

void ProgressWindow::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && !event->isAutoRepeat() && cancelAllowed_) {
    AskToCancel();
    return event->accept();
  }
  QWidget::keyReleaseEvent(event);
}

void ProgressWindow::AskToCancel() {
  if (cancelAllowed_) emit cancelRequested();
}

}  // namespace tintara
