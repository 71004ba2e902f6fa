// tintara-cli: the program's work without a display, for scripts and batches.
#include <QGuiApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/subcommands.h"

namespace {

// Qt's own notices would break the one-line error contract on standard error.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) std::fprintf(stderr, "tintara-cli: %s\n", qPrintable(text));
}

void PrintUsage(std::FILE* stream) {
  std::fputs("usage: tintara-cli COMMAND [options]\n\ncommands:\n", stream);
  for (const tintara::cli::Subcommand& command : tintara::cli::Subcommands()) {
    std::fprintf(stream, "  %s\n", command.usage);
  }
  std::fputs("\noptions of every command:\n"
             "  --settings FILE  an INI file with the settings' sections and keys\n"
             "                   (without it, the user's settings)\n"
             "  --save-settings  write back what the commands change in the settings\n"
             "                   (without it they are read and never written)\n"
             "  --quiet          no progress on standard error\n"
             "  --help           the command's usage\n"
             "\nexit status: 0 done, 1 failed (one line on standard error), 2 bad usage\n",
             stream);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tintara::cli;
  std::vector<std::string> words(argv + 1, argv + argc);
  if (words.empty()) {
    PrintUsage(stderr);
    return kExitUsage;
  }
  if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
    PrintUsage(stdout);
    return kExitOk;
  }
  // No display is needed: pictures, fonts and PDF work on the offscreen platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietQtMessages);
  // Qt sees only the program name, so that no word of ours is taken as a Qt option.
  int qtArgc = 1;
  char* qtArgv[] = {argv[0], nullptr};
  QGuiApplication application(qtArgc, qtArgv);

  for (const Subcommand& command : Subcommands()) {
    if (words[0] == command.name) {
      return command.run(Words(words).subspan(1));
    }
  }
  return ReportUsage("unknown command '" + words[0] + "'");
}
