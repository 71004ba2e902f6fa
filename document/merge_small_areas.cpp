// "Merge areas too small to paint" and the printed size it measures with.
#include <algorithm>
#include <new>

#include "colors/color_difference.h"
#include "colors/page_settings.h"
#include "colors/reduction/working_palette.h"
#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "pattern/merge_small_areas.h"
#include "pattern/render_pattern.h"
#include "ports/printer_info.h"
#include "ports/step_progress.h"
#include "ports/ui_host.h"
#include "storage/memory_budget.h"
#include "storage/settings_keys.h"

namespace tintara {

namespace {

// A default printer that does not say its resolution is taken at 600 dpi.
constexpr int kAssumedPrinterDpi = 600;

}  // namespace

double CTessel20Doc::PatternPixelMillimetres() const {
  const PatternPageSettings& page = env_.app.page;
  int dpi = DotsPerInchOf(page.printResolution);
  if (page.useDefaultPrinter == 1 && env_.printer != nullptr) {
    if (std::optional<PrintableDots> printable = env_.printer->DefaultPrinterPrintable()) {
      dpi = printable->dotsPerInch > 0 ? printable->dotsPerInch : kAssumedPrinterDpi;
    }
  }
  return 25.4 * std::max(1, params.dotsPerCell) / dpi;
}

void CTessel20Doc::ToggleMergeWhenCreating() {
  env_.app.mergeSmallAreas = env_.app.mergeSmallAreas != 0 ? 0 : 1;
  WriteSetting(env_.settings, Setting::kMergeSmallAreas, env_.app.mergeSmallAreas);
}

bool CTessel20Doc::MergesWhenCreating() const { return env_.app.mergeSmallAreas != 0; }

// What the pictures of the project hold now.
uint64_t CTessel20Doc::PictureBytes() const {
  uint64_t bytes = 0;
  for (const ImageRef* picture : {&initialPicture, &convertedPicture, &indexImage, &patternImage}) {
    if (*picture) bytes += (*picture)->ByteSize();
  }
  return bytes;
}

bool CTessel20Doc::MergeSmallAreasInIndex() {
  if (!indexImage) return false;
  std::vector<Lab> paints;
  for (const CFlossColor& paint : params.workingPalette) paints.push_back(SrgbToLab(paint.AsRgb()));
  const double minDiameter =
      env_.app.minAreaDiameter / 10.0 / PatternPixelMillimetres();
  const uint64_t budget = PictureMemoryBudget(env_.settings);
  const uint64_t held = PictureBytes();
  MergeOutcome outcome;
  try {
    // The classic paints merge as they always have; the closest keep their bands.
    const bool keepPaints = PaintChoice(env_.app.colorMatch) == PaintChoice::kClosest;
    outcome = MergeSmallAreas(*indexImage, paints, minDiameter, budget - std::min(budget, held),
                              keepPaints);
  } catch (const std::bad_alloc&) {
    Ui().Message("There is not enough memory to merge the areas.", MessageIcon::kError);
    return false;
  }
  if (outcome.refusedBytes == 0) return true;
  Ui().Message("Merging the areas of a pattern of " +
                   PixelSizeText(indexImage->Width(), indexImage->Height()) + " cells would take " +
                   MemoryAmountText(held + outcome.refusedBytes) +
                   " of memory, more than the limit of " + MemoryAmountText(budget) + ".",
               MessageIcon::kError);
  return false;
}

void CTessel20Doc::MergeSmallAreasCommand() {
  WaitCursor wait(Ui());
  PushUndoSnapshot();
  {
    CountedOperation counted(Ui(), env_.progress, 1 + RenderStepCount(params.patternType));
    if (!MergeSmallAreasInIndex()) {
      RollBackToLastSnapshot();
      return;
    }
    if (!PaintConvertedFromIndex()) return;
    if (!RenderPatternRect(0, 0, convertedPicture->Width(), convertedPicture->Height(), false)) {
      return;
    }
  }
  if (viewMode != kViewInitial) UpdateAllViews();
  RefreshNavigator();
  NoteUnusedPaints();
}

}  // namespace tintara
