#include "app/sheet_preview_dialog.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionGraphicsItem>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "view/print_layout.h"

namespace tintara {

namespace {

constexpr double kGapShare = 0.04;  // space between sheets, of a sheet's width
constexpr double kZoomStep = 1.5;
constexpr double kSupersample = 3;                    // each way, at most
constexpr int64_t kMostSupersampledPixels = 16 << 20;  // of one page drawn larger

// One sheet: the paper, with the page drawn by the printer's page code at the
// printer's resolution and scaled to the screen. The drawing is kept for the
// scale it was made at.
class PreviewPage : public QGraphicsItem {
 public:
  PreviewPage(const PrintJobContent& job, const PrintSurface& surface, QRect paper, int page)
      : job_(job), surface_(surface), paper_(paper), page_(page) {}

  QRectF boundingRect() const override { return QRectF(QPointF(0, 0), QSizeF(paper_.size())); }

  void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
    const QTransform& world = painter->worldTransform();
    const double scale = std::hypot(world.m11(), world.m12()) * painter->device()->devicePixelRatio();
    const QSize size(std::max(1, int(std::ceil(paper_.width() * scale))),
                     std::max(1, int(std::ceil(paper_.height() * scale))));
    if (drawn_.size() != size) drawn_ = Draw(size);
    painter->drawImage(boundingRect(), drawn_);
    painter->setPen(QPen(Qt::darkGray, 0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(boundingRect());
  }

 private:
  // Drawn larger and averaged down: a one-cell line of the pattern stays a
  // light line instead of breaking up into dots.
  QImage Draw(const QSize& size) const {
    const double pixels = double(size.width()) * size.height();
    const double factor =
        std::max(1.0, std::min({kSupersample, double(paper_.width()) / size.width(),
                                std::sqrt(double(kMostSupersampledPixels) / pixels)}));
    QImage large = DrawAt(QSize(int(size.width() * factor), int(size.height() * factor)));
    if (large.isNull() || large.size() == size) return large;
    return large.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }

  QImage DrawAt(const QSize& size) const {
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return image;
    // Fonts take their size from the device's resolution: the printer's.
    image.setDotsPerMeterX(qRound(surface_.metrics.dpiX / 0.0254));
    image.setDotsPerMeterY(qRound(surface_.metrics.dpiY / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(double(size.width()) / paper_.width(), double(size.height()) / paper_.height());
    painter.translate(surface_.offset - paper_.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), QSize(surface_.metrics.width, surface_.metrics.height)));
    DrawPrintPage(painter, job_, surface_, page_);
    return image;
  }

  const PrintJobContent& job_;
  const PrintSurface& surface_;
  QRect paper_;
  int page_;
  QImage drawn_;
};

}  // namespace

SheetCell PreviewCellOfPage(const PrintJobContent& job, int page) {
  if (job.kind == PrintKind::kMaterialList) return {page - 1, 0};
  const int n = std::max(job.pagesPerSide, 1);
  // Page 1 is the bottom-left sheet: the top row of sheets comes first.
  return {GridColumnOfPage(n, page), n - 1 - GridRowOfPage(n, page)};
}

SheetPreviewDialog::SheetPreviewDialog(const PrintJobContent& job, const PrintSurface& surface,
                                       const QPageLayout& layout, QWidget* parent)
    : QDialog(parent), job_(job), surface_(surface), layout_(layout),
      scene_(new QGraphicsScene(this)), view_(new QGraphicsView(scene_, this)),
      print_(new QPushButton(QStringLiteral("&Print..."), this)) {
  setWindowTitle(QStringLiteral("Print Preview"));
  view_->setBackgroundBrush(QColor(128, 128, 128));
  view_->setDragMode(QGraphicsView::ScrollHandDrag);
  auto* zoomIn = new QPushButton(QStringLiteral("Zoom &In"), this);
  auto* zoomOut = new QPushButton(QStringLiteral("Zoom &Out"), this);
  auto* fit = new QPushButton(QStringLiteral("&Fit"), this);
  auto* close = new QPushButton(QStringLiteral("&Close"), this);
  connect(print_, &QPushButton::clicked, this, &QDialog::accept);
  connect(zoomIn, &QPushButton::clicked, this, &SheetPreviewDialog::ZoomIn);
  connect(zoomOut, &QPushButton::clicked, this, &SheetPreviewDialog::ZoomOut);
  connect(fit, &QPushButton::clicked, this, &SheetPreviewDialog::FitAll);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {print_, zoomIn, zoomOut, fit}) buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layoutBox = new QVBoxLayout(this);
  layoutBox->addLayout(buttons);
  layoutBox->addWidget(view_, 1);
  AddPages();
  resize(900, 700);
}

void SheetPreviewDialog::AddPages() {
  const QRect paper = layout_.fullRectPixels(surface_.metrics.dpiX);
  const double gap = paper.width() * kGapShare;
  const int count = PrintPageCount(job_);
  for (int page = 1; page <= count; ++page) {
    pages_.push_back(page);
    auto* item = new PreviewPage(job_, surface_, paper, page);
    const SheetCell cell = PreviewCellOfPage(job_, page);
    item->setPos(cell.column * (paper.width() + gap), cell.row * (paper.height() + gap));
    scene_->addItem(item);
  }
  scene_->setSceneRect(scene_->itemsBoundingRect().adjusted(-gap, -gap, gap, gap));
}

void SheetPreviewDialog::ZoomIn() { view_->scale(kZoomStep, kZoomStep); }
void SheetPreviewDialog::ZoomOut() { view_->scale(1 / kZoomStep, 1 / kZoomStep); }
void SheetPreviewDialog::FitAll() { view_->fitInView(scene_->sceneRect(), Qt::KeepAspectRatio); }

void SheetPreviewDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FitAll();  // once the view has its real size
}

}  // namespace tintara
