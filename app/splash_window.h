// The splash window: a borderless picture centred on the screen that closes
// itself after 3000 ms, or at once on any key or mouse-button press anywhere
// in the program (the press is swallowed). The About command shows it too.
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>

namespace tintara {

constexpr int kSplashMilliseconds = 3000;

class SplashWindow : public QWidget {
  Q_OBJECT

 public:
  // `notice`: the paint-data licence notice shown under the picture, if any.
  explicit SplashWindow(const QString& notice = {}, QWidget* parent = nullptr);
  ~SplashWindow() override;

  QString Notice() const { return notice_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* target, QEvent* event) override;

 private:
  QString notice_;
  QTimer timer_;
};

// Shows a splash window that deletes itself when it closes.
SplashWindow* ShowSplash(const QString& notice);

// The licence notice of the brand palette files ("PAINT-DATA-LICENSE.txt" in the program
// folder), or "" when there is none.
QString ReadPaintDataNotice(const QString& programFolder);

}  // namespace tintara
