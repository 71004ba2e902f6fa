#include "imaging/image_buffer.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace tintara {

bool IsValidKind(int32_t kind) {
  return kind == kKind1Bit || kind == kKind4Bit || kind == kKind8Bit || kind == kKindGray8 ||
         kind == kKindRgb24;
}

int BitsPerPixel(int32_t kind) {
  switch (kind) {
    case kKind1Bit: return 1;
    case kKind4Bit: return 4;
    case kKind8Bit:
    case kKindGray8: return 8;
    case kKindRgb24: return 24;
    default: return 0;
  }
}

int PaletteSize(int32_t kind) {
  switch (kind) {
    case kKind1Bit: return 2;
    case kKind4Bit: return 16;
    case kKind8Bit:
    case kKindGray8: return 256;
    default: return 0;
  }
}

int64_t RowStride(int32_t kind, int32_t width) {
  int bits = BitsPerPixel(kind);
  if (bits == 0 || width <= 0 || width > kMaxImageSide) return -1;
  return ((int64_t(width) * bits + 31) / 32) * 4;
}

bool IsAcceptableSize(int32_t kind, int32_t width, int32_t height) {
  int64_t stride = RowStride(kind, width);
  if (stride < 0 || height <= 0 || height > kMaxImageSide) return false;
  return uint64_t(stride) * uint64_t(height) <= kMaxImageBytes;
}

std::vector<PaletteEntry> GreyPalette() {
  std::vector<PaletteEntry> grey(256);
  for (int i = 0; i < 256; ++i) grey[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
  return grey;
}

void ImageBuffer::FreeDeleter::operator()(uint8_t* p) const { std::free(p); }

namespace {

// Large planes ask for 2 MB pages: writing a fresh picture then faults once
// per 2 MB instead of once per 4 KB, which is most of the cost of a flip or a
// tone change of a photo. Pages still arrive lazily, 2 MB at a time.
void AdviseLargePages(void* raw, size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
  if (size < 4 * kLargePage) return;
  const uintptr_t begin = (reinterpret_cast<uintptr_t>(raw) + kLargePage - 1) & ~(kLargePage - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(raw) + size) & ~(kLargePage - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)raw;
  (void)size;
#endif
}

}  // namespace

std::shared_ptr<ImageBuffer::Plane> ImageBuffer::AllocatePlane(size_t size, bool zeroed) noexcept {
  try {
    // calloc lets the kernel hand out zero pages lazily: a blank 100-megapixel
    // picture costs nothing until it is written.
    void* raw = zeroed ? std::calloc(size, 1) : std::malloc(size);
    if (raw == nullptr) return nullptr;
    AdviseLargePages(raw, size);
    auto plane = std::make_shared<Plane>();
    plane->bytes.reset(static_cast<uint8_t*>(raw));
    plane->size = size;
    return plane;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

ImageBuffer::ImageBuffer(Private, int32_t kind, int32_t width, int32_t height, int32_t stride,
                         std::shared_ptr<Plane> plane)
    : kind_(kind), width_(width), height_(height), stride_(stride), plane_(std::move(plane)) {}

ImageRef ImageBuffer::Create(int32_t kind, int32_t width, int32_t height) noexcept {
  return CreateWithPalette(kind, width, height, nullptr, 0);
}

ImageRef ImageBuffer::CreateWithPalette(int32_t kind, int32_t width, int32_t height,
                                        const PaletteEntry* palette, int count) noexcept {
  if (!IsValidKind(kind) || !IsAcceptableSize(kind, width, height)) return nullptr;
  int32_t stride = int32_t(RowStride(kind, width));
  auto plane = AllocatePlane(size_t(stride) * size_t(height), true);
  if (!plane) return nullptr;
  try {
    auto image = std::make_shared<ImageBuffer>(Private{}, kind, width, height, stride,
                                               std::move(plane));
    int entries = PaletteSize(kind);
    // Kind 8 has no palette of its own unless one is given; the others always do.
    if (entries > 0 && (kind != kKindGray8 || palette != nullptr)) {
      image->palette_.assign(size_t(entries), PaletteEntry{});
      if (kind == kKind8Bit && palette == nullptr) image->palette_ = GreyPalette();
      if (palette != nullptr) {
        std::copy_n(palette, std::min(count, entries), image->palette_.begin());
      }
    }
    return image;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

ImageRef ImageBuffer::CreateWithPlanes(int32_t kind, int32_t width, int32_t height,
                                       const uint8_t* planes) noexcept {
  if (planes == nullptr) return Create(kind, width, height);
  PaletteEntry palette[256];
  for (int i = 0; i < 256; ++i) palette[i] = {planes[i], planes[256 + i], planes[512 + i], 0};
  return CreateWithPalette(kind, width, height, palette, 256);
}

ImageRef ImageBuffer::Copy(const ImageBuffer& source) noexcept {
  try {
    auto image = std::make_shared<ImageBuffer>(Private{}, source.kind_, source.width_,
                                               source.height_, source.stride_, source.plane_);
    image->resolution_ = source.resolution_;
    image->palette_ = source.palette_;
    return image;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

ImageRef ImageBuffer::CreateLike(const ImageBuffer& model, int64_t width,
                                 int64_t height) noexcept {
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return nullptr;
  PaletteEntry palette[256];
  const int count = PaletteSize(model.kind_);
  const bool withPalette = model.HasPalette() && model.ReadPalette(0, count, palette);
  return CreateWithPalette(model.kind_, int32_t(width), int32_t(height),
                           withPalette ? palette : nullptr, withPalette ? count : 0);
}

bool ImageBuffer::Detach() noexcept {
  if (plane_.use_count() <= 1) return true;
  auto own = AllocatePlane(plane_->size, false);
  if (!own) return false;
  std::memcpy(own->bytes.get(), plane_->bytes.get(), plane_->size);
  plane_ = std::move(own);
  return true;
}

bool ImageBuffer::AdoptPixels(const ImageBuffer& source) {
  if (source.kind_ != kind_ || source.width_ != width_ || source.height_ != height_ ||
      source.stride_ != stride_) {
    return false;
  }
  plane_ = source.plane_;
  return true;
}

bool ImageBuffer::QueryInfo(ImageInfo& info) const {
  info.kind = uint32_t(kind_);
  info.width = width_;
  info.height = height_;
  return true;
}

PaletteEntry ImageBuffer::PaletteAt(int index) const {
  if (index < 0 || index >= 256) return {};
  if (palette_.empty()) {
    return kind_ == kKindGray8 ? PaletteEntry{uint8_t(index), uint8_t(index), uint8_t(index), 0}
                               : PaletteEntry{};
  }
  return size_t(index) < palette_.size() ? palette_[size_t(index)] : PaletteEntry{};
}

bool ImageBuffer::ReadPalette(int first, int count, PaletteEntry* out) const {
  if (first < 0 || count < 0 || first + count > 256 || out == nullptr) return false;
  if (PaletteSize(kind_) == 0) return false;
  for (int i = 0; i < count; ++i) out[i] = PaletteAt(first + i);
  return true;
}

bool ImageBuffer::WritePalette(int first, int count, const PaletteEntry* entries) {
  int size = PaletteSize(kind_);
  if (size == 0 || first < 0 || count < 0 || first + count > size || entries == nullptr) {
    return false;
  }
  if (palette_.empty()) palette_ = GreyPalette();
  std::copy_n(entries, count, palette_.begin() + first);
  return true;
}

const uint8_t* ImageBuffer::Row(int32_t y) const {
  if (y < 0 || y >= height_) return nullptr;
  return plane_->bytes.get() + size_t(y) * size_t(stride_);
}

std::optional<PixelRows> ImageBuffer::WritableRows() noexcept {
  if (!Detach()) return std::nullopt;
  return PixelRows(plane_->bytes.get(), size_t(stride_), width_, height_);
}

bool CopyArea(ImageBuffer& destination, int32_t dx, int32_t dy, const ImageBuffer& source,
              int32_t sx, int32_t sy, int32_t width, int32_t height) {
  if (destination.Kind() != source.Kind() || width < 0 || height < 0) return false;
  if (dx < 0 || dy < 0 || sx < 0 || sy < 0) return false;
  if (int64_t(dx) + width > destination.Width() || int64_t(dy) + height > destination.Height() ||
      int64_t(sx) + width > source.Width() || int64_t(sy) + height > source.Height()) {
    return false;
  }
  if (width == 0 || height == 0) return true;
  int bits = BitsPerPixel(source.Kind());
  if (&destination == &source) {
    // Overlapping copy inside one image: go through a temporary.
    ImageRef temp = ImageBuffer::Copy(source);
    if (!temp || !temp->Detach()) return false;
    return CopyArea(destination, dx, dy, *temp, sx, sy, width, height);
  }
  std::optional<PixelRows> rows = destination.WritableRows();
  if (!rows) return false;
  for (int32_t row = 0; row < height; ++row) {
    const uint8_t* from = source.Row(sy + row);
    uint8_t* to = rows->Row(dy + row);
    if (bits >= 8) {
      size_t bytesPerPixel = size_t(bits / 8);
      std::memcpy(to + size_t(dx) * bytesPerPixel, from + size_t(sx) * bytesPerPixel,
                  size_t(width) * bytesPerPixel);
      continue;
    }
    // 1- and 4-bit pixels, most significant bits first.
    int perByte = 8 / bits;
    int mask = (1 << bits) - 1;
    for (int32_t x = 0; x < width; ++x) {
      int32_t s = sx + x;
      int32_t d = dx + x;
      int sShift = (perByte - 1 - s % perByte) * bits;
      int dShift = (perByte - 1 - d % perByte) * bits;
      int value = (from[s / perByte] >> sShift) & mask;
      uint8_t& byte = to[d / perByte];
      byte = uint8_t((byte & ~(mask << dShift)) | (value << dShift));
    }
  }
  return true;
}

}  // namespace tintara
