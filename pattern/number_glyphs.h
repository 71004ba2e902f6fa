// The colour numbers written into the areas of a numbered pattern: one
// 16 × 16 glyph per number 1..35, ink within rows 4..10 and columns 4..12;
// larger palettes go on with the same digits, three-digit numbers spreading
// to columns 1..14.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tintara {

constexpr int kGlyphSize = 16;
constexpr int kGlyphCount = 35;  // numbers 1..35, the set drawn for up to 35 colours
constexpr int kLastGlyphNumber = 256;  // a working palette holds at most 256 colours
// The ink box every glyph of 1..99 keeps to, inclusive.
constexpr int kGlyphInkFirstRow = 4;
constexpr int kGlyphInkLastRow = 10;
constexpr int kGlyphInkFirstColumn = 4;
constexpr int kGlyphInkLastColumn = 12;

// Rows are numbered like picture rows: row v lands on pattern row gy + v, so
// row 0 is the glyph's bottom as shown. Bit u of a row is ink at column u.
struct NumberGlyph {
  std::array<uint16_t, kGlyphSize> rows{};
  bool Ink(int u, int v) const {
    return u >= 0 && u < kGlyphSize && v >= 0 && v < kGlyphSize && ((rows[size_t(v)] >> u) & 1);
  }
};

// Null for numbers outside 1..256: such a colour gets no number.
const NumberGlyph* GlyphForNumber(int number);

}  // namespace tintara
