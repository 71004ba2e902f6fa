// The dialogs the document asks for, shown with Qt. Dialogs of features the
// program does not offer yet keep the port's answer: cancelled.
#pragma once

#include <QPointer>
#include <QWidget>

#include "ports/dialogs.h"
#include "ports/ui_host.h"

namespace tintara {

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  // Where the refusals of entry fields are told.
  void SetUiHost(UiHost* host) { host_ = host; }

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
  std::optional<SvgFileChoice> SavePatternSvg(const std::string& startPath) override;
  std::optional<RotateAnswer> RotatePicture() override;
  bool ResizePicture(ResizeForm& form) override;
  std::optional<int> SmartTune(const std::vector<std::string>& methods,
                               const std::function<void(int)>& changed) override;
  std::optional<uint32_t> ChooseBackgroundColor(const std::string& caption) override;
  bool ShowPicturePanel(PicturePanel& panel, bool filters) override;
  std::optional<PrintSetupChoice> HowToPrint(const PrintSetupChoice& current,
                                             const std::function<void()>& printerSetup) override;
  std::optional<PrintRangeChoice> ChoosePrintRange(int pagesPerSide) override;
  bool PatternSettings(ColorsEditor& editor, PatternSheetPages& pages) override;
  std::optional<TwainSourceNames> TwainSettings(const std::vector<std::string>& sources,
                                                const TwainSourceNames& stored,
                                                std::optional<DeviceKind> onlyKind) override;
  std::optional<ScanOptions> ScanSettings(const std::string& device,
                                          const ScanCapabilities& offered,
                                          const ScanOptions& initial) override;

 private:
  void Refuse(const std::string& message);

  QPointer<QWidget> parent_;
  UiHost* host_ = nullptr;
};

}  // namespace tintara
