// Where each text of the colour key picture goes, measured with the fonts it
// is drawn in, so that no text overlaps another or is cut by its box.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

namespace tintara {

// One used colour's texts; a position beyond the palette has only a number.
struct ColorKeyRowText {
  QString number;
  QString name;
  QString catalogue;
  QString brand;
};

struct ColorKeyFonts {
  QFont title;
  QFont headline;
  QFont number;
  QFont name;
  QFont detail;  // catalogue number and brand
};

// A box and the text drawn in it: the full text, or elided to fit when even
// the widest picture has no room for it.
struct KeyText {
  QRect box;
  QString text;
};

struct ColorKeyRowLayout {
  QRect band;
  QRect swatch;
  KeyText number;
  KeyText name;
  KeyText catalogue;
  KeyText brand;
};

// Every length in pixels of the picture; `scale` multiplies them all.
struct ColorKeyLayout {
  QSize size;
  ColorKeyFonts fonts;
  KeyText title;
  KeyText headline;
  int ruleY = 0;
  std::vector<ColorKeyRowLayout> rows;
};

ColorKeyLayout LayOutColorKey(const QString& headline, const std::vector<ColorKeyRowText>& rows,
                              int scale);

}  // namespace tintara
