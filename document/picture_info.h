// What "Picture/pattern information" shows: the initial picture's size in
// pixels and as printed lengths, or the colours and brands of the pattern.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tintara {

class CTessel20Doc;

enum class InfoKind {
  kAbout,    // neither picture: the About window instead
  kPicture,  // the initial picture, while it is what the view shows
  kPattern,  // the painting pattern's colours
};

InfoKind ChooseInfoKind(const CTessel20Doc& doc);

struct PictureInfo {
  int32_t width = 0;
  int32_t height = 0;
  // Lengths at the picture's horizontal resolution (72 dpi when it has none);
  // absent for unit preferences other than centimetres and inches.
  std::optional<double> widthLength;
  std::optional<double> heightLength;
  std::string unitLabel;  // "Centimeters", "Inches" or ""
  std::string origin;     // the file, "Clipboard", or the device
};

// `prefUnits`: 0 centimetres, 1 inches, anything else no lengths.
PictureInfo DescribePicture(const CTessel20Doc& doc, int prefUnits);

struct PatternInfo {
  int usedColors = 0;
  std::vector<std::string> brands;  // in colour-position order, no repeats
  // Mean CIEDE2000 difference between the photo averaged to the pattern's
  // size and the converted picture; absent without both pictures.
  std::optional<double> meanDifference;
};

PatternInfo DescribePattern(const CTessel20Doc& doc);

}  // namespace tintara
