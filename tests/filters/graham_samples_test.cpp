// "graham_filt" on the sample photographs, with the strength the pattern
// pipeline uses: fine texture and noise must go, the boundaries a painter
// follows must stay as sharp as in the photo. With TINTARA_FILTER_CHECK_DIR
// set, the pictures before and after are written there as PNG files.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "tests/filters/filter_fixture.h"

namespace tintara::test {
namespace {

ImageRef FromQImage(const QImage& loaded) {
  QImage rgb = loaded.convertToFormat(QImage::Format_RGB888);
  ImageRef picture = ImageBuffer::Create(kKindRgb24, rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y) {
    const uchar* in = rgb.constScanLine(rgb.height() - 1 - y);  // rows are stored bottom-up
    uint8_t* out = picture->WritableRows().value().Row(y);
    for (int x = 0; x < rgb.width(); ++x) {
      out[3 * x] = in[3 * x + 2];
      out[3 * x + 1] = in[3 * x + 1];
      out[3 * x + 2] = in[3 * x];
    }
  }
  return picture;
}

void SavePng(const ImageBuffer& picture, const std::string& path) {
  QImage image(picture.Width(), picture.Height(), QImage::Format_RGB888);
  for (int y = 0; y < picture.Height(); ++y) {
    const uint8_t* in = picture.Row(picture.Height() - 1 - y);
    uchar* out = image.scanLine(y);
    for (int x = 0; x < picture.Width(); ++x) {
      out[3 * x] = in[3 * x + 2];
      out[3 * x + 1] = in[3 * x + 1];
      out[3 * x + 2] = in[3 * x];
    }
  }
  image.save(QString::fromStdString(path));
}

double Luminance(const ImageBuffer& p, int x, int y) {
  const uint8_t* v = p.Row(std::clamp(y, 0, p.Height() - 1)) + 3 * std::clamp(x, 0, p.Width() - 1);
  return 0.114 * v[0] + 0.587 * v[1] + 0.299 * v[2];
}

// Mean n x n box blur, the plain smoothing graham_filt is measured against.
ImageRef BoxBlur(const ImageBuffer& in, int n) {
  ImageRef out = ImageBuffer::Create(kKindRgb24, in.Width(), in.Height());
  int r = n / 2;
  for (int y = 0; y < in.Height(); ++y) {
    for (int x = 0; x < in.Width(); ++x) {
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int dy = -r; dy <= r; ++dy) {
          for (int dx = -r; dx <= r; ++dx) {
            sum += in.Row(std::clamp(
                y + dy, 0, in.Height() - 1))[3 * std::clamp(x + dx, 0, in.Width() - 1) + c];
          }
        }
        out->WritableRows().value().Row(y)[3 * x + c] = uint8_t(sum / ((2 * r + 1) * (2 * r + 1)));
      }
    }
  }
  return out;
}

struct Spot {
  int x, y;
  bool vertical;  // for an edge: the luminance changes along x
};

// Where the photo's shapes meet (a strong change over six pixels of the
// blurred photo) and where it is calm (hardly any change), texture aside.
void FindEdgesAndCalm(const ImageBuffer& photo, std::vector<Spot>& edges, std::vector<Spot>& calm) {
  ImageRef blurred = BoxBlur(photo, 7);
  for (int y = 8; y < photo.Height() - 8; ++y) {
    for (int x = 8; x < photo.Width() - 8; ++x) {
      double gx = std::abs(Luminance(*blurred, x + 3, y) - Luminance(*blurred, x - 3, y));
      double gy = std::abs(Luminance(*blurred, x, y + 3) - Luminance(*blurred, x, y - 3));
      if (std::max(gx, gy) > 40) edges.push_back({x, y, gx >= gy});
      if (std::max(gx, gy) < 6) calm.push_back({x, y, false});
    }
  }
}

// Fine texture and noise: mean distance of a pixel's luminance from the mean
// of its four neighbours.
double Texture(const ImageBuffer& p, const std::vector<Spot>& spots) {
  double total = 0;
  for (const Spot& s : spots) {
    double around = (Luminance(p, s.x - 1, s.y) + Luminance(p, s.x + 1, s.y) +
                     Luminance(p, s.x, s.y - 1) + Luminance(p, s.x, s.y + 1)) /
                    4;
    total += std::abs(Luminance(p, s.x, s.y) - around);
  }
  return total / double(spots.size());
}

// How abruptly the picture changes at the edges: the largest step between
// neighbours within two pixels across each edge.
double EdgeSharpness(const ImageBuffer& p, const std::vector<Spot>& edges) {
  double total = 0;
  for (const Spot& e : edges) {
    double steepest = 0;
    for (int d = -2; d <= 1; ++d) {
      double step = e.vertical ? Luminance(p, e.x + d + 1, e.y) - Luminance(p, e.x + d, e.y)
                               : Luminance(p, e.x, e.y + d + 1) - Luminance(p, e.x, e.y + d);
      steepest = std::max(steepest, std::abs(step));
    }
    total += steepest;
  }
  return total / double(edges.size());
}

class GrahamSamplesTest : public FilterFixture,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(GrahamSamplesTest, FlattensAreasAndKeepsEdges) {
  QImage loaded((ResourcesFolder() / "samples" / GetParam()).string().c_str());
  ASSERT_FALSE(loaded.isNull()) << GetParam();
  ImageRef photo = FromQImage(loaded);
  int n = std::clamp((std::max(photo->Width(), photo->Height()) + 29) / 30, 3, 15);
  ImageRef smoothed = ImageBuffer::Copy(*photo);
  std::string text = std::to_string(n) + "," + std::to_string(n) + ",0,0";
  ASSERT_TRUE(InPlace("graham_filt", smoothed, text));
  ImageRef blurred = BoxBlur(*photo, n);

  std::vector<Spot> edges, calm;
  FindEdgesAndCalm(*photo, edges, calm);
  ASSERT_GT(edges.size(), 500u);
  ASSERT_GT(calm.size(), 5000u);
  double before = Texture(*photo, calm), after = Texture(*smoothed, calm);
  double photoEdges = EdgeSharpness(*photo, edges);
  double keptEdges = EdgeSharpness(*smoothed, edges);
  double blurEdges = EdgeSharpness(*blurred, edges);
  RecordProperty("texture", std::to_string(before) + " -> " + std::to_string(after));
  RecordProperty("edges", std::to_string(photoEdges) + " -> " + std::to_string(keptEdges) +
                              " (box blur " + std::to_string(blurEdges) + ")");
  EXPECT_LT(after, 0.6 * before);
  EXPECT_GT(keptEdges, 0.75 * photoEdges);
  EXPECT_GT(keptEdges, 3.0 * blurEdges);

  if (const char* folder = std::getenv("TINTARA_FILTER_CHECK_DIR")) {
    std::filesystem::create_directories(folder);
    std::string stem = std::filesystem::path(GetParam()).stem().string();
    SavePng(*photo, std::string(folder) + "/" + stem + "-before.png");
    SavePng(*smoothed, std::string(folder) + "/" + stem + "-graham.png");
    SavePng(*blurred, std::string(folder) + "/" + stem + "-box.png");
  }
}

INSTANTIATE_TEST_SUITE_P(Photos, GrahamSamplesTest,
                         ::testing::Values("astronaut.png", "chelsea.png", "coffee.png"));

}  // namespace
}  // namespace tintara::test
