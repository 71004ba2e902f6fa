// What every subcommand sets up: the settings (the user's store or an INI
// file, with the run's overrides on top), the user port that answers from a
// script, the filter engine, the document with its command table, and the
// one-line error report.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli_image_files.h"
#include "cli/cli_ui_host.h"
#include "cli/overlay_settings.h"
#include "document/command_table.h"
#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "editing/drawing_tool.h"
#include "editing/select_params.h"
#include "editing/selection_tool.h"
#include "imaging/filters/filter_site.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_text_rasterizer.h"
#include "ports/scripted_dialogs.h"
#include "storage/project_file.h"
#include "storage/project_io.h"

namespace tintara::cli {

struct CommonOptions {
  std::optional<std::string> settingsFile;
  bool quiet = false;
  // The program's own setting changes (and the recent projects) are written
  // back; without it the run reads the settings and leaves them as they were.
  bool saveSettings = false;
};

// Writes "tintara-cli: error: TEXT" as one line (line breaks become spaces).
void ReportError(const std::string& text);
// True when nothing seen from its folder stands in the way of saving `path`;
// else the error is reported, so that a run fails before its work, not after.
bool CheckCanSave(const std::string& path);
// Writes "tintara-cli: TEXT" with the hint to --help on one line; returns kExitUsage.
int ReportUsage(const std::string& text);

class CliContext {
 public:
  // Settings only; the document comes with Start(), after the overrides.
  // Null, with the error reported, when the settings file does not exist.
  static std::unique_ptr<CliContext> Create(const CommonOptions& options);
  ~CliContext();

  OverlaySettingsStore& Settings() { return overlay_; }
  ScriptedAnswers& Answers() { return answers_; }
  CliUiHost& Ui() { return ui_; }
  ScriptedDialogs& DialogPort() { return dialogs_; }
  const std::string& ProgramFolder() const { return programFolder_; }

  // Reads the application settings, starts the filter engine and makes the
  // document with its commands; false with the error reported.
  bool Start();
  DocumentEnvironment& Environment() { return environment_; }
  CTessel20Doc& Doc() { return *doc_; }
  CommandTable& Commands() { return commands_; }
  // The selection tool and its settings, which gestures drive.
  SelectionTool& Selection() { return *selection_; }
  DrawingTool& Drawing() { return *drawing_; }

  // "Load picture from disk": the picture becomes the new project's initial
  // picture. Each of these reports its own error and returns false.
  bool LoadPicture(const std::string& path);
  // The command "Load picture from disk": the file chosen through the
  // ImageFiles port; a failure is told through the UiHost.
  void LoadPictureCommand();
  // A scanned picture in a temporary file becomes the new project's initial
  // picture, acquired from a device; the file is deleted either way.
  bool AcquirePicture(const std::string& temporaryPath);
  // Opens a project as the program does (the last-project setting follows).
  bool OpenProjectFile(const std::string& path);
  // Reads a project without touching any setting, inflating only the
  // pictures in `wanted` (PictureBit, widened as the document needs);
  // `read` tells the layout and whether the file holds a pattern.
  bool ReadProjectFile(const std::string& path, ProjectReadResult* read = nullptr,
                       unsigned wanted = kWantAllPictures);
  bool SaveProjectFile(const std::string& path, EarlyPictureRecord* early = nullptr);

  // The error the core showed since message `from`, else `fallback`.
  std::string ShownErrorOr(size_t from, const std::string& fallback) const;

 private:
  // The picture with the progress of its reading shown; null with `error` set.
  ImageRef DecodePictureFile(const std::string& path, std::string& error);
  CliContext(const CommonOptions& options, std::unique_ptr<QtSettingsStore> store,
             std::string programFolder);
  void ReadApplicationSettings();

  std::string programFolder_;
  std::unique_ptr<QtSettingsStore> store_;
  OverlaySettingsStore overlay_;
  bool saveSettings_;
  std::unique_ptr<QtSettingsStore> engineSettings_;
  std::unique_ptr<OverlaySettingsStore> engineOverlay_;
  ScriptedAnswers answers_;
  // Progress has a stream of its own on standard error, so that it still
  // shows while a picture decodes with the libraries' own output shut off.
  std::unique_ptr<FILE, int (*)(FILE*)> progressStream_;
  CliUiHost ui_;
  ScriptedDialogs dialogs_;
  CliImageFiles imageFiles_;
  DocumentEnvironment environment_;
  std::unique_ptr<FilterSite> filters_;
  std::unique_ptr<CTessel20Doc> doc_;
  CSelectParams selectParams_;
  std::unique_ptr<SelectionTool> selection_;
  std::unique_ptr<DrawingTool> drawing_;
  QtTextRasterizer textRasterizer_;
  CommandTable commands_;
};

}  // namespace tintara::cli
