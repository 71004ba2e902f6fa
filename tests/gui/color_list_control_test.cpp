#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <vector>

#include "app/qt_dialogs.h"
#include "colors/widgets/border_color_dialog.h"
#include "colors/widgets/color_detail_delegate.h"
#include "colors/widgets/color_detail_list.h"
#include "colors/widgets/color_list_control.h"
#include "tests/gui/gui_helpers.h"

namespace tintara {
namespace {

constexpr int kCell = 24;

CFlossColor Paint(std::string name, int number, uint8_t red, uint8_t green, uint8_t blue,
                  std::string brand = "Acme") {
  CFlossColor color;
  color.colorName = std::move(name);
  color.catalogNumber = number;
  color.brandName = std::move(brand);
  color.red = red;
  color.green = green;
  color.blue = blue;
  return color;
}

// Distinct, mid-tone colours, so that none is white or grey like the grid's own lines.
std::vector<CFlossColor> Paints(int count) {
  std::vector<CFlossColor> colors;
  for (int i = 0; i < count; ++i) {
    colors.push_back(Paint("Paint " + std::to_string(i), 1000 + i, uint8_t(40 + i % 7 * 20),
                           uint8_t(30 + i % 5 * 25), uint8_t(200 - i % 11 * 10)));
  }
  return colors;
}

// A control whose swatch frame holds exactly `columns` × `rows` cells plus
// `spare` pixels of width.
void SizeSwatchArea(ColorListControl& control, int columns, int rows, int spare) {
  const int frame = 2 * control.SwatchView()->frameWidth();
  control.resize(columns * kCell + spare + frame, rows * kCell + frame);
  control.show();
  QApplication::processEvents();
}

std::vector<int> NumbersInRows(QTreeWidget* list) {
  std::vector<int> numbers;
  for (int row = 0; row < list->topLevelItemCount(); ++row) {
    numbers.push_back(list->topLevelItem(row)->text(ColorDetailList::kNumberColumn).toInt());
  }
  return numbers;
}

void ClickHeader(QTreeWidget* list, int column) {
  QHeaderView* header = list->header();
  const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                  header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

TEST(ColorSwatchGrid, CentresTheCellsAndAClickSelectsTheColourUnderIt) {
  ColorListControl control;
  control.SetColors(Paints(40));
  // 256 cells in 10 columns make 26 rows: all fit, so no scroll bar takes width.
  SizeSwatchArea(control, 10, 26, 7);
  QWidget* viewport = control.SwatchView()->viewport();
  ASSERT_EQ(viewport->width(), 10 * kCell + 7);
  EXPECT_FALSE(control.SwatchView()->verticalScrollBar()->isVisible());
  EXPECT_EQ(control.CellRect(0), QRect(3, 0, kCell, kCell));
  EXPECT_EQ(control.CellRect(13), QRect(3 + 3 * kCell, kCell, kCell, kCell));
  EXPECT_EQ(control.CellRect(40), QRect());  // past the end of the list
  const QSize least = control.minimumSizeHint();
  EXPECT_GE(least.width(), 8 * kCell);
  EXPECT_GE(least.height(), 4 * kCell);

  QSignalSpy selected(&control, &ColorListControl::colorSelected);
  QSignalSpy clicked(&control, &ColorListControl::colorClicked);
  QTest::mouseClick(viewport, Qt::LeftButton, {}, control.CellRect(13).center());
  EXPECT_EQ(control.Selected(), 13);
  ASSERT_EQ(selected.count(), 1);
  EXPECT_EQ(selected.at(0).at(0).toInt(), 13);
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked.at(0).at(0).toInt(), 13);

  // The margins and the white cells after the list choose nothing.
  QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(1, 5));
  QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(3 + 5 * kCell + 10, 4 * kCell + 10));
  EXPECT_EQ(control.Selected(), 13);
  EXPECT_EQ(selected.count(), 1);
  EXPECT_EQ(clicked.count(), 1);
}

TEST(ColorSwatchGrid, DrawsSquaresOutlinesAndTheDottedSelection) {
  std::vector<CFlossColor> colors = Paints(12);
  colors[5] = Paint("Pale", 7, 250, 240, 200);
  colors[6] = Paint("Deep", 8, 20, 10, 60);
  std::vector<ColorNote> notes(colors.size());
  notes[5].similarPaints = "Brand X 12 Pale (ΔE 1.1)";
  notes[6].similarPaints = "Brand Y 3 Deep (ΔE 0.9)";
  ColorListControl control;
  control.SetColors(colors, notes);
  SizeSwatchArea(control, 8, 32, 0);
  control.SetSelected(2);
  QWidget* viewport = control.SwatchView()->viewport();
  const QImage image = viewport->grab().toImage();
  auto pixel = [&](QPoint at) { return QColor(image.pixel(at)); };

  const QRect cell = control.CellRect(1);
  const QColor paint(colors[1].red, colors[1].green, colors[1].blue);
  EXPECT_EQ(pixel(cell.topLeft() + QPoint(2, 2)), QColor(0x80, 0x80, 0x80));    // outline corner
  EXPECT_EQ(pixel(cell.topLeft() + QPoint(22, 22)), QColor(0x80, 0x80, 0x80));  // 21 pixels on
  EXPECT_EQ(pixel(cell.topLeft() + QPoint(3, 3)), paint);
  EXPECT_EQ(pixel(cell.topLeft() + QPoint(21, 21)), paint);
  EXPECT_EQ(pixel(cell.topLeft() + QPoint(23, 23)), QColor(Qt::white));

  // Only the selected cell has an outline of alternating black and white dots.
  auto outlineInk = [&](QRect of) {
    int black = 0;
    for (int x = of.left(); x <= of.right(); ++x) black += pixel({x, of.top()}) == Qt::black;
    return black;
  };
  const int dots = outlineInk(control.CellRect(2));
  EXPECT_GT(dots, 6);
  EXPECT_LT(dots, kCell);
  EXPECT_EQ(outlineInk(cell), 0);

  // Look-alike paints are marked in a colour that shows on them.
  const QPoint mark(19, 4);
  EXPECT_EQ(pixel(control.CellRect(5).topLeft() + mark), QColor(Qt::black));
  EXPECT_EQ(pixel(control.CellRect(6).topLeft() + mark), QColor(Qt::white));
  EXPECT_EQ(pixel(cell.topLeft() + mark), paint);
  // Past the list: white up to the end of the row.
  EXPECT_EQ(pixel(QPoint(4 * kCell + 12, kCell + 12)), QColor(Qt::white));
}

TEST(ColorSwatchGrid, ScrollsByWholeRowsToShowTheSelection) {
  ColorListControl control;
  control.SetColors(Paints(400));
  SizeSwatchArea(control, 12, 5, 0);
  QAbstractScrollArea* view = control.SwatchView();
  QScrollBar* bar = view->verticalScrollBar();
  ASSERT_TRUE(bar->isVisible());
  // The bar's width is taken from the columns, and the rest is centred again.
  const int columns = view->viewport()->width() / kCell;
  EXPECT_EQ(control.CellRect(0).x(), (view->viewport()->width() - columns * kCell) / 2);
  EXPECT_EQ(control.CellRect(columns).y(), kCell);

  control.SetSelected(399);
  const QRect last = control.CellRect(399);
  ASSERT_FALSE(last.isEmpty());
  EXPECT_EQ(last.y() % kCell, 0);
  EXPECT_LE(last.bottom(), view->viewport()->height() - 1);
  EXPECT_EQ(bar->value(), 399 / columns - 4);
  EXPECT_EQ(control.CellRect(0), QRect());

  QTest::keyClick(view, Qt::Key_PageUp);
  EXPECT_EQ(bar->value(), 399 / columns - 9);
  control.SetSelected(0);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(control.CellRect(0).topLeft().y(), 0);
}

TEST(ColorSwatchGrid, ArrowKeysMoveByCellAndRowAndBeepAtTheEnds) {
  ColorListControl control;
  control.SetColors(Paints(30));
  SizeSwatchArea(control, 10, 26, 0);
  QAbstractScrollArea* view = control.SwatchView();
  QSignalSpy selected(&control, &ColorListControl::colorSelected);
  QSignalSpy beeped(&control, &ColorListControl::beeped);
  control.SetSelected(0);
  EXPECT_EQ(selected.count(), 0);  // only the user's choices are reported

  auto press = [&](Qt::Key key) {
    QTest::keyClick(view, key);
    return control.Selected();
  };
  EXPECT_EQ(press(Qt::Key_Left), 0);
  EXPECT_EQ(beeped.count(), 1);
  EXPECT_EQ(press(Qt::Key_Up), 0);
  EXPECT_EQ(beeped.count(), 2);
  EXPECT_EQ(selected.count(), 0);
  EXPECT_EQ(press(Qt::Key_Right), 1);
  EXPECT_EQ(press(Qt::Key_Down), 11);
  EXPECT_EQ(press(Qt::Key_Down), 21);
  EXPECT_EQ(press(Qt::Key_Down), 21);  // row 3 has no cell 31
  EXPECT_EQ(beeped.count(), 3);
  EXPECT_EQ(press(Qt::Key_Up), 11);
  EXPECT_EQ(selected.count(), 4);
  EXPECT_EQ(selected.last().at(0).toInt(), 11);

  control.SetSelected(29);
  EXPECT_EQ(press(Qt::Key_Right), 29);
  EXPECT_EQ(beeped.count(), 4);
  EXPECT_EQ(press(Qt::Key_Left), 28);
  // The detail list follows the swatch grid.
  auto* details = static_cast<ColorDetailList*>(control.DetailView());
  EXPECT_EQ(details->PositionOfRow(details->indexOfTopLevelItem(details->currentItem())), 28);
}

TEST(ColorDetailList, HeaderClicksSortAndASecondClickReverses) {
  ColorListControl control;
  control.SetColors({Paint("Umber", 310, 90, 60, 30), Paint("azure", 5, 100, 180, 240),
                     Paint("Coral", 120, 250, 120, 100), Paint("Black", 77, 10, 10, 10),
                     Paint("Snow", 999, 250, 250, 250)});
  control.SetDetailsView(true);
  control.resize(400, 300);
  control.show();
  QApplication::processEvents();
  QTreeWidget* list = control.DetailView();
  EXPECT_EQ(NumbersInRows(list), (std::vector<int>{310, 5, 120, 77, 999}));  // list order

  ClickHeader(list, ColorDetailList::kNumberColumn);
  EXPECT_EQ(NumbersInRows(list), (std::vector<int>{5, 77, 120, 310, 999}));
  ClickHeader(list, ColorDetailList::kNumberColumn);
  EXPECT_EQ(NumbersInRows(list), (std::vector<int>{999, 310, 120, 77, 5}));
  // By text without regard to case, and by red + green + blue.
  ClickHeader(list, ColorDetailList::kNameColumn);
  EXPECT_EQ(NumbersInRows(list), (std::vector<int>{5, 77, 120, 999, 310}));
  ClickHeader(list, ColorDetailList::kColorColumn);
  EXPECT_EQ(NumbersInRows(list), (std::vector<int>{77, 310, 120, 5, 999}));

  // A click on a sorted row reports the colour's place in the list.
  QSignalSpy selected(&control, &ColorListControl::colorSelected);
  const QRect second = list->visualItemRect(list->topLevelItem(1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
  EXPECT_EQ(control.Selected(), 0);  // "Umber", number 310
  ASSERT_EQ(selected.count(), 1);
  EXPECT_EQ(selected.at(0).at(0).toInt(), 0);
  control.SetDetailsView(false);
  EXPECT_FALSE(control.CellRect(0).isEmpty());
  EXPECT_EQ(control.Selected(), 0);
}

TEST(ColorDetailList, ColumnsShareTheWidthAsRuled) {
  ColorListControl control;
  control.SetColors(Paints(3));
  control.resize(517, 300);
  control.show();
  QApplication::processEvents();
  // Switched to after the control is laid out, as the dialogs' check box does.
  control.SetDetailsView(true);
  QApplication::processEvents();
  QTreeWidget* list = control.DetailView();
  const int w = 517 - list->verticalScrollBar()->sizeHint().width();
  ASSERT_EQ(list->columnCount(), 4);
  EXPECT_EQ(list->headerItem()->text(0), "Color");
  EXPECT_EQ(list->headerItem()->text(1), "Name");
  EXPECT_EQ(list->headerItem()->text(2), "Number");
  EXPECT_EQ(list->headerItem()->text(3), "Brand");
  EXPECT_EQ(list->columnWidth(0), w / 8);
  EXPECT_EQ(list->columnWidth(2), w / 8);
  EXPECT_EQ(list->columnWidth(1), (w - 2 * (w / 8)) / 2);
  EXPECT_EQ(list->columnWidth(3), (w - 2 * (w / 8)) / 2);
  EXPECT_EQ(list->topLevelItem(1)->text(2), "1001");

  // Once a pattern gives area shares, a fifth column shows them.
  std::vector<ColorNote> notes(3);
  notes[0].areaPercent = 12.5;
  notes[1].areaPercent = 0.04;
  notes[2].areaPercent = 87.46;
  control.SetColors(Paints(3), notes);
  control.resize(640, 300);
  QApplication::processEvents();
  const int w2 = 640 - list->verticalScrollBar()->sizeHint().width();
  ASSERT_EQ(list->columnCount(), 5);
  EXPECT_EQ(list->headerItem()->text(4), "Area");
  EXPECT_EQ(list->columnWidth(4), w2 / 8);
  EXPECT_EQ(list->columnWidth(1), (w2 - 3 * (w2 / 8)) / 2);
  EXPECT_EQ(list->topLevelItem(0)->text(4), "12.5%");
  EXPECT_EQ(list->topLevelItem(1)->text(4), "0.0%");
  ClickHeader(list, ColorDetailList::kAreaColumn);
  EXPECT_EQ(NumbersInRows(list), (std::vector<int>{1001, 1000, 1002}));
}

TEST(ColorDetailList, CutsLongTextWithThreeDots) {
  const QString longName = "A very long paint name that cannot fit a narrow column";
  ColorListControl control;
  control.SetColors({Paint(longName.toStdString(), 1, 1, 2, 3), Paint("Red", 2, 200, 0, 0)});
  control.SetDetailsView(true);
  control.resize(300, 200);
  control.show();
  QApplication::processEvents();
  auto* list = static_cast<ColorDetailList*>(control.DetailView());
  const QString shown = list->ShownText(0, ColorDetailList::kNameColumn);
  EXPECT_TRUE(shown.endsWith("...")) << shown.toStdString();
  EXPECT_FALSE(shown.contains(QChar(0x2026)));
  EXPECT_TRUE(longName.startsWith(shown.chopped(3)));
  EXPECT_GT(shown.size(), 4);
  EXPECT_LE(QFontMetrics(list->font()).horizontalAdvance(shown),
            list->columnWidth(ColorDetailList::kNameColumn));
  EXPECT_EQ(list->ShownText(1, ColorDetailList::kNameColumn), "Red");

  // The longest start that fits is kept.
  QFontMetrics metrics(list->font());
  const int room = metrics.horizontalAdvance("A very...");
  EXPECT_EQ(ElideWithDots(longName, metrics, room), "A very...");
  EXPECT_EQ(ElideWithDots("Red", metrics, metrics.horizontalAdvance("Red")), "Red");
}

TEST(ColorInfoLine, NamesThePaintAndItsNotes) {
  const CFlossColor ivory = Paint("Ivory", 3102, 250, 245, 230);
  EXPECT_EQ(ColorInfoLine(ivory), "Ivory, Catalog No - 3102, Brand - Acme");
  ColorNote note;
  EXPECT_EQ(ColorInfoLine(ivory, &note), "Ivory, Catalog No - 3102, Brand - Acme");
  note.areaPercent = 12.5;
  EXPECT_EQ(ColorInfoLine(ivory, &note),
            QString::fromUtf8("Ivory, Catalog No - 3102, Brand - Acme \u2014 12.5% of the "
                              "pattern"));
  note.similarPaints = "Brand X 123 Name (ΔE 1.4)";
  EXPECT_EQ(ColorInfoLine(ivory, &note),
            QString::fromUtf8("Ivory, Catalog No - 3102, Brand - Acme \u2014 12.5% of the "
                              "pattern; like Brand X 123 Name (ΔE 1.4)"));
  ColorListControl control;
  control.SetColors({ivory}, {note});
  control.SetDetailsView(true);
  EXPECT_EQ(control.DetailView()->topLevelItem(0)->toolTip(1), ColorInfoLine(ivory, &note));
}

TEST(BorderColorDialog, OffersTheSixLevelGridAndPreselectsTheNearest) {
  const std::vector<Rgb> grid = BorderGridColors();
  ASSERT_EQ(grid.size(), 216u);
  EXPECT_EQ(grid[1], (Rgb{0, 0, 51}));
  EXPECT_EQ(grid[6], (Rgb{0, 51, 0}));
  EXPECT_EQ(grid[36], (Rgb{51, 0, 0}));
  EXPECT_EQ(grid[215], (Rgb{255, 255, 255}));

  BorderColorDialog exact(PackColor(204, 0, 153));
  EXPECT_EQ(exact.windowTitle(), "Set borders color");
  EXPECT_EQ(exact.List()->Selected(), 4 * 36 + 3);
  EXPECT_EQ(exact.InfoLine()->text(), "Red: 204, Green: 0, Blue: 153");

  BorderColorDialog dialog(PackColor(60, 110, 250));
  EXPECT_EQ(dialog.List()->Selected(), 36 + 2 * 6 + 5);
  EXPECT_EQ(dialog.InfoLine()->text(), "Red: 51, Green: 102, Blue: 255");
  dialog.show();
  QApplication::processEvents();
  // The whole grid shows at once.
  QAbstractScrollArea* view = dialog.List()->SwatchView();
  EXPECT_FALSE(view->verticalScrollBar()->isVisible());
  for (int position = 0; position < 216; ++position) {
    ASSERT_TRUE(view->viewport()->rect().contains(dialog.List()->CellRect(position)))
        << position;
  }
  // The information line follows the keys.
  QTest::keyClick(view, Qt::Key_Right);
  EXPECT_EQ(dialog.InfoLine()->text(), "Red: 51, Green: 153, Blue: 0");
  QTest::keyClick(view, Qt::Key_Up);
  EXPECT_EQ(dialog.InfoLine()->text(), "Red: 51, Green: 0, Blue: 0");
  EXPECT_EQ(dialog.Chosen(), std::nullopt);
}

TEST(BorderColorDialog, AClickOrEnterChoosesAndEscapeCancels) {
  BorderColorDialog dialog(0);
  dialog.show();
  QApplication::processEvents();
  const int position = 2 * 36 + 4 * 6 + 4;
  QTest::mouseClick(dialog.List()->SwatchView()->viewport(), Qt::LeftButton, {},
                    dialog.List()->CellRect(position).center());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Chosen(), std::optional<uint32_t>(PackColor(102, 204, 204)));

  BorderColorDialog keyed(PackColor(255, 250, 0));
  keyed.show();
  QApplication::processEvents();
  QTest::keyClick(keyed.List()->SwatchView(), Qt::Key_Left);
  QTest::keyClick(keyed.List()->SwatchView(), Qt::Key_Return);
  EXPECT_EQ(keyed.result(), QDialog::Accepted);
  EXPECT_EQ(keyed.Chosen(), std::optional<uint32_t>(PackColor(255, 204, 255)));

  BorderColorDialog cancelled(0);
  cancelled.show();
  QApplication::processEvents();
  QTest::keyClick(cancelled.List()->SwatchView(), Qt::Key_Escape);
  EXPECT_EQ(cancelled.result(), QDialog::Rejected);
  EXPECT_EQ(cancelled.Chosen(), std::nullopt);
}

TEST(BorderColorDialog, GuidedInterfaceAsksWithTheGrid) {
  QtDialogs dialogs;
  test::WhenModalAppears([](QWidget* modal) {
    auto* grid = qobject_cast<BorderColorDialog*>(modal);
    ASSERT_NE(grid, nullptr);
    QTest::mouseClick(grid->List()->SwatchView()->viewport(), Qt::LeftButton, {},
                      grid->List()->CellRect(1).center());
  });
  EXPECT_EQ(dialogs.ChooseBorderColor(PackColor(9, 9, 9), false),
            std::optional<uint32_t>(PackColor(0, 0, 51)));
}

}  // namespace
}  // namespace tintara
