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

namespace tintara {

class ColorsEditor;
class ColorSelector;

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
};

}  // namespace tintara
