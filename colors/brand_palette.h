// All paint colours of one brand, read from a brand palette file.
//
// The file is text with CR LF line ends: a header "PAINT=<brand name>", an
// optional empty line, then one line per colour with five comma-terminated
// fields: name, catalogue number, red, green, blue. Names are kept as the
// file's bytes (UTF-8). Malformed colour lines are dropped; parsing never fails.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "colors/file_read.h"
#include "colors/floss_color.h"

namespace tintara {

class UiHost;

// Brand files are small; anything larger is not one.
constexpr size_t kMaxBrandFileBytes = size_t{16} << 20;

class BrandPalette {
 public:
  // Reads the whole file (behind the wait cursor when a host is given), then
  // parses it. Nothing, with `error` set, when the file cannot be read.
  static std::optional<BrandPalette> Load(const std::string& path, FileError* error = nullptr,
                                          UiHost* host = nullptr);
  // Parses file bytes; `path` becomes every colour's sourceFile.
  static BrandPalette Parse(std::string_view bytes, const std::string& path);

  const std::string& BrandName() const { return brandName_; }
  const std::string& FilePath() const { return filePath_; }
  int Count() const { return int(colors_.size()); }
  const std::vector<CFlossColor>& Colors() const { return colors_; }
  // Null when the position is outside the brand.
  const CFlossColor* ColorAt(int position) const;

  // Brand position of the first colour with exactly this RGB value, or -1.
  int FindExact(Rgb color) const;
  // Brand position of the colour with the smallest |Δred| + |Δgreen| + |Δblue|;
  // the earliest in brand order wins ties. -1 for a brand without colours.
  int FindNearest(Rgb color) const;

 private:
  std::string brandName_;
  std::string filePath_;
  std::vector<CFlossColor> colors_;
};

// Number in a brand file field: leading blanks skipped, an optional sign,
// digits up to the first other character; no digits give 0. Values beyond
// the 32-bit range saturate.
int32_t ParseBrandNumber(std::string_view field);

}  // namespace tintara
