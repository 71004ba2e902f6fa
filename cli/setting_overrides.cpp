// The options of a run that stand in for pattern settings.
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "cli/option_values.h"
#include "cli/subcommands.h"
#include "colors/brand_list.h"
#include "colors/file_names.h"
#include "colors/floss_color.h"
#include "colors/page_settings.h"
#include "storage/settings_keys.h"

namespace tintara::cli {

namespace {

void Override(OverlaySettingsStore& store, Setting setting, int value) {
  store.OverrideInt(KeyOf(setting).section, KeyOf(setting).key, value);
}

// A file path, or the brand name or file title of a brand palette of the
// program folder, in any letter case.
std::optional<std::string> ResolveBrand(const std::string& given, const std::string& folder,
                                        std::string& why) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(given, error);
  if (std::filesystem::is_regular_file(status)) {
    return std::filesystem::absolute(given, error).lexically_normal().string();
  }
  // Something by that name that cannot be a palette is not taken for a brand's name.
  if (std::filesystem::is_directory(status)) {
    why = "is a folder, not a brand palette";
    return std::nullopt;
  }
  if (std::filesystem::exists(status)) {
    why = "is not a regular file, so not a brand palette";
    return std::nullopt;
  }
  for (const BrandListEntry& brand : ListBrands(folder)) {
    if (EqualsIgnoreCase(brand.brandName, given) || EqualsIgnoreCase(FileTitle(brand.path), given) ||
        EqualsIgnoreCase(FileNameOf(brand.path), given)) {
      return brand.path;
    }
  }
  return std::nullopt;
}

std::optional<uint32_t> ParseHexColor(std::string text) {
  if (!text.empty() && text[0] == '#') text.erase(0, 1);
  if (text.size() != 6) return std::nullopt;
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
  }
  uint32_t rgb = uint32_t(std::stoul(text, nullptr, 16));
  return PackColor(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb));
}

template <size_t N>
std::optional<int> IndexOf(const std::string& text, const std::array<const char*, N>& names) {
  for (size_t i = 0; i < N; ++i) {
    if (EqualsIgnoreCase(text, names[i])) return int(i);
  }
  return std::nullopt;
}

bool Bad(const char* option, const std::string& value, const char* expected) {
  ReportUsage(std::string(option) + ": '" + value + "' is not " + expected);
  return false;
}

}  // namespace

std::vector<OptionDef> PatternSettingOptions() {
  return {{"--colors", true},  {"--brand", true},     {"--type", true},
          {"--pages", true},   {"--paper", true},     {"--dpi", true},
          {"--landscape", false}, {"--percent", true}, {"--border-color", true},
          {"--default-printer", false}, {"--min-area-mm", true}, {"--orientation", true},
          {"--match", true}};
}

bool ApplyPatternSettingOptions(const ParsedArgs& parsed, CliContext& context) {
  OverlaySettingsStore& store = context.Settings();
  struct IntOption {
    const char* name;
    Setting setting;
    int lo, hi, shift;
  };
  const IntOption numbers[] = {
      {"--colors", Setting::kNeededNumColors, 2, 256, 0},
      {"--pages", Setting::kPageCount, 1, 10, -1},
      {"--percent", Setting::kColorCorrectionPercent, 0, 1000, 0},
  };
  std::string error;
  for (const IntOption& option : numbers) {
    std::optional<std::string> text = parsed.Value(option.name);
    if (!text) continue;
    int value = 0;
    if (!ReadIntOption(*text, option.lo, option.hi, value, error)) {
      ReportUsage(std::string(option.name) + ": " + error);
      return false;
    }
    Override(store, option.setting, value + option.shift);
  }
  if (auto text = parsed.Value("--type")) {
    std::optional<int> type = ReadPatternType(*text, error);
    if (!type) {
      ReportUsage("--type: " + error);
      return false;
    }
    Override(store, Setting::kPatternType, *type);
  }
  if (auto text = parsed.Value("--paper")) {
    std::optional<int> paper = PaperSizeNamed(*text);
    if (!paper) return Bad("--paper", *text, PaperSizeWords(", ", " or ").c_str());
    Override(store, Setting::kPaperSize, *paper);
  }
  if (auto text = parsed.Value("--dpi")) {
    auto dpi = IndexOf(*text, std::array{"150", "300", "600", "1200", "2400", "4800"});
    if (!dpi) return Bad("--dpi", *text, "150, 300, 600, 1200, 2400 or 4800");
    Override(store, Setting::kPrintResolution, *dpi);
  }
  if (parsed.Has("--landscape")) Override(store, Setting::kOrientation, 1);
  if (auto text = parsed.Value("--orientation")) {
    auto way = IndexOf(*text, std::array{"portrait", "landscape", "auto"});
    if (!way) return Bad("--orientation", *text, "portrait, landscape or auto");
    if (*way != 1 && parsed.Has("--landscape")) {
      ReportUsage("--landscape and --orientation " + *text + " say different things");
      return false;
    }
    // "auto" turns the page from whichever orientation the settings hold.
    if (*way < 2) Override(store, Setting::kOrientation, *way);
    Override(store, Setting::kAutoOrientation, *way == 2 ? 1 : 0);
  }
  if (auto text = parsed.Value("--match")) {
    auto match = IndexOf(*text, std::array{"classic", "closest"});
    if (!match) return Bad("--match", *text, "classic or closest");
    Override(store, Setting::kColorMatch, *match);
  }
  Override(store, Setting::kUseDefaultPrinter, parsed.Has("--default-printer") ? 1 : 0);
  if (auto text = parsed.Value("--border-color")) {
    auto color = ParseHexColor(*text);
    if (!color) return Bad("--border-color", *text, "a colour RRGGBB");
    Override(store, Setting::kBorderColor, int(*color));
  }
  if (auto text = parsed.Value("--min-area-mm")) {
    // Tenths of a millimetre, as the setting keeps it.
    char* end = nullptr;
    const double mm = std::strtod(text->c_str(), &end);
    if (text->empty() || end != text->c_str() + text->size() ||
        !(mm == 0 || (mm >= 0.1 && mm <= 100.0))) {
      return Bad("--min-area-mm", *text,
                 "0 (no merging) or a number of millimetres from 0.1 to 100");
    }
    Override(store, Setting::kMergeSmallAreas, mm == 0 ? 0 : 1);
    if (mm != 0) Override(store, Setting::kMinAreaDiameter, int(std::lround(mm * 10)));
  }
  if (auto text = parsed.Value("--brand")) {
    std::string why = "is not a brand palette (see tintara-cli palettes)";
    auto brand = ResolveBrand(*text, context.ProgramFolder(), why);
    if (!brand) {
      ReportUsage("--brand: '" + *text + "' " + why);
      return false;
    }
    store.OverrideString(KeyOf(Setting::kBrand).section, KeyOf(Setting::kBrand).key, *brand);
  }
  return true;
}

}  // namespace tintara::cli
