// One paint colour: brand, source file, name, catalogue number and RGB value.
#pragma once

#include <cstdint>
#include <string>

namespace tintara {

class ArchiveWriter;
class ArchiveReader;

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colour value for drawing and settings: red in the low byte, then green, blue.
constexpr uint32_t PackColor(uint8_t red, uint8_t green, uint8_t blue) {
  return uint32_t(red) | (uint32_t(green) << 8) | (uint32_t(blue) << 16);
}
constexpr Rgb UnpackColor(uint32_t value) {
  return {uint8_t(value & 0xFF), uint8_t((value >> 8) & 0xFF), uint8_t((value >> 16) & 0xFF)};
}

class CFlossColor {
 public:
  std::string brandName;
  std::string sourceFile;
  std::string colorName;
  int32_t catalogNumber = -1;
  int32_t paletteIndex = -1;
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;

  // Equality leaves paletteIndex out: the same paint at two positions is equal.
  friend bool operator==(const CFlossColor& a, const CFlossColor& b);

  uint32_t ColorValue() const { return PackColor(red, green, blue); }
  Rgb AsRgb() const { return {red, green, blue}; }

  // Names, catalogue number and RGB; paletteIndex is stored by the palette block.
  void Serialize(ArchiveWriter& out) const;
  bool Deserialize(ArchiveReader& in);

  // "Name: %s\nCatalog No: %d\nBrand: %s\nRed: %d, Green: %d, Blue: %d"
  std::string InfoText() const;
  // "%s, Catalog No - %d, Brand - %s"
  std::string DescriptionLine() const;
  // "Red: %d, Green: %d, Blue: %d"
  std::string RgbLine() const;
};

}  // namespace tintara
