#include "colors/floss_color.h"

#include "storage/archive.h"

namespace tintara {

bool operator==(const CFlossColor& a, const CFlossColor& b) {
  return a.brandName == b.brandName && a.sourceFile == b.sourceFile &&
         a.colorName == b.colorName && a.catalogNumber == b.catalogNumber &&
         a.red == b.red && a.green == b.green && a.blue == b.blue;
}

void CFlossColor::Serialize(ArchiveWriter& out) const {
  out.WriteString(brandName);
  out.WriteString(sourceFile);
  out.WriteString(colorName);
  out.WriteInt32(catalogNumber);
  out.WriteByte(red);
  out.WriteByte(green);
  out.WriteByte(blue);
}

bool CFlossColor::Deserialize(ArchiveReader& in) {
  CFlossColor read = *this;
  if (!in.ReadString(read.brandName) || !in.ReadString(read.sourceFile) ||
      !in.ReadString(read.colorName) || !in.ReadInt32(read.catalogNumber) ||
      !in.ReadByte(read.red) || !in.ReadByte(read.green) || !in.ReadByte(read.blue)) {
    return false;
  }
  *this = std::move(read);
  return true;
}

std::string CFlossColor::InfoText() const {
  return "Name: " + colorName + "\nCatalog No: " + std::to_string(catalogNumber) +
         "\nBrand: " + brandName + "\n" + RgbLine();
}

std::string CFlossColor::DescriptionLine() const {
  return colorName + ", Catalog No - " + std::to_string(catalogNumber) + ", Brand - " +
         brandName;
}

std::string CFlossColor::RgbLine() const {
  return "Red: " + std::to_string(red) + ", Green: " + std::to_string(green) +
         ", Blue: " + std::to_string(blue);
}

}  // namespace tintara
