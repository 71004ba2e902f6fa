// The preview of a picture panel: the panel's copy scaled to fit, shown
// through a tone table while a dialog previews, and the rectangle of "&Crop"
// dragged over it (drawn inverted, without fill).
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <optional>

#include "editing/tone_tables.h"
#include "imaging/image_buffer.h"
#include "imaging/region.h"

namespace tintara {

class PanelPreview : public QWidget {
  Q_OBJECT

 public:
  explicit PanelPreview(QWidget* parent = nullptr);

  void SetPicture(const ImageRef& picture);
  // Per-channel tables; null withdraws them.
  void SetTables(const ToneTable* red, const ToneTable* green, const ToneTable* blue);
  // While on, a drag draws a rectangle and its release reports it.
  void SetCropping(bool on);
  bool Cropping() const { return cropping_; }
  // Where the scaled picture sits in the widget.
  QRect ImageRect() const;
  // What is shown, as drawn (top row first).
  const QImage& Shown() const { return shown_; }

  QSize sizeHint() const override { return {420, 320}; }

 signals:
  // A rectangle dragged over the picture, in the shown picture's pixels.
  void cropDragged(const tintara::LtrbRect& rectangle, int previewWidth, int previewHeight);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Rescale();
  void ApplyTable();

  ImageRef picture_;
  QImage scaled_;  // the picture fitted to the widget, top row first
  QImage shown_;   // scaled_ through the table
  std::optional<std::array<ToneTable, 3>> tables_;  // red, green, blue
  bool cropping_ = false;
  std::optional<QPoint> dragFrom_;
  QPoint dragTo_;
};

}  // namespace tintara
