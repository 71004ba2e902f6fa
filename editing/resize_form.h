// What the "Resize" dialog holds and how its fields follow each other while
// "Keep &aspect ratio" is on; the dialog only shows it and passes keys on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tintara {

constexpr int kMinResizeSide = 2;
constexpr int kMaxResizeSide = 100000;

struct PictureSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

class ResizeForm {
 public:
  // Opens on the picture's own size with the aspect ratio kept.
  ResizeForm(int pictureWidth, int pictureHeight);

  const std::string& WidthText() const { return widthText_; }
  const std::string& HeightText() const { return heightText_; }
  bool KeepAspect() const { return keepAspect_; }

  // The user typed into the field that has the focus; with the aspect kept
  // the other field follows (integer division by the picture's size).
  void TypeWidth(const std::string& text);
  void TypeHeight(const std::string& text);
  // Switching the aspect on sets the height from the current width.
  void SetKeepAspect(bool on);

  struct Refusal {
    bool widthField;  // which field keeps the focus
    std::string message;
  };
  // OK: the new size, or why a field is refused.
  std::optional<PictureSize> Accept(Refusal* refusal = nullptr) const;

 private:
  int64_t pictureWidth_;
  int64_t pictureHeight_;
  std::string widthText_;
  std::string heightText_;
  bool keepAspect_ = true;
};

}  // namespace tintara
