// Where each colour of the material list goes on its page: the sample cell as
// the pattern shows the colour, the paint swatch and the two lines of text,
// in two columns of sixteen.
#pragma once

#include <string>

#include "colors/floss_color.h"

namespace tintara {

constexpr int kMaterialRowsPerColumn = 16;
constexpr int kMaterialColorsPerPage = 2 * kMaterialRowsPerColumn;

// The device: dots per inch and the printable size in pixels.
struct PrintDeviceMetrics {
  int dpiX = 0;
  int dpiY = 0;
  int width = 0;
  int height = 0;
};

struct MaterialListCell {
  int marginX = 0;  // 0.4 inch
  int marginY = 0;
  int side = 0;     // of the sample cell and of the swatch
  int x0 = 0;       // sample cell
  int top = 0;
  int x1 = 0;       // paint swatch
  int textX = 0;
};

// Colour i (0-based on its page) goes to column i mod 2 and row i div 2.
MaterialListCell MaterialListCellOf(const PrintDeviceMetrics& device, int i);

// Top of a text of `textHeight` centred on the swatch of the cell.
int MaterialTextTop(const MaterialListCell& cell, int textHeight);

// "  name\n  number, brand", or "  name\n  brand" without a catalogue number.
std::string MaterialListText(const CFlossColor& color);

}  // namespace tintara
