#include "view/material_list_layout.h"

#include <algorithm>

namespace tintara {

MaterialListCell MaterialListCellOf(const PrintDeviceMetrics& device, int i) {
  MaterialListCell cell;
  cell.marginX = device.dpiX * 10 / 25;
  cell.marginY = device.dpiY * 10 / 25;
  const int m = cell.marginX;
  cell.side = (std::min(device.width, device.height) - m) / 20;
  cell.x0 = m + (device.width - 2 * m) * (i % 2) / 2;
  cell.top = 3 * m + ((device.height - 3 * cell.marginY) / kMaterialRowsPerColumn) * (i / 2);
  cell.x1 = cell.x0 + cell.side * 5 / 4;
  cell.textX = cell.x1 + cell.side + 10;
  return cell;
}

int MaterialTextTop(const MaterialListCell& cell, int textHeight) {
  return cell.top + (cell.side - textHeight) / 2;
}

std::string MaterialListText(const CFlossColor& color) {
  if (color.catalogNumber == -1) return "  " + color.colorName + "\n  " + color.brandName;
  return "  " + color.colorName + "\n  " + std::to_string(color.catalogNumber) + ", " +
         color.brandName;
}

}  // namespace tintara
