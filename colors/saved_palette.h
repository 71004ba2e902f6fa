// Working palettes stored on their own: files "<name>.PAL" in the "Palettes"
// folder of the program folder, holding the same palette block that project
// files embed.
#pragma once

#include <string>
#include <vector>

#include "colors/floss_color.h"

namespace tintara {

class ArchiveWriter;
class ArchiveReader;
class CTesselParams;

// A working palette never holds more colours than a colour-index byte can name.
constexpr int kMaxWorkingColors = 256;

// Count, then per colour: brand name, source file, colour name, catalogue
// number, palette index, red, green, blue.
void WritePaletteBlock(ArchiveWriter& out, const std::vector<CFlossColor>& palette);
// The colours of a block; false when the bytes run out or the count is not
// 0..256 (then `palette` is left as it was).
bool ReadPaletteBlock(ArchiveReader& in, std::vector<CFlossColor>& palette);

// Creates or truncates the file and writes the block; false when any byte
// could not be written.
bool SaveSavedPalette(const std::vector<CFlossColor>& palette, const std::string& path);
// Replaces the working palette with the file's colours; paletteReady becomes 1
// when at least one colour was read. On failure the record is left unchanged.
bool LoadSavedPalette(const std::string& path, CTesselParams& params);

// "<program folder>/Palettes".
std::string PalettesFolder(const std::string& programFolder);
// Creates the folder when it is missing; false when it still does not exist.
bool EnsureFolder(const std::string& folder);
struct SavedPaletteEntry {
  std::string name;  // file name without extension
  std::string path;  // the file as it exists (its extension in any letter case)
};
// The files of the folder whose extension is "PAL" in any letter case, in
// name order without regard to case.
std::vector<SavedPaletteEntry> ListSavedPalettes(const std::string& folder);
// folder + name + ".PAL".
std::string SavedPalettePath(const std::string& folder, const std::string& name);

}  // namespace tintara
