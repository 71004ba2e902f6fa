// The paint of the area under the pointer, as the status bar names it when
// the user clicks the pattern with no tool chosen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tintara {

class CTessel20Doc;

struct AreaPaint {
  int number = 0;  // as printed on the pattern and the key: the position from 1
  std::string colorName;
  std::string brandName;
  int32_t catalogNumber = -1;  // -1: the colour has none
};

// The paint at picture pixel (x, y), row 0 at the bottom, of what the views
// show. Only the converted picture and the pattern are made of areas; none
// while the initial picture or the picture being edited is shown, outside
// the picture, or for a position the working palette does not hold.
std::optional<AreaPaint> PaintAt(const CTessel20Doc& doc, int32_t x, int32_t y);

// "Color 5: Ivory, Acme, No. 3102" for the status bar; parts the colour lacks
// are left out.
std::string AreaPaintText(const AreaPaint& paint);

}  // namespace tintara
