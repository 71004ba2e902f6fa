#include "app/icon_glyphs.h"

#include <QPainter>
#include <QLinearGradient>
#include <QPainterPath>
#include <cmath>
#include <numbers>

#include "app/icon_parts.h"

namespace tintara {

namespace {

using namespace glyph;

void Magnifier(QPainter& p, QChar sign) {
  p.setPen(Stroke(3.2));
  p.drawLine(QPointF(20, 20), QPointF(28, 28));
  Outline(p, kPaper, 2.2);
  p.drawEllipse(QPointF(13, 13), 9, 9);
  p.setPen(Stroke(2.4, kTeal));
  if (sign == '+' || sign == '-') p.drawLine(QPointF(8.5, 13), QPointF(17.5, 13));
  if (sign == '+') p.drawLine(QPointF(13, 8.5), QPointF(13, 17.5));
}

// A curved arrow turning back (undo) or forward (redo).
void TurnArrow(QPainter& p, bool forward) {
  p.save();
  if (forward) {
    p.translate(32, 0);
    p.scale(-1, 1);
  }
  QPainterPath arc;
  arc.moveTo(8, 13);
  arc.cubicTo(14, 6, 27, 8, 26, 18);
  arc.cubicTo(25.5, 23, 21, 26, 16, 26);
  p.setPen(Stroke(2.8, kTeal));
  p.setBrush(Qt::NoBrush);
  p.drawPath(arc);
  p.setPen(Stroke(1.2, kTeal));
  p.setBrush(kTeal);
  Polygon(p, {{4, 8}, {13, 8.5}, {6.5, 16.5}});
  p.restore();
}

void Gear(QPainter& p, QPointF c, qreal outer) {
  QPainterPath gear;
  const int teeth = 8;
  for (int i = 0; i < teeth * 2; ++i) {
    qreal angle = i * std::numbers::pi / teeth;
    qreal radius = (i % 2 == 0) ? outer : outer * 0.74;
    for (qreal a : {angle - 0.17, angle + 0.17}) {
      QPointF point(c.x() + radius * std::cos(a), c.y() + radius * std::sin(a));
      if (gear.elementCount() == 0) {
        gear.moveTo(point);
      } else {
        gear.lineTo(point);
      }
    }
  }
  gear.closeSubpath();
  gear.addEllipse(c, outer * 0.32, outer * 0.32);
  Outline(p, kOchre, 1.8);
  p.drawPath(gear);
}

void Folder(QPainter& p) {
  Outline(p, kOchre);
  Polygon(p, {{3, 8}, {11, 8}, {14, 11}, {27, 11}, {27, 26}, {3, 26}});
  p.setBrush(QColor(244, 204, 120));
  Polygon(p, {{3, 26}, {7, 15}, {30, 15}, {27, 26}});
}

void Flag(QPainter& p) {
  p.setPen(Stroke(2.4));
  p.drawLine(QPointF(7, 4), QPointF(7, 29));
  QPainterPath cloth;
  cloth.moveTo(8, 5);
  cloth.cubicTo(14, 2, 18, 9, 27, 5);
  cloth.lineTo(27, 17);
  cloth.cubicTo(18, 21, 14, 14, 8, 17);
  cloth.closeSubpath();
  Outline(p, kTerracotta);
  p.drawPath(cloth);
}

void Sliders(QPainter& p) {
  const qreal rows[] = {8, 16, 24};
  const qreal knobs[] = {20, 10, 17};
  const QColor colours[] = {kTerracotta, kTeal, kOchre};
  for (int i = 0; i < 3; ++i) {
    p.setPen(Stroke(2.2));
    p.drawLine(QPointF(4, rows[i]), QPointF(28, rows[i]));
    Outline(p, colours[i], 1.8);
    p.drawEllipse(QPointF(knobs[i], rows[i]), 3.6, 3.6);
  }
}

void Printer(QPainter& p) {
  Page(p, QRectF(9, 3, 14, 10));
  Outline(p, QColor(206, 212, 222));
  p.drawRoundedRect(QRectF(3, 12, 26, 11), 2.5, 2.5);
  Outline(p, kPaper);
  p.drawRect(QRectF(9, 19, 14, 10));
  p.setPen(Stroke(1.4, kTeal));
  p.drawLine(QPointF(12, 23), QPointF(20, 23));
  p.drawLine(QPointF(12, 26), QPointF(18, 26));
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawEllipse(QPointF(25, 16), 1.4, 1.4);
}

void Clipboard(QPainter& p) {
  Outline(p, QColor(214, 178, 130));
  p.drawRoundedRect(QRectF(5, 5, 22, 25), 2.5, 2.5);
  Outline(p, QColor(206, 212, 222), 1.8);
  p.drawRoundedRect(QRectF(11, 2.5, 10, 5), 1.5, 1.5);
  Photo(p, QRectF(9, 11, 14, 15));
}

void Eye(QPainter& p) {
  QPainterPath lid;
  lid.moveTo(2, 16);
  lid.cubicTo(9, 6, 23, 6, 30, 16);
  lid.cubicTo(23, 26, 9, 26, 2, 16);
  Outline(p, kPaper);
  p.drawPath(lid);
  Outline(p, kTeal, 1.6);
  p.drawEllipse(QPointF(16, 16), 5.5, 5.5);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(QPointF(16, 16), 2.4, 2.4);
}

void DashedBlob(QPainter& p) {
  QPainterPath blob;
  blob.moveTo(6, 14);
  blob.cubicTo(4, 5, 20, 2, 25, 9);
  blob.cubicTo(30, 16, 22, 24, 14, 23);
  blob.cubicTo(8, 22, 7, 19, 6, 14);
  p.setBrush(QColor(178, 211, 236, 140));
  QPen dash = Stroke(1.8, kBlue);
  dash.setDashPattern({2.0, 1.6});
  p.setPen(dash);
  p.drawPath(blob);
}

void Pointer(QPainter& p, QPointF at) {
  Outline(p, kPaper, 1.5);
  p.save();
  p.translate(at);
  Polygon(p, {{0, 0}, {0, 13}, {3.4, 10}, {6, 15}, {8.2, 14}, {5.8, 9}, {10, 9}});
  p.restore();
}

void Spots(QPainter& p) {
  NumberedAreas(p, QRectF(3, 3, 22, 22), false);
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  p.drawEllipse(QPointF(9, 21), 1.6, 1.6);
  p.drawEllipse(QPointF(20, 8), 1.4, 1.4);
  // An eraser sweeping them away.
  p.save();
  p.translate(23, 24);
  p.rotate(-40);
  Outline(p, QColor(236, 150, 160), 1.6);
  p.drawRoundedRect(QRectF(-8, -4, 16, 8), 1.5, 1.5);
  p.setBrush(kPaper);
  p.drawRect(QRectF(-8, -4, 5, 8));
  p.restore();
}

// A small area flowing into the larger one beside it.
void MergeAreas(QPainter& p) {
  Outline(p, kTeal);
  p.drawRoundedRect(QRectF(3, 5, 18, 22), 2, 2);
  Outline(p, kOchre);
  p.drawEllipse(QPointF(25, 10), 3.2, 3.2);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kRed, 2.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(23, 15), QPointF(16, 21));
  p.drawLine(QPointF(16, 21), QPointF(16, 17));
  p.drawLine(QPointF(16, 21), QPointF(20, 21));
}

void Swatches(QPainter& p) {
  const QColor colours[] = {kTerracotta, kTeal, kOchre};
  Outline(p, kPaper);
  p.drawRoundedRect(QRectF(3, 3, 26, 26), 2, 2);
  for (int i = 0; i < 3; ++i) {
    qreal y = 7 + i * 7.5;
    Outline(p, colours[i], 1.3);
    p.drawRect(QRectF(7, y, 5, 5));
    p.setPen(Stroke(1.6, QColor(140, 146, 156)));
    p.drawLine(QPointF(15, y + 2.5), QPointF(25, y + 2.5));
  }
}

void ViewFinder(QPainter& p) {
  Photo(p, QRectF(8, 9, 16, 14));
  p.setPen(Stroke(2.4, kTerracotta));
  p.setBrush(Qt::NoBrush);
  const QPointF corners[] = {{3, 3}, {29, 3}, {29, 29}, {3, 29}};
  for (int i = 0; i < 4; ++i) {
    QPointF c = corners[i];
    qreal sx = c.x() < 16 ? 1 : -1;
    qreal sy = c.y() < 16 ? 1 : -1;
    p.drawPolyline(QPolygonF({c + QPointF(0, 6 * sy), c, c + QPointF(6 * sx, 0)}));
  }
}

void Wand(QPainter& p) {
  ColourBlocks(p, QRectF(3, 11, 18, 18));
  p.setPen(Stroke(3.2));
  p.drawLine(QPointF(14, 19), QPointF(26, 7));
  p.setPen(Stroke(3.2, kOchre));
  p.drawLine(QPointF(24, 9), QPointF(27, 6));
  p.setPen(Stroke(1.6, kOchre));
  for (QPointF spark : {QPointF(27, 14), QPointF(19, 4), QPointF(29, 2)}) {
    p.drawLine(spark - QPointF(2, 0), spark + QPointF(2, 0));
    p.drawLine(spark - QPointF(0, 2), spark + QPointF(0, 2));
  }
}

void InfoMark(QPainter& p, const QColor& fill) {
  Outline(p, fill);
  p.drawEllipse(QPointF(16, 16), 13, 13);
  p.setPen(Stroke(3.2, kPaper));
  p.drawLine(QPointF(16, 14.5), QPointF(16, 23));
  p.setPen(Qt::NoPen);
  p.setBrush(kPaper);
  p.drawEllipse(QPointF(16, 9.5), 2.0, 2.0);
}

void Palette(QPainter& p) {
  QPainterPath board;
  board.moveTo(16, 3);
  board.cubicTo(27, 3, 31, 12, 29, 18);
  board.cubicTo(27, 24, 20, 21, 19, 25);
  board.cubicTo(18, 29, 13, 30, 9, 27);
  board.cubicTo(3, 23, 2, 13, 6, 8);
  board.cubicTo(9, 4, 12, 3, 16, 3);
  Outline(p, QColor(236, 212, 170));
  p.drawPath(board);
  const QPointF wells[] = {{10, 11}, {16, 8}, {22, 10}, {25, 16}};
  const QColor colours[] = {kRed, kOchre, kTeal, kBlue};
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 4; ++i) {
    p.setBrush(colours[i]);
    p.drawEllipse(wells[i], 2.6, 2.6);
  }
}

void Sun(QPainter& p) {
  p.setPen(Stroke(2.2, kOchre));
  for (int i = 0; i < 8; ++i) {
    qreal a = i * std::numbers::pi / 4;
    p.drawLine(QPointF(16 + 9.5 * std::cos(a), 16 + 9.5 * std::sin(a)),
               QPointF(16 + 13.5 * std::cos(a), 16 + 13.5 * std::sin(a)));
  }
  Outline(p, kOchre);
  p.drawEllipse(QPointF(16, 16), 6.5, 6.5);
  QPainterPath half;
  half.moveTo(16, 9.5);
  half.arcTo(QRectF(9.5, 9.5, 13, 13), 90, 180);
  half.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawPath(half);
}

void Door(QPainter& p) {
  Outline(p, QColor(206, 212, 222));
  p.drawRect(QRectF(5, 3, 15, 26));
  Outline(p, kTerracotta);
  Polygon(p, {{5, 3}, {14, 6}, {14, 31}, {5, 29}});
  ArrowInto(p, QPointF(18, 16), QPointF(28, 16), kTeal);
}

// Four sheets of paper with a ruler across them: how large the pattern prints.
void PageGrid(QPainter& p) {
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 2; ++column) Page(p, QRectF(3 + column * 11, 3 + row * 12, 10, 11));
  }
  p.setPen(Stroke(1.8, kTerracotta));
  p.drawLine(QPointF(4, 29), QPointF(28, 29));
  p.drawLine(QPointF(28, 5), QPointF(28, 29));
}

// Numbered areas beside a short list of the three ways to mark them.
void TypeChoice(QPainter& p) {
  NumberedAreas(p, QRectF(2, 2, 18, 18), true);
  p.setPen(Stroke(2.0, kInk));
  for (int line = 0; line < 3; ++line) {
    qreal y = 18 + line * 5;
    p.drawLine(QPointF(22, y), QPointF(29, y));
  }
  Check(p, QPointF(9, 28), 8, kGreen);
}

void Borders(QPainter& p) {
  Outline(p, kPaper);
  p.drawRoundedRect(QRectF(3, 3, 20, 20), 2, 2);
  p.setPen(Stroke(3.0, kTerracotta));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(7, 7, 12, 12), 1, 1);
  Pencil(p, QPointF(15, 29), 19);
}

void ActualSize(QPainter& p) {
  Outline(p, kPaper);
  p.drawRoundedRect(QRectF(3, 6, 26, 20), 3, 3);
  QFont font;
  font.setPixelSize(13);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kTeal);
  p.drawText(QRectF(3, 6, 26, 20), Qt::AlignCenter, QStringLiteral("1:1"));
}

// A frame with an arrow into each corner: the picture grows to the window.
void FitToWindow(QPainter& p) {
  Outline(p, kPaper);
  p.drawRoundedRect(QRectF(3, 5, 26, 22), 3, 3);
  p.setPen(Stroke(2.2, kTeal));
  p.setBrush(Qt::NoBrush);
  for (QPointF corner : {QPointF(8, 10), QPointF(24, 10), QPointF(8, 22), QPointF(24, 22)}) {
    QPointF inward((16 - corner.x()) / 2.4, (16 - corner.y()) / 1.6);
    p.drawLine(corner + inward, corner);
    p.drawLine(corner, corner + QPointF(inward.x(), 0));
    p.drawLine(corner, corner + QPointF(0, inward.y()));
  }
}

void Reset(QPainter& p) {
  Photo(p, QRectF(3, 5, 20, 17));
  p.setPen(Stroke(2.6, kTeal));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(14, 14, 15, 15), 100 * 16, 270 * 16);
  p.setPen(Stroke(1.0, kTeal));
  p.setBrush(kTeal);
  Polygon(p, {{17, 12}, {23, 15.5}, {17, 19}});
}

// A smooth ramp beside the same ramp in four steps.
void Posterize(QPainter& p) {
  QLinearGradient ramp(QPointF(0, 4), QPointF(0, 28));
  ramp.setColorAt(0, kSky);
  ramp.setColorAt(1, kBlue);
  p.setPen(Stroke());
  p.setBrush(ramp);
  p.drawRoundedRect(QRectF(3, 4, 11, 24), 2, 2);
  const QColor steps[] = {kSky, QColor(140, 180, 216), QColor(106, 148, 196), kBlue};
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 4; ++i) {
    p.setBrush(steps[i]);
    p.drawRect(QRectF(18, 4 + 6 * i, 11, 6));
  }
  p.setPen(Stroke());
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(18, 4, 11, 24), 2, 2);
}

// Many colours funnelled into a few.
void ReduceColors(QPainter& p) {
  const QColor many[] = {kRed, kOchre, kGreen, kTeal, kBlue, kTerracotta};
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 6; ++i) {
    p.setBrush(many[i]);
    p.drawEllipse(QPointF(5 + 4.4 * i, 6), 2.4, 2.4);
  }
  Outline(p, kPaper, 1.8);
  Polygon(p, {{3, 11}, {29, 11}, {19, 19}, {13, 19}});
  const QColor few[] = {kTerracotta, kTeal};
  for (int i = 0; i < 2; ++i) {
    Outline(p, few[i], 1.6);
    p.drawRect(QRectF(8 + 9 * i, 22, 7, 7));
  }
}

// Paint swatches in a grid: choosing the paints.
void SwatchGrid(QPainter& p) {
  const QColor colours[] = {kRed, kOchre, kGreen, kTeal, kBlue, kTerracotta, kSky, kPaper, kOchre};
  for (int i = 0; i < 9; ++i) {
    Outline(p, colours[i], 1.4);
    p.drawRect(QRectF(3 + 9.5 * (i % 3), 3 + 9.5 * (i / 3), 7, 7));
  }
}

// One large swatch with a brush tip over it: the colour the tools paint with.
void CurrentSwatch(QPainter& p) {
  Outline(p, kTerracotta, 1.8);
  p.drawRoundedRect(QRectF(3, 9, 18, 18), 2, 2);
  p.setPen(Stroke(3.4, QColor(150, 110, 70)));
  p.drawLine(QPointF(19, 17), QPointF(28, 4));
  Outline(p, kTerracotta, 1.4);
  Polygon(p, {{16, 16}, {21, 19}, {17, 24}});
}

// A small tool window holding swatches.
void SwatchWindow(QPainter& p) {
  Outline(p, kPaper, 1.8);
  p.drawRect(QRectF(3, 4, 26, 24));
  p.setBrush(kTeal);
  p.drawRect(QRectF(3, 4, 26, 5));
  const QColor colours[] = {kRed, kOchre, kGreen, kBlue};
  for (int i = 0; i < 4; ++i) {
    Outline(p, colours[i], 1.2);
    p.drawRect(QRectF(7 + 10 * (i % 2), 12 + 7.5 * (i / 2), 7, 5.5));
  }
}

// A picture with a dashed selection frame; `inside` shades the selected part,
// `outside` the rest.
void SelectionFrame(QPainter& p, bool inside, bool outside) {
  Photo(p, QRectF(2, 4, 28, 24));
  QRectF frame(8, 9, 16, 14);
  if (outside) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 40, 80, 110));
    QPainterPath rest;
    rest.addRect(QRectF(2, 4, 28, 24));
    rest.addRect(frame);
    p.drawPath(rest);
  }
  if (inside) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(72, 118, 176, 130));
    p.drawRect(frame);
  }
  QPen dashes = Stroke(1.6, kInk);
  dashes.setDashPattern({2.0, 1.5});
  p.setPen(dashes);
  p.setBrush(Qt::NoBrush);
  p.drawRect(frame);
}

}  // namespace

void PaintGlyph(QPainter& p, Glyph glyph) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  switch (glyph) {
    case Glyph::kNone: break;
    default: PaintEditGlyph(p, glyph); break;
    case Glyph::kStart: Flag(p); break;
    case Glyph::kPicture:
    case Glyph::kViewInitial: Photo(p, QRectF(3, 6, 26, 21)); break;
    case Glyph::kSettings: Sliders(p); break;
    case Glyph::kPattern:
    case Glyph::kViewPattern: NumberedAreas(p, QRectF(3, 3, 26, 26), true); break;
    case Glyph::kFinish:
    case Glyph::kPrint: Printer(p); break;
    case Glyph::kPrintSetup:
      Printer(p);
      Gear(p, QPointF(24, 24), 7);
      break;
    case Glyph::kPrintPreview:
      Page(p, QRectF(3, 2, 20, 26));
      p.save();
      p.translate(9, 9);
      p.scale(0.72, 0.72);
      Magnifier(p, ' ');
      p.restore();
      break;
    case Glyph::kSavePdf:
    case Glyph::kSaveSvg:
      Page(p, QRectF(5, 2, 20, 26));
      p.setPen(Qt::NoPen);
      p.setBrush(kTerracotta);
      p.drawRoundedRect(QRectF(2, 15, 20, 9), 1.5, 1.5);
      {
        QFont font = p.font();
        font.setPixelSize(7);
        font.setBold(true);
        p.setFont(font);
      }
      p.setPen(QPen(Qt::white, 1.6));
      p.drawText(QRectF(2, 15, 20, 9), Qt::AlignCenter,
                 glyph == Glyph::kSavePdf ? QStringLiteral("PDF") : QStringLiteral("SVG"));
      DiskBadge(p);
      break;
    case Glyph::kNew:
      Page(p, QRectF(6, 3, 20, 26));
      p.setPen(Stroke(2.6, kTeal));
      p.drawLine(QPointF(16, 13), QPointF(16, 23));
      p.drawLine(QPointF(11, 18), QPointF(21, 18));
      break;
    case Glyph::kOpen: Folder(p); break;
    case Glyph::kSave: Disk(p, QRectF(4, 4, 24, 24)); break;
    case Glyph::kSaveAs:
      Disk(p, QRectF(3, 3, 21, 21));
      Pencil(p, QPointF(14, 30), 20);
      break;
    case Glyph::kExit: Door(p); break;
    case Glyph::kLoadPicture:
      Photo(p, QRectF(3, 10, 22, 19));
      ArrowInto(p, QPointF(25, 2), QPointF(25, 14), kTerracotta);
      break;
    case Glyph::kPaste: Clipboard(p); break;
    case Glyph::kReset: Reset(p); break;
    case Glyph::kSavePicture:
      Photo(p, QRectF(2, 3, 22, 19));
      DiskBadge(p);
      break;
    case Glyph::kSaveConverted:
      ColourBlocks(p, QRectF(2, 2, 21, 21));
      DiskBadge(p);
      break;
    case Glyph::kSavePattern:
      NumberedAreas(p, QRectF(2, 2, 21, 21), true);
      DiskBadge(p);
      break;
    case Glyph::kSaveView: ViewFinder(p); break;
    case Glyph::kColorKey: Swatches(p); break;
    case Glyph::kBorders: Borders(p); break;
    case Glyph::kDisplay: Eye(p); break;
    case Glyph::kSelectArea:
      DashedBlob(p);
      Pointer(p, QPointF(17, 14));
      break;
    case Glyph::kRemoveSpots: Spots(p); break;
    case Glyph::kMergeAreas: MergeAreas(p); break;
    case Glyph::kUndo: TurnArrow(p, false); break;
    case Glyph::kRedo: TurnArrow(p, true); break;
    case Glyph::kZoomIn: Magnifier(p, '+'); break;
    case Glyph::kZoomOut: Magnifier(p, '-'); break;
    case Glyph::kActualSize: ActualSize(p); break;
    case Glyph::kFitToWindow: FitToWindow(p); break;
    case Glyph::kOptions: Gear(p, QPointF(16, 16), 13); break;
    case Glyph::kViewConverted: ColourBlocks(p, QRectF(3, 3, 26, 26)); break;
    case Glyph::kCreatePattern: Wand(p); break;
    case Glyph::kEditPicture:
      Photo(p, QRectF(2, 3, 22, 19));
      Pencil(p, QPointF(15, 29), 19);
      break;
    case Glyph::kFinishEditing:
      Photo(p, QRectF(2, 3, 22, 19));
      Check(p, QPointF(15, 24), 14, kGreen);
      break;
    case Glyph::kInfo: InfoMark(p, kBlue); break;
    case Glyph::kAbout: Palette(p); break;
    case Glyph::kColorCorrection: Sun(p); break;
    case Glyph::kPosterize: Posterize(p); break;
    case Glyph::kReduceColors: ReduceColors(p); break;
    case Glyph::kPatternSize: PageGrid(p); break;
    case Glyph::kPatternType: TypeChoice(p); break;
    case Glyph::kPaintingColors: SwatchGrid(p); break;
    case Glyph::kCurrentColor: CurrentSwatch(p); break;
    case Glyph::kPaletteWindow: SwatchWindow(p); break;
    case Glyph::kSelectRegion:
      SelectionFrame(p, false, false);
      Pointer(p, QPointF(20, 17));
      break;
    case Glyph::kSelectAll: SelectionFrame(p, true, false); break;
    case Glyph::kSelectNone:
      Photo(p, QRectF(2, 4, 28, 24));
      p.setPen(Stroke(2.6, kRed));
      p.drawLine(QPointF(9, 10), QPointF(23, 22));
      p.drawLine(QPointF(23, 10), QPointF(9, 22));
      break;
    case Glyph::kSelectInvert: SelectionFrame(p, false, true); break;
    case Glyph::kDraw:
    case Glyph::kPen:
    case Glyph::kLine:
    case Glyph::kRectangle:
    case Glyph::kEllipse:
    case Glyph::kPenSize:
    case Glyph::kPenShape:
    case Glyph::kFill:
    case Glyph::kRecolor:
    case Glyph::kPicker:
    case Glyph::kInsertPicture:
    case Glyph::kAddText: PaintDrawingGlyph(p, glyph); break;
    case Glyph::kScanner:
    case Glyph::kCamera:
    case Glyph::kOtherDevice:
    case Glyph::kDeviceSettings: PaintDeviceGlyph(p, glyph); break;
  }
  p.restore();
}

}  // namespace tintara
