// How many pattern pixels a pattern has: the paper, resolution, orientation
// and number of pages of the printer the pattern is made for.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace tintara {

class PrinterInfo;

struct PatternPageSettings {
  int pageCount = 0;          // the pattern covers (pageCount + 1)² pages
  int useDefaultPrinter = 1;  // 1: the default printer; 0: the custom printer below
  int paperSize = 3;          // index into PaperSizes()
  int printResolution = 2;    // index into PrintResolutions()
  int orientation = 0;        // 0 portrait, 1 landscape
  int autoOrientation = 1;    // 1: whichever orientation the picture fills more of
  friend bool operator==(const PatternPageSettings&, const PatternPageSettings&) = default;
};

struct PaperSize {
  const char* text;
  double shortSide;  // inches
  double longSide;
  const char* word;  // its name on the command line and in scripted answers
};
constexpr int kPaperSizeCount = 8;
struct PrintResolution {
  const char* text;
  int dotsPerInch;
};

// In the order of the stored index: new sizes go at the end.
const std::array<PaperSize, kPaperSizeCount>& PaperSizes();
// The index of the paper called `word`, if any.
std::optional<int> PaperSizeNamed(const std::string& word);
// "letter, legal, ... or a2": the words, for messages.
std::string PaperSizeWords(const char* separator, const char* last);
const std::array<PrintResolution, 6>& PrintResolutions();
// Dots per inch of a resolution index; any other index counts as 300.
int DotsPerInchOf(int printResolution);

// "1 page", "2x2 (4 pages)", ... up to "10x10 (100 pages)".
constexpr int kMaxPagesPerSide = 10;
std::string PageCountText(int pageCount);

// The sheets per side the pattern covers, 1..kMaxPagesPerSide.
inline int PatternSheetsPerSide(const PatternPageSettings& page) {
  const int sides = page.pageCount + 1;
  return sides < 1 ? 1 : sides > kMaxPagesPerSide ? kMaxPagesPerSide : sides;
}

struct PageDots {
  int width = 0;
  int height = 0;
  friend bool operator==(const PageDots&, const PageDots&) = default;
};

// Size of the whole pattern in printer dots: the default printer's printable
// area when it is chosen and one is configured, else the custom paper at the
// custom resolution; times the pages per side. A page count outside 0..9 is
// taken as the nearest of those and a paper index outside the table as A4, so
// a bad stored value never gives an empty or absurd pattern.
PageDots PagePixelSize(const PatternPageSettings& settings, const PrinterInfo* printer);

// Whether new page settings change the pattern size: the printer choice, the
// number of pages, the automatic orientation, or, for the custom printer,
// paper, orientation or resolution.
bool PageSettingsChanged(const PatternPageSettings& before, const PatternPageSettings& after);

}  // namespace tintara
