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
// letter, digit, '-' or '_' written as %XX (device names hold ':' and '/').
std::string ScanOptionsKey(const std::string& deviceName);

// "resolution=300 mode=color area=0,0,210,297 preview=0" and back; nothing
// for text that does not read as that.
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
