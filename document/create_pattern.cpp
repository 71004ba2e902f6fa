// "Create drawing pattern": the picture is simplified, scaled to the page,
// matched to the working palette, cleaned of specks and drawn as a pattern.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "colors/page_settings.h"
#include "colors/color_difference.h"
#include "colors/reduction/lab_paint_matcher.h"
#include "colors/reduction/paint_color_matcher.h"
#include "colors/reduction/working_palette.h"
#include "document/document_environment.h"
#include "document/pipeline_parameters.h"
#include "document/print_settings_commands.h"
#include "document/tessel_doc.h"
#include "imaging/filters/apply_tool.h"
#include "imaging/parallel_rows.h"
#include "pattern/majority_filter.h"
#include "pattern/merge_small_areas.h"
#include "pattern/render_pattern.h"
#include "pattern/used_colors.h"
#include "ports/step_progress.h"
#include "ports/ui_host.h"
#include "storage/memory_budget.h"

namespace tintara {

namespace {

int FilterStrength(const ImageBuffer& picture, int bias, int divisor) {
  int side = std::max(picture.Width(), picture.Height());
  return std::clamp((side + bias) / divisor, 3, 15);
}

constexpr int32_t kMapChunkRows = 256;

// Passes of the 3 × 3 majority that stands in for the median before a merge.
constexpr int kLightCleanupPasses = 2;

std::string SquareParameters(int n) {
  return std::to_string(n) + "," + std::to_string(n) + ",0,0";
}

}  // namespace

std::string UnnumberedAreasText(int32_t count) {
  if (count == 0) return "Every area has its number.";
  if (count == 1) return "1 area is too small for its number.";
  return std::to_string(count) + " areas are too small for their numbers.";
}

bool CTessel20Doc::PatternFitsBudget(int64_t width, int64_t height) {
  // The picture, its working copy, then the converted picture, index and
  // pattern at the pattern's size (3 + 1 + 1 bytes a cell); merging small
  // areas works beside the last three instead of the working copy, its cells
  // weighed here and its areas once they are counted.
  const uint64_t picture = initialPicture->ByteSize();
  const uint64_t cells = uint64_t(std::max<int64_t>(width, 0)) * uint64_t(std::max<int64_t>(height, 0));
  uint64_t needed = 2 * picture + cells * 5;
  if (env_.app.mergeSmallAreas != 0) {
    needed = std::max(needed, picture + cells * 5 + MergeWorkingBytes(cells, 0));
  }
  const uint64_t budget = PictureMemoryBudget(env_.settings);
  if (needed <= budget) return true;
  Ui().Message("A pattern of " + PixelSizeText(width, height) + " cells would take " +
                   MemoryAmountText(needed) + " of memory, more than the limit of " +
                   MemoryAmountText(budget) +
                   ". Choose fewer pages, a lower print resolution or a smaller paper.",
               MessageIcon::kError);
  return false;
}

int SimplifyStrength(const ImageBuffer& picture) { return FilterStrength(picture, 29, 30); }
int CleanupStrength(const ImageBuffer& picture) { return FilterStrength(picture, 79, 80); }

CellSize PatternCellSize(const PageDots& page, int32_t dotsPerCell, int64_t pictureWidth,
                         int64_t pictureHeight) {
  // A stored cell size of 0 or less would divide by zero; one dot per cell is the least.
  const int64_t cell = std::max(1, dotsPerCell);
  CellSize size{page.width / cell, page.height / cell};
  // Keep the picture's proportions inside the target.
  if (pictureHeight * size.width > pictureWidth * size.height) {
    size.width = pictureWidth * size.height / pictureHeight;
  } else {
    size.height = pictureHeight * size.width / pictureWidth;
  }
  return size;
}

PageDots PageDotsForPicture(const PatternPageSettings& settings, const PrinterInfo* printer,
                            int32_t dotsPerCell, int64_t pictureWidth, int64_t pictureHeight) {
  const PageDots page = PagePixelSize(settings, printer);
  if (settings.autoOrientation != 1 || pictureWidth <= 0 || pictureHeight <= 0) return page;
  const PageDots turned{page.height, page.width};
  const CellSize asSet = PatternCellSize(page, dotsPerCell, pictureWidth, pictureHeight);
  const CellSize other = PatternCellSize(turned, dotsPerCell, pictureWidth, pictureHeight);
  return other.width * other.height > asSet.width * asSet.height ? turned : page;
}

int PipelineStepTotal(int32_t patternType, bool resizes) {
  int total = patternType == kPatternNothing ? 4 : 4 + RenderStepCount(patternType);
  return total + (resizes ? 1 : 0);
}

bool CTessel20Doc::CreatePattern() {
  if (!initialPicture || env_.filters == nullptr) return false;
  WaitCursor wait(Ui());

  const int64_t w = initialPicture->Width();
  const int64_t h = initialPicture->Height();
  const CellSize target =
      PatternCellSize(PageDotsForPicture(env_.app.page, env_.printer, params.dotsPerCell, w, h),
                      params.dotsPerCell, w, h);
  const int64_t tw = target.width;
  const int64_t th = target.height;
  if (!PatternFitsBudget(tw, th)) return false;
  // The resize step is counted exactly when it runs, so the indicator ends at 100 %.
  const bool resizes = w != tw || h != th;
  CountedOperation counted(Ui(), env_.progress,
                           PipelineStepTotal(params.patternType, resizes));
  ProgressCounters& counters = env_.progress;

  // The placeholder colours of a new record are never paints, whatever the flag says.
  int asked = 0;  // colours asked for when the paints are chosen here
  if (!params.paletteReady || IsPlaceholderPalette(params.workingPalette)) {
    params.paletteReady = 0;
    asked = std::clamp(params.neededNumColors, 2, 256);
    BuildPaletteForPicture(PaintChoice(env_.app.colorMatch), params, asked, *initialPicture,
                           env_.app.colorCorrectionPercent);
    if (!params.paletteReady) {
      RollBackToLastSnapshot();
      return false;
    }
    Ui().RefreshPaletteWindow(true);
  }
  // Nothing to match against: the pattern would be all colour 0.
  if (params.workingPalette.empty()) {
    RollBackToLastSnapshot();
    return false;
  }

  patternImage = nullptr;
  indexImage = nullptr;
  selection.reset();
  convertedPicture = CopyOrNull(initialPicture);

  std::vector<PaletteEntry> grey = GreyPalette();
  patternImage = ImageBuffer::CreateWithPalette(kKind8Bit, int32_t(tw), int32_t(th), grey.data(), 256);
  indexImage = ImageBuffer::Create(kKindGray8, int32_t(tw), int32_t(th));
  if (!convertedPicture || !patternImage || !indexImage) {
    // Nothing half-converted stays behind: the project is as before the command.
    RollBackToLastSnapshot();
    return false;
  }

  counters.stepNumber = 0;
  FilterSite& site = *env_.filters;
  // A pattern that keeps its detail skips the simplification as it does the median.
  if (!KeepsDetail() &&
      !ApplyToolInPlace(site, "graham_filt", convertedPicture,
                        SquareParameters(SimplifyStrength(*convertedPicture)), "%d,%d,%d,%d")) {
    RollBackToLastSnapshot();
    return false;
  }
  // Both sides are compared: a picture that matched the target in one side
  // only would otherwise leave the pattern and the picture of different sizes.
  if (resizes) {
    ++counters.stepNumber;
    uint32_t r = convertedPicture->Resolution();
    char text[96];
    std::snprintf(text, sizeof text, "{%lld,%lld},0,%u,%u", static_cast<long long>(tw),
                  static_cast<long long>(th), r & 0xFFFF, r >> 16);
    ImageRef resized;
    RegionPtr whole = RegionCreateEmpty();
    if (!ApplyToolNewImage(site, "Change_Size", convertedPicture, resized, text, "%p,%d,%d,%d",
                           whole.get()) ||
        !resized || resized->Width() != tw || resized->Height() != th) {
      RollBackToLastSnapshot();
      return false;
    }
    convertedPicture = std::move(resized);
  }

  ++counters.stepNumber;
  if (!MapToPaintColors(0, 0, convertedPicture->Width(), convertedPicture->Height()) ||
      !RemoveSmallAreas(true)) {
    viewMode = kViewInitial;
    return false;
  }
  counted.Finish();
  patternEditedByHand = false;
  FollowPatternSheets(env_);
  if (viewMode == kViewInitial) viewMode = kViewConverted;
  auto [shownWidth, shownHeight] = CurrentImageSize();
  Ui().SetScrollSizes(shownWidth, shownHeight);
  UpdateAllViews();
  if (env_.AutoPaletteWindow()) ShowPaletteWindow(true);
  if (env_.AutoNavigator()) ShowNavigator(true);
  // Said once the pattern stands: a cancelled one leaves nothing to remark on.
  if (asked > 0) NoteFewerPaints(asked);
  NoteUnusedPaints();
  return true;
}

void CTessel20Doc::NoteUnusedPaints() {
  const int paints = int(params.workingPalette.size());
  int used = 0;
  for (int position : UsedPositions(indexImage.get())) used += position < paints ? 1 : 0;
  if (used >= paints) return;
  Ui().StatusNote("The pattern uses " + std::to_string(used) + " of its " +
                  std::to_string(paints) + " paints: the clean-up left the others no area.");
}

void CTessel20Doc::NoteFewerPaints(int asked) {
  const int made = int(params.workingPalette.size());
  if (made >= asked) return;
  Ui().StatusNote((made == 1 ? std::string("1 paint") : std::to_string(made) + " different paints") +
                  " instead of the " + std::to_string(asked) + " colors asked for.");
}

int CTessel20Doc::MapToPaintColors(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (!initialPicture || !convertedPicture || !indexImage || params.workingPalette.empty()) return 0;
  if (PaintChoice(env_.app.colorMatch) == PaintChoice::kClosest) {
    std::vector<Lab> paints;
    for (const CFlossColor& paint : params.workingPalette) paints.push_back(SrgbToLab(paint.AsRgb()));
    const NearestPaintByLook nearest(paints);
    return MapRows(left, top, right, bottom,
                   [&] { return LabPaintMatcher(nearest, env_.app.colorCorrectionPercent); });
  }
  std::vector<Rgb> colors;
  for (const CFlossColor& paint : params.workingPalette) colors.push_back(paint.AsRgb());
  const NearestColorTable table(colors);
  return MapRows(left, top, right, bottom,
                 [&] { return PaintColorMatcher(table, env_.app.colorCorrectionPercent); });
}

template <typename MakeMatcher>
int CTessel20Doc::MapRows(int32_t left, int32_t top, int32_t right, int32_t bottom,
                          MakeMatcher makeMatcher) {
  // Only the index is written: the clean-up that always follows paints the
  // converted picture from the cleaned index.
  const ImageBuffer& picture = *convertedPicture;
  const int32_t width = picture.Width();
  const int32_t height = picture.Height();
  std::optional<PixelRows> indexRows = indexImage->WritableRows();
  if (!indexRows) {
    RollBackToLastSnapshot();
    return 0;
  }
  left = std::clamp(left, 0, width);
  right = std::clamp(right, left, width);
  // One matcher per band: each keeps its own cache of colours already seen.
  const int bands = BandCount(std::min(height, kMapChunkRows), int64_t(kMapChunkRows) * width);
  std::vector<decltype(makeMatcher())> matchers;
  for (int b = 0; b < bands; ++b) matchers.push_back(makeMatcher());
  auto mapRow = [&](auto& matcher, int32_t y) {
    uint8_t* index = indexRows->Row(y);
    if (y < top || y >= bottom) {
      std::memset(index, 0, size_t(width));
      return;
    }
    std::memset(index, 0, size_t(left));
    const uint8_t* rgb = picture.Row(y) + 3 * size_t(left);
    for (int32_t x = left; x < right; ++x, rgb += 3) {
      index[x] = uint8_t(matcher.Match({rgb[2], rgb[1], rgb[0]}));
    }
    std::memset(index + right, 0, size_t(width - right));
  };
  // Chunks of rows are mapped on every core; progress and cancel stay here.
  StepProgress progress(Ui(), env_.progress);
  for (int32_t first = 0; first < height; first += kMapChunkRows) {
    const int32_t end = std::min(height, first + kMapChunkRows);
    for (int32_t y = first; y < end; ++y) {
      if (progress.Report(y, height)) {
        RollBackToLastSnapshot();
        return 0;
      }
    }
    RunBands(end - first, std::min(bands, int(end - first)), [&](int band, int32_t a, int32_t b) {
      for (int32_t y = first + a; y < first + b; ++y) mapRow(matchers[size_t(band)], y);
    });
  }
  return 1;
}

int CTessel20Doc::RemoveSmallAreas(bool creating) {
  if (!convertedPicture || !indexImage || !patternImage || env_.filters == nullptr) return 0;
  ProgressCounters& counters = env_.progress;
  ++counters.stepNumber;
  if (!CleanIndex(creating)) {
    RollBackToLastSnapshot();
    return 0;
  }
  // Merged after the smoothing, so that the smoothing cannot split them again.
  if (env_.app.mergeSmallAreas != 0 && !MergeSmallAreasInIndex()) {
    RollBackToLastSnapshot();
    return 0;
  }
  if (!PaintConvertedFromIndex()) return 0;
  return RenderPatternRect(0, 0, convertedPicture->Width(), convertedPicture->Height(), false)
             ? 1
             : 0;
}

bool CTessel20Doc::KeepsDetail() const {
  return env_.app.mergeSmallAreas != 0 && PaintChoice(env_.app.colorMatch) == PaintChoice::kClosest;
}

bool CTessel20Doc::CleanIndex(bool creating) {
  // A new pattern of the paints closest to the picture, merged afterwards,
  // keeps its detail: the merge, not a wide median, makes the areas paintable.
  if (creating && KeepsDetail()) return MajorityFilter(*indexImage, kLightCleanupPasses);
  return ApplyToolInPlace(*env_.filters, "median_filt", indexImage,
                          SquareParameters(CleanupStrength(*convertedPicture)), "%d,%d,%d,%d");
}

int CTessel20Doc::PaintConvertedFromIndex() {
  if (!convertedPicture || !indexImage) return 0;
  ProgressCounters& counters = env_.progress;
  ++counters.stepNumber;
  StepProgress progress(Ui(), counters);
  ImageBuffer& picture = *convertedPicture;
  std::optional<PixelRows> pictureRows = picture.WritableRows();
  if (!pictureRows) {
    RollBackToLastSnapshot();
    return 0;
  }
  // Positions past the working palette paint black.
  std::array<Rgb, 256> paints{};
  const size_t paletteSize = std::min(params.workingPalette.size(), paints.size());
  for (size_t k = 0; k < paletteSize; ++k) paints[k] = params.workingPalette[k].AsRgb();
  const int32_t width = picture.Width();
  const int32_t height = picture.Height();
  for (int32_t y = 0; y < height; ++y) {
    if (progress.Report(y, height)) {
      RollBackToLastSnapshot();
      return 0;
    }
    uint8_t* rgb = pictureRows->Row(y);
    const uint8_t* index = indexImage->Row(y);
    for (int32_t x = 0; x < width; ++x, rgb += 3) {
      const Rgb& paint = paints[index[x]];
      rgb[0] = paint.blue;
      rgb[1] = paint.green;
      rgb[2] = paint.red;
    }
  }
  return 1;
}

bool CTessel20Doc::RenderPatternRect(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                     bool noNumbers) {
  if (!patternImage || !indexImage) return false;
  PatternRenderInput input;
  input.indexImage = indexImage.get();
  input.patternType = params.patternType;
  input.borderColor = params.borderColor;
  input.paletteLength = int32_t(params.workingPalette.size());
  int32_t unnumbered = 0;
  input.fitNumbers = env_.app.mergeSmallAreas != 0;
  input.unnumberedAreas = &unnumbered;
  StepProgress progress(Ui(), env_.progress);
  RenderStatus status =
      RenderPattern(input, *patternImage, {left, top, right, bottom, noNumbers}, &progress);
  const bool whole = left <= 0 && top <= 0 && right >= patternImage->Width() &&
                     bottom >= patternImage->Height();
  if (status == RenderStatus::kDone && whole && !noNumbers &&
      params.patternType == kPatternNumbers) {
    unnumberedAreas = input.fitNumbers ? unnumbered : -1;
    if (input.fitNumbers) Ui().StatusNote(UnnumberedAreasText(unnumbered));
  }
  if (status == RenderStatus::kDone) return true;
  RollBackToLastSnapshot();
  return false;
}

}  // namespace tintara
