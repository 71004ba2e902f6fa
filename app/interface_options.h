// The interface settings the options dialog and the interface commands edit,
// and the rule that keeps at least one of the menu and the graphic tool bars.
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
// At start-up, stored MENU = 0 and GRAPH = 0 start with the menu shown.
void SettleMenuAndGraph(InterfaceOptions& options);

}  // namespace tintara
