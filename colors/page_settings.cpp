#include "colors/page_settings.h"

#include <algorithm>

#include "ports/printer_info.h"

namespace tintara {

const std::array<PaperSize, kPaperSizeCount>& PaperSizes() {
  static const std::array<PaperSize, kPaperSizeCount> sizes{{
      {"Letter (8 1/2 x 11 in)", 8.5, 11.0, "letter"},
      {"Legal (8 1/2 x 14 in)", 8.5, 14.0, "legal"},
      {"Executive (7 1/2 x 10 1/2 in)", 7.5, 10.5, "executive"},
      {"A4 (210 x 297 mm)", 8.26771653543307, 11.69291338582677, "a4"},
      {"A5 (148 x 210 mm)", 5.826771653543307, 8.26771653543307, "a5"},
      {"A3 (297 x 420 mm)", 11.69291338582677, 16.53543307086614, "a3"},
      {"A2 (420 x 594 mm)", 16.53543307086614, 23.38582677165354, "a2"},
      {"Tabloid (11 x 17 in)", 11.0, 17.0, "tabloid"},
  }};
  return sizes;
}

std::optional<int> PaperSizeNamed(const std::string& word) {
  for (size_t i = 0; i < PaperSizes().size(); ++i) {
    if (word == PaperSizes()[i].word) return int(i);
  }
  return std::nullopt;
}

std::string PaperSizeWords(const char* separator, const char* last) {
  std::string words;
  for (size_t i = 0; i < PaperSizes().size(); ++i) {
    if (i > 0) words += i + 1 == PaperSizes().size() ? last : separator;
    words += PaperSizes()[i].word;
  }
  return words;
}

const std::array<PrintResolution, 6>& PrintResolutions() {
  static const std::array<PrintResolution, 6> resolutions{{
      {"150 DPI", 150},
      {"300 DPI", 300},
      {"600 DPI", 600},
      {"1200 DPI", 1200},
      {"2400 DPI", 2400},
      {"4800 DPI", 4800},
  }};
  return resolutions;
}

int DotsPerInchOf(int printResolution) {
  if (printResolution < 0 || printResolution >= int(PrintResolutions().size())) return 300;
  return PrintResolutions()[size_t(printResolution)].dotsPerInch;
}

std::string PageCountText(int pageCount) {
  if (pageCount <= 0) return "1 page";
  std::string side = std::to_string(pageCount + 1);
  return side + "x" + side + " (" + std::to_string((pageCount + 1) * (pageCount + 1)) +
         " pages)";
}

PageDots PagePixelSize(const PatternPageSettings& settings, const PrinterInfo* printer) {
  const int pagesPerSide = std::clamp(settings.pageCount, 0, kMaxPagesPerSide - 1) + 1;
  if (settings.useDefaultPrinter == 1 && printer != nullptr) {
    if (std::optional<PrintableDots> page = printer->DefaultPrinterPrintable()) {
      return {page->width * pagesPerSide, page->height * pagesPerSide};
    }
  }
  const int paperIndex =
      settings.paperSize >= 0 && settings.paperSize < int(PaperSizes().size()) ? settings.paperSize
                                                                               : 3;
  const PaperSize& paper = PaperSizes()[size_t(paperIndex)];
  double across = paper.shortSide, down = paper.longSide;
  if (settings.orientation == 1) std::swap(across, down);
  const double dots = double(pagesPerSide) * DotsPerInchOf(settings.printResolution);
  return {int(dots * across), int(dots * down)};
}

bool PageSettingsChanged(const PatternPageSettings& before, const PatternPageSettings& after) {
  if (before.useDefaultPrinter != after.useDefaultPrinter) return true;
  if (before.pageCount != after.pageCount) return true;
  if (before.autoOrientation != after.autoOrientation) return true;
  if (after.useDefaultPrinter == 1) return false;
  return before.paperSize != after.paperSize || before.orientation != after.orientation ||
         before.printResolution != after.printResolution;
}

}  // namespace tintara
