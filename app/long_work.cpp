#include "app/long_work.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QWidget>
#include <exception>
#include <thread>

#include "app/qt_ui_host.h"

namespace tintara {

namespace {

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::Close:
      return true;
    default:
      return false;
  }
}

// Lets input reach only the window on top (the progress window or a message
// the work asked for).
class InputGate : public QObject {
 public:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (!IsInput(event->type())) return false;
    auto* widget = qobject_cast<QWidget*>(target);
    if (widget == nullptr) return false;
    QWidget* modal = QApplication::activeModalWidget();
    return modal == nullptr || widget->window() != modal;
  }
};

}  // namespace

void RunLongWork(QtUiHost& host, const std::function<void()>& work) {
  InputGate gate;
  qApp->installEventFilter(&gate);
  emit host.longWorkStarted();
  QEventLoop loop;
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  qApp->removeEventFilter(&gate);
  emit host.longWorkFinished();
  host.FlushDeferredNotices();
  // Whatever escaped the work surfaces here, on the caller's thread.
  if (failure) std::rethrow_exception(failure);
}

}  // namespace tintara
