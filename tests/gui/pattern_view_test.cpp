#include <gtest/gtest.h>

#include <QPainter>
#include <QScrollBar>
#include <vector>

#include "imaging/region.h"
#include "platform/image_drawing.h"
#include "tests/gui/gui_helpers.h"
#include "view/widgets/tessel20_view.h"

namespace tintara {
namespace {

struct RecordingTool : MouseTool {
  bool consume = false;
  std::vector<std::string> events;
  std::vector<MouseInput> inputs;
  bool Record(const char* name, const MouseInput& input) {
    events.push_back(name);
    inputs.push_back(input);
    return consume;
  }
  bool LeftDown(const MouseInput& i) override { return Record("down", i); }
  bool LeftUp(const MouseInput& i) override { return Record("up", i); }
  bool Move(const MouseInput& i) override { return Record("move", i); }
  bool DoubleClick(const MouseInput& i) override { return Record("double", i); }
  bool RightUp(const MouseInput& i) override { return Record("right-up", i); }
};

struct FakeSource : ViewSource {
  ImageRef image;
  RegionPtr selection;
  RecordingTool tool;
  RecordingTool selector;
  bool selectorActive = false;
  bool polygon = false;
  int moved = 0;
  const ImageBuffer* DisplayedImage() const override { return image.get(); }
  const Region* Selection() const override { return selection.get(); }
  ImageSize CurrentImageSize() const override {
    return image ? ImageSize{image->Width(), image->Height()} : ImageSize{};
  }
  MouseTool* CurrentTool() override { return &tool; }
  MouseTool* ActiveSelectionTool() override { return selectorActive ? &selector : nullptr; }
  bool SelectionFollowsMouse() const override { return polygon; }
  void VisiblePartMoved() override { ++moved; }
};

// Index image whose palette entry v is (v, 255 - v, 7·v); pixel (x, y) = 10·y + x.
ImageRef NumberedPattern(int32_t width, int32_t height) {
  std::vector<PaletteEntry> palette(256);
  for (int v = 0; v < 256; ++v) palette[v] = {uint8_t(v), uint8_t(255 - v), uint8_t(7 * v), 0};
  ImageRef image = ImageBuffer::CreateWithPalette(kKind8Bit, width, height, palette.data(), 256);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x)
      image->WritableRows().value().Row(y)[x] = uint8_t(10 * y + x);
  }
  return image;
}

QImage Snapshot(CTessel20View& view) {
  QImage shot(view.viewport()->size(), QImage::Format_RGB32);
  QPainter painter(&shot);
  view.Render(painter, shot.rect());
  return shot;
}

class PatternViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.resize(300, 240);
    view.SetBeep([this] { ++beeps; });
    view.show();
  }
  void Use(ImageRef image) {
    source.image = std::move(image);
    view.SetSource(&source);
  }
  // The palette colour the pixel-centre rule expects at a window pixel.
  void ExpectShows(const QImage& shot, const ImageBuffer& image, QPoint window) {
    ZoomFactor zoom = view.Zoom();
    Point scroll = view.State().ScrollPosition();
    int x = int((int64_t(window.x()) + scroll.x) * zoom.denominator / zoom.numerator);
    int row = image.Height() - 1 -
              int((int64_t(window.y()) + scroll.y) * zoom.denominator / zoom.numerator);
    PaletteEntry colour = image.PaletteAt(image.Row(row)[x]);
    EXPECT_EQ(QColor(shot.pixel(window)), QColor(colour.red, colour.green, colour.blue))
        << "window " << window.x() << "," << window.y() << " -> pixel " << x << "," << row;
  }

  CTessel20View view;
  FakeSource source;
  int beeps = 0;
};

TEST_F(PatternViewTest, DrawsEveryPixelWithRowZeroAtTheBottom) {
  Use(NumberedPattern(9, 7));
  for (int32_t numerator : {1000, 2000, 4000, 8000}) {
    while (view.Zoom().numerator < numerator) view.ZoomIn();
    QImage shot = Snapshot(view);
    int block = numerator / 1000;
    Point scroll = view.State().ScrollPosition();
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 9; ++x) {
        // The middle of the block showing picture pixel (x, y).
        QPoint window(x * block + block / 2 - scroll.x, (6 - y) * block + block / 2 - scroll.y);
        if (!shot.rect().contains(window)) continue;
        ExpectShows(shot, *source.image, window);
      }
    }
  }
}

TEST_F(PatternViewTest, SmallPictureIsCentredOnTheMovingTexture) {
  Use(NumberedPattern(9, 7));
  QSize client = view.viewport()->size();
  Point scroll = view.State().ScrollPosition();
  EXPECT_EQ(scroll.x, (9 - client.width()) / 2);
  EXPECT_EQ(scroll.y, (7 - client.height()) / 2);
  EXPECT_FALSE(view.horizontalScrollBar()->isVisible());
  QImage shot = Snapshot(view);
  ExpectShows(shot, *source.image, QPoint(-scroll.x, -scroll.y));
  // The texture starts at minus the non-negative modulo of the scroll position.
  QImage tile = MakeBackgroundTile();
  int mx = ((scroll.x % 117) + 117) % 117;
  int my = ((scroll.y % 117) + 117) % 117;
  EXPECT_EQ(shot.pixel(0, 0), tile.pixel(mx, my));
  EXPECT_EQ(shot.pixel(5, 3), tile.pixel((mx + 5) % 117, (my + 3) % 117));

  view.SetStandardInterface(true);
  QImage plain = Snapshot(view);
  EXPECT_EQ(QColor(plain.pixel(0, 0)), view.palette().color(QPalette::Button));
  ExpectShows(plain, *source.image, QPoint(-scroll.x + 8, -scroll.y + 6));
}

TEST_F(PatternViewTest, ZoomInBeepsPastTheLimitAndScrollBarsFollow) {
  Use(NumberedPattern(200, 150));
  ImageRef big = ImageBuffer::Create(kKindRgb24, 4000, 3000);
  Use(big);
  view.ZoomIn();
  view.ZoomIn();
  EXPECT_EQ(beeps, 0);
  view.ZoomIn();
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(view.Zoom().numerator, 4000);
  QScrollBar* horizontal = view.horizontalScrollBar();
  EXPECT_TRUE(horizontal->isVisible());
  EXPECT_EQ(horizontal->maximum(), view.State().Layout().limit.x);
  EXPECT_EQ(horizontal->pageStep(), view.viewport()->width());

  int movedBefore = source.moved;
  horizontal->setValue(5000);
  EXPECT_EQ(view.State().ScrollPosition().x, 5000);
  EXPECT_GT(source.moved, movedBefore);
  view.ScrollTo({999999, 123});
  EXPECT_EQ(horizontal->value(), view.State().Layout().limit.x);
  EXPECT_EQ(view.verticalScrollBar()->value(), 123);

  view.FitToWindow();
  EXPECT_FALSE(horizontal->isVisible());
  EXPECT_LE(int64_t(4000) * view.Zoom().numerator / 1000, view.viewport()->width());
}

TEST_F(PatternViewTest, SelectionOutlineIsDrawnOverThePicture) {
  Use(NumberedPattern(9, 7));
  while (view.Zoom().numerator < 8000) view.ZoomIn();
  QImage without = Snapshot(view);
  source.selection = RegionCreateRect({2, 1, 4, 3});
  view.UpdateView();
  QImage with = Snapshot(view);
  ViewMapping mapping = view.Mapping();
  // Along the left edge (x = 2) of the selection, inside its rows.
  Point corner = mapping.ImageToWindow(Point{2, 3});
  int changed = 0;
  for (int dy = 2; dy < 14; ++dy) {
    QPoint at(corner.x, corner.y + dy);
    QRgb seen = with.pixel(at);
    if (seen != without.pixel(at)) {
      ++changed;
      EXPECT_TRUE(seen == qRgb(0, 0, 0) || seen == qRgb(255, 255, 255));
    }
  }
  EXPECT_GT(changed, 8);
  // Far from the outline nothing changes.
  Point inside = mapping.ImageToWindow(Point{7, 6});
  EXPECT_EQ(with.pixel(inside.x + 3, inside.y + 3), without.pixel(inside.x + 3, inside.y + 3));
}

TEST_F(PatternViewTest, MouseGoesToTheToolThenTheSelectionTool) {
  Use(NumberedPattern(50, 40));
  while (view.Zoom().numerator < 2000) view.ZoomIn();
  QWidget* port = view.viewport();
  Point scroll = view.State().ScrollPosition();
  QPoint at(-scroll.x + 20, -scroll.y + 10);

  // The tool consumes: the selection tool hears nothing.
  source.tool.consume = true;
  source.selectorActive = true;
  test::SendMouse(port, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton,
                  Qt::ShiftModifier);
  ASSERT_EQ(source.tool.events, std::vector<std::string>{"down"});
  EXPECT_TRUE(source.selector.events.empty());
  const MouseInput& input = source.tool.inputs.back();
  EXPECT_EQ(input.window, (Point{at.x(), at.y()}));
  EXPECT_EQ(input.image, view.Mapping().WindowToImage(Point{at.x(), at.y()}));
  EXPECT_EQ(input.image, (Point{10, 35}));
  EXPECT_EQ(input.keys, uint32_t(kMouseKeyLeft | kMouseKeyShift));
  test::SendMouse(port, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);

  // Unconsumed: the selection tool gets the drag while it holds the capture.
  source.tool.consume = false;
  source.tool.events.clear();
  test::SendMouse(port, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  test::SendMouse(port, QEvent::MouseMove, at + QPoint(4, 4), Qt::NoButton, Qt::LeftButton);
  test::SendMouse(port, QEvent::MouseButtonRelease, at + QPoint(4, 4), Qt::LeftButton,
                  Qt::NoButton);
  EXPECT_EQ(source.tool.events, (std::vector<std::string>{"down", "move", "up"}));
  EXPECT_EQ(source.selector.events, (std::vector<std::string>{"down", "move", "up"}));

  // Without capture, moves reach the selection tool only while it draws a polygon.
  source.selector.events.clear();
  test::SendMouse(port, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
  EXPECT_TRUE(source.selector.events.empty());
  source.polygon = true;
  test::SendMouse(port, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
  test::SendMouse(port, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(source.selector.events, (std::vector<std::string>{"move", "double"}));
}

TEST_F(PatternViewTest, RightButtonOpensTheMenuAndPicksOnRelease) {
  Use(NumberedPattern(50, 40));
  std::vector<QPoint> menu;
  QObject::connect(&view, &CTessel20View::contextMenuRequested,
                   [&](const QPoint& at) { menu.push_back(at); });
  QWidget* port = view.viewport();
  QPoint at(150, 120);
  test::SendMouse(port, QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
  ASSERT_EQ(menu.size(), 1u);
  EXPECT_EQ(menu[0], port->mapToGlobal(at));
  test::SendMouse(port, QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton);
  EXPECT_EQ(source.tool.events, std::vector<std::string>{"right-up"});
}

TEST_F(PatternViewTest, FrozenViewKeepsShowingTheOldPicture) {
  ImageRef first = NumberedPattern(9, 7);
  Use(first);
  view.ActualSize();
  Point scroll = view.State().ScrollPosition();
  QPoint pixel(-scroll.x + 1, -scroll.y + 1);
  QRgb before = view.viewport()->grab().toImage().pixel(pixel);
  view.SetFrozen(true);
  // The document changes meanwhile.
  for (int32_t y = 0; y < 7; ++y)
    std::fill_n(first->WritableRows().value().Row(y), 9, uint8_t(200));
  EXPECT_EQ(view.viewport()->grab().toImage().pixel(pixel), before);
  view.SetFrozen(false);
  EXPECT_EQ(QColor(view.viewport()->grab().toImage().pixel(pixel)), QColor(200, 55, 7 * 200 % 256));
}

}  // namespace
}  // namespace tintara

namespace tintara {
namespace {

TEST_F(PatternViewTest, PreviewTablesChangeOnlyTheShownColours) {
  ImageRef photo = ImageBuffer::Create(kKindRgb24, 6, 4);
  for (int32_t y = 0; y < 4; ++y) {
    uint8_t* row = photo->WritableRows().value().Row(y);
    for (int32_t x = 0; x < 6; ++x) {
      row[3 * x] = 10;       // blue
      row[3 * x + 1] = 100;  // green
      row[3 * x + 2] = 200;  // red
    }
  }
  Use(photo);
  view.ActualSize();
  Point scroll = view.State().ScrollPosition();
  QPoint pixel(-scroll.x + 2, -scroll.y + 2);
  PreviewTables tables;
  for (int v = 0; v < 256; ++v) {
    tables.red[size_t(v)] = uint8_t(255 - v);
    tables.green[size_t(v)] = uint8_t(v / 2);
    tables.blue[size_t(v)] = 77;
  }
  view.SetPreviewTables(&tables);
  EXPECT_EQ(QColor(Snapshot(view).pixel(pixel)), QColor(55, 50, 77));
  view.SetPreviewTables(nullptr);
  EXPECT_EQ(QColor(Snapshot(view).pixel(pixel)), QColor(200, 100, 10));
  EXPECT_EQ(photo->Row(0)[2], 200);  // the picture itself never changes
}

}  // namespace
}  // namespace tintara
