// The scan settings chosen last for each device, kept in the settings store
// under section "SCANOPTIONS", one key per device.
#pragma once

#include <optional>
#include <string>

#include "ports/scanner_library.h"
#include "ports/settings_store.h"

namespace tintara {

inline constexpr const char kScanOptionsSection[] = "SCANOPTIONS";

// The store's key for a device: its name with every character other than a
// letter, digit, '-' or '.' written as _XX (device names hold ':' and '/'),
// which an INI file keeps as it is.
std::string ScanOptionsKey(const std::string& deviceName);

// "resolution=300 mode=color left=0 top=0 width=210 height=297 preview=0"
// (no commas: an INI file would read a list) and back; nothing for text that
// does not read as that.
std::string FormatScanOptions(const ScanOptions& options);
std::optional<ScanOptions> ParseScanOptions(const std::string& text);

std::optional<ScanOptions> ReadScanOptions(const SettingsStore& store,
                                           const std::string& deviceName);
void WriteScanOptions(SettingsStore& store, const std::string& deviceName,
                      const ScanOptions& options);

// The remembered options fitted to what the device offers now: a resolution
// outside its range, a mode it lacks or an area beyond its bed give way to
// the device's own values.
ScanOptions FitScanOptions(const ScanOptions& wanted, const ScanCapabilities& offered);

}  // namespace tintara
