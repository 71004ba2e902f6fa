// How much memory the decoded pictures of one project may take together, and
// how such amounts are told to the user. A hostile or mistaken size is refused
// against this budget before anything of that size is allocated.
#pragma once

#include <cstdint>
#include <string>

#include "ports/settings_store.h"

namespace tintara {

constexpr uint64_t kDefaultPictureBudget = uint64_t{2} << 30;

// The budget in bytes, from the settings (kept there in MiB).
uint64_t PictureMemoryBudget(const SettingsStore& store);

// "2 GiB", "1.5 GiB", "300 MiB", "12 KiB", "100 bytes".
std::string MemoryAmountText(uint64_t bytes);

// "20000 × 20000"
std::string PixelSizeText(int64_t width, int64_t height);

}  // namespace tintara
