// "Painting Colors", "Current color for painting" and what the colour palette
// window does to the document.
#include <algorithm>

#include "colors/color_selector.h"
#include "colors/colors_editor.h"
#include "colors/reduction/working_palette.h"
#include "colors/saved_palette.h"
#include "document/command_table.h"
#include "document/document_environment.h"
#include "document/pattern_commands.h"
#include "document/tessel_doc.h"
#include "pattern/area_shares.h"
#include "pattern/render_pattern.h"
#include "ports/dialogs.h"
#include "ports/step_progress.h"
#include "storage/settings_keys.h"

namespace tintara {

namespace {

ColorsContext MakeContext(DocumentEnvironment& env) {
  return ColorsContext{env.programFolder, env.app.colorCorrectionPercent, env.ui, env.dialogs,
                       PaintChoice(env.app.colorMatch)};
}

void KeepListView(DocumentEnvironment& env, bool detailsView) {
  env.app.listView = detailsView ? 1 : 0;
  WriteSetting(env.settings, Setting::kColorsSelectionListView, env.app.listView);
}

// The way of choosing paints goes into the settings at once, like the list view.
void KeepPaintChoice(DocumentEnvironment& env, PaintChoice choice) {
  env.app.colorMatch = int(choice);
  WriteSetting(env.settings, Setting::kColorMatch, env.app.colorMatch);
}

}  // namespace

PatternColorShares CTessel20Doc::ColorShares() const {
  PatternColorShares shares;
  if (!convertedPicture || !indexImage) return shares;
  shares.percent = AreaShares(indexImage.get(), int(params.workingPalette.size()));
  if (!shares.percent.empty()) shares.colors = params.workingPalette;
  return shares;
}

std::optional<CTesselParams> CTessel20Doc::AskPaintingColors() {
  ColorsEditor editor(params, initialPicture.get(), MakeContext(env_));
  editor.detailsView = env_.app.listView != 0;
  editor.shares = ColorShares();
  if (!DialogPort().EditColors(editor)) return std::nullopt;
  KeepListView(env_, editor.detailsView);
  KeepPaintChoice(env_, editor.Choice());
  return editor.Params();
}

bool CTessel20Doc::ApplyPaintingColors(CTesselParams edited) {
  if (edited == params) return false;
  const bool editedByHand = convertedPicture != nullptr && patternEditedByHand;
  if (edited.brandFile != params.brandFile) {
    edited.currentColor = 0;
    edited.currentBrandColor = -1;
  }
  const bool snapshot = convertedPicture != nullptr;
  if (snapshot) PushUndoSnapshot();
  modified = true;
  const std::vector<CFlossColor> oldPalette = params.workingPalette;
  params.AssignFrom(edited);
  if (!params.paletteReady && !editedByHand) {
    WaitCursor wait(Ui());
    const int colors = std::min(params.neededNumColors, 256);
    if (initialPicture) {
      BuildPaletteForPicture(PaintChoice(env_.app.colorMatch), params, colors, *initialPicture,
                             env_.app.colorCorrectionPercent);
    } else {
      BuildPaletteForBrand(params, colors);
    }
    if (!params.paletteReady) {
      // The pattern keeps the palette it was made with.
      if (snapshot) RollBackToLastSnapshot();
      return false;
    }
    if (initialPicture) NoteFewerPaints(colors);
  }
  FollowNewPalette(oldPalette, editedByHand);
  // A pattern that could not follow has rolled back to the old paints: the
  // settings keep what the document holds.
  params.SaveToSettings(env_.settings);
  Ui().RefreshPaletteWindow(true);
  Ui().RefreshPanels();
  UpdateAllViews();
  RefreshNavigator();
  return true;
}

void CTessel20Doc::FollowNewPalette(const std::vector<CFlossColor>& oldPalette,
                                    bool editedByHand) {
  if (!convertedPicture) return;
  if (editedByHand) {
    WaitCursor wait(Ui());
    if (!RemapToNewPalette(oldPalette, params.workingPalette, *indexImage, *convertedPicture)) {
      RollBackToLastSnapshot();
      return;
    }
    CountedOperation counted(Ui(), env_.progress, RenderStepCount(params.patternType));
    RenderPatternRect(0, 0, patternImage->Width(), patternImage->Height(), false);
    return;
  }
  if (viewMode != kViewInitial) {
    CreatePattern();
    return;
  }
  convertedPicture = nullptr;
  patternImage = nullptr;
  CheckInvariants();
}

void CTessel20Doc::TakeCurrentColor(const CTesselParams& chosen) {
  // Only the palette and the current colour: nothing else was edited.
  if (chosen.workingPalette.size() != params.workingPalette.size()) modified = true;
  params.workingPalette = chosen.workingPalette;
  params.paletteReady = chosen.paletteReady;
  params.currentColor = chosen.currentColor;
  params.currentBrandColor = chosen.currentBrandColor;
  params.SaveToSettings(env_.settings);
  Ui().RefreshPaletteWindow(true);
  Ui().RefreshPanels();
  UpdateAllViews();
}

void CTessel20Doc::CurrentColorCommand() {
  ColorSelector selector(params, env_.programFolder, false, Ui());
  selector.detailsView = env_.app.listView != 0;
  selector.shares = ColorShares();
  if (!DialogPort().SelectColor(selector)) return;
  KeepListView(env_, selector.detailsView);
  TakeCurrentColor(selector.Params());
}

void CTessel20Doc::SetCurrentColor(int position) {
  if (position < 0 || size_t(position) >= params.workingPalette.size()) return;
  params.currentColor = position;
  // The brand position lets the colour follow later rebuilds of the palette.
  params.currentBrandColor = BrandPositionIn(params.brandFile, params.workingPalette[size_t(position)]);
  params.SaveToSettings(env_.settings);
  Ui().RefreshPanels();
  UpdateAllViews();
}

void CTessel20Doc::AddColorFromPaletteWindow() {
  if (params.workingPalette.size() >= size_t(kMaxWorkingColors)) return;
  ColorSelector selector(params, env_.programFolder, true, Ui());
  selector.detailsView = env_.app.listView != 0;
  selector.shares = ColorShares();
  if (!DialogPort().SelectColor(selector)) return;
  TakeCurrentColor(selector.Params());
}

void RegisterColorCommands(CommandTable& table, CTessel20Doc& doc) {
  table.Add({cmd::kPaintingColors, "Painting Colors",
             [&doc] {
               if (std::optional<CTesselParams> edited = doc.AskPaintingColors()) {
                 doc.ApplyPaintingColors(std::move(*edited));
               }
             },
             [&doc] { return !doc.pictureEditing; }, {}});
  table.Add({cmd::kCurrentPaintColor, "Current color for painting",
             [&doc] { doc.CurrentColorCommand(); },
             [&doc] { return doc.params.paletteReady == 1 && doc.convertedPicture != nullptr; },
             {}});
  table.Add({cmd::kTogglePaletteWindow, "Show/hide color palette",
             [&doc] { doc.TogglePaletteWindow(); },
             [&doc] { return doc.convertedPicture != nullptr; },
             [&doc] { return doc.paletteWindowShown; }});
}

}  // namespace tintara
