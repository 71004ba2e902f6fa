// Everything that decides how the painting pattern looks: the working palette
// of paint colours, the wanted number of colours, the type of colour
// identification, the colour of borders and digits, the current colour and pen.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "colors/file_names.h"
#include "colors/floss_color.h"
#include "imaging/image_buffer.h"

namespace tintara {

class SettingsStore;
class ArchiveWriter;
class ArchiveReader;

// Pattern types.
enum : int32_t {
  kPatternBordersOnly = 0,
  kPatternTilesNoBorders = 1,
  kPatternTiles = 2,
  kPatternTonesNoBorders = 3,
  kPatternTones = 4,
  kPatternNumbers = 5,
  kPatternNothing = 6,
};

class CTesselParams {
 public:
  int32_t paletteReady = 0;
  uint32_t borderColor = 0x808080;
  int32_t dotsPerCell = 4;
  int32_t neededNumColors = 32;
  std::vector<CFlossColor> workingPalette;
  int32_t patternType = kPatternNumbers;
  std::string brandFile;
  Rgb auxColor{255, 232, 196};
  int32_t currentColor = 0;
  int32_t currentBrandColor = -1;
  int32_t penWidth = 1;
  int32_t penShape = 1;

  // A record from the settings: settles brandFile to the first "*.dat" of the
  // program folder when it is empty or names no file, and fills the 36 grid
  // colours. Empty (with `error` set) when the folder holds no brand file.
  // A stored brand that cannot be used is replaced, and `replaced` says so.
  static std::optional<CTesselParams> Create(const SettingsStore& settings,
                                             const std::string& programFolder,
                                             std::string* error = nullptr,
                                             std::string* replaced = nullptr);

  // The record's assignment: everything but dotsPerCell, penWidth and penShape.
  void AssignFrom(const CTesselParams& other);
  // Working palettes colour by colour, the settings-backed fields and brandFile;
  // paletteReady and dotsPerCell take no part.
  friend bool operator==(const CTesselParams& a, const CTesselParams& b);

  void SaveToSettings(SettingsStore& settings) const;
  void Serialize(ArchiveWriter& out) const;
  // Rebuilds brandFile as programFolder + stored title + ".DAT" (or the brand
  // file of that title whose extension differs only in letter case). A stored
  // palette of the placeholder colours leaves paletteReady 0. False,
  // with the record unchanged, when the bytes run out or the palette block is
  // malformed.
  bool Deserialize(ArchiveReader& in, const std::string& programFolder);

  // Red, green, blue of each working colour into consecutive entries (the
  // flags byte is left as it is).
  void WritePaletteEntries(PaletteEntry* entries, int capacity) const;
  // The RGB value of the current colour; resets currentColor to 0 when it is
  // outside the palette.
  uint32_t CurrentColorValue();
  // Keeps the current painting colour on the same brand colour after a rebuild.
  void SyncCurrentColor(std::span<const int32_t> brandPositions);
  // Colours of an older project: RGB entries with brand positions (-1 = none),
  // named from the brand palette of brandFile where the position exists
  // (placeholder colours leave paletteReady 0). False, with the record
  // unchanged, when the brand file cannot be read.
  bool RestoreFromStoredColors(int count, const PaletteEntry* entries,
                               std::span<const int32_t> brandPositions);

  // Empties the working palette and fills the 36 grid colours of a new record.
  void FillGridColors();
};

// The brand file a stored title names: program folder + the title's file-name
// part + ".DAT", or, when only the extension's letter case differs, the file
// that exists. Folders in the title are dropped, so a title never leads out
// of the program folder.
std::string BrandFileFromTitle(const std::string& programFolder, const std::string& title);

// True for the 36 grid colours of a new record (or a copy of them): stand-ins
// that are replaced before any pattern is made, never paints of a pattern.
bool IsPlaceholderPalette(std::span<const CFlossColor> palette);

}  // namespace tintara
