#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "view/view_state.h"
#include "view/zoom.h"

namespace tintara {
namespace {

TEST(Zoom, ZoomOutStopsAt31AfterFiveSteps) {
  ZoomFactor zoom;
  std::vector<int32_t> levels;
  for (int step = 0; step < 5; ++step) {
    EXPECT_EQ(ZoomOut(zoom), ZoomOutcome::kChanged);
    levels.push_back(zoom.numerator);
  }
  EXPECT_EQ(levels, (std::vector<int32_t>{500, 250, 125, 62, 31}));
  EXPECT_EQ(ZoomOut(zoom), ZoomOutcome::kUnchanged);
  EXPECT_EQ(zoom.numerator, 31);
  EXPECT_EQ(zoom.denominator, 1000);
}

TEST(Zoom, ZoomInRefusesPast31999) {
  ZoomFactor zoom;
  ImageSize picture{4000, 3000};
  EXPECT_EQ(ZoomIn(zoom, picture), ZoomOutcome::kChanged);
  EXPECT_EQ(zoom.numerator, 2000);
  EXPECT_EQ(ZoomIn(zoom, picture), ZoomOutcome::kChanged);
  EXPECT_EQ(zoom.numerator, 4000);
  // 32000 × 24000 would exceed 31999.
  EXPECT_EQ(ZoomIn(zoom, picture), ZoomOutcome::kRefused);
  EXPECT_EQ(zoom.numerator, 4000);

  ZoomFactor edge;
  EXPECT_EQ(ZoomIn(edge, {15999, 10}), ZoomOutcome::kChanged);  // 31998
  ZoomFactor tall;
  EXPECT_EQ(ZoomIn(tall, {10, 16000}), ZoomOutcome::kRefused);   // height alone
}

TEST(Zoom, FitPicksTheLimitingSideAndKeepsAtLeastOne) {
  ZoomFactor zoom;
  EXPECT_EQ(FitToWindow(zoom, {2000, 1000}, {1000, 1000}), ZoomOutcome::kChanged);
  EXPECT_EQ(zoom.numerator, 500);
  EXPECT_EQ(FitToWindow(zoom, {1000, 3000}, {1000, 1000}), ZoomOutcome::kChanged);
  EXPECT_EQ(zoom.numerator, 333);
  // Later steps double and halve whatever fit produced.
  EXPECT_EQ(ZoomIn(zoom, {1000, 3000}), ZoomOutcome::kChanged);
  EXPECT_EQ(zoom.numerator, 666);
  EXPECT_EQ(ZoomOut(zoom), ZoomOutcome::kChanged);
  EXPECT_EQ(zoom.numerator, 333);

  EXPECT_EQ(FitToWindow(zoom, {1000, 3000}, {0, 0}), ZoomOutcome::kChanged);
  EXPECT_EQ(zoom.numerator, 1);
  EXPECT_EQ(ZoomOut(zoom), ZoomOutcome::kUnchanged);
  EXPECT_EQ(FitToWindow(zoom, {0, 0}, {500, 500}), ZoomOutcome::kUnchanged);
  EXPECT_EQ(zoom.numerator, 1);
  EXPECT_EQ(ActualSize(zoom), ZoomOutcome::kChanged);
  EXPECT_EQ(zoom, (ZoomFactor{1000, 1000}));
}

ViewportMetrics Client(int32_t width, int32_t height) { return {{width, height}, 15, 15}; }

Point VisibleCentre(const PatternViewState& view) {
  return {view.Layout().client.width / 2, view.Layout().client.height / 2};
}

TEST(PatternViewState, ZoomCommandsKeepThePictureAtTheCentreOfTheView) {
  PatternViewState view;
  ImageSize picture{4000, 3000};
  view.SetScrollSizes(picture, Client(800, 600));
  ASSERT_TRUE(view.ScrollTo({1000, 500}));
  // 785 × 585 are left beside the bars: the centre is (392, 292).
  Point centre = VisibleCentre(view);
  ASSERT_EQ(centre, (Point{392, 292}));
  Point shown = view.Mapping(3000).WindowToImage(centre);
  EXPECT_EQ(view.ZoomIn(picture, Client(800, 600)), ZoomOutcome::kChanged);
  EXPECT_EQ(view.ScrollPosition(), (Point{2 * 1392 - 392, 2 * 792 - 292}));
  EXPECT_EQ(view.Mapping(3000).ImageToWindow(shown), centre);
  EXPECT_EQ(view.ZoomOut(picture, Client(800, 600)), ZoomOutcome::kChanged);
  EXPECT_EQ(view.ScrollPosition(), (Point{1000, 500}));
  EXPECT_EQ(view.ZoomOut(picture, Client(800, 600)), ZoomOutcome::kChanged);
  EXPECT_EQ(view.ScrollPosition(), (Point{1392 / 2 - 392, 792 / 2 - 292}));
  EXPECT_EQ(view.Mapping(3000).ImageToWindow(shown), centre);
  EXPECT_EQ(view.ActualSize(picture, Client(800, 600)), ZoomOutcome::kChanged);
  EXPECT_EQ(view.ScrollPosition(), (Point{1000, 500}));

  // Out to where one window pixel shows four picture pixels and back: no drift.
  ASSERT_TRUE(view.ScrollTo({1501, 1003}));
  view.ZoomOut(picture, Client(800, 600));
  view.ZoomOut(picture, Client(800, 600));
  EXPECT_EQ(view.ScrollPosition(), (Point{(1501 + 392) / 4 - 392, (1003 + 292) / 4 - 292}));
  view.ZoomIn(picture, Client(800, 600));
  view.ZoomIn(picture, Client(800, 600));
  EXPECT_EQ(view.ScrollPosition(), (Point{1501, 1003}));

  // Once the whole picture fits, it is centred whatever was in the middle.
  while (view.Zoom().numerator > 125) view.ZoomOut(picture, Client(800, 600));
  EXPECT_FALSE(view.Layout().horizontalBar);
  EXPECT_EQ(view.ScrollPosition(), (Point{(500 - 800) / 2, (375 - 600) / 2}));
  // Zooming in again from there keeps the picture's middle in the middle, to
  // within the 8 picture pixels one window pixel covered at 1:8.
  for (int step = 0; step < 3; ++step) view.ZoomIn(picture, Client(800, 600));
  Point middle = view.Mapping(3000).WindowToImage(VisibleCentre(view));
  EXPECT_NEAR(middle.x, 2000, 8);
  EXPECT_NEAR(middle.y, 1500, 8);
}

TEST(PatternViewState, ZoomAboutThePointerKeepsThePicturePointUnderIt) {
  PatternViewState view;
  ImageSize picture{4000, 3000};
  view.SetScrollSizes(picture, Client(800, 600));
  ASSERT_TRUE(view.ScrollTo({1000, 500}));
  Point pointer{100, 450};
  using Step = ZoomOutcome (PatternViewState::*)(const ImageSize&, const ViewportMetrics&,
                                                  std::optional<Point>);
  std::vector<Step> steps = {&PatternViewState::ZoomIn, &PatternViewState::ZoomIn,
                             &PatternViewState::ZoomOut, &PatternViewState::ZoomOut,
                             &PatternViewState::ZoomOut};
  for (Step step : steps) {
    Point under = view.Mapping(3000).WindowToImage(pointer);
    ASSERT_EQ((view.*step)(picture, Client(800, 600), pointer), ZoomOutcome::kChanged);
    EXPECT_EQ(view.Mapping(3000).ImageToWindow(under), pointer)
        << "at zoom " << view.Zoom().numerator;
  }
  EXPECT_EQ(view.Zoom().numerator, 500);
  // Past the picture's edge the scroll position is clamped: the point moves.
  ASSERT_TRUE(view.ScrollTo({0, 0}));
  Point corner = view.Mapping(3000).WindowToImage(Point{10, 10});
  view.ZoomOut(picture, Client(800, 600), Point{700, 500});
  EXPECT_EQ(view.ScrollPosition(), (Point{0, 0}));
  EXPECT_EQ(view.Mapping(3000).ImageToWindow(corner), (Point{5, 5}));
}

TEST(PatternViewState, RefusedZoomLeavesEverythingAsItWas) {
  PatternViewState view;
  ImageSize picture{4000, 3000};
  view.SetScrollSizes(picture, Client(800, 600));
  view.ScrollTo({300, 200});
  view.ZoomIn(picture, Client(800, 600));
  view.ZoomIn(picture, Client(800, 600));
  Point before = view.ScrollPosition();
  EXPECT_EQ(view.ZoomIn(picture, Client(800, 600)), ZoomOutcome::kRefused);
  EXPECT_EQ(view.Zoom().numerator, 4000);
  EXPECT_EQ(view.ScrollPosition(), before);
}

TEST(PatternViewState, FitCentresTheWholePicture) {
  PatternViewState view;
  ImageSize picture{1000, 500};
  view.SetScrollSizes(picture, Client(400, 400));
  EXPECT_EQ(view.FitToWindow(picture, Client(400, 400)), ZoomOutcome::kChanged);
  EXPECT_EQ(view.Zoom().numerator, 400);
  EXPECT_FALSE(view.Layout().horizontalBar);
  EXPECT_FALSE(view.Layout().verticalBar);
  // 400 × 200 shown in 400 × 400: centred vertically.
  EXPECT_EQ(view.ScrollPosition(), (Point{0, -100}));
}

}  // namespace
}  // namespace tintara
