#include "app/tessel20_app.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <new>

#include "app/acquisition_host.h"
#include "app/command_actions.h"
#include "view/document_view_source.h"
#include "app/interface_dialog.h"
#include "app/long_work.h"
#include "app/frame_status_bar.h"
#include "app/main_frame.h"
#include "app/navigator_host.h"
#include "app/wizard_dialog.h"
#include "app/palette_window_host.h"
#include "app/print_host.h"
#include "app/qt_image_files.h"
#include "app/selection_window_host.h"
#include "app/splash_window.h"
#include "app/stage_panels.h"
#include "colors/file_names.h"
#include "document/document_commands.h"
#include "document/pattern_commands.h"
#include "document/picture_commands.h"
#include "editing/editing_commands.h"
#include "document/tessel_doc.h"
#include "editing/drawing_tool.h"
#include "editing/selection_commands.h"
#include "editing/widgets/select_region_window.h"
#include "imaging/filters/filter_engine.h"
#include "platform/private_profile.h"
#include "platform/qt_settings_store.h"
#include "platform/sane_scanner_library.h"
#include "storage/app_settings.h"
#include "storage/memory_budget.h"
#include "storage/project_hooks.h"
#include "storage/recent_projects.h"
#include "storage/settings_keys.h"
#include "view/drawing_input.h"
#include "view/widgets/tessel20_view.h"

namespace tintara {

namespace {

// How often the auto-save is checked while the program is idle.
constexpr int kIdleCheckMilliseconds = 1000;

// Projects go to the user's documents: the program's own folder is often not
// writable once the program is installed.
std::string DefaultProjectsFolder() {
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) documents = QDir::homePath();
  return QDir(documents).filePath(QStringLiteral("Tintara")).toStdString();
}

std::unique_ptr<QtSettingsStore> MakeSettingsStore(const QString& iniFile) {
  if (iniFile.isEmpty()) return std::make_unique<QtSettingsStore>();
  return std::make_unique<QtSettingsStore>(iniFile);
}

}  // namespace

CTessel20App::CTessel20App(AppOptions options)
    : options_(std::move(options)),
      settings_(MakeSettingsStore(options_.settingsFile)),
      env_(host_, dialogs_, *settings_) {
  QFileInfo program(options_.programPath);
  programFolder_ = program.absolutePath();
  env_.programFolder = ProgramFolderOf(program.absoluteFilePath().toStdString());
  env_.printer = &printer_;
  env_.textRasterizer = &textRasterizer_;
  scanner_ = std::make_unique<SaneScannerLibrary>();
  clock_.start();
  idleTimer_.setInterval(kIdleCheckMilliseconds);
  connect(&idleTimer_, &QTimer::timeout, this, &CTessel20App::CheckAutoSave);
}

CTessel20App::~CTessel20App() {
  idleTimer_.stop();
  if (site_) FilterEngine::FreeSite(*site_);
  // A scan still running is cancelled and waited for.
  acquisition_.reset();
  // The frame's view reads the document: it goes first.
  navigator_.reset();
  print_.reset();
  frame_.reset();
}

uint32_t CTessel20App::Ticks() const { return ticks_ ? ticks_() : uint32_t(clock_.elapsed()); }

StartResult CTessel20App::Start() {
  if (options_.showSplash && options_.fileToOpen.isEmpty()) {
    splash_ = ShowSplash(ReadPaintDataNotice(programFolder_));
  }
  if (!ReadSettings()) return StartResult::kCancelled;
  recent_.Load(*settings_);
  printer_.Refresh();
  if (!CreateDocument()) return StartResult::kFailed;
  BuildFrame();
  ApplyInterface();
  // The window is up first: a file that cannot be read is told over it, and
  // a large one decodes behind the busy indicator.
  ShowMainWindow();
  for (const QtSettingsStore* store : {settings_.get(), engineIni_.get(), convertIni_.get()}) {
    if (!store->RefusalText().empty()) host_.Message(store->RefusalText(), MessageIcon::kWarning);
  }
  // Before the named file opens: it shows the floating windows the user keeps.
  env_.app.ReadAfterMainWindow(*settings_);
  ProcessCommandLine();
  Dispatch(cmd::kStageStart);
  if (!StartFilterEngine()) {
    frame_->hide();
    return StartResult::kFailed;
  }
  scanner_->Start();
  autoSave_.Start(Ticks());
  idleTimer_.start();
  started_ = true;
  // Sent to the main window, so that start-up finishes first.
  if (options_.fileToOpen.isEmpty() && ReadSetting(*settings_, Setting::kWizardShowOnStart) == 0) {
    QTimer::singleShot(0, this, [this] { Dispatch(cmd::kLaunchWizard); });
  }
  return StartResult::kRunning;
}

bool CTessel20App::ReadSettings() {
  env_.app.ReadStartup(*settings_, DefaultProjectsFolder());
  if (!env_.app.winInterface) {
    // The splash stays on top: it would hide the question.
    if (splash_) splash_->close();
    std::optional<bool> standard = AskInterfaceStyle();
    if (!standard) return false;
    env_.app.winInterface = *standard ? 1 : 0;
  }
  // Messages from here on already look like the chosen interface.
  host_.SetStandardInterface(env_.StandardInterface());
  std::string engineIni = FileNameOf(ProgramIniPath(options_.programPath.toStdString()));
  engineIni_ = std::make_unique<QtSettingsStore>(
      PrivateProfilePath(programFolder_, QString::fromStdString(engineIni)));
  convertIni_ = std::make_unique<QtSettingsStore>(
      PrivateProfilePath(programFolder_, QString::fromLatin1(kConvertIniName)));
  return true;
}

bool CTessel20App::CreateDocument() {
  std::string error;
  std::string replaced;
  std::optional<CTesselParams> params =
      CTesselParams::Create(*settings_, env_.programFolder, &error, &replaced);
  if (!params) {
    host_.Message(error.empty() ? std::string("No paint colour files were found.") : error,
                  MessageIcon::kError);
    return false;
  }
  if (!replaced.empty()) host_.Message(replaced, MessageIcon::kWarning);
  doc_ = std::make_unique<CTessel20Doc>(env_, std::move(*params));
  env_.saveProject = [this](CTessel20Doc&) { return SaveCommand(); };
  InstallProjectHooks(env_, *settings_);
  return true;
}

void CTessel20App::BuildFrame() {
  frame_ = std::make_unique<CMainFrame>(table_);
  host_.SetMainWindow(frame_.get());
  dialogs_.SetParent(frame_.get());
  dialogs_.SetUiHost(&host_);
  imageFiles_ = std::make_unique<QtImageFiles>(frame_.get(), *convertIni_, host_,
                                               PictureMemoryBudget(*settings_));
  selection_ = std::make_unique<SelectionWindowHost>(*doc_, env_.app, *settings_, frame_->View(),
                                                     frame_.get());
  connect(selection_.get(), &SelectionWindowHost::selectionChanged, this,
          &CTessel20App::AfterCommand);
  AttachDrawingTool();
  viewSource_ =
      std::make_unique<DocumentViewSource>(*doc_, &selection_->Tool(), drawing_.get());
  frame_->View()->SetSource(viewSource_.get());
  frame_->View()->SetBeep([this] { host_.Beep(); });
  print_ = std::make_unique<PrintHost>(*doc_, env_, *frame_);
  connect(print_.get(), &PrintHost::jobEnded, this, &CTessel20App::AfterCommand);
  RegisterCommands();
  frame_->BuildControls();
  // Menus, bars, panel buttons, pop-ups and shortcuts all end here.
  connect(&frame_->Actions(), &CommandActions::triggered, this,
          [this](CommandId id) { Dispatch(id); });
  frame_->SetRecentFiles(recent_.Entries());
  frame_->SetCloseGuard([this] { return MayClose(); });
  palette_ = std::make_unique<PaletteWindowHost>(*doc_, *settings_, frame_.get(),
                                                 frame_->View()->viewport());
  navigator_ = std::make_unique<NavigatorHost>(*doc_, *settings_, *frame_->View(), frame_.get());
  ConnectNotices();
  AfterCommand();
}

bool CTessel20App::StartFilterEngine() {
  site_ = std::make_unique<FilterSite>(host_, *engineIni_, env_.progress);
  if (!FilterEngine::InitSite(*site_)) {
    host_.Message("The picture filters could not be started.", MessageIcon::kError);
    return false;
  }
  env_.filters = site_.get();
  return true;
}

void CTessel20App::ProcessCommandLine() {
  if (options_.fileToOpen.isEmpty()) return;
  std::string path = QFileInfo(options_.fileToOpen).absoluteFilePath().toStdString();
  if (IsProjectPath(path)) {
    OpenProjectFile(path);
  } else {
    LoadPictureFile(path);
  }
  AfterCommand();
}

void CTessel20App::ShowMainWindow() {
  // Without a window manager "maximised" means nothing: take the screen anyway.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    frame_->setGeometry(screen->availableGeometry());
  }
  frame_->showMaximized();
}

bool CTessel20App::eventFilter(QObject* target, QEvent* event) {
  if (event->type() == QEvent::Resize && fitted_ && frame_ && !frame_->Busy() &&
      target == frame_->View()->viewport()) {
    frame_->View()->FitToWindow();
  }
  return QObject::eventFilter(target, event);
}

void CTessel20App::ConnectNotices() {
  CTessel20View* view = frame_->View();
  view->viewport()->installEventFilter(this);
  ConnectViewFeedback();
  connect(&host_, &QtUiHost::updateViewsRequested, this, [this, view] {
    // The document changed: the paint named before may be gone.
    ForgetPaintMessage();
    view->UpdateView();
    AfterCommand();
  });
  connect(&host_, &QtUiHost::fitViewsRequested, this, [this, view] {
    fitted_ = true;
    view->FitToWindow();
  });
  connect(&host_, &QtUiHost::workStageRequested, this, &CTessel20App::EnterStageOnRequest);
  connect(&host_, &QtUiHost::statusNoteRequested, this, &CTessel20App::ShowStatusNote);
  connect(&host_, &QtUiHost::pictureEditingChanged, frame_.get(), &CMainFrame::SetPictureEditing);
  connect(&host_, &QtUiHost::previewTablesChanged, view, &CTessel20View::SetPreviewTables);
  connect(&host_, &QtUiHost::popupMenuRequested, frame_.get(), &CMainFrame::PopupPictureMenu);
  connect(frame_.get(), &CMainFrame::fileDropped, this, &CTessel20App::OpenDroppedFile);
  connect(&host_, &QtUiHost::showPaletteWindowRequested, palette_.get(), &PaletteWindowHost::Show);
  connect(&host_, &QtUiHost::refreshPaletteWindowRequested, palette_.get(),
          &PaletteWindowHost::Refresh);
  connect(palette_.get(), &PaletteWindowHost::changed, this, &CTessel20App::AfterCommand);
  palette_->SetBusyCheck([view] { return view->Frozen(); });
  connect(&host_, &QtUiHost::updateViewsRequested, palette_.get(),
          &PaletteWindowHost::PatternChanged);
  connect(&host_, &QtUiHost::showNavigatorRequested, navigator_.get(), &NavigatorHost::Show);
  connect(&host_, &QtUiHost::refreshNavigatorRequested, navigator_.get(), &NavigatorHost::Refresh);
  connect(&host_, &QtUiHost::redrawNavigatorRequested, navigator_.get(),
          &NavigatorHost::RedrawFrame);
  connect(navigator_.get(), &NavigatorHost::shownChanged, this, &CTessel20App::AfterCommand);
  connect(frame_->Status(), &CFrameStatusBar::currentColorClicked, this,
          [this] { Dispatch(cmd::kCurrentPaintColor); });
  connect(&host_, &QtUiHost::longWorkStarted, this, [this, view] {
    frame_->SetBusy(true);
    view->SetFrozen(true);
  });
  connect(&host_, &QtUiHost::longWorkFinished, this, [this, view] {
    frame_->SetBusy(false);
    view->SetFrozen(false);
  });
}

void CTessel20App::ShowStatusNote(const QString& note) {
  ForgetPaintMessage();
  const bool sameCommand = noteSerial_ == commandSerial_ &&
                           frame_->Status()->currentMessage() == notesShown_;
  notesShown_ = sameCommand ? notesShown_ + "  " + note : note;
  noteSerial_ = commandSerial_;
  frame_->Status()->showMessage(notesShown_);
}

void CTessel20App::AfterCommand() {
  if (!frame_ || frame_->Busy()) return;
  frame_->SetDocumentTitle(doc_->title);
  frame_->UpdateActions();
  ShowCurrentColor();
}

void CTessel20App::ShowCurrentColor() {
  const CTesselParams& params = doc_->params;
  const int current = params.currentColor;
  if (!doc_->convertedPicture || params.paletteReady != 1 || current < 0 ||
      size_t(current) >= params.workingPalette.size()) {
    frame_->Status()->SetCurrentColor(QColor(), QString());
    return;
  }
  const CFlossColor& paint = params.workingPalette[size_t(current)];
  QString text = QString::fromStdString(paint.colorName);
  if (paint.catalogNumber >= 0) text += QStringLiteral(" (%1)").arg(paint.catalogNumber);
  frame_->Status()->SetCurrentColor(QColor(paint.red, paint.green, paint.blue), text);
}

bool CTessel20App::Dispatch(CommandId id) {
  if (!frame_ || frame_->Busy() || !table_.IsEnabled(id)) return false;
  ++commandSerial_;
  // The panel changes first, then the document steps run.
  if (int stage = StageOfCommand(id); stage >= 0) frame_->ShowStage(stage);
  if (longCommands_.count(id) != 0) {
    RunLong([this, id] { table_.Run(id); });
  } else {
    table_.Run(id);
  }
  AfterCommand();
  return true;
}

void CTessel20App::RunLong(const std::function<void()>& work) {
  try {
    RunLongWork(host_, work);
  } catch (const std::bad_alloc&) {
    host_.Message("Out of memory.", MessageIcon::kError);
  }
}

void CTessel20App::EnterStageOnRequest(int stage) {
  // The document names the stage; the panel follows only while it is shown.
  CommandId command = StageCommand(stage);
  if (command == 0 || env_.app.graph == 0) return;
  Dispatch(command);
}

void CTessel20App::CheckAutoSave() {
  if (!started_ || env_.app.autoSave == 0) return;
  // Never in the middle of long work, a dialog or an open menu.
  if (frame_->Busy() || QApplication::activeModalWidget() != nullptr ||
      QApplication::activePopupWidget() != nullptr) {
    return;
  }
  if (!autoSave_.TakeIfDue(Ticks())) return;
  QStatusBar* status = frame_->statusBar();
  QString previous = status->currentMessage();
  status->showMessage(QString::fromUtf8(kAutoSaveStatus));
  if (doc_->modified) {
    if (!doc_->pathName.empty()) {
      SaveTo(doc_->pathName);
    } else {
      host_.Message(kAutoSaveNoName, MessageIcon::kInformation);
      Dispatch(cmd::kSaveProject);
    }
  }
  status->showMessage(previous);
}

void CTessel20App::Exit() {
  if (exited_ || !started_) return;
  exited_ = true;
  idleTimer_.stop();
  // The palette window keeps its position for the next start.
  if (palette_) palette_->Show(false);
  if (navigator_) navigator_->Show(false);
  if (selection_ && selection_->Window()) selection_->Window()->close();
  env_.app.WriteAll(*settings_);
  recent_.Save(*settings_);
  settings_->Flush();
  acquisition_.reset();
  scanner_->Stop();
}

void CTessel20App::RegisterCommands() {
  RegisterDocumentCommands(table_, *doc_);
  RegisterPatternCommands(table_, *doc_);
  tintara::RegisterPictureCommands(table_, *doc_);
  tintara::RegisterEditingCommands(table_, *doc_);
  RegisterSelectionCommands();
  RegisterDrawingCommands();
  ReplaceDocumentCommands();
  RegisterFileCommands();
  RegisterInterfaceCommands();
  RegisterPictureFileCommands();
  RegisterWizardCommands();
  RegisterAcquisitionCommands();
  print_->Register(table_);
  // Commands that may run the pipeline or a filter.
  longCommands_ = {cmd::kCreateDrawingPattern, cmd::kViewConvertedPicture,
                   cmd::kViewPaintingPattern, cmd::kViewAsColorBlocks, cmd::kStagePattern,
                   cmd::kRemoveSmallAreas, cmd::kMergeSmallAreas};
}

void CTessel20App::RegisterSelectionCommands() {
  tintara::RegisterSelectionCommands(table_, *doc_, selection_->Tool());
  // "Select..." also opens the window that sets the tool's shape.
  const Command* select = table_.Find(cmd::kSelectRegion);
  table_.Add({cmd::kSelectRegion, select->text,
              [this, run = select->run] {
                run();
                selection_->Open();
              },
              select->enabled, {}});
}

}  // namespace tintara
