#include "cli/scanning.h"

#include <QDir>
#include <algorithm>

#include "storage/scan_option_memory.h"
#include "storage/settings_keys.h"

namespace tintara::cli {

namespace {

// The named device, else the stored scanner when it is still there, else the
// first source; nothing, with the error reported, otherwise.
std::optional<std::string> ChooseDevice(SaneScannerLibrary& library,
                                        const std::optional<std::string>& named,
                                        const SettingsStore& settings) {
  std::vector<std::string> names = SourceNames(library);
  if (names.empty()) {
    ReportError("no scanner found");
    return std::nullopt;
  }
  auto found = [&](const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  if (named) {
    if (found(*named)) return named;
    ReportError("no scanner or camera named " + *named);
    return std::nullopt;
  }
  std::string stored = ReadSettingText(settings, Setting::kTwainScanner);
  return found(stored) ? stored : names.front();
}

}  // namespace

std::optional<std::string> ScanToTemporaryFile(SaneScannerLibrary& library,
                                               const ScanRequest& request, CliContext& context) {
  if (!library.Start()) {
    ReportError("the scanner library (SANE) cannot start");
    return std::nullopt;
  }
  std::optional<std::string> device = ChooseDevice(library, request.device, context.Settings());
  if (!device) return std::nullopt;
  std::string error;
  std::optional<ScanCapabilities> offered = library.Capabilities(*device, &error);
  if (!offered) {
    ReportError(error);
    return std::nullopt;
  }
  ScanOptions options = FitScanOptions(
      ReadScanOptions(context.Settings(), *device).value_or(offered->defaults), *offered);
  if (request.resolution) options.resolution = *request.resolution;
  if (request.color) {
    if (*request.color ? !offered->hasColor : !offered->hasGray) {
      ReportError(*device + " cannot scan in " + (*request.color ? "colour" : "grey"));
      return std::nullopt;
    }
    options.color = *request.color;
  }
  CliUiHost& ui = context.Ui();
  ui.StartOperation("scanning from " + *device);
  ScanOutcome outcome = library.Scan(*device, options, QDir::tempPath().toStdString(),
                                     [&ui](int percent) {
                                       ui.ShowPercent(percent);
                                       return true;
                                     });
  if (outcome.end != ScanEnd::kDone) {
    ui.FinishLine();
    ReportError(outcome.message);
    return std::nullopt;
  }
  ui.FinishOperation();
  if (!outcome.note.empty()) ui.StatusNote(outcome.note);
  return outcome.path;
}

}  // namespace tintara::cli
