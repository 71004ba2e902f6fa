#include "pattern/number_glyphs.h"

#include <string_view>

namespace tintara {

namespace {

constexpr int kDigitRows = kGlyphInkLastRow - kGlyphInkFirstRow + 1;  // 7

// Digits as they are seen, top row first. A lone digit is five pixels wide;
// two digits must share nine columns, so they are four wide with a gap of one.
// Shapes keep the easily confused pairs apart: 1 has a foot and 7 a bar on top,
// 3 is open on the left where 8 is closed, 5 is open below on the left where 6
// is closed and 6 has no bar on top.
constexpr std::string_view kWideDigits[10][kDigitRows] = {
    {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."},
    {"..#..", ".##..", "#.#..", "..#..", "..#..", "..#..", "#####"},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {"####.", "....#", "....#", ".###.", "....#", "....#", "####."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."},
};

constexpr std::string_view kNarrowDigits[10][kDigitRows] = {
    {".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."},
    {"..#.", ".##.", "..#.", "..#.", "..#.", "..#.", ".###"},
    {".##.", "#..#", "...#", "..#.", ".#..", "#...", "####"},
    {"###.", "...#", "...#", ".##.", "...#", "...#", "###."},
    {"..#.", ".##.", "#.#.", "#.#.", "####", "..#.", "..#."},
    {"####", "#...", "###.", "...#", "...#", "#..#", ".##."},
    {"..#.", ".#..", "#...", "###.", "#..#", "#..#", ".##."},
    {"####", "...#", "..#.", "..#.", ".#..", ".#..", ".#.."},
    {".##.", "#..#", "#..#", ".##.", "#..#", "#..#", ".##."},
    {".##.", "#..#", "#..#", ".###", "...#", "..#.", ".#.."},
};

// Seen top row a is glyph row kGlyphInkLastRow - a: larger row numbers are
// higher up when the pattern is shown.
constexpr void Stamp(NumberGlyph& glyph, const std::string_view (&digit)[kDigitRows],
                     int firstColumn) {
  for (int a = 0; a < kDigitRows; ++a) {
    for (size_t c = 0; c < digit[a].size(); ++c) {
      if (digit[a][c] == '#') {
        glyph.rows[size_t(kGlyphInkLastRow - a)] |= uint16_t(1u << (firstColumn + int(c)));
      }
    }
  }
}

constexpr NumberGlyph Compose(int number) {
  NumberGlyph glyph;
  if (number < 10) {
    Stamp(glyph, kWideDigits[number], 6);  // columns 6..10, centred on 8
  } else if (number < 100) {
    Stamp(glyph, kNarrowDigits[number / 10], kGlyphInkFirstColumn);
    Stamp(glyph, kNarrowDigits[number % 10], kGlyphInkLastColumn - 3);
  } else {
    // Three digits of the same height keep their gap of one column: 1..14.
    Stamp(glyph, kNarrowDigits[number / 100], 1);
    Stamp(glyph, kNarrowDigits[number / 10 % 10], 6);
    Stamp(glyph, kNarrowDigits[number % 10], 11);
  }
  return glyph;
}

constexpr std::array<NumberGlyph, kLastGlyphNumber> ComposeAll() {
  std::array<NumberGlyph, kLastGlyphNumber> glyphs{};
  for (int n = 1; n <= kLastGlyphNumber; ++n) glyphs[size_t(n - 1)] = Compose(n);
  return glyphs;
}

constexpr std::array<NumberGlyph, kLastGlyphNumber> kGlyphs = ComposeAll();

}  // namespace

const NumberGlyph* GlyphForNumber(int number) {
  if (number < 1 || number > kLastGlyphNumber) return nullptr;
  return &kGlyphs[size_t(number - 1)];
}

}  // namespace tintara
