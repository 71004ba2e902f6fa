// The project document: every picture of a project, its pattern parameters,
// the selection, snapshot undo and redo, picture editing with its own undo,
// and what the views show.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "colors/page_settings.h"
#include "colors/pattern_color_shares.h"
#include "colors/tessel_params.h"
#include "document/document_snapshot.h"
#include "document/drawing_tool_state.h"
#include "document/print_job.h"
#include "imaging/image_buffer.h"
#include "imaging/region.h"

namespace tintara {

class UiHost;
class Dialogs;
struct DocumentEnvironment;

// What the views show.
enum : int32_t { kViewInitial = 0, kViewConverted = 1, kViewPattern = 2 };
// Where the initial picture came from.
enum : int32_t { kOriginFile = 0, kOriginClipboard = 1, kOriginDevice = 2 };
// Tools of the mouse.
enum : int32_t {
  kToolNone = 0,
  kToolPen = 1,
  kToolLine = 2,
  kToolRectangle = 3,
  kToolEllipse = 4,
  kToolPickColor = 5,
  kToolColorInfo = 6,
  kToolRecolor = 8,
  kToolSelectArea = 12
};

constexpr int kStackDepth = 10;

class CTessel20Doc {
 public:
  explicit CTessel20Doc(DocumentEnvironment& environment, CTesselParams initialParams);
  ~CTessel20Doc();
  CTessel20Doc(const CTessel20Doc&) = delete;
  CTessel20Doc& operator=(const CTessel20Doc&) = delete;

  // Members, in the order the project keeps them.
  ImageRef initialPicture;
  int32_t pictureOrigin = kOriginFile;
  std::string pictureFileName;
  ImageRef convertedPicture;
  ImageRef patternImage;
  ImageRef indexImage;
  int32_t currentTool = kToolNone;
  DrawingToolState drawing;
  RegionPtr selection;
  CTesselParams params;
  int32_t viewMode = kViewInitial;
  int32_t pictureEditing = 0;
  ImageRef workingPicture;
  std::array<ImageRef, kStackDepth> pictureUndo;
  std::array<ImageRef, kStackDepth> pictureRedo;
  std::array<SnapshotPtr, kStackDepth> undoSnapshots;
  std::array<SnapshotPtr, kStackDepth> redoSnapshots;
  bool paletteWindowShown = false;
  // Set by every change of the pattern made by hand while the project is open;
  // making the pattern clears it. A new palette is then mapped onto the
  // pattern instead of making it again (undo brings back a pattern made again).
  bool patternEditedByHand = false;
  bool navigatorWindowShown = false;
  // The print job under way: its pages and the one sheet chosen for it.
  PrintJobState printJob;

  // The device the picture was acquired from last.
  std::string originDeviceName;
  // The creation wizard started the acquisition under way: the wizard goes on
  // when the picture arrives.
  bool acquisitionFromWizard = false;

  // The platform document's own state.
  std::string title = "Untitled";
  std::string pathName;
  bool modified = false;

  DocumentEnvironment& Environment() { return env_; }
  UiHost& Ui();
  Dialogs& DialogPort();

  bool HasPattern() const { return convertedPicture != nullptr; }
  // Checks the document's invariants (debug builds only).
  void CheckInvariants() const;

  // Snapshot undo.
  void PushUndoSnapshot();
  void RollBackToLastSnapshot();
  void Undo();
  void Redo();
  bool CanUndo() const;
  bool CanRedo() const;

  // Picture editing.
  void StartPictureEditing();
  void PictureUndo();
  void PictureRedo();
  void FinishPictureEditing();
  void UndoAllPictureEdits();
  // A picture command's result replaces the working picture as one picture undo step.
  void ApplyPictureEdit(ImageRef result);
  bool ConfirmReconvert();

  // Stages and display.
  void LeavePatternEditing();
  void EnterPatternEditing();
  void ViewInitialPicture();
  void ViewConvertedOrPattern(int32_t target);
  void ViewAsColorBlocks();
  void RunStage(int stage);
  void SetWorkStage(int stage);
  // (width, height) of the image the views show; 0 × 0 when nothing is shown.
  std::pair<int32_t, int32_t> CurrentImageSize() const;
  // The image the views draw now, or null.
  const ImageBuffer* ShownImage() const;
  void UpdateAllViews();
  void ShowPaletteWindow(bool on);
  void ShowNavigator(bool on);
  void RefreshNavigator();
  void DeleteSelection();

  // "Create drawing pattern": the confirm question, the undo snapshot and the pipeline.
  void CreateDrawingPatternCommand();
  // A pattern just made is shown, fitted to the views.
  void ShowNewPattern();
  // The pipeline proper; false when it failed or was cancelled (the project
  // then is as it was before).
  bool CreatePattern();
  // Matches every pixel of the rectangle to the working palette (outside it:
  // black, colour 0). 1 done, 0 cancelled (the document has rolled back).
  int MapToPaintColors(int32_t left, int32_t top, int32_t right, int32_t bottom);
  // The row loop of MapToPaintColors with a matcher per band made by `makeMatcher`.
  template <typename MakeMatcher>
  int MapRows(int32_t left, int32_t top, int32_t right, int32_t bottom, MakeMatcher makeMatcher);
  // Tells the user, without a question, when the paints chosen are fewer than `asked`.
  void NoteFewerPaints(int asked);
  // Says so when the finished pattern leaves paints of its palette without a cell.
  void NoteUnusedPaints();
  // A new pattern of the closest paints that is merged: the merge, not the
  // simplification and the median, makes its areas paintable, so both are
  // left out (the picture is only scaled) or made light.
  bool KeepsDetail() const;
  // The clean-up of the index image: the median, or, `creating` a pattern of
  // the closest paints that is merged next, a light majority. False when it
  // could not run.
  bool CleanIndex(bool creating);
  // Cleans the index image (merging small areas when that is on), recolours
  // and redraws the pattern. 1 done, 0 failed or cancelled (rolled back).
  int RemoveSmallAreas(bool creating = false);
  // Every pixel of the converted picture becomes the paint its index names.
  // 1 done, 0 cancelled or failed (rolled back).
  int PaintConvertedFromIndex();
  // Redraws the pattern over a rectangle; false when cancelled or failed (rolled back).
  bool RenderPatternRect(int32_t left, int32_t top, int32_t right, int32_t bottom,
                         bool noNumbers);

  // "Type of color identification": stores the type (0..6) and, when a pattern
  // exists, redraws all of it as one undo step. False for a type outside 0..6
  // or a redraw that was cancelled (the document is then as before).
  bool ChangePatternType(int32_t type);
  // "Type of pattern" dialog, then ChangePatternType with the chosen type.
  void PatternTypeCommand();

  // "Size of painting pattern" in two halves, so that the shell can ask on its
  // own thread and make the pattern behind the progress window: the dialog's
  // answer, then storing it and making the pattern again when the size changed
  // and a pattern exists (true then).
  std::optional<PatternPageSettings> AskPatternSize();
  bool ApplyPatternSize(const PatternPageSettings& chosen);

  // Pattern clean-up and area commands.
  void RemoveSmallAreasCommand();
  // "Merge areas too small to paint": one undo step; the converted picture
  // follows the index image.
  void MergeSmallAreasCommand();
  // Every area narrower than the minimum printed width of the settings takes
  // the closest neighbouring paint in the index image. False, with the user
  // told, when memory ran out or the work would pass the memory budget (the
  // index image is then unchanged).
  bool MergeSmallAreasInIndex();
  // Bytes the four pictures hold.
  uint64_t PictureBytes() const;
  // The option of "Create drawing pattern" that merges such areas and places
  // numbers only where they fit; kept in the settings at once.
  void ToggleMergeWhenCreating();
  bool MergesWhenCreating() const;
  // Printed size of one pattern pixel at the page settings' resolution.
  double PatternPixelMillimetres() const;
  // Areas left without a number by the last whole redraw that fitted numbers;
  // -1 when the last whole redraw used the grid rule.
  int32_t unnumberedAreas = -1;
  void ToggleSelectOneArea();
  void SelectAreaAt(int32_t x, int32_t y);
  void ChooseBorderColor();

  // "Painting Colors" in two halves, like the pattern size: the "Colors"
  // dialog's edited copy (nothing for Cancel), then taking it over, which may
  // make the pattern again. ApplyPaintingColors is false when nothing changed.
  std::optional<CTesselParams> AskPaintingColors();
  bool ApplyPaintingColors(CTesselParams edited);
  // "Current color for painting": the "Select color" dialog.
  void CurrentColorCommand();
  // The colour palette window: its selection becomes the current painting
  // colour; its "Add" asks for a brand colour and makes it the current one.
  void SetCurrentColor(int position);
  void AddColorFromPaletteWindow();
  void TogglePaletteWindow() { ShowPaletteWindow(!paletteWindowShown); }
  // The pattern's paints with their shares of its area; empty without a pattern.
  PatternColorShares ColorShares() const;

  // Lifecycle.
  void DeleteContents();
  // An empty, unmodified project named "Untitled" with no file behind it.
  void ResetToUntitled();
  void NewProject();
  // Replaces the project by a new picture; false when the user cancelled the
  // save question (the picture is then dropped).
  // `stageAlways`: move to the picture stage in either interface (paste and
  // acquisition); otherwise only in the guided interface.
  bool ReplaceWithPicture(ImageRef picture, int32_t origin, const std::string& fileName,
                          bool stageAlways);
  // After a project file was read into the document.
  void ProjectOpened(const std::string& path);
  // After the project was written to `path`.
  void ProjectSaved(const std::string& path);
  // The save-modified question; false when the user cancelled.
  bool SaveModified();

 private:
  // Whether a pattern of width × height cells leaves the pictures within the
  // memory budget of the settings; tells the user when not.
  bool PatternFitsBudget(int64_t width, int64_t height);
  // The pattern after a new working palette: mapped onto it when edited by
  // hand, else made again when shown, or dropped.
  void FollowNewPalette(const std::vector<CFlossColor>& oldPalette, bool editedByHand);
  // Takes over the current colour chosen in `chosen`, saved to the settings.
  void TakeCurrentColor(const CTesselParams& chosen);

  void TakeSnapshotState(DocumentSnapshot& snapshot);
  void PushPictureUndo();
  void ClearPictureStacks();
  void ClearSnapshotStacks();
  void EndTextEntry();

  DocumentEnvironment& env_;
};

// Text of the reconvert question.
extern const char kReconvertQuestion[];

// A snapshot of the document's current state.
SnapshotPtr MakeSnapshot(const CTessel20Doc& doc);
// True for a path whose extension is ".mop" in any letter case.
bool IsProjectPath(const std::string& path);

}  // namespace tintara
