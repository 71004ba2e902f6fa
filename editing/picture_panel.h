// The "Adjust Image" and "Filter Image" panels without their widgets: a copy
// of the picture being edited, changed by the panel's buttons with its own
// ten-step undo and redo, handed to the document by "&Next >" or on closing.
// The creation wizard shows the same panels.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "editing/picture_adjustments.h"
#include "imaging/image_buffer.h"
#include "imaging/region.h"

namespace tintara {

class CTessel20Doc;

enum class PanelAction {
  // "Adjust Image"
  kRotateLeft,
  kRotateRight,
  kRotateByDegree,
  kFlipHorizontal,
  kFlipVertical,
  kFlipBoth,
  // "Filter Image"
  kLighter,
  kDarker,
  kMoreContrast,
  kLessContrast,
  kSharpen,
  kSmooth,
  kSmartTune,
  kPosterize,
  kReduceColors,
};

inline constexpr char kSaveChangesQuestion[] = "Save changes made to picture?";

// A rectangle dragged over a preview of previewWidth × previewHeight (top-down
// window pixels, right and bottom exclusive) in picture coordinates (y up).
BoxRect PreviewRectToPicture(const LtrbRect& dragged, int previewWidth, int previewHeight,
                             int pictureWidth, int pictureHeight);

class PicturePanel {
 public:
  static constexpr int kDepth = 10;

  // Takes its copy of the document's working picture.
  explicit PicturePanel(CTessel20Doc& doc);

  const ImageRef& Picture() const { return picture_; }
  bool CanUndo() const { return undo_[0] != nullptr; }
  bool CanRedo() const { return redo_[0] != nullptr; }

  // The tables (red, green, blue) a dialog previews through; null withdraws them.
  using ChannelPreview =
      std::function<void(const ToneTable* red, const ToneTable* green, const ToneTable* blue)>;
  // A button: true when it made a new picture (one undo step of the panel).
  // `preview` hears the tables while "Smart Tune" or "Posterize" is open.
  bool Run(PanelAction action, const ChannelPreview& preview = {});
  // "&Crop" with a rectangle in picture coordinates.
  bool Crop(const BoxRect& rectangle);

  void Undo();
  void Redo();
  // Both stacks emptied, a fresh copy of the document's working picture.
  void Reset();
  // "&Next >": a changed copy becomes the document's working picture, as
  // one picture undo step.
  void HandOver();
  // "Close": false when the panel stays open (Cancel to the question).
  bool Close();

 private:
  ImageRef Make(PanelAction action, const ChannelPreview& preview);
  bool Push(ImageRef result);

  CTessel20Doc& doc_;
  ImageRef picture_;
  std::array<ImageRef, kDepth> undo_;
  std::array<ImageRef, kDepth> redo_;
};

}  // namespace tintara
