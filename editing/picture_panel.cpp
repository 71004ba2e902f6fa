#include "editing/picture_panel.h"

#include <algorithm>

#include "colors/reduction/optimized_reduction.h"
#include "colors/reduction/posterize.h"
#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "editing/picture_geometry.h"
#include "editing/picture_transforms.h"
#include "ports/ui_host.h"

namespace tintara {

namespace {

// Newest first: `entry` goes to slot 0, the oldest falls off the end.
void PushFront(std::array<ImageRef, PicturePanel::kDepth>& stack, ImageRef entry) {
  std::move_backward(stack.begin(), stack.end() - 1, stack.end());
  stack[0] = std::move(entry);
}

ImageRef PopFront(std::array<ImageRef, PicturePanel::kDepth>& stack) {
  ImageRef top = std::move(stack[0]);
  std::move(stack.begin() + 1, stack.end(), stack.begin());
  stack.back() = nullptr;
  return top;
}

}  // namespace

BoxRect PreviewRectToPicture(const LtrbRect& dragged, int previewWidth, int previewHeight,
                             int pictureWidth, int pictureHeight) {
  if (previewWidth <= 0 || previewHeight <= 0) return {};
  const int64_t w = pictureWidth;
  const int64_t h = pictureHeight;
  const int32_t left = std::min(dragged.left, dragged.right);
  const int32_t right = std::max(dragged.left, dragged.right);
  const int32_t top = std::min(dragged.top, dragged.bottom);
  const int32_t bottom = std::max(dragged.top, dragged.bottom);
  BoxRect box;
  box.x = int32_t(left * w / previewWidth);
  box.y = int32_t((previewHeight - bottom) * h / previewHeight);
  box.width = int32_t(std::min<int64_t>((right - left) * w / previewWidth, w));
  box.height = int32_t(std::min<int64_t>((bottom - top) * h / previewHeight, h));
  return box;
}

PicturePanel::PicturePanel(CTessel20Doc& doc) : doc_(doc) { Reset(); }

ImageRef PicturePanel::Make(PanelAction action, const ChannelPreview& preview) {
  const ImageBuffer& picture = *picture_;
  FilterSite* site = doc_.Environment().filters;
  switch (action) {
    case PanelAction::kRotateLeft: return RotateLeft(picture);
    case PanelAction::kRotateRight: return RotateRight(picture);
    case PanelAction::kRotateByDegree:
      return site != nullptr ? RotateByAngle(*site, picture_, doc_.DialogPort()) : nullptr;
    case PanelAction::kFlipHorizontal: return FlipHorizontal(picture);
    case PanelAction::kFlipVertical: return FlipVertical(picture);
    case PanelAction::kFlipBoth: return FlipBoth(picture);
    case PanelAction::kLighter: return ChangeBrightness(picture, nullptr, 1);
    case PanelAction::kDarker: return ChangeBrightness(picture, nullptr, -1);
    case PanelAction::kMoreContrast: return ChangeContrast(picture, nullptr, 1);
    case PanelAction::kLessContrast: return ChangeContrast(picture, nullptr, -1);
    case PanelAction::kSharpen:
      return site != nullptr ? SharpenPicture(*site, picture, nullptr) : nullptr;
    case PanelAction::kSmooth:
      return site != nullptr ? SmoothPicture(*site, picture, nullptr) : nullptr;
    case PanelAction::kSmartTune: {
      auto tone = [&preview](const ToneTable* table) {
        if (preview) preview(table, table, table);
      };
      return SmartTune(picture, nullptr, doc_.DialogPort(), tone);
    }
    case PanelAction::kPosterize: {
      auto levels = [&preview](const LevelTables* tables) {
        if (!preview) return;
        if (tables == nullptr) return preview(nullptr, nullptr, nullptr);
        preview(&tables->red, &tables->green, &tables->blue);
      };
      return ReduceNumberOfColors(picture, nullptr, doc_.DialogPort(), levels);
    }
    case PanelAction::kReduceColors:
      return ReduceColorsWithOptimization(picture, nullptr, doc_.DialogPort(),
                                          doc_.Environment().settings, doc_.Ui());
  }
  return nullptr;
}

bool PicturePanel::Push(ImageRef result) {
  if (!result) return false;
  std::fill(redo_.begin(), redo_.end(), nullptr);
  PushFront(undo_, std::move(picture_));
  picture_ = std::move(result);
  return true;
}

bool PicturePanel::Run(PanelAction action, const ChannelPreview& preview) {
  if (!picture_) return false;
  return Push(Make(action, preview));
}

bool PicturePanel::Crop(const BoxRect& rectangle) {
  if (!picture_ || rectangle.IsEmpty()) return false;
  RegionPtr region = RegionCreateRect(rectangle);
  if (!region) return false;
  return Push(CropWithBackground(*picture_, *region, 0));
}

void PicturePanel::Undo() {
  if (!CanUndo()) return;
  PushFront(redo_, std::move(picture_));
  picture_ = PopFront(undo_);
}

void PicturePanel::Redo() {
  if (!CanRedo()) return;
  PushFront(undo_, std::move(picture_));
  picture_ = PopFront(redo_);
}

void PicturePanel::Reset() {
  std::fill(undo_.begin(), undo_.end(), nullptr);
  std::fill(redo_.begin(), redo_.end(), nullptr);
  picture_ = doc_.workingPicture ? ImageBuffer::Copy(*doc_.workingPicture) : nullptr;
}

void PicturePanel::HandOver() {
  if (!picture_ || !doc_.pictureEditing || !CanUndo()) return;
  // Handed over as one picture step: "Finish picture editing" keeps edits
  // only when the picture undo holds a step, and would drop the panel's work.
  doc_.ApplyPictureEdit(ImageBuffer::Copy(*picture_));
}

bool PicturePanel::Close() {
  if (!CanUndo()) return true;
  MessageRequest question;
  question.text = kSaveChangesQuestion;
  question.buttons = MessageButtons::kYesNoCancel;
  question.icon = MessageIcon::kQuestion;
  switch (doc_.Ui().ShowMessage(question)) {
    case kResultYes: HandOver(); return true;
    case kResultNo: return true;
    default: return false;
  }
}

}  // namespace tintara
