#include "storage/scan_option_memory.h"

#include <cctype>
#include <cstdio>
#include <sstream>

namespace tintara {

std::string ScanOptionsKey(const std::string& deviceName) {
  std::string key;
  for (unsigned char c : deviceName) {
    if (std::isalnum(c) || c == '-' || c == '.') {
      key += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "_%02X", c);
      key += escaped;
    }
  }
  return key;
}

std::string FormatScanOptions(const ScanOptions& options) {
  std::ostringstream text;
  text << "resolution=" << options.resolution << " mode=" << (options.color ? "color" : "gray")
       << " left=" << options.area.left << " top=" << options.area.top
       << " width=" << options.area.width << " height=" << options.area.height << " preview=" << (options.preview ? 1 : 0);
  return text.str();
}

std::optional<ScanOptions> ParseScanOptions(const std::string& text) {
  ScanOptions options;
  char mode[8] = {};
  int preview = 0;
  char rest = 0;
  ScanArea& area = options.area;
  int read = std::sscanf(text.c_str(), "resolution=%d mode=%7s left=%lf top=%lf width=%lf height=%lf preview=%d %c",
                         &options.resolution, mode, &area.left, &area.top, &area.width,
                         &area.height, &preview, &rest);
  if (read != 7 || options.resolution < 0) return std::nullopt;
  const std::string modeWord = mode;
  if (modeWord != "color" && modeWord != "gray") return std::nullopt;
  if (area.left < 0 || area.top < 0 || area.width < 0 || area.height < 0) return std::nullopt;
  if (preview != 0 && preview != 1) return std::nullopt;
  options.color = modeWord == "color";
  options.preview = preview == 1;
  return options;
}

std::optional<ScanOptions> ReadScanOptions(const SettingsStore& store,
                                           const std::string& deviceName) {
  return ParseScanOptions(store.ReadString(kScanOptionsSection, ScanOptionsKey(deviceName), ""));
}

void WriteScanOptions(SettingsStore& store, const std::string& deviceName,
                      const ScanOptions& options) {
  store.WriteString(kScanOptionsSection, ScanOptionsKey(deviceName), FormatScanOptions(options));
}

ScanOptions FitScanOptions(const ScanOptions& wanted, const ScanCapabilities& offered) {
  ScanOptions fitted = wanted;
  const ScanOptions& own = offered.defaults;
  if (offered.maxResolution > 0 &&
      (wanted.resolution < offered.minResolution || wanted.resolution > offered.maxResolution)) {
    fitted.resolution = own.resolution;
  }
  if ((wanted.color && !offered.hasColor) || (!wanted.color && !offered.hasGray)) {
    fitted.color = own.color;
  }
  const ScanArea& area = wanted.area;
  const bool areaFits = area.width > 0 && area.height > 0 &&
                        area.left + area.width <= offered.maxWidth + 1e-6 &&
                        area.top + area.height <= offered.maxHeight + 1e-6;
  if (!areaFits) fitted.area = own.area;
  if (!offered.hasPreview) fitted.preview = false;
  return fitted;
}

}  // namespace tintara
