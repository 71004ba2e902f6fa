// Picture files for the command-line tool: the file choosers are answered
// from the script, the files read and written as the program does.
#pragma once

#include <functional>

#include "ports/image_files.h"
#include "ports/scripted_dialogs.h"
#include "ports/ui_host.h"

namespace tintara::cli {

class CliImageFiles : public ImageFiles {
 public:
  // `budget` gives the memory a decoded picture may take, read when it loads.
  CliImageFiles(ScriptedDialogs& dialogs, UiHost& ui, std::function<uint64_t()> budget)
      : dialogs_(dialogs), ui_(ui), budget_(std::move(budget)) {}

  std::optional<std::string> ChoosePictureToOpen() override;
  ImageRef LoadNamed(const std::string& path, std::string* error = nullptr) override;
  std::optional<std::string> SaveWithDialog(const ImageBuffer& image) override;

 private:
  ScriptedDialogs& dialogs_;
  UiHost& ui_;
  std::function<uint64_t()> budget_;
};

}  // namespace tintara::cli
