// The default printer's printable page, when one is configured.
#pragma once

#include <optional>

namespace tintara {

struct PrintableDots {
  int width = 0;   // device dots across the printable area
  int height = 0;
  int dotsPerInch = 0;  // 0: not known
};

class PrinterInfo {
 public:
  virtual ~PrinterInfo() = default;
  virtual std::optional<PrintableDots> DefaultPrinterPrintable() const = 0;
};

}  // namespace tintara
