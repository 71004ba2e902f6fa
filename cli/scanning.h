// Scanning from the command line: the device to use, one scan with progress
// on standard error, the picture left in a temporary file.
#pragma once

#include <optional>
#include <string>

#include "cli/cli_context.h"
#include "platform/sane_scanner_library.h"

namespace tintara::cli {

struct ScanRequest {
  std::optional<std::string> device;  // else the stored scanner, else the first source
  std::optional<int> resolution;      // else the device's remembered or own value
  std::optional<bool> color;
};

// The path of a temporary PNG file holding the scan, which the caller
// deletes; nothing, with the error reported, when no picture came.
std::optional<std::string> ScanToTemporaryFile(SaneScannerLibrary& library,
                                               const ScanRequest& request, CliContext& context);

}  // namespace tintara::cli
