#include "colors/tessel_params.h"

#include <algorithm>
#include <filesystem>

#include "colors/brand_list.h"
#include "colors/brand_palette.h"
#include "colors/file_names.h"
#include "colors/saved_palette.h"
#include "storage/archive.h"
#include "storage/settings_keys.h"

namespace tintara {

namespace fs = std::filesystem;

namespace {

bool IsExistingFile(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_regular_file(path, error);
}

// The 36 placeholder colours of a new record: no paint stands behind them.
std::vector<CFlossColor> GridColors() {
  std::vector<CFlossColor> colors;
  static constexpr uint8_t kReds[] = {0, 85, 170};
  static constexpr uint8_t kGreens[] = {0, 63, 127, 191};
  static constexpr uint8_t kBlues[] = {0, 85, 170};
  for (uint8_t red : kReds) {
    for (uint8_t green : kGreens) {
      for (uint8_t blue : kBlues) {
        CFlossColor color;
        color.catalogNumber = -1;
        color.paletteIndex = int32_t(colors.size());
        color.red = red;
        color.green = green;
        color.blue = blue;
        colors.push_back(std::move(color));
      }
    }
  }
  return colors;
}

}  // namespace

std::string BrandFileFromTitle(const std::string& programFolder, const std::string& storedTitle) {
  // Only the name counts: a stored title never leads outside the program folder.
  std::string title = FileNameOf(storedTitle.substr(0, storedTitle.find('\0')));
  std::string path = JoinPath(programFolder, title + ".DAT");
  if (IsExistingFile(path)) return path;
  for (const std::string& candidate : FindBrandFiles(programFolder)) {
    if (FileTitle(candidate) == title) return candidate;
  }
  return path;
}

namespace {

// Why a stored brand path cannot be read as a brand palette.
std::string UnusableBrandReason(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (fs::is_symlink(fs::symlink_status(path, error)) && !fs::exists(status)) {
    return "a link that points nowhere";
  }
  if (!fs::exists(status)) return "missing";
  if (fs::is_directory(status)) return "a folder";
  return "not a regular file";
}

}  // namespace

std::optional<CTesselParams> CTesselParams::Create(const SettingsStore& settings,
                                                   const std::string& programFolder,
                                                   std::string* error, std::string* replaced) {
  CTesselParams params;
  params.borderColor = uint32_t(ReadSetting(settings, Setting::kBorderColor));
  params.neededNumColors = ReadSetting(settings, Setting::kNeededNumColors);
  params.patternType = ReadSetting(settings, Setting::kPatternType);
  params.brandFile = ReadSettingText(settings, Setting::kBrand);
  params.auxColor = {uint8_t(ReadSetting(settings, Setting::kAuxRed)),
                     uint8_t(ReadSetting(settings, Setting::kAuxGreen)),
                     uint8_t(ReadSetting(settings, Setting::kAuxBlue))};
  params.currentColor = ReadSetting(settings, Setting::kCurrentColor);
  params.currentBrandColor = ReadSetting(settings, Setting::kCurrentBrandColor);
  params.penWidth = ReadSetting(settings, Setting::kPenWidth);
  params.penShape = ReadSetting(settings, Setting::kPenShape);
  params.paletteReady = 0;
  params.dotsPerCell = 4;

  if (!IsExistingFile(params.brandFile)) {
    std::vector<std::string> brands = FindBrandFiles(programFolder);
    if (brands.empty()) {
      if (error != nullptr) {
        *error = "File not found: no brand palette file (*.dat) in " +
                 WithTrailingSeparator(programFolder);
      }
      return std::nullopt;
    }
    if (replaced != nullptr && !params.brandFile.empty()) {
      *replaced = "The brand palette " + params.brandFile + " is " +
                  UnusableBrandReason(params.brandFile) + "; " + FileNameOf(brands.front()) +
                  " is used instead.";
    }
    params.brandFile = brands.front();
  }
  params.FillGridColors();
  return params;
}

void CTesselParams::FillGridColors() { workingPalette = GridColors(); }

bool IsPlaceholderPalette(std::span<const CFlossColor> palette) {
  static const std::vector<CFlossColor> grid = GridColors();
  // An older project names every colour after its brand, so the brand does not count.
  return std::equal(palette.begin(), palette.end(), grid.begin(), grid.end(),
                    [](const CFlossColor& a, const CFlossColor& b) {
                      return a.AsRgb() == b.AsRgb() && a.catalogNumber == -1 &&
                             a.colorName.empty();
                    });
}

void CTesselParams::AssignFrom(const CTesselParams& other) {
  neededNumColors = other.neededNumColors;
  paletteReady = other.paletteReady;
  workingPalette = other.workingPalette;
  borderColor = other.borderColor;
  patternType = other.patternType;
  auxColor = other.auxColor;
  currentColor = other.currentColor;
  currentBrandColor = other.currentBrandColor;
  brandFile = other.brandFile;
}

bool operator==(const CTesselParams& a, const CTesselParams& b) {
  return a.workingPalette == b.workingPalette && a.neededNumColors == b.neededNumColors &&
         a.patternType == b.patternType && a.borderColor == b.borderColor &&
         a.auxColor == b.auxColor && a.currentColor == b.currentColor &&
         a.currentBrandColor == b.currentBrandColor && a.brandFile == b.brandFile &&
         a.penWidth == b.penWidth && a.penShape == b.penShape;
}

void CTesselParams::SaveToSettings(SettingsStore& settings) const {
  WriteSetting(settings, Setting::kPatternType, patternType);
  WriteSetting(settings, Setting::kBorderColor, int(borderColor));
  WriteSetting(settings, Setting::kAuxRed, auxColor.red);
  WriteSetting(settings, Setting::kAuxGreen, auxColor.green);
  WriteSetting(settings, Setting::kAuxBlue, auxColor.blue);
  WriteSetting(settings, Setting::kCurrentColor, currentColor);
  WriteSetting(settings, Setting::kCurrentBrandColor, currentBrandColor);
  WriteSetting(settings, Setting::kPenWidth, penWidth);
  WriteSetting(settings, Setting::kPenShape, penShape);
  WriteSettingText(settings, Setting::kBrand, brandFile);
  WriteSetting(settings, Setting::kNeededNumColors, neededNumColors);
}

void CTesselParams::Serialize(ArchiveWriter& out) const {
  out.WriteInt32(int32_t(workingPalette.size()));
  out.WriteInt32(neededNumColors);
  WritePaletteBlock(out, workingPalette);
  out.WriteInt32(patternType);
  out.WriteUInt32(borderColor);
  out.WriteString(FileTitle(brandFile));
  out.WriteByte(auxColor.red);
  out.WriteByte(auxColor.green);
  out.WriteByte(auxColor.blue);
  out.WriteInt32(currentColor);
  out.WriteInt32(currentBrandColor);
}

bool CTesselParams::Deserialize(ArchiveReader& in, const std::string& programFolder) {
  int32_t ignoredCount = 0;
  int32_t needed = 0, type = 0, current = 0, currentBrand = 0;
  uint32_t border = 0;
  std::vector<CFlossColor> palette;
  std::string title;
  Rgb aux;
  if (!in.ReadInt32(ignoredCount) || !in.ReadInt32(needed) || !ReadPaletteBlock(in, palette) ||
      !in.ReadInt32(type) || !in.ReadUInt32(border) || !in.ReadString(title) ||
      !in.ReadByte(aux.red) || !in.ReadByte(aux.green) || !in.ReadByte(aux.blue) ||
      !in.ReadInt32(current) || !in.ReadInt32(currentBrand)) {
    return false;
  }
  neededNumColors = needed;
  if (!palette.empty()) paletteReady = IsPlaceholderPalette(palette) ? 0 : 1;
  workingPalette = std::move(palette);
  patternType = type;
  borderColor = border;
  brandFile = BrandFileFromTitle(programFolder, title);
  auxColor = aux;
  currentColor = current;
  currentBrandColor = currentBrand;
  return true;
}

void CTesselParams::WritePaletteEntries(PaletteEntry* entries, int capacity) const {
  int count = std::min(capacity, int(workingPalette.size()));
  for (int i = 0; i < count; ++i) {
    const CFlossColor& color = workingPalette[size_t(i)];
    entries[i].red = color.red;
    entries[i].green = color.green;
    entries[i].blue = color.blue;
  }
}

uint32_t CTesselParams::CurrentColorValue() {
  if (currentColor < 0 || currentColor >= int32_t(workingPalette.size())) currentColor = 0;
  if (workingPalette.empty()) return 0;
  return workingPalette[size_t(currentColor)].ColorValue();
}

void CTesselParams::SyncCurrentColor(std::span<const int32_t> brandPositions) {
  const int32_t n = int32_t(std::min(brandPositions.size(), workingPalette.size()));
  if (n == 0) {
    currentColor = 0;
    return;
  }
  if (currentBrandColor == -1) {
    if (currentColor < 0 || currentColor >= n) currentColor = 0;
    currentBrandColor = brandPositions[size_t(currentColor)];
    return;
  }
  auto found = std::find(brandPositions.begin(), brandPositions.begin() + n, currentBrandColor);
  if (found != brandPositions.begin() + n) {
    currentColor = int32_t(found - brandPositions.begin());
  } else {
    currentColor = 0;
    currentBrandColor = brandPositions[0];
  }
}

bool CTesselParams::RestoreFromStoredColors(int count, const PaletteEntry* entries,
                                            std::span<const int32_t> brandPositions) {
  if (count < 0 || count > kMaxWorkingColors || (count > 0 && entries == nullptr)) return false;
  std::optional<BrandPalette> brand = BrandPalette::Load(brandFile);
  if (!brand) return false;
  std::vector<CFlossColor> palette;
  palette.reserve(size_t(count));
  for (int i = 0; i < count; ++i) {
    CFlossColor color;
    color.red = entries[i].red;
    color.green = entries[i].green;
    color.blue = entries[i].blue;
    color.paletteIndex = i;
    color.brandName = brand->BrandName();
    color.sourceFile = brandFile;
    int32_t position = size_t(i) < brandPositions.size() ? brandPositions[size_t(i)] : -1;
    if (const CFlossColor* named = position == -1 ? nullptr : brand->ColorAt(position)) {
      color.colorName = named->colorName;
      color.catalogNumber = named->catalogNumber;
    }
    palette.push_back(std::move(color));
  }
  workingPalette = std::move(palette);
  if (count > 0) paletteReady = IsPlaceholderPalette(workingPalette) ? 0 : 1;
  return true;
}

}  // namespace tintara
