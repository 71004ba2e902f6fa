// "Painting pattern settings": the paints, the pattern size and the pattern
// type chosen on one sheet, each with the meaning of its own dialog. Asked
// and applied in two halves, so that the shell can apply behind the progress
// window.
#pragma once

#include <cstdint>
#include <optional>

#include "colors/page_settings.h"
#include "colors/tessel_params.h"

namespace tintara {

class CTessel20Doc;

struct PatternSettingsAnswer {
  CTesselParams colors;  // the edited copy of the record
  PatternPageSettings page;
  int32_t patternType = 0;
};

std::optional<PatternSettingsAnswer> AskPatternSettings(CTessel20Doc& doc);
// The paints, then the size, then the type, as their own dialogs' OK would.
void ApplyPatternSettings(CTessel20Doc& doc, PatternSettingsAnswer answer);

}  // namespace tintara
