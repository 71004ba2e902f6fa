// Dialogs answered from ScriptedAnswers, keyed by the dialog's caption, each
// answer used once in order; a dialog with no answer left is cancelled, and
// so is one whose answer a real dialog would not accept (a value out of its
// range, a wrong shape). Tests and the command-line tool use the same port.
//
//   "Posterize"                    {"red": R, "green": G, "blue": B}, each 1..256
//                                  (a missing channel keeps the dialog's value)
//   "Reduce colors"                N, 2..256
//   "Color of borders and digits"  [red, green, blue], each 0..255
//   "Save palette", "Load palette" a name typed into the list dialog, or
//                                  {"delete": NAME} to press "&Delete" first;
//                                  answers are taken until the dialog closes
//   "Size of Painting Pattern"     {"paper": "letter"|"legal"|"executive"|"a4"|"a5"|"a3"|
//                                            "a2"|"tabloid",
//                                   "landscape": true|false, "pages": 1..3 (per side),
//                                   "printer": "default"|"custom",
//                                   "dpi": 150|300|600|1200|2400|4800}
//                                  (a missing field keeps the dialog's value)
//   "Type of pattern"              a position in the list: 0 numbers, 1 patterns,
//                                  2 borders only
//   "Colors"                       {"colors": N, "brand": NAME, "build": "picture"|"brand",
//                                   "delete": [...], "add": [...]}, pressed in that
//                                  order; colours by catalogue number or name
//   "Select color"                 a position in the list shown (the working
//                                  palette), or {"brand": NAME, "number": N} for
//                                  a colour of a whole brand
//   "Add text"                     the text, or {"text": TEXT, "font": FAMILY, "size": POINTS}
//                                  (a font or size given is chosen with "Select &Font")
//   "Insert picture from file"     a picture file's path, or {"file": PATH, "ctrl": true}
//                                  to keep the picture's proportions
//   "Save pattern as SVG"          a file's path, or {"file": PATH, "style": "outline"|"filled"}
//                                  (outline when left out)
//   "Open picture"                 a picture file's path, or {"file": PATH}
//   A file dialog also takes its answers from the key of the command that opened
//   it, when one is set: the command's text without "&" and a trailing "...".
//   "Rotate picture"               {"angle": 0..360, "direction": "right"|"left"}
//                                  (right when left out)
//   "Resize"                       {"width": W, "height": H, "aspect": true|false},
//                                  each 2..100000; typed in the order aspect, width,
//                                  height, so one side alone lets the other follow
//   "Smart Tune"                   a method's name as listed ("Auto", "Faded", ...)
//   "Background color for Rotate", "Background color for Crop"
//                                  [red, green, blue], each 0..255
//   "Adjust Image", "Filter Image" a list of the buttons pressed in order, by caption
//                                  without "&" ("Rotate Left 90", "Lighter", "Undo",
//                                  ...), {"crop": [x, y, width, height]} for a crop;
//                                  "Next >" or "Close" ends it (Close without them)
//   "How to print"                 {"pages": 1..10 (per side), "sheetColors": bool,
//                                   "overlapMm": 0..15, "marks": bool,
//                                   "shoppingList": bool, "coverage": 1..100000 (µl
//                                   per 10 cm²), "coats": 1..20, "pot": 1..100000 (ml),
//                                   "printer": true presses "&Printer..." first}
//                                  (a missing field keeps the dialog's value)
//   "Print range"                  "all", or {"row": R, "column": C}, each
//                                  1..pages per side
//   "TWAIN Settings"               {"scanner": NAME, "camera": NAME, "other": NAME},
//                                  each a source found, only for enabled lists
//                                  (a missing field keeps what the list shows)
//   "Scan Settings"                {"resolution": DPI (one offered), "mode": "color"|"gray",
//                                   "area": [left, top, width, height] (mm),
//                                   "preview": true|false}
//                                  (a missing field keeps the dialog's value)
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/dialogs.h"
#include "ports/scripted_answers.h"

namespace tintara {

class ScriptedDialogs : public Dialogs {
 public:
  explicit ScriptedDialogs(ScriptedAnswers& answers) : answers_(answers) {}

  std::optional<std::string> ChoosePaletteFile(NameListChooser& chooser) override;
  std::optional<PosterizeLevels> Posterize(
      const PosterizeLevels& initial,
      const std::function<void(const PosterizeLevels&)>& changed) override;
  std::optional<int> ReduceColors(int initial) override;
  std::optional<uint32_t> ChooseBorderColor(uint32_t current, bool standardInterface) override;
  std::optional<PatternPageSettings> ChoosePatternSize(const PatternPageSettings& current,
                                                       bool defaultPrinterAvailable) override;
  std::optional<int> ChoosePatternType(int listPosition) override;
  bool EditColors(ColorsEditor& editor) override;
  bool SelectColor(ColorSelector& selector) override;
  std::optional<std::string> AddText(TextFont& font) override;
  std::optional<InsertedPictureChoice> ChooseInsertedPicture() override;
  std::optional<SvgFileChoice> SavePatternSvg(const std::string& startPath) override;
  std::optional<RotateAnswer> RotatePicture() override;
  bool ResizePicture(ResizeForm& form) override;
  std::optional<int> SmartTune(const std::vector<std::string>& methods,
                               const std::function<void(int)>& changed) override;
  std::optional<uint32_t> ChooseBackgroundColor(const std::string& caption) override;
  bool ShowPicturePanel(PicturePanel& panel, bool filters) override;
  std::optional<PrintSetupChoice> HowToPrint(const PrintSetupChoice& current,
                                             const std::function<void()>& printerSetup) override;
  std::optional<PrintRangeChoice> ChoosePrintRange(int pagesPerSide) override;
  std::optional<TwainSourceNames> TwainSettings(const std::vector<std::string>& sources,
                                                const TwainSourceNames& stored,
                                                std::optional<DeviceKind> onlyKind) override;
  std::optional<ScanOptions> ScanSettings(const std::string& device,
                                          const ScanCapabilities& offered,
                                          const ScanOptions& initial) override;

  // The keys of the command being run, which its file dialogs answer to
  // after their caption; empty between commands.
  void SetCommandKeys(std::vector<std::string> keys) { commandKeys_ = std::move(keys); }
  // A file chooser titled `caption`: the path answered, as a string or as
  // {"file": PATH}; nothing when there is no answer or it is refused.
  std::optional<std::string> ChooseFile(const std::string& caption);

  // Captions of the dialogs opened, in order.
  std::vector<std::string> opened;
  // One line for each answer that was refused, naming the dialog.
  std::vector<std::string> refused;

 private:
  std::optional<ScriptValue> Take(const std::string& caption);
  // The next answer for a file chooser: by its caption, else by the command's keys.
  std::optional<ScriptValue> TakeFileAnswer(const std::string& caption);
  void Refuse(const std::string& caption, const std::string& why);

  ScriptedAnswers& answers_;
  std::vector<std::string> commandKeys_;
};

// [red, green, blue] with each in 0..255 as a colour value (red in the low
// byte); nothing for anything else.
std::optional<uint32_t> ScriptColor(const ScriptValue& value);
// An integer within lo..hi; nothing for anything else.
std::optional<int> ScriptInt(const ScriptValue& value, int lo, int hi);

}  // namespace tintara
