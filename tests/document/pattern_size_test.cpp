// "Size of painting pattern" on the document: what the dialog is offered,
// when an answer counts as a change, and the pattern made again for it.
#include <gtest/gtest.h>

#include "ports/printer_info.h"
#include "tests/document/document_fixture.h"

namespace tintara::test {
namespace {

// The user's answer to the size dialog, and what the dialog was opened with.
class ChosenSize : public Dialogs {
 public:
  std::optional<PatternPageSettings> ChoosePatternSize(const PatternPageSettings& current,
                                                       bool printerAvailable) override {
    offered = current;
    offeredPrinter = printerAvailable;
    if (!answer) return current;  // OK on what is shown
    return answer;
  }
  std::optional<PatternPageSettings> answer;
  PatternPageSettings offered;
  bool offeredPrinter = false;
};

class OnePrinter : public PrinterInfo {
 public:
  std::optional<PrintableDots> DefaultPrinterPrintable() const override {
    return PrintableDots{800, 1000};
  }
};

struct SizeDocument {
  explicit SizeDocument(const PrinterInfo* printer) : env(fixture.ui, chooser, fixture.settings) {
    env.programFolder = fixture.env.programFolder;
    env.filters = &fixture.site;
    env.app = fixture.env.app;
    env.printer = printer;
    doc = std::make_unique<CTessel20Doc>(
        env, std::move(*CTesselParams::Create(fixture.settings, env.programFolder)));
    RegisterDocumentCommands(commands, *doc);
    RegisterPatternCommands(commands, *doc);
    doc->ReplaceWithPicture(MakePhoto(200, 150), kOriginFile, "", false);
    commands.Run(cmd::kCreateDrawingPattern);
  }
  DocumentFixture fixture;
  ChosenSize chooser;
  DocumentEnvironment env;
  std::unique_ptr<CTessel20Doc> doc;
  CommandTable commands;
};

TEST(PatternSizeCommandTest, WithoutAPrinterTheStoredPrinterChoiceShowsAsCustomAndOkChangesNothing) {
  SizeDocument size(nullptr);
  ASSERT_TRUE(size.doc->HasPattern());
  size.env.app.page.useDefaultPrinter = 1;  // stored, but there is no printer here
  const ImageBuffer* pattern = size.doc->patternImage.get();
  ASSERT_TRUE(size.commands.Run(cmd::kPatternSize));
  EXPECT_FALSE(size.chooser.offeredPrinter);
  EXPECT_EQ(size.chooser.offered.useDefaultPrinter, 0);
  // The pattern was already made for the custom printer: nothing to make again.
  EXPECT_EQ(size.doc->patternImage.get(), pattern);
  EXPECT_EQ(size.fixture.settings.ReadInt("SETTINGS", "USECURPRN", -1), 0);
}

TEST(PatternSizeCommandTest, ChoosingTheDefaultPrinterMakesThePatternForItsPage) {
  OnePrinter printer;
  SizeDocument size(&printer);
  ASSERT_TRUE(size.doc->HasPattern());
  PatternPageSettings chosen = size.env.app.page;
  chosen.useDefaultPrinter = 1;
  size.chooser.answer = chosen;
  size.fixture.answers.Add("Your work will be reconverted!\nAll edits will be lost!\nContinue?", "Yes");
  ASSERT_TRUE(size.commands.Run(cmd::kPatternSize));
  EXPECT_TRUE(size.chooser.offeredPrinter);
  // 800 × 1000 dots at four dots a cell, the 4 : 3 picture fitted inside.
  ASSERT_TRUE(size.doc->HasPattern());
  EXPECT_EQ(size.doc->patternImage->Width(), 200);
  EXPECT_EQ(size.doc->patternImage->Height(), 150);
  EXPECT_EQ(size.env.app.page.useDefaultPrinter, 1);
  EXPECT_TRUE(size.doc->CanUndo());
}

}  // namespace
}  // namespace tintara::test
