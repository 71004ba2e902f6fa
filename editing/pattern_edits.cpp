#include "editing/pattern_edits.h"

#include <algorithm>
#include <climits>

#include "document/tessel_doc.h"
#include "editing/pattern_canvas.h"
#include "imaging/selection_mask.h"
#include "ports/ui_host.h"

namespace tintara {

namespace {

// The nearest working colour by squared RGB distance, the first of equals.
int32_t NearestWorkingColor(const std::vector<CFlossColor>& palette, int red, int green,
                            int blue) {
  int32_t best = 0;
  int64_t bestDistance = INT64_MAX;
  for (size_t i = 0; i < palette.size(); ++i) {
    const int dr = red - palette[i].red;
    const int dg = green - palette[i].green;
    const int db = blue - palette[i].blue;
    const int64_t distance = int64_t(dr) * dr + int64_t(dg) * dg + int64_t(db) * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = int32_t(i);
    }
  }
  return best;
}

// Red, green, blue of any picture's pixel.
void ReadRgb(const ImageBuffer& picture, int32_t x, int32_t y, int& red, int& green, int& blue) {
  const uint8_t* row = picture.Row(y);
  if (picture.Kind() == kKindRgb24) {
    blue = row[x * 3];
    green = row[x * 3 + 1];
    red = row[x * 3 + 2];
    return;
  }
  int index = 0;
  const int bits = BitsPerPixel(picture.Kind());
  if (bits == 8) {
    index = row[x];
  } else if (bits == 4) {
    index = (row[x / 2] >> ((1 - x % 2) * 4)) & 0x0F;
  } else if (bits == 1) {
    index = (row[x / 8] >> (7 - x % 8)) & 1;
  }
  PaletteEntry entry = picture.PaletteAt(index);
  red = entry.red;
  green = entry.green;
  blue = entry.blue;
}

void FinishEdit(CTessel20Doc& doc, const BoxRect& touched) {
  if (!touched.IsEmpty()) RenderTouched(doc, touched, 0, false);
  doc.UpdateAllViews();
  doc.RefreshNavigator();
}

}  // namespace

bool DrawingAllowed(const CTessel20Doc& doc) {
  return !doc.pictureEditing && doc.viewMode != kViewInitial && doc.convertedPicture != nullptr;
}

bool RenderTouched(CTessel20Doc& doc, const BoxRect& touched, int32_t margin, bool noNumbers) {
  if (!doc.indexImage) return false;
  const BoxRect picture{0, 0, doc.indexImage->Width(), doc.indexImage->Height()};
  const BoxRect grown{touched.x - margin, touched.y - margin, touched.width + 2 * margin,
                      touched.height + 2 * margin};
  const BoxRect area = Intersect(grown, picture);
  if (area.IsEmpty()) return true;
  return doc.RenderPatternRect(area.x, area.y, area.x + area.width, area.y + area.height,
                               noNumbers);
}

void BeginHandEdit(CTessel20Doc& doc) {
  doc.PushUndoSnapshot();
  doc.modified = true;
  doc.patternEditedByHand = true;
}

int32_t PaintIndexAt(const CTessel20Doc& doc, Point pixel) {
  const ImageBuffer* index = doc.indexImage.get();
  if (index == nullptr || pixel.x < 0 || pixel.y < 0 || pixel.x >= index->Width() ||
      pixel.y >= index->Height()) {
    return -1;
  }
  return index->Row(pixel.y)[pixel.x];
}

void FillSelection(CTessel20Doc& doc) {
  if (!doc.selection) {
    doc.Ui().Message(kSelectRegionFirst, MessageIcon::kInformation);
    return;
  }
  if (!doc.convertedPicture) return;
  std::optional<SelectionMask> mask = SelectionMask::Build(
      doc.selection.get(), doc.convertedPicture->Width(), doc.convertedPicture->Height());
  if (!mask) return;
  BeginHandEdit(doc);
  std::optional<PatternCanvas> canvas = PatternCanvas::Open(doc);
  if (!canvas) return;
  const BoxRect& area = mask->Area();
  for (int32_t y = area.y; y < area.y + area.height; ++y) {
    const uint8_t* row = mask->Row(y);
    for (int32_t x = area.x; x < area.x + area.width; ++x) {
      if (row == nullptr || row[x - area.x] != 0) canvas->Pixel(x, y);
    }
  }
  FinishEdit(doc, area);
}

bool RecolorPickedColor(CTessel20Doc& doc, Point pixel) {
  const int32_t picked = PaintIndexAt(doc, pixel);
  if (picked < 0 || !doc.convertedPicture) {
    doc.Ui().Beep();
    return false;
  }
  std::optional<SelectionMask> mask = SelectionMask::Build(
      doc.selection.get(), doc.convertedPicture->Width(), doc.convertedPicture->Height());
  if (!mask) return false;
  BeginHandEdit(doc);
  std::optional<PatternCanvas> canvas = PatternCanvas::Open(doc);
  if (!canvas) return false;
  const BoxRect& area = mask->Area();
  for (int32_t y = area.y; y < area.y + area.height; ++y) {
    const uint8_t* row = mask->Row(y);
    const uint8_t* index = doc.indexImage->Row(y);
    for (int32_t x = area.x; x < area.x + area.width; ++x) {
      if (index[x] == picked && (row == nullptr || row[x - area.x] != 0)) canvas->Pixel(x, y);
    }
  }
  FinishEdit(doc, area);
  return true;
}

bool PickPaintingColor(CTessel20Doc& doc, Point pixel) {
  const int32_t picked = PaintIndexAt(doc, pixel);
  if (picked < 0 || size_t(picked) >= doc.params.workingPalette.size()) {
    doc.Ui().Beep();
    return false;
  }
  doc.SetCurrentColor(picked);
  doc.Ui().RefreshPaletteWindow(false);
  return true;
}

BoxRect ProportionalTarget(const BoxRect& target, int32_t sourceWidth, int32_t sourceHeight) {
  BoxRect fitted = target;
  if (sourceWidth <= 0 || sourceHeight <= 0) return fitted;
  const int64_t w = target.width;
  const int64_t h = target.height;
  if (h * sourceWidth < int64_t(sourceHeight) * w) {
    fitted.width = int32_t(h * sourceWidth / sourceHeight);
    fitted.x += int32_t((w - fitted.width) / 2);
  } else {
    fitted.height = int32_t(int64_t(sourceHeight) * w / sourceWidth);
    fitted.y += int32_t((h - fitted.height) / 2);
  }
  return fitted;
}

bool InsertPictureIntoSelection(CTessel20Doc& doc, const ImageBuffer& picture,
                                bool keepProportions) {
  if (!doc.selection) {
    doc.Ui().Message(kSelectRegionFirst, MessageIcon::kInformation);
    return false;
  }
  if (!doc.convertedPicture || doc.params.workingPalette.empty() || picture.Width() <= 0 ||
      picture.Height() <= 0) {
    return false;
  }
  const int32_t width = doc.convertedPicture->Width();
  const int32_t height = doc.convertedPicture->Height();
  std::optional<SelectionMask> mask = SelectionMask::Build(doc.selection.get(), width, height);
  if (!mask) return false;
  BoxRect target = doc.selection->IsInverted() || doc.selection->Kind() == kRegionWhole
                       ? BoxRect{0, 0, width, height}
                       : doc.selection->Bounds();
  if (keepProportions) target = ProportionalTarget(target, picture.Width(), picture.Height());
  if (target.IsEmpty()) return false;
  BeginHandEdit(doc);
  std::optional<PatternCanvas> canvas = PatternCanvas::Open(doc);
  if (!canvas) return false;
  const auto& palette = doc.params.workingPalette;
  const BoxRect painted = Intersect(target, mask->Area());
  for (int32_t y = painted.y; y < painted.y + painted.height; ++y) {
    const int64_t ry = y - target.y;
    const int32_t sy = int32_t(int64_t(picture.Height()) * ry / target.height);
    for (int32_t x = painted.x; x < painted.x + painted.width; ++x) {
      if (!mask->Affects(x, y)) continue;
      const int32_t sx = int32_t(int64_t(x - target.x) * picture.Width() / target.width);
      int red = 0, green = 0, blue = 0;
      ReadRgb(picture, sx, sy, red, green, blue);
      const int32_t nearest = NearestWorkingColor(palette, red, green, blue);
      const CFlossColor& paint = palette[size_t(nearest)];
      canvas->UsePaint(nearest, paint.red, paint.green, paint.blue);
      canvas->Pixel(x, y);
    }
  }
  FinishEdit(doc, painted);
  return true;
}

}  // namespace tintara
