#include "storage/clipboard_bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace tintara {

namespace {

uint32_t U16(std::span<const uint8_t> b, size_t at) { return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8; }
uint32_t U32(std::span<const uint8_t> b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
int32_t I32(std::span<const uint8_t> b, size_t at) { return int32_t(U32(b, at)); }

struct BitmapLayout {
  int32_t width = 0;
  int32_t height = 0;       // always positive here
  bool topDown = false;     // a negative height in the header
  int bits = 0;
  size_t headerSize = 0;
  size_t tableEntries = 0;
  size_t entrySize = 4;     // 3 for the core header
  uint32_t resolution = 0;
  size_t rowBytes = 0;
};

uint32_t DpiFromPixelsPerMetre(int32_t horizontal, int32_t vertical) {
  long x = std::lround(horizontal * 0.0254);
  long y = std::lround(vertical * 0.0254);
  if (x < 1 || y < 1) return 72u | 72u << 16;
  return uint32_t(std::min(x, 0xFFFFL)) | uint32_t(std::min(y, 0xFFFFL)) << 16;
}

bool ReadLayout(std::span<const uint8_t> bytes, BitmapLayout& layout) {
  if (bytes.size() < 4) return false;
  uint32_t headerSize = U32(bytes, 0);
  if (headerSize == kBitmapInfoHeaderSize && bytes.size() >= kBitmapInfoHeaderSize) {
    int32_t height = I32(bytes, 8);
    if (height == INT32_MIN || U32(bytes, 16) != 0) return false;  // compressed
    layout.width = I32(bytes, 4);
    layout.topDown = height < 0;
    layout.height = height < 0 ? -height : height;
    layout.bits = int(U16(bytes, 14));
    layout.tableEntries = U32(bytes, 32);
    layout.resolution = DpiFromPixelsPerMetre(I32(bytes, 24), I32(bytes, 28));
  } else if (headerSize == kBitmapCoreHeaderSize && bytes.size() >= kBitmapCoreHeaderSize) {
    layout.width = int32_t(U16(bytes, 4));
    layout.height = int32_t(U16(bytes, 6));
    layout.bits = int(U16(bytes, 10));
    layout.entrySize = 3;
    layout.resolution = 300u | 300u << 16;
  } else {
    return false;
  }
  layout.headerSize = headerSize;
  if (layout.bits != 1 && layout.bits != 4 && layout.bits != 8 && layout.bits != 24) return false;
  if (layout.bits <= 8) {
    size_t full = size_t(1) << layout.bits;
    if (layout.tableEntries == 0) layout.tableEntries = full;
    if (layout.tableEntries > full) return false;
  }
  if (!IsAcceptableSize(kKindRgb24, layout.width, layout.height)) return false;
  layout.rowBytes = size_t((int64_t(layout.bits) * layout.width + 31) / 32 * 4);
  // Everything the rows need must be present before anything is allocated.
  uint64_t need = uint64_t(layout.headerSize) + uint64_t(layout.tableEntries) * layout.entrySize +
                  uint64_t(layout.rowBytes) * uint64_t(layout.height);
  return need <= bytes.size();
}

std::vector<PaletteEntry> ReadTable(std::span<const uint8_t> bytes, const BitmapLayout& layout) {
  std::vector<PaletteEntry> table(size_t(1) << std::min(layout.bits, 8));
  size_t count = std::min(layout.tableEntries, table.size());
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* entry = bytes.data() + layout.headerSize + i * layout.entrySize;
    table[i] = {entry[2], entry[1], entry[0], 0};
  }
  return table;
}

bool IsGreyRamp(const std::vector<PaletteEntry>& table, size_t count) {
  if (count != 256) return false;
  for (size_t i = 0; i < 256; ++i) {
    if (table[i].red != i || table[i].green != i || table[i].blue != i) return false;
  }
  return true;
}

int PixelIndex(const uint8_t* row, int32_t x, int bits) {
  switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    default: return row[x];
  }
}

ImageRef ToTrueColour(const uint8_t* pixels, const BitmapLayout& layout,
                      const std::vector<PaletteEntry>& table) {
  ImageRef image = ImageBuffer::Create(kKindRgb24, layout.width, layout.height);
  std::optional<PixelRows> rows = image ? image->WritableRows() : std::nullopt;
  if (!rows) return nullptr;
  for (int32_t y = 0; y < layout.height; ++y) {
    int32_t source = layout.topDown ? layout.height - 1 - y : y;
    const uint8_t* in = pixels + size_t(source) * layout.rowBytes;
    uint8_t* out = rows->Row(y);
    if (layout.bits == 24) {
      std::memcpy(out, in, size_t(layout.width) * 3);
      continue;
    }
    for (int32_t x = 0; x < layout.width; ++x) {
      const PaletteEntry& colour = table[size_t(PixelIndex(in, x, layout.bits))];
      out[3 * x] = colour.blue;
      out[3 * x + 1] = colour.green;
      out[3 * x + 2] = colour.red;
    }
  }
  return image;
}

ImageRef KeepingDepth(const uint8_t* pixels, const BitmapLayout& layout,
                      const std::vector<PaletteEntry>& table) {
  int32_t kind = kKindRgb24;
  if (layout.bits == 1) kind = kKind1Bit;
  if (layout.bits == 4) kind = kKind4Bit;
  if (layout.bits == 8) kind = IsGreyRamp(table, layout.tableEntries) ? kKindGray8 : kKind8Bit;
  ImageRef image = kind == kKindRgb24 || kind == kKindGray8
                       ? ImageBuffer::Create(kind, layout.width, layout.height)
                       : ImageBuffer::CreateWithPalette(kind, layout.width, layout.height,
                                                        table.data(), int(table.size()));
  std::optional<PixelRows> rows = image ? image->WritableRows() : std::nullopt;
  if (!rows) return nullptr;
  size_t rowBytes = std::min(layout.rowBytes, size_t(image->Stride()));
  for (int32_t y = 0; y < layout.height; ++y) {
    int32_t source = layout.topDown ? layout.height - 1 - y : y;
    std::memcpy(rows->Row(y), pixels + size_t(source) * layout.rowBytes, rowBytes);
  }
  return image;
}

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  out[at] = uint8_t(value);
  out[at + 1] = uint8_t(value >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  Put16(out, at, value & 0xFFFF);
  Put16(out, at + 2, value >> 16);
}

uint32_t PixelsPerMetre(int dpi) { return uint32_t(std::lround(dpi / 0.0254)); }

}  // namespace

ImageRef BitmapToImage(std::span<const uint8_t> bitmap, bool keepDepth) {
  BitmapLayout layout;
  if (!ReadLayout(bitmap, layout)) return nullptr;
  try {
    std::vector<PaletteEntry> table;
    if (layout.bits <= 8) table = ReadTable(bitmap, layout);
    const uint8_t* pixels = bitmap.data() + layout.headerSize + layout.tableEntries * layout.entrySize;
    ImageRef image = keepDepth ? KeepingDepth(pixels, layout, table)
                               : ToTrueColour(pixels, layout, table);
    if (image) image->SetResolution(layout.resolution);
    return image;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

std::vector<uint8_t> ImageToBitmap(const ImageBuffer& image) {
  int bits = BitsPerPixel(image.Kind());
  if (bits == 0 || image.Width() <= 0 || image.Height() <= 0) return {};
  int entries = image.Kind() == kKindRgb24 ? 0 : PaletteSize(image.Kind());
  size_t tableBytes = size_t(entries) * 4;
  size_t offset = kBitmapInfoHeaderSize + tableBytes;
  try {
    std::vector<uint8_t> out(offset + image.ByteSize());
    Put32(out, 0, kBitmapInfoHeaderSize);
    Put32(out, 4, uint32_t(image.Width()));
    Put32(out, 8, uint32_t(image.Height()));
    Put16(out, 12, 1);
    Put16(out, 14, uint32_t(bits));
    Put32(out, 20, uint32_t(image.ByteSize()));
    Put32(out, 24, PixelsPerMetre(image.HorizontalDpi()));
    Put32(out, 28, PixelsPerMetre(image.VerticalDpi()));
    Put32(out, 32, uint32_t(entries));
    if (entries > 0) {
      std::vector<PaletteEntry> palette(static_cast<size_t>(entries));
      image.ReadPalette(0, entries, palette.data());
      for (int i = 0; i < entries; ++i) {
        uint8_t* entry = out.data() + kBitmapInfoHeaderSize + size_t(i) * 4;
        entry[0] = palette[size_t(i)].blue;
        entry[1] = palette[size_t(i)].green;
        entry[2] = palette[size_t(i)].red;
      }
    }
    std::memcpy(out.data() + offset, image.Bits(), image.ByteSize());
    return out;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

}  // namespace tintara
