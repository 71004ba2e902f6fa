// The default printer's printable page through Qt's print support. Asking
// the print system can take a while and must happen on the user-interface
// thread, so the answer is kept until Refresh asks again.
#pragma once

#include <optional>

#include "ports/printer_info.h"

namespace tintara {

class QtPrinterInfo : public PrinterInfo {
 public:
  // Asks the print system again; user-interface thread only.
  void Refresh();
  std::optional<PrintableDots> DefaultPrinterPrintable() const override { return printable_; }

 private:
  std::optional<PrintableDots> printable_;
};

}  // namespace tintara
