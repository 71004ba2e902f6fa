#include "editing/resize_form.h"

#include "editing/integer_field.h"

namespace tintara {

namespace {

// A typed value the other field can follow; an absurd one leaves it alone.
std::optional<long long> Followable(const std::string& text) {
  std::optional<long long> value = ParseIntegerField(text);
  if (!value || *value < 0 || *value > (1LL << 31)) return std::nullopt;
  return value;
}

}  // namespace

ResizeForm::ResizeForm(int pictureWidth, int pictureHeight)
    : pictureWidth_(pictureWidth > 0 ? pictureWidth : 1),
      pictureHeight_(pictureHeight > 0 ? pictureHeight : 1),
      widthText_(std::to_string(pictureWidth)),
      heightText_(std::to_string(pictureHeight)) {}

void ResizeForm::TypeWidth(const std::string& text) {
  widthText_ = text;
  if (!keepAspect_) return;
  if (std::optional<long long> width = Followable(text)) {
    heightText_ = std::to_string(*width * pictureHeight_ / pictureWidth_);
  }
}

void ResizeForm::TypeHeight(const std::string& text) {
  heightText_ = text;
  if (!keepAspect_) return;
  if (std::optional<long long> height = Followable(text)) {
    widthText_ = std::to_string(*height * pictureWidth_ / pictureHeight_);
  }
}

void ResizeForm::SetKeepAspect(bool on) {
  keepAspect_ = on;
  if (!on) return;
  if (std::optional<long long> width = Followable(widthText_)) {
    heightText_ = std::to_string(*width * pictureHeight_ / pictureWidth_);
  }
}

std::optional<PictureSize> ResizeForm::Accept(Refusal* refusal) const {
  for (bool widthField : {true, false}) {
    const std::string& text = widthField ? widthText_ : heightText_;
    if (std::optional<std::string> why = IntegerFieldError(text, kMinResizeSide, kMaxResizeSide)) {
      if (refusal != nullptr) *refusal = {widthField, *why};
      return std::nullopt;
    }
  }
  return PictureSize{int(*ParseIntegerField(widthText_)), int(*ParseIntegerField(heightText_))};
}

}  // namespace tintara
