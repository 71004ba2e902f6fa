// Printing as the user does it: "How to print", the print commands from the
// File menu with "Print range", the preview, and the Finish page with "Save
// as PDF". The printer is a PDF printer writing a file, so the pages can be
// read back with the poppler tools.
#include <QDialogButtonBox>
#include <QGraphicsView>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <filesystem>
#include <set>

#include "app/panel_buttons.h"
#include "app/print_host.h"
#include "app/sheet_preview_dialog.h"
#include "app/stage_panels.h"
#include "colors/widgets/pattern_size_dialog.h"
#include "document/command_menu_texts.h"
#include "tests/support/poppler_output.h"
#include "tests/app/app_fixture.h"
#include "view/widgets/how_to_print_dialog.h"
#include "view/widgets/print_range_dialog.h"

namespace tintara::test {
namespace {

int PdfPages(const std::string& path) {
  QString info = Poppler(QStringLiteral("pdfinfo"), {QString::fromStdString(path)});
  for (const QString& line : info.split('\n')) {
    if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
  }
  return -1;
}

QString PdfText(const std::string& path) {
  return Poppler(QStringLiteral("pdftotext"), {QString::fromStdString(path), QStringLiteral("-")});
}

// Each page's size in points, as pdfinfo tells it.
std::vector<QSizeF> PdfPageSizes(const std::string& path, int pages) {
  QString info = Poppler(QStringLiteral("pdfinfo"),
                         {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                          QString::number(pages), QString::fromStdString(path)});
  std::vector<QSizeF> sizes;
  for (const QString& line : info.split('\n')) {
    if (!line.startsWith(QStringLiteral("Page")) || !line.contains(QStringLiteral(" size:"))) continue;
    QStringList words = line.section(QStringLiteral("size:"), 1).simplified().split(' ');
    if (words.size() >= 3) sizes.emplace_back(words[0].toDouble(), words[2].toDouble());
  }
  return sizes;
}

QString PdfPageText(const std::string& path, int page) {
  return Poppler(QStringLiteral("pdftotext"),
                 {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                  QString::number(page), QString::fromStdString(path), QStringLiteral("-")});
}

void PressOk(QWidget* dialog) {
  auto* buttons = dialog->findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  buttons->button(QDialogButtonBox::Ok)->click();
}

class PrintingTest : public ::testing::Test, public AppFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(Start(), StartResult::kRunning);
    ASSERT_TRUE(app->LoadPictureFile(WritePicture("print.png", 120, 90)));
  }
  void MakePattern() {
    if (Doc().pictureEditing != 0) {
      ASSERT_TRUE(app->Dispatch(cmd::kFinishPictureEditing));
    }
    ASSERT_TRUE(app->Dispatch(cmd::kCreateDrawingPattern));
    ASSERT_TRUE(Doc().patternImage);
  }
  std::string PrintToFile(const std::string& name) {
    std::string path = folder.File(name);
    QPrinter& printer = app->Printing()->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    return path;
  }
  // An item of the File menu's "Print" or "Print Preview" submenu.
  QAction* FileSubmenuItem(const QString& submenu, const QString& text) {
    QAction* sub = MenuItem(QStringLiteral("&File"), submenu);
    if (sub == nullptr || sub->menu() == nullptr) return nullptr;
    return FindItem(sub->menu(), text);
  }
  void ChooseFromFile(const QString& submenu, const QString& text) {
    QAction* item = FileSubmenuItem(submenu, text);
    ASSERT_NE(item, nullptr) << text.toStdString();
    Frame().UpdateActions();
    ASSERT_TRUE(item->isEnabled()) << text.toStdString();
    item->trigger();
  }
  AppSettings& Settings() { return app->Environment().app; }
  // "Size of Painting Pattern" from the Pattern menu: `sheets` per side, one
  // way up; with a pattern already made it is made again.
  void ChoosePatternSize(int sheets, bool landscape) {
    std::vector<std::function<void(QWidget*)>> acts = {[=](QWidget* modal) {
      auto* dialog = qobject_cast<PatternSizeDialog*>(modal);
      ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
      dialog->Pages()->setCurrentIndex(sheets - 1);
      if (landscape) dialog->Landscape()->setChecked(true);
      PressOk(dialog);
    }};
    if (Doc().patternImage) {
      acts.push_back([](QWidget* modal) { PressMessageButton(modal, kResultYes); });
    }
    if (Doc().pictureEditing != 0) {
      ASSERT_TRUE(app->Dispatch(cmd::kFinishPictureEditing));
    }
    Frame().UpdateActions();
    ModalScript answers(acts);
    Choose(QStringLiteral("&Pattern"), QStringLiteral("Si&ze of painting pattern..."));
    ASSERT_EQ(answers.Answered(), acts.size());
  }
};

TEST_F(PrintingTest, EachKindIsEnabledByTheImageItPrints) {
  Frame().UpdateActions();
  const QString print = QStringLiteral("&Print");
  const QString preview = QStringLiteral("Print Pre&view");
  EXPECT_TRUE(FileSubmenuItem(print, QStringLiteral("&Initial picture"))->isEnabled());
  EXPECT_FALSE(FileSubmenuItem(print, QStringLiteral("&Converted picture"))->isEnabled());
  EXPECT_FALSE(FileSubmenuItem(print, QStringLiteral("&Painting pattern"))->isEnabled());
  EXPECT_FALSE(FileSubmenuItem(preview, QStringLiteral("Color &Key"))->isEnabled());
  EXPECT_FALSE(MenuItem(QStringLiteral("&File"), QStringLiteral("Save as P&DF..."))->isEnabled());
  EXPECT_TRUE(MenuItem(QStringLiteral("&File"), QStringLiteral("P&rint Setup..."))->isEnabled());
  MakePattern();
  Frame().UpdateActions();
  EXPECT_TRUE(FileSubmenuItem(print, QStringLiteral("&Painting pattern"))->isEnabled());
  EXPECT_TRUE(FileSubmenuItem(preview, QStringLiteral("Color &Key"))->isEnabled());
  EXPECT_TRUE(MenuItem(QStringLiteral("&File"), QStringLiteral("Save as P&DF..."))->isEnabled());
}

TEST_F(PrintingTest, HowToPrintSetsTheSheetsAndAidsAndTheyAreKept) {
  bool aidsOffForOnePage = false;
  {
    ModalAnswer answer([&](QWidget* modal) {
      auto* dialog = qobject_cast<HowToPrintDialog*>(modal);
      ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
      EXPECT_EQ(dialog->windowTitle(), QStringLiteral("How to print"));
      EXPECT_EQ(dialog->Pages()->count(), 10);
      EXPECT_EQ(dialog->Pages()->itemText(2), QStringLiteral("3x3 (9 pages)"));
      aidsOffForOnePage = !dialog->Marks()->isEnabled() && !dialog->Coats()->isEnabled();
      dialog->Pages()->setCurrentIndex(2);
      dialog->Marks()->setChecked(true);
      dialog->Overlap()->setValue(5);
      dialog->ShoppingList()->setChecked(true);
      EXPECT_TRUE(dialog->Coats()->isEnabled());
      dialog->Pot()->setValue(50);
      PressOk(dialog);
    });
    Choose(QStringLiteral("&File"), QStringLiteral("P&rint Setup..."));
    ASSERT_EQ(answer.Answered(), 1u);
  }
  EXPECT_TRUE(aidsOffForOnePage);
  EXPECT_EQ(Settings().printFit, 3);
  EXPECT_EQ(Settings().printMarks, 1);
  EXPECT_EQ(Settings().printOverlapMm, 5);
  EXPECT_EQ(Settings().printShoppingList, 1);
  EXPECT_EQ(Settings().printPotMillilitres, 50);
  {
    // Cancel changes nothing.
    ModalAnswer answer([](QWidget* modal) {
      auto* dialog = qobject_cast<HowToPrintDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->Pages()->currentIndex(), 2);  // opens with the stored choice
      dialog->Pages()->setCurrentIndex(0);
      dialog->reject();
    });
    Choose(QStringLiteral("&File"), QStringLiteral("P&rint Setup..."));
  }
  EXPECT_EQ(Settings().printFit, 3);
  app->Exit();
  QSettings stored(Ini(), QSettings::IniFormat);
  EXPECT_EQ(stored.value("PRINT/FIT").toInt(), 3);
  EXPECT_EQ(stored.value("PRINT/REGMARKS").toInt(), 1);
  EXPECT_EQ(stored.value("PRINT/OVERLAPMM").toInt(), 5);
  EXPECT_EQ(stored.value("PRINT/POTML").toInt(), 50);
}

TEST_F(PrintingTest, PrinterInHowToPrintOpensThePrinterSetUp) {
  QString setUpClass;
  QString setUpTitle;
  {
    ModalScript answers({[](QWidget* modal) {
                           auto* dialog = qobject_cast<HowToPrintDialog*>(modal);
                           ASSERT_NE(dialog, nullptr);
                           dialog->Pages()->setCurrentIndex(1);
                           // Pressed once this answer has returned: the set-up is modal too.
                           QTimer::singleShot(0, dialog->PrinterButton(), &QPushButton::click);
                         },
                         [&](QWidget* modal) {
                           setUpClass = modal->metaObject()->className();
                           setUpTitle = modal->windowTitle();
                           static_cast<QDialog*>(modal)->reject();
                         },
                         [](QWidget* modal) { PressOk(modal); }});
    Choose(QStringLiteral("&File"), QStringLiteral("P&rint Setup..."));
    ASSERT_EQ(answers.Answered(), 3u);
  }
  EXPECT_EQ(setUpClass, QStringLiteral("QPrintDialog"));
  EXPECT_EQ(setUpTitle, QStringLiteral("Print Setup"));
  EXPECT_EQ(Settings().printFit, 2);  // the set-up's Cancel leaves "How to print" open
}

TEST_F(PrintingTest, PrintsEverySheetOrTheOneChosenAndForgetsTheChoiceAfterwards) {
  MakePattern();
  Settings().printFit = 2;
  const std::string all = PrintToFile("all.pdf");
  {
    ModalAnswer answer([](QWidget* modal) {
      auto* dialog = qobject_cast<PrintRangeDialog*>(modal);
      ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
      EXPECT_EQ(dialog->All()->text(), QStringLiteral("&All 4 pages"));
      EXPECT_TRUE(dialog->All()->isChecked());
      EXPECT_FALSE(dialog->Row()->isVisible());
      PressOk(dialog);
    });
    ChooseFromFile(QStringLiteral("&Print"), QStringLiteral("&Painting pattern"));
    ASSERT_EQ(answer.Answered(), 1u);
  }
  ASSERT_TRUE(std::filesystem::exists(all));
  EXPECT_EQ(PdfPages(all), 4);
  QString text = PdfText(all);
  for (int page = 1; page <= 4; ++page) {
    EXPECT_TRUE(text.contains(QStringLiteral("Page No %1 from 4").arg(page))) << page;
  }

  const std::string one = PrintToFile("one.pdf");
  {
    ModalAnswer answer([this](QWidget* modal) {
      auto* dialog = qobject_cast<PrintRangeDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      dialog->OnePage()->click();
      EXPECT_TRUE(dialog->Row()->isVisible());
      EXPECT_EQ(dialog->Column()->maximum(), 2);
      dialog->Row()->setValue(1);
      dialog->Column()->setValue(2);
      PressOk(dialog);
    });
    ChooseFromFile(QStringLiteral("&Print"), QStringLiteral("&Painting pattern"));
  }
  EXPECT_EQ(PdfPages(one), 1);
  // Row 1, column 2 of 2 x 2 is the top-right sheet.
  EXPECT_TRUE(PdfText(one).contains(QStringLiteral("Page No 4 from 4")));
  EXPECT_FALSE(Doc().printJob.onePage);
  EXPECT_EQ(Doc().printJob.onePageRow, 1);
  EXPECT_EQ(Doc().printJob.onePageColumn, 1);

  // Cancel abandons the job: nothing is printed.
  const std::string none = PrintToFile("none.pdf");
  {
    ModalAnswer answer([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    ChooseFromFile(QStringLiteral("&Print"), QStringLiteral("&Initial picture"));
    ASSERT_EQ(answer.Answered(), 1u);
  }
  EXPECT_FALSE(std::filesystem::exists(none));
}

TEST_F(PrintingTest, TheColorKeyPrintsWithoutAskingAndNamesThePaints) {
  MakePattern();
  Settings().printFit = 3;
  const std::string key = PrintToFile("key.pdf");
  {
    ModalAnswer unexpected([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    ChooseFromFile(QStringLiteral("&Print"), QStringLiteral("Color &Key"));
    EXPECT_EQ(unexpected.Answered(), 0u);
  }
  EXPECT_EQ(PdfPages(key), 1);
  QString text = PdfText(key);
  ASSERT_FALSE(Doc().params.workingPalette.empty());
  EXPECT_TRUE(text.contains(QString::fromStdString(Doc().params.workingPalette[0].colorName)));
  EXPECT_TRUE(text.contains(QString::fromStdString(Doc().params.workingPalette.back().colorName)));
}

// Without a printer the job goes to a PDF file the user names; cancelling the
// file dialog ends the job quietly, and the next job asks again.
TEST_F(PrintingTest, WithoutAPrinterTheJobIsPrintedToAPdfFile) {
  Settings().printFit = 3;
  QPrinter& printer = app->Printing()->Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString());
  const std::string path = folder.File("printed.pdf");
  auto onePageOfRowTwo = [](QWidget* modal) {
    auto* range = qobject_cast<PrintRangeDialog*>(modal);
    ASSERT_NE(range, nullptr);
    range->OnePage()->click();
    range->Row()->setValue(2);
    PressOk(range);
  };
  {
    ModalScript answers({onePageOfRowTwo, [&](QWidget* modal) {
                           EXPECT_EQ(modal->windowTitle(), QStringLiteral("Print to PDF file"));
                           ChooseFile(modal, folder.File("printed"));
                         }});
    ChooseFromFile(QStringLiteral("&Print"), QStringLiteral("&Initial picture"));
    ASSERT_EQ(answers.Answered(), 2u);
  }
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(PdfPages(path), 1);
  EXPECT_TRUE(PdfText(path).contains(QStringLiteral("Page No 4 from 9")));
  EXPECT_TRUE(printer.outputFileName().isEmpty());
  EXPECT_FALSE(Doc().printJob.onePage);
  EXPECT_EQ(Doc().printJob.onePageRow, 1);

  std::filesystem::remove(path);
  {
    ModalScript answers({onePageOfRowTwo, [](QWidget* modal) { ChooseFile(modal, ""); }});
    ChooseFromFile(QStringLiteral("&Print"), QStringLiteral("&Initial picture"));
    ASSERT_EQ(answers.Answered(), 2u);
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(Doc().printJob.onePage);
}

TEST_F(PrintingTest, ThePreviewShowsEverySheetSideBySideWithThePanelsOff) {
  MakePattern();
  Settings().printFit = 3;
  ASSERT_TRUE(Frame().TaskBar()->isVisible());
  int pages = 0;
  std::set<std::pair<int, int>> cells;
  bool allShown = false;
  bool panelsOff = false;
  {
    ModalAnswer answer([&](QWidget* modal) {
      auto* dialog = qobject_cast<SheetPreviewDialog*>(modal);
      ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
      pages = dialog->PageCount();
      for (int i = 0; i < pages; ++i) cells.insert({dialog->Cell(i).column, dialog->Cell(i).row});
      QGraphicsView* view = dialog->View();
      allShown = view->mapToScene(view->viewport()->rect())
                     .boundingRect()
                     .contains(view->scene()->itemsBoundingRect());
      panelsOff = !Frame().TaskBar()->isEnabled() && !Frame().ToolPanel()->isEnabled();
      dialog->reject();
    });
    ChooseFromFile(QStringLiteral("Print Pre&view"), QStringLiteral("&Painting pattern"));
    ASSERT_EQ(answer.Answered(), 1u);  // no "Print range" for a preview
  }
  EXPECT_EQ(pages, 9);
  EXPECT_EQ(cells.size(), 9u);  // a 3 x 3 wall
  EXPECT_TRUE(allShown);
  EXPECT_TRUE(panelsOff);
  EXPECT_TRUE(Frame().TaskBar()->isEnabled());
  EXPECT_TRUE(Frame().ToolPanel()->isEnabled());
}

// The sheets the pattern is made for are those of every print, preview, PDF
// and shopping list, until "How to print" chooses others.
TEST_F(PrintingTest, ThePatternsSheetsAreTheDefaultOfEveryPrint) {
  ChoosePatternSize(2, false);
  EXPECT_EQ(Settings().printFit, 2);
  EXPECT_EQ(app->Settings().ReadInt("PRINT", "FIT", -1), 2);
  MakePattern();
  const std::string printed = PrintToFile("sheets.pdf");
  {
    ModalAnswer answer([](QWidget* modal) {
      auto* dialog = qobject_cast<PrintRangeDialog*>(modal);
      ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
      EXPECT_EQ(dialog->All()->text(), QStringLiteral("&All 4 pages"));
      PressOk(dialog);
    });
    ChooseFromFile(QStringLiteral("&Print"), QStringLiteral("&Painting pattern"));
    ASSERT_EQ(answer.Answered(), 1u);
  }
  EXPECT_EQ(PdfPages(printed), 4);
  // The shopping list counts the paint for the four sheets.
  EXPECT_EQ(app->Printing()->ContentFor(PrintKind::kMaterialList).pagesPerSide, 2);
  const std::string saved = folder.File("saved.pdf");
  {
    ModalAnswer answer([&](QWidget* modal) { ChooseFile(modal, saved); });
    Choose(QStringLiteral("&File"), QStringLiteral("Save as P&DF..."));
    ASSERT_EQ(answer.Answered(), 1u);
  }
  EXPECT_EQ(PdfPages(saved), 5);  // four sheets and the key

  // "How to print" opens on the pattern's sheets; one page is the user's own choice.
  {
    ModalAnswer answer([](QWidget* modal) {
      auto* dialog = qobject_cast<HowToPrintDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->Pages()->currentIndex(), 1);
      dialog->Pages()->setCurrentIndex(0);
      PressOk(dialog);
    });
    Choose(QStringLiteral("&File"), QStringLiteral("P&rint Setup..."));
    ASSERT_EQ(answer.Answered(), 1u);
  }
  const std::string one = PrintToFile("one sheet.pdf");
  ChooseFromFile(QStringLiteral("&Print"), QStringLiteral("&Painting pattern"));
  EXPECT_EQ(PdfPages(one), 1);
  // Making the pattern again prints it over its own sheets again.
  {
    ModalAnswer reconvert([](QWidget* modal) { PressMessageButton(modal, kResultYes); });
    MakePattern();
  }
  EXPECT_EQ(Settings().printFit, 2);
}

// A pattern made for 2 x 2 landscape sheets previews on landscape sheets, in
// the order the job prints them, laid out as they join on the wall; the
// preview's Print writes the very pages shown.
TEST_F(PrintingTest, ThePreviewShowsTheSheetsAsTheyPrintAndJoin) {
  ChoosePatternSize(2, true);
  MakePattern();
  const std::string printed = PrintToFile("previewed.pdf");
  QPageLayout shown;
  std::vector<int> numbers;
  std::vector<SheetCell> cells;
  {
    ModalScript answers({[&](QWidget* modal) {
                           auto* dialog = qobject_cast<SheetPreviewDialog*>(modal);
                           ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
                           shown = dialog->Layout();
                           for (int i = 0; i < dialog->PageCount(); ++i) {
                             numbers.push_back(dialog->PageNumber(i));
                             cells.push_back(dialog->Cell(i));
                           }
                           QTest::mouseClick(dialog->PrintButton(), Qt::LeftButton);
                         },
                         [](QWidget* modal) {
                           ASSERT_NE(qobject_cast<PrintRangeDialog*>(modal), nullptr);
                           PressOk(modal);
                         }});
    ChooseFromFile(QStringLiteral("Print Pre&view"), QStringLiteral("&Painting pattern"));
    ASSERT_EQ(answers.Answered(), 2u);
  }
  EXPECT_EQ(shown.orientation(), QPageLayout::Landscape);
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4}));
  // Page 1 is the bottom-left sheet: the top row of the wall holds 3 and 4.
  EXPECT_EQ(cells, (std::vector<SheetCell>{{0, 1}, {1, 1}, {0, 0}, {1, 0}}));
  ASSERT_EQ(PdfPages(printed), 4);
  const QSizeF paper = shown.fullRect(QPageLayout::Point).size();
  const std::vector<QSizeF> sizes = PdfPageSizes(printed, 4);
  ASSERT_EQ(sizes.size(), 4u);
  for (int page = 1; page <= 4; ++page) {
    EXPECT_NEAR(sizes[size_t(page - 1)].width(), paper.width(), 1) << page;
    EXPECT_NEAR(sizes[size_t(page - 1)].height(), paper.height(), 1) << page;
    EXPECT_GT(sizes[size_t(page - 1)].width(), sizes[size_t(page - 1)].height()) << page;
    EXPECT_TRUE(PdfPageText(printed, page).contains(QStringLiteral("Page No %1 from 4").arg(numbers[size_t(page - 1)])))
        << page;
  }
  // "Save as PDF" lies the same way.
  const std::string saved = folder.File("saved.pdf");
  {
    ModalAnswer answer([&](QWidget* modal) { ChooseFile(modal, saved); });
    Choose(QStringLiteral("&File"), QStringLiteral("Save as P&DF..."));
    ASSERT_EQ(answer.Answered(), 1u);
  }
  const std::vector<QSizeF> savedSizes = PdfPageSizes(saved, 1);
  ASSERT_EQ(savedSizes.size(), 1u);
  EXPECT_NEAR(savedSizes[0].width(), paper.width(), 1);
  EXPECT_NEAR(savedSizes[0].height(), paper.height(), 1);
}

TEST_F(PrintingTest, TheFinishPageOffersPrintingAndSavesPatternAndKeyAsOnePdf) {
  MakePattern();
  Settings().printFit = 2;
  Frame().ToolPanel()->SetAnimation(false);
  ASSERT_TRUE(app->Dispatch(cmd::kStageFinish));
  QStringList captions;
  CMyButton* savePdf = nullptr;
  CMyButton* print = nullptr;
  for (CMyButton* button : Frame().ToolPanel()->Buttons()) {
    captions << button->Caption();
    if (button->Caption() == QStringLiteral("Save as PDF")) savePdf = button;
    if (button->Caption() == QStringLiteral("Print")) print = button;
  }
  EXPECT_EQ(captions, (QStringList{"Save", "Print", "Print Setup", "Print Preview", "Save as PDF",
                                   "Save as SVG", "Exit"}));
  ASSERT_NE(print, nullptr);
  QTest::mouseClick(print, Qt::LeftButton);
  EXPECT_TRUE(Frame().PrintChoiceMenu()->isVisible());
  Frame().PrintChoiceMenu()->hide();

  ASSERT_NE(savePdf, nullptr);
  const std::string path = folder.File("pattern and key.pdf");
  {
    ModalAnswer answer([&](QWidget* modal) { ChooseFile(modal, path); });
    QTest::mouseClick(savePdf, Qt::LeftButton);
    ASSERT_EQ(answer.Answered(), 1u);
  }
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(PdfPages(path), 5);  // four sheets of the pattern and the key
  QString text = PdfText(path);
  EXPECT_TRUE(text.contains(QStringLiteral("Page No 4 from 4")));
  EXPECT_TRUE(text.contains(QString::fromStdString(Doc().params.workingPalette[0].colorName)));
}

// The file type chosen in the dialog picks the style: the outline sheet has
// white areas, the filled one each area in its paint.
TEST_F(PrintingTest, SaveAsSvgFromTheFinishPageAndTheFileMenuInBothStyles) {
  MakePattern();
  Frame().ToolPanel()->SetAnimation(false);
  ASSERT_TRUE(app->Dispatch(cmd::kStageFinish));
  CMyButton* saveSvg = nullptr;
  for (CMyButton* button : Frame().ToolPanel()->Buttons()) {
    if (button->Caption() == QStringLiteral("Save as SVG")) saveSvg = button;
  }
  ASSERT_NE(saveSvg, nullptr);
  auto read = [](const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  };
  const std::string outline = folder.File("sheet.svg");
  {
    ModalAnswer answer([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Save pattern as SVG"));
      ChooseFile(modal, outline);
    });
    QTest::mouseClick(saveSvg, Qt::LeftButton);
    ASSERT_EQ(answer.Answered(), 1u);
  }
  const QString sheet = read(outline);
  ASSERT_TRUE(sheet.startsWith(QStringLiteral("<?xml")));
  const auto& paint = Doc().params.workingPalette[Doc().indexImage->Row(0)[0]];
  const QString firstPaint = QStringLiteral("#%1%2%3")
                                 .arg(paint.red, 2, 16, QLatin1Char('0'))
                                 .arg(paint.green, 2, 16, QLatin1Char('0'))
                                 .arg(paint.blue, 2, 16, QLatin1Char('0'));
  EXPECT_TRUE(sheet.contains(QStringLiteral("<g fill=\"#ffffff\">")));
  EXPECT_FALSE(sheet.contains(QStringLiteral("<g fill=\"") + firstPaint + QStringLiteral("\">")));
  EXPECT_TRUE(sheet.contains(QStringLiteral("<title>Color ")));
  EXPECT_EQ(Settings().patternsFolder, folder.Path().string());

  ASSERT_TRUE(app->Dispatch(cmd::kStandardInterface));
  QAction* item = MenuItem(QStringLiteral("&File"), QString::fromUtf8(MenuTextOf(cmd::kSavePatternSvg)));
  ASSERT_NE(item, nullptr);
  Frame().UpdateActions();
  ASSERT_TRUE(item->isEnabled());
  const std::string filled = folder.File("preview");  // the extension is added
  {
    ModalAnswer answer([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      ASSERT_EQ(dialog->nameFilters().size(), 2);
      dialog->selectNameFilter(dialog->nameFilters()[1]);
      ChooseFile(modal, filled);
    });
    item->trigger();
    ASSERT_EQ(answer.Answered(), 1u);
  }
  const QString preview = read(filled + ".svg");
  EXPECT_TRUE(preview.contains(QStringLiteral("<g fill=\"") + firstPaint + QStringLiteral("\">")))
      << firstPaint.toStdString();
}

TEST_F(PrintingTest, SaveAsSvgWaitsForAPattern) {
  ASSERT_TRUE(app->Dispatch(cmd::kStandardInterface));
  Frame().UpdateActions();
  QAction* item = MenuItem(QStringLiteral("&File"), QString::fromUtf8(MenuTextOf(cmd::kSavePatternSvg)));
  ASSERT_NE(item, nullptr);
  EXPECT_FALSE(item->isEnabled());
  MakePattern();
  Frame().UpdateActions();
  EXPECT_TRUE(item->isEnabled());
}

}  // namespace
}  // namespace tintara::test
