// "#Insert_Tool": pastes a fragment (parameter 0) into its input through a
// mask picture of the same size (parameter 1) at the rectangle of its working
// region. True-colour pixels blend by the mask value (255 = the fragment's
// pixel); 8-bit pixels hold palette entries or indices, so any non-zero mask
// value takes the fragment's pixel. Parts outside the input are dropped.
#include <algorithm>
#include <cstring>

#include "imaging/filters/builtin_tools.h"

namespace tintara {

namespace {

class InsertTool : public FilterTool {
 public:
  int Capabilities(int formatIndex) const override {
    return formatIndex >= 2 ? kToolInPlace : kToolUnsupported;
  }

  std::span<const ParameterKind> ParameterKinds() const override {
    static constexpr ParameterKind kKinds[] = {ParameterKind::kImage, ParameterKind::kImage};
    return kKinds;
  }

  int Run(FilterSite&, bool) override {
    ImageRef input = Slots().Image(kSlotInput);
    ImageRef fragment = Slots().Image(0);
    ImageRef mask = Slots().Image(1);
    const Region* place = Slots().WorkingRegion(kSlotRegion);
    if (!input || !fragment || place == nullptr || fragment->Kind() != input->Kind()) {
      return kStatusCannotHandle;
    }
    if (mask && BitsPerPixel(mask->Kind()) != 8) return kStatusCannotHandle;
    BoxRect at = place->Bounds();
    BoxRect target = Intersect({at.x, at.y, std::min(at.width, fragment->Width()),
                                std::min(at.height, fragment->Height())},
                               {0, 0, input->Width(), input->Height()});
    if (target.IsEmpty()) return kStatusOk;
    std::optional<PixelRows> rows = input->WritableRows();
    if (!rows) return kStatusNoMemory;
    for (int32_t y = target.y; y < target.y + target.height; ++y) {
      int32_t fy = y - at.y;
      const uint8_t* weights = mask && fy < mask->Height() ? mask->Row(fy) : nullptr;
      PasteRow(rows->Row(y), fragment->Row(fy), weights, mask ? mask->Width() : 0, target.x,
               target.x - at.x, target.width, input->Kind());
    }
    return kStatusOk;
  }

 private:
  // `count` pixels from fragment column `from` to input column `x`. Without a
  // mask row every pixel is taken; columns beyond the mask are left alone.
  static void PasteRow(uint8_t* row, const uint8_t* fragment, const uint8_t* mask,
                       int32_t maskWidth, int32_t x, int32_t from, int32_t count, int32_t kind) {
    const int bytes = BitsPerPixel(kind) / 8;
    uint8_t* out = row + size_t(x) * size_t(bytes);
    const uint8_t* in = fragment + size_t(from) * size_t(bytes);
    if (mask == nullptr) {
      std::memcpy(out, in, size_t(count) * size_t(bytes));
      return;
    }
    for (int32_t i = 0; i < count && from + i < maskWidth; ++i, out += bytes, in += bytes) {
      uint32_t m = mask[from + i];
      if (m == 0) continue;
      if (kind != kKindRgb24 || m == 255) {
        std::memcpy(out, in, size_t(bytes));
        continue;
      }
      for (int c = 0; c < 3; ++c) out[c] = uint8_t((in[c] * m + out[c] * (255 - m) + 127) / 255);
    }
  }
};

}  // namespace

std::unique_ptr<FilterTool> MakeInsertTool() { return std::make_unique<InsertTool>(); }

}  // namespace tintara
