// Raster images shared by reference count, with copy-on-write pixel planes.
//
// Rows are bottom-up (row 0 is the bottom row as shown), each row is padded to
// a multiple of 4 bytes, and true-colour pixels are stored blue, green, red.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace tintara {

// Pixel format codes.
enum : int32_t {
  kKind1Bit = 1,    // 2 palette entries
  kKind4Bit = 2,    // 16 palette entries
  kKind8Bit = 4,    // 256 palette entries
  kKindGray8 = 8,   // no palette: read as a grey ramp; index images and masks
  kKindRgb24 = 16,  // blue, green, red
};

struct PaletteEntry {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t flags = 0;
  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

struct ImageInfo {
  uint32_t kind = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// Largest side and largest pixel plane accepted; anything beyond is refused
// before allocation so that a hostile size never reaches the allocator.
constexpr int32_t kMaxImageSide = 1 << 18;
constexpr uint64_t kMaxImageBytes = uint64_t{4} << 30;

bool IsValidKind(int32_t kind);
int BitsPerPixel(int32_t kind);
int PaletteSize(int32_t kind);  // entries a palette of this kind holds; 0 for none
// Row stride ((width × bits + 31) / 32) × 4, or -1 when the size is unusable.
int64_t RowStride(int32_t kind, int32_t width);
bool IsAcceptableSize(int32_t kind, int32_t width, int32_t height);

class ImageBuffer;
using ImageRef = std::shared_ptr<ImageBuffer>;

// Write access to every row of an image whose pixel plane is its own, handed
// out only after that plane was made private: either every row is writable or
// none is, so no single row write can fail. Valid while the image lives and is
// neither copied nor given other pixels.
class PixelRows {
 public:
  // y in 0..Height() - 1.
  uint8_t* Row(int32_t y) const {
    assert(y >= 0 && y < height_);
    return bits_ + size_t(y) * stride_;
  }
  uint8_t* operator[](int32_t y) const { return Row(y); }
  uint8_t* Bits() const { return bits_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  size_t Stride() const { return stride_; }

 private:
  friend class ImageBuffer;
  PixelRows(uint8_t* bits, size_t stride, int32_t width, int32_t height)
      : bits_(bits), stride_(stride), width_(width), height_(height) {}
  uint8_t* bits_;
  size_t stride_;
  int32_t width_;
  int32_t height_;
};

class ImageBuffer {
 public:
  // Every creation returns null on failure (bad kind, absurd size, no memory).
  static ImageRef Create(int32_t kind, int32_t width, int32_t height) noexcept;
  static ImageRef CreateWithPalette(int32_t kind, int32_t width, int32_t height,
                                    const PaletteEntry* palette, int count) noexcept;
  // Palette given as three 256-byte planes: all reds, then greens, then blues.
  static ImageRef CreateWithPlanes(int32_t kind, int32_t width, int32_t height,
                                   const uint8_t* planes) noexcept;
  // An independent image: pixels are shared until either side writes.
  static ImageRef Copy(const ImageBuffer& source) noexcept;
  // A blank image of the model's kind and palette (pixels not copied); sides
  // of any size are accepted and refused like Create's.
  static ImageRef CreateLike(const ImageBuffer& model, int64_t width, int64_t height) noexcept;

  int32_t Kind() const { return kind_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t Stride() const { return stride_; }
  size_t ByteSize() const { return size_t(stride_) * size_t(height_); }
  // Low 16 bits horizontal, high 16 bits vertical dots per inch; 0 = unknown.
  uint32_t Resolution() const { return resolution_; }
  void SetResolution(uint32_t resolution) { resolution_ = resolution; }
  int HorizontalDpi() const { return int(resolution_ & 0xFFFF); }
  int VerticalDpi() const { return int(resolution_ >> 16); }

  bool QueryInfo(ImageInfo& info) const;
  bool HasPalette() const { return !palette_.empty(); }
  // Entries first..first+count-1; kind 8 without a palette reads as a grey ramp.
  bool ReadPalette(int first, int count, PaletteEntry* out) const;
  bool WritePalette(int first, int count, const PaletteEntry* entries);
  PaletteEntry PaletteAt(int index) const;

  // Read access never copies; null for a row outside the image.
  const uint8_t* Row(int32_t y) const;
  const uint8_t* Bits() const { return plane_->bytes.get(); }
  // Write access: detaches a shared plane first; nothing when that copy could
  // not be allocated.
  [[nodiscard]] std::optional<PixelRows> WritableRows() noexcept;
  // Makes the pixel plane private to this image (copies it when shared).
  // False when the copy could not be allocated.
  bool Detach() noexcept;
  bool SharesPixelsWith(const ImageBuffer& other) const { return plane_ == other.plane_; }
  // Takes the pixels of an image of the same kind and size (shared copy-on-write,
  // so neither side sees the other's later writes); the palette and resolution
  // stay. Lets an operation that built its result aside commit it without a copy.
  bool AdoptPixels(const ImageBuffer& source);

  ImageBuffer(const ImageBuffer&) = delete;
  ImageBuffer& operator=(const ImageBuffer&) = delete;

 private:
  struct FreeDeleter {
    void operator()(uint8_t* p) const;
  };
  struct Plane {
    std::unique_ptr<uint8_t, FreeDeleter> bytes;
    size_t size = 0;
  };
  static std::shared_ptr<Plane> AllocatePlane(size_t size, bool zeroed) noexcept;

  struct Private {};

 public:
  ImageBuffer(Private, int32_t kind, int32_t width, int32_t height, int32_t stride,
              std::shared_ptr<Plane> plane);

 private:
  int32_t kind_;
  int32_t width_;
  int32_t height_;
  int32_t stride_;
  uint32_t resolution_ = 0;
  std::shared_ptr<Plane> plane_;
  std::vector<PaletteEntry> palette_;
};

// Copies a width × height block between images of the same kind; false when
// the kinds differ or the block does not lie inside both images.
bool CopyArea(ImageBuffer& destination, int32_t dx, int32_t dy, const ImageBuffer& source,
              int32_t sx, int32_t sy, int32_t width, int32_t height);

// Grey palette (i, i, i) of 256 entries.
std::vector<PaletteEntry> GreyPalette();

}  // namespace tintara
