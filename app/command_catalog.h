// Every command as the user meets it: its menu text (kept in the core, beside
// the command numbers, for the command-line tool to accept), shortcuts, pictogram and
// the places it sits in (menus, tool bars, pop-ups, the stage pages). Menus,
// bars, panels and the shortcut map are all built from this one list, so a
// new command is one entry here besides its registration in the table.
#pragma once

#include <cstdint>
#include <vector>

#include "app/icon_glyphs.h"
#include "document/command_ids.h"

namespace tintara {

enum class Place : uint8_t {
  kFileMenu,
  kEditMenu,
  kViewMenu,
  kStageMenu,  // "Work stage", inside the View menu
  kPatternMenu,
  kOptionsMenu,
  kInterfaceMenu,  // "Interface", inside the Options menu
  kHelpMenu,
  kStandardBar,
  kPictureBar,    // shown while the picture is edited
  kViewChoice,    // the "What view" pop-up
  kContextMenu,   // the view's right-click menu
  kTaskBar,       // the stage buttons of the guided interface
  kStartPage,     // the tool panel's pages, one per stage
  kPicturePage,
  kSettingsPage,
  kPatternPage,
  kFinishPage,
  kPanelTools,    // the small buttons at the end of every tool panel page
  kDrawMenu,      // the "Draw" pop-up, also inside the Pattern menu
  kPenSizeMenu,   // the "Pen size" pop-up, inside "Draw" as "Pen Width"
  kPenShapeMenu,  // the "Pen shape" pop-up, inside "Draw" as "Pen Shape"
  kFillMenu,      // the "Fill" pop-up, also inside the Pattern menu
  kRotatePopup,   // the picture-editing submenus, also inside the Edit menu
  kFilterPopup,
  kSizePopup,
  kPrintChoice,   // "What print": the File menu's "Print" and the pop-up
  kPreviewChoice, // "What view" of the preview: "Print Pre&view" and the pop-up
};

// One place a command sits in. Commands of a place are listed by group, and
// within a group in catalogue order; a separator stands between groups.
struct Spot {
  Place place;
  int group = 0;
  const char* caption = nullptr;  // a panel button's caption
};

struct CommandEntry {
  CommandId id = 0;
  const char* shortcuts = nullptr;  // portable key texts, "; " between alternatives
  const char* themeIcon = nullptr;  // the desktop theme's icon, when it has one
  Glyph glyph = Glyph::kNone;       // the program's own pictogram
  std::vector<Spot> spots;
  // From document/command_menu_texts.h: with its access key; null: the table's text.
  const char* menuText = nullptr;
};

const std::vector<CommandEntry>& CommandCatalog();
// The entry of a command, or null.
const CommandEntry* FindCommandEntry(CommandId id);

// Stands for a separator in the lists below.
constexpr CommandId kSeparator = 0;

// The commands of a place in order, kSeparator between groups.
std::vector<CommandId> CommandsAt(Place place);

// A panel button: its command and caption.
struct PanelButton {
  const char* caption;
  CommandId id;
};
std::vector<PanelButton> PanelButtonsAt(Place place);

Glyph GlyphOf(CommandId id);

}  // namespace tintara
