// How much the patterns look like their photos and whether a painter can use
// them: each photo made into a pattern for one A4 sheet at 600 dots per inch
// with 16, 24 and 32 paints of the default brand, three ways:
//   classic   the classic paint choice, nothing merged, the page as set
//   unmerged  the default with nothing merged (the same paints and clean-up)
//   default   what a new user gets: the paints closest to the picture, areas
//             under 2.5 mm merged, numbers that fit, the page turned to suit
// Per photo and count it prints the mean CIEDE2000 difference between the
// photo (averaged over each pattern pixel's area) and the converted picture
// of each; for the default also "nearest": every pixel its own nearest of the
// paints the finished pattern uses, the gap to it, what merging cost against
// the unmerged pattern, the paints the unmerged pattern used / of those the
// ones with cells enough for one area of the minimum -> the paints the
// default keeps, the pattern's measures (areas, the narrowest area's
// inscribed disc, numbered share, overlapping numbers), the paints used of
// those asked and the times.
//
//   quality_report [PHOTO...]   (default: the program's sample photos)
#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_project.h"
#include "colors/color_fidelity.h"
#include "colors/reduction/working_palette.h"
#include "pattern/pattern_quality.h"
#include "pattern/used_colors.h"
#include "platform/picture_files.h"
#include "view/shopping_list.h"

namespace tintara {
namespace {

enum class Way { kClassic, kUnmerged, kDefault };

struct Made {
  double difference = -1;
  double nearest = -1;  // each pixel its own nearest of the paints used
  double milliseconds = 0;
  int paintsUsed = 0;
  // Paints with cells enough for one area of the minimum (a disc 2.5 mm
  // across): the others lie only in specks no merge could keep.
  int paintsWithRoom = 0;
  PatternQuality quality;
};

int PaintsWithRoom(const CTessel20Doc& doc) {
  const std::array<uint64_t, 256> cells = CountIndexPixels(doc.indexImage.get());
  const double disc = 2.5 / doc.PatternPixelMillimetres();
  const double room = 3.14159265 / 4 * disc * disc;
  return int(std::count_if(cells.begin(), cells.end(),
                           [room](uint64_t n) { return double(n) >= room; }));
}

std::vector<Lab> UsedPaints(const CTessel20Doc& doc) {
  std::vector<Lab> paints;
  for (int position : UsedPositions(doc.indexImage.get())) {
    if (size_t(position) < doc.params.workingPalette.size()) {
      paints.push_back(SrgbToLab(doc.params.workingPalette[size_t(position)].AsRgb()));
    }
  }
  return paints;
}

Made MakePattern(BenchProject& project, const ImageRef& photo, int colors, Way way) {
  CTessel20Doc& doc = *project.doc;
  AppSettings& app = project.env.app;
  app.colorMatch = int(way == Way::kClassic ? PaintChoice::kClassic : PaintChoice::kClosest);
  // Unmerged: the default's clean-up with a minimum no area is under (a
  // pattern pixel is 0.17 mm), so that only the merge itself differs.
  app.mergeSmallAreas = way == Way::kClassic ? 0 : 1;
  app.minAreaDiameter = way == Way::kUnmerged ? 1 : 25;
  app.page.autoOrientation = way == Way::kClassic ? 0 : 1;
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
  if (!doc.convertedPicture || !doc.indexImage) return made;
  made.difference = ConversionDifference(*photo, *doc.convertedPicture).value_or(-1);
  const std::vector<Lab> used = UsedPaints(doc);
  made.paintsUsed = int(used.size());
  made.paintsWithRoom = PaintsWithRoom(doc);
  if (way == Way::kDefault) {
    ImageRef averaged =
        AreaAverage(*photo, doc.convertedPicture->Width(), doc.convertedPicture->Height());
    if (averaged) made.nearest = MeanDifferenceToNearest(*averaged, used).value_or(-1);
    made.quality = MeasurePatternQuality(*doc.indexImage, true, doc.PatternPixelMillimetres());
  }
  return made;
}

std::vector<std::string> SamplePhotos() {
  const std::string folder = TINTARA_RESOURCES_DIR "/samples/";
  return {folder + "astronaut.png", folder + "chelsea.png", folder + "coffee.png",
          folder + "rocket.jpg"};
}

struct Sums {
  int rows = 0;
  double classic = 0, made = 0, nearest = 0, mergeCost = 0, worstMergeCost = 0;
  double worstKept = 1;  // least share of the unmerged pattern's paints the merge kept
  double narrowest = 1e9;
  int overlaps = 0;
  double numbered = 1;

  void Add(const Made& classic, const Made& unmerged, const Made& made) {
    ++rows;
    this->classic += classic.difference;
    this->made += made.difference;
    nearest += made.nearest;
    mergeCost += made.difference - unmerged.difference;
    worstMergeCost = std::max(worstMergeCost, made.difference - unmerged.difference);
    worstKept = std::min(worstKept, double(made.paintsUsed) / std::max(1, unmerged.paintsWithRoom));
    narrowest = std::min(narrowest, made.quality.smallestDiameterMm);
    overlaps += made.quality.overlappingBoxes;
    numbered = std::min(numbered, made.quality.numberedShare);
  }

  void Print() const {
    if (rows == 0) return;
    std::printf(
        "mean over %d rows: classic %.2f, default %.2f, nearest %.2f (gap %.2f), merge cost "
        "%.2f (worst %.2f)\n",
        rows, classic / rows, made / rows, nearest / rows, (made - nearest) / rows,
        mergeCost / rows, worstMergeCost);
    std::printf(
        "every default pattern: narrowest area %.2f mm, least numbered share %.1f%%, %d "
        "overlapping numbers, merging kept at least %.0f%% of the paints with room for an area\n",
        narrowest, 100.0 * numbered, overlaps, 100.0 * worstKept);
  }
};

void PrintHeader() {
  std::printf("%-13s %6s | %7s | %7s %7s %5s | %8s %6s %12s | %6s %7s %8s %5s %9s | %8s %8s\n",
              "photo", "colors", "classic", "default", "nearest", "gap", "unmerged", "merge",
              "paints", "areas", "min mm", "numbered", "overl", "used/asked", "classic ms",
              "default ms");
}

void PrintRow(const std::string& name, int colors, const Made& classic, const Made& unmerged,
              const Made& made) {
  const std::string paints = std::to_string(unmerged.paintsUsed) + "/" +
                             std::to_string(unmerged.paintsWithRoom) + "->" +
                             std::to_string(made.paintsUsed);
  const std::string usedOfAsked = std::to_string(made.paintsUsed) + "/" + std::to_string(colors);
  std::printf(
      "%-13s %6d | %7.2f | %7.2f %7.2f %5.2f | %8.2f %+6.2f %12s | %6d %7.2f %7.1f%% %5d %9s | "
      "%8.0f %8.0f\n",
      name.c_str(), colors, classic.difference, made.difference, made.nearest,
      made.difference - made.nearest, unmerged.difference, made.difference - unmerged.difference,
      paints.c_str(), made.quality.areas, made.quality.smallestDiameterMm,
      100.0 * made.quality.numberedShare, made.quality.overlappingBoxes, usedOfAsked.c_str(),
      classic.milliseconds, made.milliseconds);
}

int Report(const std::vector<std::string>& photos) {
  std::printf("one A4 sheet at 600 dpi, 4 dots a cell, the default brand\n");
  PrintHeader();
  Sums sums;
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
      const Made classic = MakePattern(project, load.image, colors, Way::kClassic);
      const Made unmerged = MakePattern(project, load.image, colors, Way::kUnmerged);
      const Made made = MakePattern(project, load.image, colors, Way::kDefault);
      if (made.difference < 0 || unmerged.difference < 0 || classic.difference < 0) {
        std::fprintf(stderr, "%s: no pattern was made\n", name.c_str());
        return 1;
      }
      PrintRow(name, colors, classic, unmerged, made);
      sums.Add(classic, unmerged, made);
    }
  }
  sums.Print();
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
