// The material list page: for each paint colour the sample as the pattern
// shows it, a swatch of the paint and its name, catalogue number and brand,
// two columns of sixteen to a page. With the shopping list switched on each
// entry also tells the paint to buy, and the page the total.
#pragma once

#include <QFontMetricsF>
#include <QPainter>
#include <QRect>
#include <QStringList>
#include <optional>

#include "colors/tessel_params.h"
#include "view/material_list_layout.h"
#include "view/shopping_list.h"

namespace tintara {

// Where one colour's parts go, `indexOnPage` 0..31, for `lineCount` lines of
// text of `lineHeight`: the text box runs from the text's left edge to just
// before the next column and is centred on the swatch.
struct KeyEntryBoxes {
  QRect sample;
  QRect patch;
  QRect text;
};
KeyEntryBoxes KeyEntryOnPage(const PrintDeviceMetrics& device, int lineHeight, int indexOnPage,
                             int lineCount = 2);

// The entry's lines as the list prints them ("  name", "  number, brand"),
// each elided when it would run into the next column.
QStringList KeyTextLines(const CFlossColor& color, const QFontMetricsF& metrics, int width);

// "  4.2 %, 35.1 cm², 0.70 ml: 1 pot" for one colour; the total line.
QString ShoppingLine(const ShoppingItem& item, const PaintCoverage& coverage);
QString ShoppingTotalLine(const ShoppingList& list, const PaintCoverage& coverage);

int MaterialListPageCount(const CTesselParams& params);

// Page `page` (1-based) with the painter at the printable area's top-left and
// its font set. The shopping list, when given, adds its lines.
struct ShoppingOnPage {
  const ShoppingList* list = nullptr;
  PaintCoverage coverage;
  // Cells of each position: a paint with none is marked "not used".
  const std::array<uint64_t, 256>* cells = nullptr;
};
void DrawMaterialListPage(QPainter& painter, const PrintDeviceMetrics& device,
                          const CTesselParams& params, int page, const ShoppingOnPage& shopping);

}  // namespace tintara
