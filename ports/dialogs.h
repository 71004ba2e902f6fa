// One method per dialog: each receives what the dialog opens with and returns
// the user's answer, or nothing for Cancel. The Qt shell shows real dialogs;
// tests and the command-line tool answer from a script.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tintara {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
};

}  // namespace tintara
