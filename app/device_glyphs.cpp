// Pictograms of the acquisition commands: a flatbed scanner, a camera,
// another device and the device settings.
#include <QPainter>

#include "app/icon_glyphs.h"
#include "app/icon_parts.h"

namespace tintara {

namespace {

using namespace glyph;

void Scanner(QPainter& p) {
  // The lid lifted over the glass, the body below with its light bar.
  p.setPen(Stroke(2.0));
  p.setBrush(kSky);
  Polygon(p, {{4, 15}, {28, 15}, {25, 6}, {7, 6}});
  Outline(p, kPaper);
  p.drawRoundedRect(QRectF(3, 16, 26, 11), 2, 2);
  p.setPen(Stroke(2.4, kTeal));
  p.drawLine(QPointF(7, 21), QPointF(25, 21));
}

void Camera(QPainter& p) {
  Outline(p, kPaper);
  p.drawRoundedRect(QRectF(3, 10, 26, 18), 3, 3);
  p.drawRect(QRectF(11, 6, 10, 4));
  p.setBrush(kSky);
  p.drawEllipse(QPointF(16, 19), 6, 6);
  p.setPen(Qt::NoPen);
  p.setBrush(kTerracotta);
  p.drawEllipse(QPointF(24.5, 13.5), 1.6, 1.6);
}

// A small device joined to the picture by a cable.
void OtherDevice(QPainter& p) {
  Photo(p, QRectF(13, 3, 17, 14));
  Outline(p, kPaper);
  p.drawRoundedRect(QRectF(2, 18, 14, 11), 2, 2);
  p.setPen(Stroke(2.0, kTeal));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(9, 18), QPointF(9, 10));
  p.drawLine(QPointF(9, 10), QPointF(13, 10));
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawEllipse(QPointF(6, 23.5), 1.8, 1.8);
}

void DeviceSettings(QPainter& p) {
  p.save();
  p.scale(0.8, 0.8);
  Scanner(p);
  p.restore();
  p.setPen(Stroke(1.8));
  p.setBrush(kOchre);
  p.drawEllipse(QPointF(24, 24), 6.5, 6.5);
  p.setBrush(kPaper);
  p.drawEllipse(QPointF(24, 24), 2.4, 2.4);
}

}  // namespace

void PaintDeviceGlyph(QPainter& p, Glyph glyph) {
  switch (glyph) {
    case Glyph::kScanner: Scanner(p); break;
    case Glyph::kCamera: Camera(p); break;
    case Glyph::kOtherDevice: OtherDevice(p); break;
    case Glyph::kDeviceSettings: DeviceSettings(p); break;
    default: break;
  }
}

}  // namespace tintara
