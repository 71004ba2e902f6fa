// Drawing an ImageBuffer into a window area through QPainter without copying
// the picture: the rows are wrapped by a QImage and only the visible source
// rectangle is drawn, mirrored so that row 0 lands at the bottom.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <array>
#include <cstdint>
#include <vector>

#include "imaging/image_buffer.h"
#include "editing/rubber_band.h"
#include "imaging/region.h"
#include "view/view_mapping.h"

namespace tintara {

// A QImage over the buffer's rows (row 0, the bottom row, is the QImage's
// first row). True colour is Format_BGR888, 1-bit Format_Mono, 8-bit kinds
// Format_Indexed8 with the palette (a grey ramp for kind 8). 4-bit pictures
// have no matching Qt format and are widened into a private 8-bit copy.
// The wrapper must not outlive the buffer.
QImage WrapImageRows(const ImageBuffer& image);

// Per-channel tables a true-colour picture is shown through while an
// adjustment dialog previews its result.
struct PreviewTables {
  std::array<uint8_t, 256> red;
  std::array<uint8_t, 256> green;
  std::array<uint8_t, 256> blue;
};

// Draws the part of `image` that falls into `clip` (window pixels) at the
// zoom, with the window placed at `scroll` (negative when centred); through
// `tables` when given (converting whichever is smaller: the visible picture
// part before scaling or the window pixels after). An 8-bit picture whose
// lines have the value `ink` (0..255; -1: none) keeps them when scaled down.
void DrawImageBuffer(QPainter& painter, const ImageBuffer& image, const ZoomFactor& zoom,
                     Point scroll, const QRect& clip, const PreviewTables* tables = nullptr,
                     int ink = -1);

// Text waiting to be placed: the mask's pixels (row 0 at the bottom) as a
// black-and-white hatch over the picture, scaled into `target` (window pixels).
void DrawTextPreview(QPainter& painter, const ImageBuffer& mask, const QRect& target);

// The window rectangle the whole picture covers.
QRect PictureWindowRect(const ImageSize& picture, const ZoomFactor& zoom, Point scroll);

// The 117 × 117 background texture of the view, made by code (a woven-canvas
// look that tiles seamlessly).
constexpr int kBackgroundTileSide = 117;
QImage MakeBackgroundTile();

// Fills `area` with the tile so that the texture moves with the scroll position.
void DrawBackgroundTiles(QPainter& painter, const QRect& area, const QImage& tile, Point scroll);

// The selection's outline as a dashed line, only the segments inside `clip`;
// `dashPhase` shifts the dashes along it, so that stepping it animates them.
// An inverted selection gets red dashes: its outline alone (the shape plus the
// picture's border) could be mistaken for a selection of the shape.
void DrawSelectionOutline(QPainter& painter, const std::vector<OutlineSegment>& outline,
                          const ViewMapping& mapping, const QRect& clip, int dashPhase = 0,
                          bool inverted = false);

// The selection tool's rubber band, drawn by inverting the pixels below it.
void DrawRubberBand(QPainter& painter, const RubberBand& band);

}  // namespace tintara
