// "Type of color identification": a new pattern type redraws the whole pattern.
#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "pattern/render_pattern.h"
#include "ports/step_progress.h"
#include "ports/ui_host.h"

namespace tintara {

bool CTessel20Doc::ChangePatternType(int32_t type) {
  if (type < kPatternBordersOnly || type > kPatternNothing) return false;
  if (type == params.patternType) return true;
  if (!convertedPicture) {
    params.patternType = type;
    params.SaveToSettings(env_.settings);
    return true;
  }
  PushUndoSnapshot();
  params.patternType = type;
  bool drawn;
  {
    WaitCursor wait(Ui());
    CountedOperation counted(Ui(), env_.progress, RenderStepCount(type));
    drawn = RenderPatternRect(0, 0, patternImage->Width(), patternImage->Height(), false);
  }
  // A cancelled redraw has rolled back to the old type; only a drawn one is kept.
  if (drawn) params.SaveToSettings(env_.settings);
  if (viewMode != kViewInitial) UpdateAllViews();
  RefreshNavigator();
  return drawn;
}

}  // namespace tintara
