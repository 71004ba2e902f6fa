#include "cli/cli_context.h"

#include <filesystem>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <cstdio>
#include <thread>

#include <unistd.h>

#include "cli/cli_args.h"
#include "cli/failure_reasons.h"
#include "cli/read_progress_file.h"
#include "document/document_commands.h"
#include "document/pattern_commands.h"
#include "document/pattern_svg_command.h"
#include "document/picture_commands.h"
#include "editing/drawing_commands.h"
#include "editing/editing_commands.h"
#include "editing/selection_commands.h"
#include "imaging/filters/filter_engine.h"
#include "platform/picture_files.h"
#include "platform/private_profile.h"
#include "storage/project_hooks.h"
#include "storage/memory_budget.h"
#include "storage/project_io.h"
#include "storage/settings_keys.h"

namespace tintara::cli {

namespace {

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

// The name's bytes stay as given: through a QString, bytes that are not
// UTF-8 would become other characters, and the file another name.
std::string Absolute(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return (error ? std::filesystem::path(path) : absolute).lexically_normal().string();
}

}  // namespace

void ReportError(const std::string& text) {
  std::fprintf(stderr, "tintara-cli: error: %s\n", OneLine(text).c_str());
}

int ReportUsage(const std::string& text) {
  std::fprintf(stderr, "tintara-cli: %s (see tintara-cli --help)\n", OneLine(text).c_str());
  return kExitUsage;
}

std::unique_ptr<CliContext> CliContext::Create(const CommonOptions& options) {
  std::unique_ptr<QtSettingsStore> store;
  if (options.settingsFile) {
    if (!QFileInfo(QString::fromStdString(*options.settingsFile)).isFile()) {
      ReportError("the settings file " + *options.settingsFile + " does not exist");
      return nullptr;
    }
    store = std::make_unique<QtSettingsStore>(QString::fromStdString(*options.settingsFile));
  } else {
    store = std::make_unique<QtSettingsStore>();
  }
  std::string folder = QCoreApplication::applicationDirPath().toStdString() + "/";
  const std::string refusal = store->RefusalText();
  std::unique_ptr<CliContext> context(new CliContext(options, std::move(store), folder));
  if (!refusal.empty()) context->ui_.StatusNote(refusal);
  return context;
}

namespace {

// A stream on a second descriptor of standard error, unbuffered like stderr
// so that its lines and the error lines keep their order; null on failure.
FILE* OwnStandardError() {
  int descriptor = dup(STDERR_FILENO);
  if (descriptor < 0) return nullptr;
  FILE* stream = fdopen(descriptor, "w");
  if (stream == nullptr) {
    close(descriptor);
    return nullptr;
  }
  std::setvbuf(stream, nullptr, _IONBF, 0);
  return stream;
}

}  // namespace

CliContext::CliContext(const CommonOptions& options, std::unique_ptr<QtSettingsStore> store,
                       std::string programFolder)
    : programFolder_(std::move(programFolder)),
      store_(std::move(store)),
      overlay_(*store_, options.saveSettings),
      saveSettings_(options.saveSettings),
      progressStream_(OwnStandardError(), &std::fclose),
      ui_(&answers_, progressStream_ ? progressStream_.get() : stderr, options.quiet),
      dialogs_(answers_),
      imageFiles_(dialogs_, ui_, [this] { return PictureMemoryBudget(overlay_); }),
      environment_(ui_, dialogs_, overlay_) {
  environment_.programFolder = programFolder_;
}

CliContext::~CliContext() {
  doc_.reset();
  if (filters_) FilterEngine::FreeSite(*filters_);
  if (engineOverlay_) engineOverlay_->Flush();
  overlay_.Flush();
}

void CliContext::ReadApplicationSettings() {
  // As at start-up, without creating the picture folders a shell would use.
  AppSettings& app = environment_.app;
  app.menu = ReadSetting(overlay_, Setting::kInterfaceMenu);
  app.graph = ReadSetting(overlay_, Setting::kInterfaceGraph);
  if (HasSetting(overlay_, Setting::kInterfaceWinInterface)) {
    app.winInterface = ReadSetting(overlay_, Setting::kInterfaceWinInterface);
  }
  app.colorCorrectionPercent = ReadSetting(overlay_, Setting::kColorCorrectionPercent);
  app.colorMatch = ReadSetting(overlay_, Setting::kColorMatch);
  app.page = ReadPageSettings(overlay_);
  app.ReadAfterMainWindow(overlay_);
}

bool CliContext::Start() {
  ReadApplicationSettings();
  InstallProjectHooks(environment_, overlay_);
  QString engineIni = PrivateProfilePath(QString::fromStdString(programFolder_),
                                         QStringLiteral("tintara.INI"));
  engineSettings_ = std::make_unique<QtSettingsStore>(engineIni);
  if (!engineSettings_->RefusalText().empty()) ui_.StatusNote(engineSettings_->RefusalText());
  engineOverlay_ = std::make_unique<OverlaySettingsStore>(*engineSettings_, saveSettings_);
  filters_ = std::make_unique<FilterSite>(ui_, *engineOverlay_, environment_.progress);
  if (!FilterEngine::InitSite(*filters_)) {
    ReportError("the filter engine cannot start");
    return false;
  }
  environment_.filters = filters_.get();
  environment_.textRasterizer = &textRasterizer_;
  std::string error;
  std::string replaced;
  std::optional<CTesselParams> params =
      CTesselParams::Create(overlay_, programFolder_, &error, &replaced);
  if (!params) {
    ReportError(error);
    return false;
  }
  if (!replaced.empty()) ui_.StatusNote(replaced);
  doc_ = std::make_unique<CTessel20Doc>(environment_, std::move(*params));
  RegisterDocumentCommands(commands_, *doc_);
  RegisterPatternCommands(commands_, *doc_);
  RegisterPictureCommands(commands_, *doc_);
  RegisterPatternSvgCommand(commands_, *doc_);
  commands_.Add({cmd::kLoadPicture, "Load picture from disk", [this] { LoadPictureCommand(); },
                 {}, {}});
  RegisterEditingCommands(commands_, *doc_);
  selection_ = std::make_unique<SelectionTool>(*doc_, selectParams_);
  RegisterSelectionCommands(commands_, *doc_, *selection_);
  drawing_ = std::make_unique<DrawingTool>(*doc_);
  RegisterDrawingCommands(commands_, *doc_, *selection_, [this](bool& keepProportions) {
    std::optional<InsertedPictureChoice> choice = dialogs_.ChooseInsertedPicture();
    if (!choice) return ImageRef();
    keepProportions = choice->keepProportions;
    PictureLoad load = LoadPictureFile(choice->path, PictureMemoryBudget(overlay_));
    if (!load.image) ui_.Message(load.error, MessageIcon::kError);
    return load.image;
  });
  return true;
}

std::string CliContext::ShownErrorOr(size_t from, const std::string& fallback) const {
  return ui_.ErrorSince(from).value_or(fallback);
}

bool CliContext::LoadPicture(const std::string& path) {
  const QString name = QString::fromStdString(path);
  ui_.StartOperation("loading " + QFileInfo(name).fileName().toStdString());
  std::string error;
  ImageRef picture = DecodePictureFile(path, error);
  if (!picture) {
    ui_.FinishLine();
    ReportError(error);
    return false;
  }
  if (!doc_->ReplaceWithPicture(picture, kOriginFile, Absolute(path), false)) {
    ui_.FinishLine();
    ReportError("the picture " + path + " cannot be used");
    return false;
  }
  ui_.FinishOperation();
  return true;
}

void CliContext::LoadPictureCommand() {
  std::optional<std::string> path = imageFiles_.ChoosePictureToOpen();
  if (!path) return;
  std::string error;
  ImageRef picture = DecodePictureFile(*path, error);
  if (!picture) {
    ui_.Message(error, MessageIcon::kError);
    return;
  }
  // Declined (the save question cancelled) or told by the document itself.
  doc_->ReplaceWithPicture(picture, kOriginFile, Absolute(*path), false);
}

ImageRef CliContext::DecodePictureFile(const std::string& path, std::string& error) {
  const QString name = QString::fromStdString(path);
  // Decoders read as they decode, so the bytes read tell how far decoding is;
  // turning the decoded picture into the program's own takes the last tenth.
  ReadProgressFile file(path, [this](qint64 read, qint64 size) {
    if (size > 0) ui_.ShowPercent(int(read * 90 / size));
  });
  const uint64_t budget = PictureMemoryBudget(overlay_);
  PictureLoad load = file.OpenForReading()
                         ? LoadPictureDevice(file, QFileInfo(name).fileName(), budget)
                         : LoadPictureFile(path, budget);  // for its message
  if (!load.image) error = load.error;
  return load.image;
}

bool CliContext::AcquirePicture(const std::string& temporaryPath) {
  const QString name = QString::fromStdString(temporaryPath);
  PictureLoad load = LoadPictureFile(name, PictureMemoryBudget(overlay_));
  QFile::remove(name);
  if (!load.image) {
    ReportError("the scanned picture cannot be read: " + load.error);
    return false;
  }
  if (!doc_->ReplaceWithPicture(load.image, kOriginDevice, "", true)) {
    ReportError("the scanned picture cannot be used");
    return false;
  }
  return true;
}

bool CliContext::OpenProjectFile(const std::string& path) {
  size_t from = ui_.messages.size();
  if (OpenProject(*doc_, Absolute(path))) return true;
  ReportError(OpenFailureText(path, ShownErrorOr(from, "")));
  return false;
}

bool CliContext::ReadProjectFile(const std::string& path, ProjectReadResult* read,
                                 unsigned wanted) {
  ProjectReadResult result;
  if (LoadProjectQuietly(*doc_, Absolute(path), &result, wanted)) {
    if (read != nullptr) *read = result;
    return true;
  }
  ReportError(OpenFailureText(path, result.error));
  return false;
}

bool CliContext::SaveProjectFile(const std::string& path, EarlyPictureRecord* early) {
  size_t from = ui_.messages.size();
  ui_.StartOperation("saving " + QFileInfo(QString::fromStdString(path)).fileName().toStdString());
  // Compressing the initial picture is nearly all of a save. Done ahead on
  // another thread, its progress can be shown; the rest takes the last tenth.
  std::unique_ptr<EarlyPictureRecord> own;
  if (early == nullptr && doc_->initialPicture && doc_->initialPicture->Kind() != kKind8Bit) {
    own = std::make_unique<EarlyPictureRecord>(doc_->initialPicture, PictureMemoryBudget(overlay_));
    early = own.get();
  }
  while (early != nullptr && early->Percent() < 100) {
    ui_.ShowPercent(early->Percent() * 9 / 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (SaveProject(*doc_, Absolute(path), early)) {
    ui_.FinishOperation();
    return true;
  }
  ui_.FinishLine();
  ReportError(SaveFailureText(path, ShownErrorOr(from, "")));
  return false;
}

bool CheckCanSave(const std::string& path) {
  std::optional<std::string> obstacle = WriteObstacle(path);
  if (!obstacle) return true;
  ReportError("Cannot save " + path + ": " + *obstacle);
  return false;
}

}  // namespace tintara::cli
