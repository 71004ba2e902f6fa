// ImageFiles with Qt file dialogs over the picture readers and writers.
#pragma once

#include <QPointer>
#include <QWidget>

#include "ports/image_files.h"
#include "ports/settings_store.h"
#include "ports/ui_host.h"

namespace tintara {

class QtImageFiles : public ImageFiles {
 public:
  // `convertIni` holds the dialogs' start folders; failures are shown through
  // `host`; decoding a picture may take at most `budget` bytes.
  QtImageFiles(QWidget* parent, SettingsStore& convertIni, UiHost& host, uint64_t budget)
      : parent_(parent), convertIni_(convertIni), host_(host), budget_(budget) {}

  std::optional<std::string> ChoosePictureToOpen() override;
  ImageRef LoadNamed(const std::string& path, std::string* error) override;
  std::optional<std::string> SaveWithDialog(const ImageBuffer& image) override;

 private:
  QPointer<QWidget> parent_;
  SettingsStore& convertIni_;
  UiHost& host_;
  uint64_t budget_;
};

}  // namespace tintara
