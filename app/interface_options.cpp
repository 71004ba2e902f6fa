#include "app/interface_options.h"

namespace tintara {

void ToggleMenu(InterfaceOptions& options) {
  options.menu = !options.menu;
  if (!options.menu && !options.graph) options.graph = true;
}

void ToggleGraph(InterfaceOptions& options) {
  options.graph = !options.graph;
  if (!options.graph && !options.menu) options.menu = true;
}

}  // namespace tintara
