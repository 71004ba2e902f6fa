#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Tintara 2.0"));
  window.setMinimumSize(700, 600);
  window.showMaximized();
  return application.exec();
}
