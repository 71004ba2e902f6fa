#include "app/splash_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace tintara {

namespace {

constexpr int kWidth = 560;
constexpr int kPictureHeight = 300;

bool ClosesSplash(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
      return true;
    default:
      return false;
  }
}

QFont NoticeFont() {
  QFont font;
  font.setPointSizeF(7.5);
  return font;
}

// A few outlined, numbered areas: the picture of what the program makes.
void PaintMotif(QPainter& painter, const QRect& area) {
  const QColor paints[] = {QColor(214, 140, 69), QColor(112, 154, 120), QColor(86, 121, 170),
                           QColor(232, 200, 120), QColor(180, 92, 84)};
  QPen border(QColor(90, 70, 50), 2);
  painter.setPen(border);
  for (int i = 0; i < 5; ++i) {
    QPainterPath path;
    int x = area.left() + 30 + i * 96;
    int y = area.bottom() - 120 + (i % 2) * 24;
    path.moveTo(x, y);
    path.cubicTo(x + 60, y - 40, x + 110, y + 10, x + 90, y + 70);
    path.cubicTo(x + 50, y + 100, x - 10, y + 70, x, y);
    painter.setBrush(paints[i]);
    painter.drawPath(path);
    painter.drawText(QRect(x + 20, y + 10, 50, 40), Qt::AlignCenter, QString::number(i + 1));
  }
}

}  // namespace

SplashWindow::SplashWindow(const QString& notice, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      notice_(notice) {
  setObjectName(QStringLiteral("splashWindow"));
  int noticeHeight = 0;
  if (!notice_.isEmpty()) {
    QFontMetrics metrics(NoticeFont());
    noticeHeight = metrics.boundingRect(QRect(0, 0, kWidth - 32, 10000), Qt::TextWordWrap, notice_)
                       .height() + 24;
  }
  setFixedSize(kWidth, kPictureHeight + noticeHeight);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);  // a coarse timer may fire 5 % early
  connect(&timer_, &QTimer::timeout, this, &QWidget::close);
  timer_.start(kSplashMilliseconds);
  qApp->installEventFilter(this);
}

SplashWindow::~SplashWindow() { qApp->removeEventFilter(this); }

bool SplashWindow::eventFilter(QObject* target, QEvent* event) {
  if (isVisible() && ClosesSplash(event->type())) {
    close();
    return true;
  }
  return QWidget::eventFilter(target, event);
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QRect picture(0, 0, width(), kPictureHeight);
  QLinearGradient sky(picture.topLeft(), picture.bottomLeft());
  sky.setColorAt(0, QColor(251, 246, 238));
  sky.setColorAt(1, QColor(233, 214, 188));
  painter.fillRect(rect(), sky);
  PaintMotif(painter, picture);
  QFont title = font();
  title.setPointSize(28);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(QColor(110, 66, 30));
  painter.drawText(QRect(0, 24, width(), 50), Qt::AlignCenter, QStringLiteral("Tintara 2.0"));
  QFont line = font();
  line.setPointSize(11);
  painter.setFont(line);
  painter.drawText(QRect(0, 76, width(), 24), Qt::AlignCenter,
                   QStringLiteral("Paint by numbers from your own photographs"));
  if (!notice_.isEmpty()) {
    painter.setFont(NoticeFont());
    painter.setPen(QColor(70, 55, 40));
    painter.drawText(QRect(16, kPictureHeight + 8, width() - 32, height() - kPictureHeight - 16),
                     Qt::TextWordWrap, notice_);
  }
  painter.setPen(QPen(QColor(176, 118, 60), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

SplashWindow* ShowSplash(const QString& notice) {
  auto* splash = new SplashWindow(notice);
  splash->setAttribute(Qt::WA_DeleteOnClose);
  splash->show();
  return splash;
}

QString ReadPaintDataNotice(const QString& programFolder) {
  QFile file(QDir(programFolder).filePath(QStringLiteral("PAINT-DATA-LICENSE.txt")));
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  return QString::fromUtf8(file.readAll()).trimmed();
}

}  // namespace tintara
