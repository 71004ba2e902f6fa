// A 200-point pen stroke on a 1240 × 1753 pattern (A4 at 600 dpi): each mouse
// move (the dab, the line joining it to the last point, the pattern drawn
// again without numbers over the touched part, and the repaint of that part
// of the window), and the release that draws the stroke's part with numbers.
#include <benchmark/benchmark.h>

#include "bench/bench_project.h"
#include "bench/offscreen_main.h"

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <memory>
#include <vector>

#include "document/tessel_doc.h"
#include "editing/drawing_tool.h"
#include "platform/image_drawing.h"
#include "tests/support/synthetic_images.h"
#include "view/drawing_input.h"

namespace tintara {
namespace {

constexpr int kStrokePoints = 200;
constexpr int kWindowWidth = 1600;
constexpr int kWindowHeight = 1000;

// A project with an A4 600 dpi pattern of 32 colours, and a window that
// repaints what the pen touched.
struct Drawing : BenchProject {
  Drawing() : BenchProject("pen"), window(kWindowWidth, kWindowHeight, QImage::Format_RGB32) {
    doc->ReplaceWithPicture(test::MakePhoto(2480, 3508, 3), kOriginFile, "", true);
    doc->CreatePattern();
    doc->viewMode = kViewPattern;
    MappedDrawingHost::Notices notices;
    notices.repaintWindow = [this](const LtrbRect& r) { Repaint(r); };
    host = std::make_unique<MappedDrawingHost>(
        [this] { return ViewMapping(ZoomFactor{}, doc->patternImage->Height(), scroll); },
        std::move(notices));
    tool = std::make_unique<DrawingTool>(*doc);
    tool->Attach(host.get());
    doc->currentTool = kToolPen;
  }

  // The view's paint of a window rectangle: the pattern under it, nothing else.
  void Repaint(const LtrbRect& r) {
    QRect area = QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)).intersected(window.rect());
    if (area.isEmpty()) return;
    QPainter painter(&window);
    DrawImageBuffer(painter, *doc->patternImage, ZoomFactor{}, scroll, area, nullptr);
  }

  // A zigzag across the window, 6 pixels a step.
  static std::vector<Point> Stroke() {
    std::vector<Point> points;
    for (int i = 0; i < kStrokePoints; ++i) {
      points.push_back({100 + 6 * i % 1200, 200 + (i / 40 % 2 ? 40 - i % 40 : i % 40) * 15});
    }
    return points;
  }

  QImage window;
  Point scroll{0, 300};
  std::unique_ptr<MappedDrawingHost> host;
  std::unique_ptr<DrawingTool> tool;
};

Drawing& Shared() {
  static Drawing drawing;
  return drawing;
}

void BM_PenMove(benchmark::State& state) {
  Drawing& d = Shared();
  if (!d.doc->HasPattern()) return state.SkipWithError("no pattern was made");
  d.doc->params.penWidth = int32_t(state.range(0));
  const std::vector<Point> stroke = Drawing::Stroke();
  size_t next = 0;
  for (auto _ : state) {
    if (next == 0) {
      state.PauseTiming();
      d.tool->ButtonDown(stroke[0]);
      state.ResumeTiming();
      next = 1;
    }
    d.tool->MouseMove(stroke[next], true, false);
    if (++next == stroke.size()) {
      state.PauseTiming();
      d.tool->ButtonUp(stroke.back(), false);
      next = 0;
      state.ResumeTiming();
    }
  }
  if (next != 0) d.tool->ButtonUp(stroke[next - 1], false);
  state.counters["pen_px"] = 1 << state.range(0);
  state.counters["patternW"] = d.doc->patternImage->Width();
  state.counters["patternH"] = d.doc->patternImage->Height();
  // The stroke really lands on the pattern: the colour under its first point.
  const Point first = d.host->WindowToImage(stroke[0]);
  state.counters["painted"] =
      d.doc->indexImage->Row(first.y - 1)[first.x] == d.doc->params.currentColor;
}

void BM_PenRelease(benchmark::State& state) {
  Drawing& d = Shared();
  if (!d.doc->HasPattern()) return state.SkipWithError("no pattern was made");
  d.doc->params.penWidth = int32_t(state.range(0));
  const std::vector<Point> stroke = Drawing::Stroke();
  for (auto _ : state) {
    state.PauseTiming();
    d.tool->ButtonDown(stroke[0]);
    for (size_t i = 1; i < stroke.size(); ++i) d.tool->MouseMove(stroke[i], true, false);
    state.ResumeTiming();
    d.tool->ButtonUp(stroke.back(), false);
  }
  state.counters["pen_px"] = 1 << state.range(0);
}

BENCHMARK(BM_PenMove)->Arg(1)->Arg(4)->Arg(7)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PenRelease)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tintara

TINTARA_OFFSCREEN_BENCHMARK_MAIN()
