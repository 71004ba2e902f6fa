// The dialogs the document asks for, shown with Qt. Dialogs of features the
// program does not offer yet keep the port's answer: cancelled.
#pragma once

#include <QPointer>
#include <QWidget>

#include "ports/dialogs.h"

namespace tintara {

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  std::optional<uint32_t> ChooseBorderColor(uint32_t current, bool standardInterface) override;
  std::optional<PosterizeLevels> Posterize(
      const PosterizeLevels& initial,
      const std::function<void(const PosterizeLevels&)>& changed) override;
  std::optional<int> ReduceColors(int initial) override;
  std::optional<PatternPageSettings> ChoosePatternSize(const PatternPageSettings& current,
                                                       bool defaultPrinterAvailable) override;
  std::optional<int> ChoosePatternType(int listPosition) override;
  bool EditColors(ColorsEditor& editor) override;
  bool SelectColor(ColorSelector& selector) override;
  std::optional<std::string> AddText(TextFont& font) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace tintara
