// One method per dialog: each receives what the dialog opens with and returns
// the user's answer, or nothing for Cancel. The Qt shell shows real dialogs;
// tests and the command-line tool answer from a script. A host that does not
// offer a dialog cancels it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "colors/page_settings.h"
#include "document/drawing_tool_state.h"
#include "ports/scanner_library.h"

namespace tintara {

class ColorsEditor;
class ColorSelector;
class ResizeForm;
class PicturePanel;

// The logic of a dialog that lists names with "&Delete", OK and Cancel; the
// dialog only shows the names and passes the buttons on.
class NameListChooser {
 public:
  virtual ~NameListChooser() = default;
  virtual const std::string& Title() const = 0;
  virtual std::vector<std::string> Names() const = 0;
  // The name typed in when the dialog opens.
  virtual std::string InitialName() const = 0;
  // "&Delete" with the typed name; true when the entry was removed.
  virtual bool Delete(const std::string& name) = 0;
  // OK with the typed name: the result when the dialog closes, nothing when
  // it stays open.
  virtual std::optional<std::string> Accept(const std::string& name) = 0;
};

// Levels per colour channel, each 1..256.
struct PosterizeLevels {
  int red = 4;
  int green = 4;
  int blue = 4;
  friend bool operator==(const PosterizeLevels&, const PosterizeLevels&) = default;
};

// The picture file chosen to insert into the selection, and whether Ctrl was
// held to keep its proportions.
struct InsertedPictureChoice {
  std::string path;
  bool keepProportions = false;
};

// "Rotate picture": the angle in degrees (0..360) and its direction.
struct RotateAnswer {
  int angle = 0;
  bool left = false;
  friend bool operator==(const RotateAnswer&, const RotateAnswer&) = default;
};

// What the "Print range" dialog answers: all sheets, or the one at `row`
// (1 the top row of sheets) and `column` (1 the left column).
struct PrintRangeChoice {
  bool onePage = false;
  int row = 1;
  int column = 1;
  friend bool operator==(const PrintRangeChoice&, const PrintRangeChoice&) = default;
};

// What "How to print" sets: the sheets per side of a printed picture, the
// aids for joining sheets and the shopping list on the colour key.
struct PrintSetupChoice {
  int pagesPerSide = 1;  // 1..10
  bool sheetColors = false;
  int overlapMm = 0;  // 0..15
  bool registrationMarks = false;
  bool shoppingList = false;
  int coverageMicrolitres = 100;  // per 10 cm², one coat: 1..100000
  int coats = 2;                  // 1..20
  int potMillilitres = 20;        // 1..100000
  friend bool operator==(const PrintSetupChoice&, const PrintSetupChoice&) = default;
};

// The "Size of Painting Pattern" and "Type of pattern" pages of "Painting
// pattern settings": what they open with and, after OK, what was chosen.
struct PatternSheetPages {
  PatternPageSettings page;
  bool defaultPrinterAvailable = false;
  int typePosition = 0;  // a position in the list of offered pattern types
};

// The file "Save pattern as SVG" writes, and whether the areas are filled
// with their paints (a preview) rather than left as outlines to paint on.
struct SvgFileChoice {
  std::string path;
  bool filled = false;
};

// The source names "TWAIN Settings" stores, one per kind of device.
struct TwainSourceNames {
  std::string scanner;
  std::string camera;
  std::string other;
  friend bool operator==(const TwainSourceNames&, const TwainSourceNames&) = default;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // "Save palette" / "Load palette": the chosen file's path.
  virtual std::optional<std::string> ChoosePaletteFile(NameListChooser& /*chooser*/) {
    return std::nullopt;
  }

  // "Posterize": three levels, each 1..256. `changed` is called with every
  // valid triple the user enters, so the picture can be previewed.
  virtual std::optional<PosterizeLevels> Posterize(
      const PosterizeLevels& /*initial*/,
      const std::function<void(const PosterizeLevels&)>& /*changed*/) {
    return std::nullopt;
  }

  // "Reduce colors": "Number of &Colors:", 2..256.
  virtual std::optional<int> ReduceColors(int /*initial*/) { return std::nullopt; }

  // "Color of borders and digits": a colour chooser opened with `current`
  // (red in the low byte); the platform's chooser in the standard interface,
  // the program's own picker otherwise.
  virtual std::optional<uint32_t> ChooseBorderColor(uint32_t /*current*/,
                                                    bool /*standardInterface*/) {
    return std::nullopt;
  }

  // "Size of Painting Pattern": paper, orientation, number of pages, printer
  // choice and resolution. Without a default printer the custom printer is
  // the only choice.
  virtual std::optional<PatternPageSettings> ChoosePatternSize(
      const PatternPageSettings& /*current*/, bool /*defaultPrinterAvailable*/) {
    return std::nullopt;
  }

  // "Type of pattern": a position in the list of offered pattern types.
  virtual std::optional<int> ChoosePatternType(int /*listPosition*/) { return std::nullopt; }

  // "Colors": the dialog edits through the editor; true for OK.
  virtual bool EditColors(ColorsEditor& /*editor*/) { return false; }
  // "Select color": true when a colour was chosen (the selector holds it).
  virtual bool SelectColor(ColorSelector& /*selector*/) { return false; }
  // "Add text": the text typed (nothing for Cancel). A font chosen with
  // "Select &Font" replaces `font` at once, whatever the outcome.
  virtual std::optional<std::string> AddText(TextFont& /*font*/) { return std::nullopt; }
  // "Insert picture from file": the picture file chooser.
  virtual std::optional<InsertedPictureChoice> ChooseInsertedPicture() { return std::nullopt; }

  // "Save pattern as SVG": the file chooser, opened at `startPath`.
  virtual std::optional<SvgFileChoice> SavePatternSvg(const std::string& /*startPath*/) {
    return std::nullopt;
  }

  // "Rotate picture": "Angle (degrees): " and "&Right" / "&Left".
  virtual std::optional<RotateAnswer> RotatePicture() { return std::nullopt; }
  // "Resize": the dialog edits the form; true for OK with a size it accepts.
  virtual bool ResizePicture(ResizeForm& /*form*/) { return false; }
  // "Smart Tune": a position in `methods`; `changed` hears every entry chosen
  // while the dialog is open.
  virtual std::optional<int> SmartTune(const std::vector<std::string>& /*methods*/,
                                       const std::function<void(int)>& /*changed*/) {
    return std::nullopt;
  }
  // A colour chooser titled `caption` ("Background color for Rotate",
  // "Background color for Crop"): red in the low byte.
  virtual std::optional<uint32_t> ChooseBackgroundColor(const std::string& /*caption*/) {
    return std::nullopt;
  }
  // "Adjust Image" (filters false) or "Filter Image": the panel's buttons act
  // on `panel`; true when it closed with "&Next >".
  virtual bool ShowPicturePanel(PicturePanel& /*panel*/, bool /*filters*/) { return false; }
  // "How to print"; its "&Printer..." button calls `printerSetup`, which
  // opens the printer set-up of the platform.
  virtual std::optional<PrintSetupChoice> HowToPrint(
      const PrintSetupChoice& /*current*/, const std::function<void()>& /*printerSetup*/) {
    return std::nullopt;
  }
  // "Painting pattern settings": the "Colors" page edits through the editor,
  // the other two pages through `pages`; true for OK.
  virtual bool PatternSettings(ColorsEditor& /*editor*/, PatternSheetPages& /*pages*/) {
    return false;
  }
  // "Print range" for a picture over `pagesPerSide` × `pagesPerSide` sheets.
  virtual std::optional<PrintRangeChoice> ChoosePrintRange(int /*pagesPerSide*/) {
    return std::nullopt;
  }
  // "TWAIN Settings": a drop-down per kind listing `sources`, each showing
  // its stored name; only the drop-down of `onlyKind` is enabled when given.
  virtual std::optional<TwainSourceNames> TwainSettings(
      const std::vector<std::string>& /*sources*/, const TwainSourceNames& /*stored*/,
      std::optional<DeviceKind> /*onlyKind*/) {
    return std::nullopt;
  }
  // "Scan Settings" of `device`: resolution, mode, scan area and preview
  // within what it offers, opened with `initial`.
  virtual std::optional<ScanOptions> ScanSettings(const std::string& /*device*/,
                                                  const ScanCapabilities& /*offered*/,
                                                  const ScanOptions& /*initial*/) {
    return std::nullopt;
  }
};

}  // namespace tintara
