// Reading a project file the way the program does, for checks on what a
// command wrote.
#pragma once

#include <string>

#include "storage/project_file.h"

namespace tintara::test {

// The project at `path`, read with the test's program folder; a file that
// cannot be opened or read fails the calling test.
ProjectData ReadProjectAt(const std::string& path);

}  // namespace tintara::test
