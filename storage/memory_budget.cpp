#include "storage/memory_budget.h"

#include <cstdio>

#include "storage/settings_keys.h"

namespace tintara {

uint64_t PictureMemoryBudget(const SettingsStore& store) {
  return uint64_t(ReadSetting(store, Setting::kPictureMemoryLimit)) << 20;
}

std::string MemoryAmountText(uint64_t bytes) {
  static const char* const kUnits[] = {"KiB", "MiB", "GiB", "TiB"};
  if (bytes < 1024) return std::to_string(bytes) + " bytes";
  double amount = double(bytes) / 1024;
  int unit = 0;
  while (amount >= 1024 && unit < 3) {
    amount /= 1024;
    ++unit;
  }
  char text[32];
  // One decimal only when it says something: "2 GiB", "1.5 GiB".
  double tenths = double(int64_t(amount * 10 + 0.5)) / 10;
  if (tenths == double(int64_t(tenths)) || tenths >= 100) {
    std::snprintf(text, sizeof text, "%.0f %s", amount, kUnits[unit]);
  } else {
    std::snprintf(text, sizeof text, "%.1f %s", amount, kUnits[unit]);
  }
  return text;
}

std::string PixelSizeText(int64_t width, int64_t height) {
  return std::to_string(width) + " \u00d7 " + std::to_string(height);
}

}  // namespace tintara
