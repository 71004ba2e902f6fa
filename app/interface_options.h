// The interface settings the options dialog and the interface commands edit,
// and the rule that keeps at least one of the menu and the graphic tool bars
// while toggling (the stored settings are settled when they are read).
#pragma once

namespace tintara {

struct InterfaceOptions {
  bool animation = true;  // INTERFACE/ANIMATION
  bool menu = true;       // INTERFACE/MENU
  bool graph = true;      // INTERFACE/GRAPH
  bool autoSave = false;  // AUTOSAVE/AUTOSAVE
  friend bool operator==(const InterfaceOptions&, const InterfaceOptions&) = default;
};

// "Show/hide standard menu": the menu flips; hiding it while the tool bars
// are hidden brings the tool bars back.
void ToggleMenu(InterfaceOptions& options);
// "Show/hide toolbars": the reverse.
void ToggleGraph(InterfaceOptions& options);

}  // namespace tintara
