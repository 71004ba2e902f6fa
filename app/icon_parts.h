// Pieces the pictograms share: one colour family, strokes, and the small
// drawings (a photo, numbered areas, colour blocks, a disk, a pencil, ...)
// that several glyphs combine. Lengths are in the 32 × 32 glyph box.
#pragma once

#include <QColor>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <initializer_list>

class QPainter;

namespace tintara::glyph {

// One small set of colours keeps the pictograms a family.
inline const QColor kInk(57, 65, 79);
inline const QColor kPaper(255, 253, 248);
inline const QColor kTerracotta(208, 112, 58);
inline const QColor kTeal(46, 138, 132);
inline const QColor kOchre(230, 176, 70);
inline const QColor kBlue(72, 118, 176);
inline const QColor kSky(178, 211, 236);
inline const QColor kGreen(108, 164, 92);
inline const QColor kRed(196, 70, 60);

QPen Stroke(qreal width = 2.0, const QColor& color = kInk);

void Outline(QPainter& p, const QColor& fill, qreal width = 2.0);

// A closed outline through `corners`, with the painter's pen and brush.
void Polygon(QPainter& p, std::initializer_list<QPointF> corners);

// A framed photograph: sky, a sun and two hills.
void Photo(QPainter& p, const QRectF& r);

// Outlined areas, each carrying its paint number.
void NumberedAreas(QPainter& p, const QRectF& r, bool coloured);

void ColourBlocks(QPainter& p, const QRectF& r);

// A floppy disk: the pictogram of saving.
void Disk(QPainter& p, const QRectF& r, const QColor& body = kBlue);

// A small disk in the lower right corner: "save as a file".
void DiskBadge(QPainter& p);

void Page(QPainter& p, const QRectF& r);

void Check(QPainter& p, const QPointF& at, qreal size, const QColor& color);

void Pencil(QPainter& p, QPointF tip, qreal length);

void ArrowInto(QPainter& p, QPointF from, QPointF to, const QColor& color);

}  // namespace tintara::glyph
