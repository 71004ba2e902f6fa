#include "colors/widgets/color_note.h"

namespace tintara {

QString ColorInfoLine(const CFlossColor& color, const ColorNote* note) {
  QString line = QString::fromStdString(color.DescriptionLine());
  if (note == nullptr) return line;
  if (note->areaPercent >= 0) {
    line += QStringLiteral(" \u2014 ") + AreaText(note->areaPercent) +
            QStringLiteral(" of the pattern");
  }
  if (!note->similarPaints.empty()) {
    line += QStringLiteral("; like ") + QString::fromStdString(note->similarPaints);
  }
  return line;
}

QString AreaText(double percent) { return QString::number(percent, 'f', 1) + QLatin1Char('%'); }

bool IsLightColor(const CFlossColor& color) {
  // Rec. 601 weights: close enough to perceived brightness for a black-or-white choice.
  return 299 * color.red + 587 * color.green + 114 * color.blue >= 128 * 1000;
}

}  // namespace tintara
