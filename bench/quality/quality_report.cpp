// How much the patterns look like their photos: each sample photo made into a
// pattern for one A4 sheet at 600 dots per inch with 16, 24 and 32 paints of
// the default brand, once with the classic paint choice and once with the
// paints closest to the picture. Per photo and count it prints the mean
// CIEDE2000 difference between the photo (averaged over each pattern pixel's
// area) and the converted picture for both, the floor (every pixel its own
// nearest of all the brand's paints), the time each pattern took and the
// time the closest paints took to choose. A third pattern, closest paints with
// areas under 2.5 mm merged and numbers that fit, gives its difference, its
// time and the pattern's own measures.
//
//   quality_report [PHOTO...]   (default: the program's sample photos)
#include <QCoreApplication>
#include <QString>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_project.h"
#include "colors/brand_palette.h"
#include "colors/color_fidelity.h"
#include "colors/reduction/working_palette.h"
#include "pattern/pattern_quality.h"
#include "platform/picture_files.h"

namespace tintara {
namespace {

struct Made {
  double difference = 0;
  double milliseconds = 0;
  int paints = 0;
};

Made MakePattern(BenchProject& project, const ImageRef& photo, int colors, PaintChoice choice,
                 bool merge = false) {
  CTessel20Doc& doc = *project.doc;
  project.env.app.colorMatch = int(choice);
  project.env.app.mergeSmallAreas = merge ? 1 : 0;
  project.env.app.minAreaDiameter = 25;
  doc.params.neededNumColors = colors;
  doc.params.paletteReady = 0;
  doc.convertedPicture = nullptr;
  doc.patternImage = nullptr;
  doc.indexImage = nullptr;
  const auto start = std::chrono::steady_clock::now();
  doc.PushUndoSnapshot();
  doc.CreatePattern();
  const auto end = std::chrono::steady_clock::now();
  Made made;
  made.milliseconds = std::chrono::duration<double, std::milli>(end - start).count();
  made.paints = int(doc.params.workingPalette.size());
  if (doc.convertedPicture) {
    made.difference = ConversionDifference(*photo, *doc.convertedPicture).value_or(-1);
  }
  return made;
}

// Milliseconds the closest paints take to choose, on their own.
double ChoosingTime(const BenchProject& project, const ImageBuffer& photo, int colors) {
  CTesselParams params = project.doc->params;
  const auto start = std::chrono::steady_clock::now();
  BuildClosestPalette(params, colors, photo, 100);
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

// The pattern's own measures: the smallest area's inscribed disc in
// millimetres, the share of areas that carry a number, and the number boxes
// that overlap, measured on the merged pattern.
struct PatternColumns {
  double smallestDiscMm = 0;
  double numberedPercent = 0;
  int overlaps = 0;
};

PatternColumns MeasurePattern(const CTessel20Doc& doc) {
  const PatternQuality quality =
      MeasurePatternQuality(*doc.indexImage, true, doc.PatternPixelMillimetres());
  return {quality.smallestDiameterMm, 100.0 * quality.numberedShare, quality.overlappingBoxes};
}

double Floor(const ImageBuffer& photo, const ImageBuffer& converted, const BrandPalette& brand) {
  std::vector<Lab> paints;
  for (int i = 0; i < brand.Count(); ++i) paints.push_back(SrgbToLab(brand.ColorAt(i)->AsRgb()));
  ImageRef averaged = AreaAverage(photo, converted.Width(), converted.Height());
  return averaged ? MeanDifferenceToNearest(*averaged, paints).value_or(-1) : -1;
}

std::vector<std::string> SamplePhotos() {
  const std::string folder = TINTARA_RESOURCES_DIR "/samples/";
  return {folder + "astronaut.png", folder + "chelsea.png", folder + "coffee.png",
          folder + "rocket.jpg"};
}

int Report(const std::vector<std::string>& photos) {
  std::optional<BrandPalette> brand;
  {
    BenchProject project("quality");
    brand = BrandPalette::Load(project.doc->params.brandFile);
  }
  if (!brand) {
    std::fprintf(stderr, "no brand palette beside the program\n");
    return 1;
  }
  std::printf("brand: %s (%d paints); one A4 sheet at 600 dpi, 4 dots a cell\n",
              brand->BrandName().c_str(), brand->Count());
  std::printf("%-14s %6s %9s %9s %7s %7s %10s %10s %9s | %7s %9s %8s %9s %8s\n", "photo",
              "colors", "classic", "closest", "change", "floor", "classic ms", "closest ms",
              "choose ms", "merged", "merged ms", "min disc", "numbered", "overlaps");
  double classicSum = 0, closestSum = 0;
  int rows = 0;
  for (const std::string& path : photos) {
    PictureLoad load = LoadPictureFile(QString::fromStdString(path));
    if (!load.image) {
      std::fprintf(stderr, "%s\n", load.error.c_str());
      return 1;
    }
    // A project of its own for each photo, as a new project would start.
    BenchProject project("quality");
    project.doc->ReplaceWithPicture(load.image, kOriginFile, path, true);
    if (project.doc->initialPicture != load.image) {
      std::fprintf(stderr, "%s: the photo did not become the project's picture\n", path.c_str());
      return 1;
    }
    const std::string name = std::filesystem::path(path).filename().string();
    for (int colors : {16, 24, 32}) {
      const Made classic = MakePattern(project, load.image, colors, PaintChoice::kClassic);
      const Made closest = MakePattern(project, load.image, colors, PaintChoice::kClosest);
      const Made merged = MakePattern(project, load.image, colors, PaintChoice::kClosest, true);
      if (!project.doc->convertedPicture || !project.doc->indexImage) {
        std::fprintf(stderr, "%s: no pattern was made\n", name.c_str());
        return 1;
      }
      const double floor = Floor(*load.image, *project.doc->convertedPicture, *brand);
      const double change = 100.0 * (closest.difference - classic.difference) / classic.difference;
      const PatternColumns measures = MeasurePattern(*project.doc);
      const double choosing = ChoosingTime(project, *load.image, colors);
      std::printf(
          "%-14s %6d %9.2f %9.2f %6.1f%% %7.2f %10.0f %10.0f %9.0f | %7.2f %9.0f %5.2f mm %8.1f%% "
          "%8d\n",
          name.c_str(), colors, classic.difference, closest.difference, change, floor,
          classic.milliseconds, closest.milliseconds, choosing, merged.difference,
          merged.milliseconds, measures.smallestDiscMm, measures.numberedPercent,
          measures.overlaps);
      if (classic.paints < colors || closest.paints < colors) {
        std::printf("%-14s %6s paints made: classic %d, closest %d\n", "", "", classic.paints,
                    closest.paints);
      }
      classicSum += classic.difference;
      closestSum += closest.difference;
      ++rows;
    }
  }
  if (rows > 0) {
    std::printf("mean over %d rows: classic %.2f, closest %.2f (%.1f%%)\n", rows,
                classicSum / rows, closestSum / rows,
                100.0 * (closestSum - classicSum) / classicSum);
  }
  return 0;
}

}  // namespace
}  // namespace tintara

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  std::vector<std::string> photos;
  for (int i = 1; i < argc; ++i) photos.push_back(argv[i]);
  if (photos.empty()) photos = tintara::SamplePhotos();
  return tintara::Report(photos);
}
