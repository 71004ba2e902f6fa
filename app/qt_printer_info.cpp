#include "app/qt_printer_info.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace tintara {

void QtPrinterInfo::Refresh() {
  printable_.reset();
  QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return;
  QPrinter printer(info, QPrinter::HighResolution);
  QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
  if (paint.width() > 0 && paint.height() > 0) printable_ = PrintableDots{paint.width(), paint.height(), printer.resolution()};
}

}  // namespace tintara
