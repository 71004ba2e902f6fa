// Brand palette files are text from outside: any bytes must parse without
// fault, and every colour kept must come from a line with five fields.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "colors/brand_palette.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tintara::BrandPalette palette = tintara::BrandPalette::Parse(bytes, "fuzz.dat");
  // Each colour needs at least five commas of its own.
  size_t commas = 0;
  for (char c : bytes) commas += c == ',';
  if (size_t(palette.Count()) * 5 > commas) __builtin_trap();
  if (palette.Count() > 0) {
    const tintara::CFlossColor& first = *palette.ColorAt(0);
    int nearest = palette.FindNearest(first.AsRgb());
    int exact = palette.FindExact(first.AsRgb());
    if (nearest != 0 || exact != 0) __builtin_trap();
  }
  return 0;
}
