#include "colors/saved_palette.h"

#include <algorithm>
#include <filesystem>

#include "colors/file_names.h"
#include "colors/file_read.h"
#include "colors/tessel_params.h"
#include "storage/archive.h"
#include "storage/replacing_file.h"

namespace tintara {

namespace fs = std::filesystem;

namespace {

// Three empty strings, two numbers and three bytes: the smallest stored colour.
constexpr size_t kMinStoredColorBytes = 3 + 4 + 4 + 3;
// Three strings of at most a few kilobytes each per colour, 256 colours.
constexpr size_t kMaxSavedPaletteBytes = size_t{16} << 20;

bool ReadStoredColor(ArchiveReader& in, CFlossColor& color) {
  return in.ReadString(color.brandName) && in.ReadString(color.sourceFile) &&
         in.ReadString(color.colorName) && in.ReadInt32(color.catalogNumber) &&
         in.ReadInt32(color.paletteIndex) && in.ReadByte(color.red) &&
         in.ReadByte(color.green) && in.ReadByte(color.blue);
}

}  // namespace

void WritePaletteBlock(ArchiveWriter& out, const std::vector<CFlossColor>& palette) {
  out.WriteInt32(int32_t(palette.size()));
  for (const CFlossColor& color : palette) {
    out.WriteString(color.brandName);
    out.WriteString(color.sourceFile);
    out.WriteString(color.colorName);
    out.WriteInt32(color.catalogNumber);
    out.WriteInt32(color.paletteIndex);
    out.WriteByte(color.red);
    out.WriteByte(color.green);
    out.WriteByte(color.blue);
  }
}

bool ReadPaletteBlock(ArchiveReader& in, std::vector<CFlossColor>& palette) {
  int32_t count = 0;
  if (!in.ReadInt32(count)) return false;
  if (count < 0 || count > kMaxWorkingColors ||
      size_t(count) * kMinStoredColorBytes > in.Remaining()) {
    return false;
  }
  std::vector<CFlossColor> read(static_cast<size_t>(count));
  for (CFlossColor& color : read) {
    if (!ReadStoredColor(in, color)) return false;
  }
  palette = std::move(read);
  return true;
}

bool SaveSavedPalette(const std::vector<CFlossColor>& palette, const std::string& path) {
  // Through a file beside it: a failed save keeps the palette saved before.
  ReplacingFile file(path);
  if (!file.IsOpen()) return false;
  ArchiveWriter writer(file);
  WritePaletteBlock(writer, palette);
  return writer.Ok() && file.Commit();
}

bool LoadSavedPalette(const std::string& path, CTesselParams& params) {
  std::optional<std::string> bytes = ReadWholeFile(path, kMaxSavedPaletteBytes);
  if (!bytes) return false;
  ArchiveReader reader(
      std::span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()));
  std::vector<CFlossColor> palette;
  if (!ReadPaletteBlock(reader, palette)) return false;
  if (!palette.empty()) params.paletteReady = 1;
  params.workingPalette = std::move(palette);
  return true;
}

std::string PalettesFolder(const std::string& programFolder) {
  return JoinPath(programFolder, "Palettes");
}

bool EnsureFolder(const std::string& folder) {
  std::error_code error;
  fs::create_directory(folder, error);
  return fs::is_directory(folder, error);
}

std::vector<SavedPaletteEntry> ListSavedPalettes(const std::string& folder) {
  std::vector<SavedPaletteEntry> entries;
  for (FolderFile& file : ListFilesWithExtension(folder, ".PAL")) {
    entries.push_back({std::move(file.title), std::move(file.path)});
  }
  return entries;
}

std::string SavedPalettePath(const std::string& folder, const std::string& name) {
  return JoinPath(folder, name + ".PAL");
}

}  // namespace tintara
