// The application object: starts the program in a fixed order, owns the
// settings while it runs, the document, the filter engine's site, the main
// frame and the command table, runs commands (long ones on a worker thread
// behind the progress window), checks the auto-save, and writes the settings
// back at the end.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "app/auto_save_clock.h"
#include "app/qt_dialogs.h"
#include "app/qt_printer_info.h"
#include "app/qt_ui_host.h"
#include "app/wizard_dialog.h"
#include "platform/qt_text_rasterizer.h"
#include "document/command_table.h"
#include "document/document_environment.h"
#include "imaging/image_buffer.h"
#include "imaging/region.h"
#include "platform/qt_settings_store.h"
#include "ports/scanner_library.h"
#include "storage/convert_ini.h"
#include "storage/recent_file_list.h"

namespace tintara {

class CMainFrame;
class CTessel20Doc;
class DocumentViewSource;
class DrawingTool;
class MappedDrawingHost;
class NavigatorHost;
class PaletteWindowHost;
class PrintHost;
class SelectionWindowHost;
class FilterSite;
class QtImageFiles;
class SplashWindow;
class AcquisitionHost;
class GetPictureDialog;

struct AppOptions {
  QString programPath;    // the program file: its folder and its ".INI"
  QString settingsFile;   // an INI file instead of the user's store
  QString fileToOpen;     // a project or a picture named on the command line
  bool showSplash = true;
  QString scanFolder;     // where scans wait to load; empty: the temporary folder
};

enum class StartResult { kRunning, kCancelled, kFailed };

// The text the auto-save shows while it works.
inline constexpr const char kAutoSaveStatus[] = "Autosave in progress";
inline constexpr const char kAutoSaveNoName[] =
    "Autosave option is on\nbut your project has no name.\nPlease save your project. ";
inline constexpr const char kProjectFilter[] = "Tintara Files (*.mop)";

class CTessel20App : public QObject {
  Q_OBJECT

 public:
  explicit CTessel20App(AppOptions options);
  ~CTessel20App() override;

  // Everything up to the running main window. kCancelled when the user
  // cancelled the interface choice, kFailed when the program cannot run (the
  // user has been told why); no window is left open then.
  StartResult Start();
  // Writes the settings back; once, when the program ends.
  void Exit();

  // Runs a command as menus and buttons do, then refreshes every control.
  // False when the command is unknown or disabled.
  bool Dispatch(CommandId id);
  // Runs `work` behind the progress window with the document locked away
  // from the user-interface thread.
  void RunLong(const std::function<void()>& work);

  // Auto-save check, made whenever the program is idle.
  void CheckAutoSave();
  // Milliseconds for the auto-save clock, which restarts from the new source's
  // present; tests move time on.
  void SetTickSource(std::function<uint32_t()> ticks) {
    ticks_ = std::move(ticks);
    autoSave_.Start(Ticks());
  }

  CTessel20Doc& Doc() { return *doc_; }
  CMainFrame* Frame() { return frame_.get(); }
  PaletteWindowHost* Palette() { return palette_.get(); }
  NavigatorHost* Navigator() { return navigator_.get(); }
  // The creation wizard's dialog while it is open, else null.
  WizardDialog* Wizard() const { return wizard_; }
  SelectionWindowHost* Selection() { return selection_.get(); }
  PrintHost* Printing() { return print_.get(); }
  CommandTable& Commands() { return table_; }
  DocumentEnvironment& Environment() { return env_; }
  QtUiHost& Host() { return host_; }
  SettingsStore& Settings() { return *settings_; }
  SettingsStore& ConvertIni() { return *convertIni_; }
  const RecentFileList& RecentFiles() const { return recent_; }
  FilterSite* Filters() { return site_.get(); }
  QString ProgramFolder() const { return programFolder_; }

  // File commands, also used by the save question and auto-save. Each
  // returns true when the project was written or opened.
  bool SaveCommand();
  bool SaveAsCommand();
  bool SaveTo(const std::string& path);
  bool OpenProjectFile(const std::string& path);
  // Loads a named picture as "Load picture from disk" would.
  bool LoadPictureFile(const std::string& path);

  // The creation wizard. "&Acquire Picture" calls `acquire` (the "Get
  // Picture" dialog unless replaced); the picture it brings closes the wizard
  // (CloseWizard) and runs the creation steps.
  void SetAcquirePicture(std::function<void()> acquire) { acquirePicture_ = std::move(acquire); }
  // "Adjust Image", "Filter Image" and "Painting pattern settings" on the
  // picture just brought in; Cancel in any of them ends the steps there.
  void RunCreationSteps();
  // Closes the wizard's dialog when it is open; nothing else happens.
  void CloseWizard();

  // Scanners and cameras.
  ScannerLibrary& Scanner() { return *scanner_; }
  AcquisitionHost& Acquisition() { return *acquisition_; }
  // An acquisition is under way: the acquire commands wait.
  bool ScannerBusy() const;
  // The acquisition of one kind of device; `fromWizard` lets the wizard go on
  // when the picture arrives.
  void AcquireCommand(DeviceKind kind, bool fromWizard);
  // "TWAIN Settings" for one kind, or for all; true after OK.
  bool TwainSettingsCommand(std::optional<DeviceKind> onlyKind);
  // The wizard's "Get Picture" dialog, until it closes.
  void RunGetPicture();
  GetPictureDialog* OpenGetPictureDialog() const;
  // Called when a picture the wizard asked for has arrived (the "Get Picture"
  // dialog is closed by then).
  std::function<void()> onWizardPictureArrived;

 private:
  bool ReadSettings();
  bool CreateDocument();
  void BuildFrame();
  bool StartFilterEngine();
  void ProcessCommandLine();
  void ConnectNotices();
  void AfterCommand();
  uint32_t Ticks() const;
  void ShowMainWindow();
  bool eventFilter(QObject* target, QEvent* event) override;
  bool event(QEvent* event) override;

  void RegisterCommands();
  void RegisterFileCommands();
  void RegisterInterfaceCommands();
  void RegisterPictureFileCommands();
  void RegisterAcquisitionCommands();
  void RegisterSelectionCommands();
  void RegisterDrawingCommands();
  void RegisterWizardCommands();
  // The drawing tool draws through the pattern view.
  void AttachDrawingTool();
  void ReplaceDocumentCommands();
  void PatternSizeCommand();
  void PaintingColorsCommand();
  // The status bar's swatch of the current painting colour.
  void ShowCurrentColor();

  // Interface.
  void ApplyInterface();
  void ShowOptionsDialog();
  void ShowColorCorrection();
  void ShowAbout();
  void EnterStageOnRequest(int stage);
  void PopupViewChoice();

  // The view's hint, clicks and wheel.
  void ConnectViewFeedback();
  void ShowPaintAt(const Point& image);
  void ForgetPaintMessage();
  // Notes of one command share the status bar instead of hiding each other.
  void ShowStatusNote(const QString& note);

  // Files.
  void NewCommand();
  void OpenCommand();
  void OpenRecent(int index);
  void OpenDroppedFile(const QString& path);
  bool SaveModifiedBeforeReplacing();
  bool MayClose();
  std::optional<std::string> ChooseProjectToSave();
  void RememberProject(const std::string& path);

  // The creation wizard and the project browser.
  void LaunchWizardCommand();
  void RunWizard();
  bool WizardOpenLastProject();
  bool WizardSelectAnotherProject();
  bool WizardOpenPicture();
  void ToggleNavigator();

  // Pictures.
  bool LoadPictureCommand();
  // Decodes a picture file on the worker thread behind a busy indicator.
  ImageRef DecodePicture(const std::string& path, std::string* error);
  void PastePictureCommand();
  void SaveImageCommand(const ImageBuffer* image, PictureFolder folder);
  void SaveCurrentViewCommand();
  void SaveColorKeyCommand();
  void PictureInformationCommand();
  std::string& FolderSetting(PictureFolder folder);
  std::string& SourceSetting(DeviceKind kind);
  void StartAcquisition(const std::string& device);
  // The picture-acquired message: the temporary file goes whatever happens.
  void PictureAcquired(const std::string& path);

  AppOptions options_;
  QString programFolder_;
  std::unique_ptr<QtSettingsStore> settings_;
  std::unique_ptr<QtSettingsStore> convertIni_;
  std::unique_ptr<QtSettingsStore> engineIni_;
  QtUiHost host_;
  QtDialogs dialogs_;
  QtPrinterInfo printer_;
  QtTextRasterizer textRasterizer_;
  DocumentEnvironment env_;
  std::unique_ptr<FilterSite> site_;
  std::unique_ptr<CTessel20Doc> doc_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<PaletteWindowHost> palette_;
  std::unique_ptr<NavigatorHost> navigator_;
  QPointer<WizardDialog> wizard_;
  std::function<void()> acquirePicture_;
  std::unique_ptr<SelectionWindowHost> selection_;
  std::unique_ptr<DrawingTool> drawing_;
  std::unique_ptr<MappedDrawingHost> drawingHost_;
  std::unique_ptr<PrintHost> print_;
  std::unique_ptr<DocumentViewSource> viewSource_;
  std::unique_ptr<QtImageFiles> imageFiles_;
  std::unique_ptr<ScannerLibrary> scanner_;
  std::unique_ptr<AcquisitionHost> acquisition_;
  QPointer<GetPictureDialog> getPicture_;
  std::string acquiringFrom_;
  CommandTable table_;
  std::set<CommandId> longCommands_;
  RecentFileList recent_;
  AutoSaveClock autoSave_;
  QTimer idleTimer_;
  QElapsedTimer clock_;
  std::function<uint32_t()> ticks_;
  QPointer<SplashWindow> splash_;
  // The picture was fitted to the window and the user has not zoomed since:
  // a resized window keeps it fitted.
  bool fitted_ = false;
  int commandSerial_ = 0;
  int noteSerial_ = -1;
  QString notesShown_;
  // The paint of the area clicked last, while the status bar shows it.
  QString paintMessage_;
  bool clipboardHoldsPicture_ = false;
  bool started_ = false;
  bool exited_ = false;
};

}  // namespace tintara
