// devices and scan: the scanners and cameras SANE finds, and one picture
// acquired from one of them.
#include <QFile>
#include <cstdio>

#include "cli/scanning.h"
#include "cli/subcommands.h"
#include "platform/picture_files.h"

namespace tintara::cli {

namespace {

// The temporary scan goes whatever happens.
class RemovedFile {
 public:
  explicit RemovedFile(std::string path) : path_(std::move(path)) {}
  ~RemovedFile() { QFile::remove(QString::fromStdString(path_)); }
  RemovedFile(const RemovedFile&) = delete;
  RemovedFile& operator=(const RemovedFile&) = delete;

 private:
  std::string path_;
};

}  // namespace

int RunDevices(Words words) {
  const Subcommand& self = SubcommandNamed("devices");
  ParsedArgs parsed;
  CommonOptions common;
  if (int status = ParseSubcommand(self, words, {}, parsed, common); status >= 0) return status;
  if (!parsed.positional.empty()) return ReportUsage("devices: takes no arguments");
  if (!CliContext::Create(common)) return kExitError;
  SaneScannerLibrary library;
  if (!library.Start()) {
    ReportError("the scanner library (SANE) cannot start");
    return kExitError;
  }
  for (const ScanSource& source : library.Sources()) {
    std::printf("%s\t%s\t%s\t%s\n", source.name.c_str(), source.vendor.c_str(),
                source.model.c_str(), KindWord(KindOfSource(source)));
  }
  return kExitOk;
}

int RunScan(Words words) {
  const Subcommand& self = SubcommandNamed("scan");
  ParsedArgs parsed;
  CommonOptions common;
  if (int status = ParseSubcommand(self, words,
                                   {{"--output", true, "-o"},
                                    {"--device", true},
                                    {"--resolution", true},
                                    {"--mode", true}},
                                   parsed, common);
      status >= 0) {
    return status;
  }
  if (!parsed.positional.empty()) return ReportUsage("scan: takes no arguments besides options");
  std::optional<std::string> output = parsed.Value("--output");
  if (!output) return ReportUsage("scan: -o PICTURE is required");
  ScanRequest request;
  request.device = parsed.Value("--device");
  if (auto text = parsed.Value("--resolution")) {
    request.resolution = ParseInt(*text, 1, 100000);
    if (!request.resolution) return ReportUsage("scan: --resolution takes dots per inch");
  }
  if (auto mode = parsed.Value("--mode")) {
    if (*mode != "color" && *mode != "gray") return ReportUsage("scan: --mode is color or gray");
    request.color = *mode == "color";
  }
  std::unique_ptr<CliContext> context = CliContext::Create(common);
  if (!context || !CheckCanSave(*output)) return kExitError;
  SaneScannerLibrary library;
  std::optional<std::string> scanned = ScanToTemporaryFile(library, request, *context);
  if (!scanned) return kExitError;
  RemovedFile removed(*scanned);
  PictureLoad load = LoadPictureFile(QString::fromStdString(*scanned));
  if (!load.image) {
    ReportError("the scanned picture cannot be read: " + load.error);
    return kExitError;
  }
  std::string error = SavePictureFile(*load.image, QString::fromStdString(*output));
  if (!error.empty()) {
    ReportError(error);
    return kExitError;
  }
  return kExitOk;
}

}  // namespace tintara::cli
