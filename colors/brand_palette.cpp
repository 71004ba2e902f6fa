#include "colors/brand_palette.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "ports/ui_host.h"

namespace tintara {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Splits off the text before the next comma; false when the line has no
// further comma.
bool NextField(std::string_view& rest, std::string_view& field) {
  size_t comma = rest.find(',');
  if (comma == std::string_view::npos) return false;
  field = rest.substr(0, comma);
  rest.remove_prefix(comma + 1);
  return true;
}

std::optional<CFlossColor> ParseColorLine(std::string_view line) {
  std::string_view name, catalog, red, green, blue;
  if (!NextField(line, name) || !NextField(line, catalog) || !NextField(line, red) ||
      !NextField(line, green) || !NextField(line, blue)) {
    return std::nullopt;
  }
  CFlossColor color;
  color.colorName = std::string(name);
  color.catalogNumber = catalog.empty() ? -1 : ParseBrandNumber(catalog);
  color.red = uint8_t(ParseBrandNumber(red) & 0xFF);
  color.green = uint8_t(ParseBrandNumber(green) & 0xFF);
  color.blue = uint8_t(ParseBrandNumber(blue) & 0xFF);
  return color;
}

}  // namespace

int32_t ParseBrandNumber(std::string_view field) {
  size_t i = 0;
  while (i < field.size() && IsBlank(field[i])) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t value = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    value = std::min(kLimit, value * 10 + (field[i] - '0'));
  }
  if (negative) return int32_t(-value);
  return int32_t(std::min<int64_t>(value, kLimit - 1));
}

BrandPalette BrandPalette::Parse(std::string_view bytes, const std::string& path) {
  BrandPalette palette;
  palette.filePath_ = path;
  size_t headerEnd = bytes.find(kLineEnd);
  std::string_view header = bytes.substr(0, headerEnd);
  size_t equals = header.find('=');
  if (equals != std::string_view::npos) palette.brandName_ = std::string(header.substr(equals + 1));
  if (headerEnd == std::string_view::npos) return palette;

  std::string_view rest = bytes.substr(headerEnd + kLineEnd.size());
  if (rest.starts_with(kLineEnd)) rest.remove_prefix(kLineEnd.size());
  while (!rest.empty()) {
    size_t end = rest.find(kLineEnd);
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + kLineEnd.size());
    std::optional<CFlossColor> color = ParseColorLine(line);
    if (!color) continue;
    color->brandName = palette.brandName_;
    color->sourceFile = path;
    color->paletteIndex = -1;
    palette.colors_.push_back(std::move(*color));
  }
  return palette;
}

std::optional<BrandPalette> BrandPalette::Load(const std::string& path, FileError* error,
                                               UiHost* host) {
  std::optional<WaitCursor> wait;
  if (host != nullptr) wait.emplace(*host);
  std::optional<std::string> bytes = ReadWholeFile(path, kMaxBrandFileBytes, error);
  if (!bytes) return std::nullopt;
  return Parse(*bytes, path);
}

const CFlossColor* BrandPalette::ColorAt(int position) const {
  if (position < 0 || position >= Count()) return nullptr;
  return &colors_[size_t(position)];
}

int BrandPalette::FindExact(Rgb color) const {
  for (size_t i = 0; i < colors_.size(); ++i) {
    if (colors_[i].AsRgb() == color) return int(i);
  }
  return -1;
}

int BrandPalette::FindNearest(Rgb color) const {
  int best = -1;
  int bestDistance = 195075;
  for (size_t i = 0; i < colors_.size(); ++i) {
    const CFlossColor& c = colors_[i];
    int distance = std::abs(int(c.red) - color.red) + std::abs(int(c.green) - color.green) +
                   std::abs(int(c.blue) - color.blue);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = int(i);
    }
  }
  return best;
}

}  // namespace tintara
