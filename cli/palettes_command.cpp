// palettes: the brand palette files of the program folder.
#include <QCoreApplication>
#include <cstdio>

#include "cli/subcommands.h"
#include "colors/brand_list.h"

namespace tintara::cli {

int RunPalettes(Words words) {
  const Subcommand& self = SubcommandNamed("palettes");
  ParsedArgs parsed;
  CommonOptions common;
  if (int status = ParseSubcommand(self, words, {}, parsed, common); status >= 0) return status;
  if (!parsed.positional.empty()) return ReportUsage("palettes: takes no arguments");
  // Brands come from the program folder, but a settings file that is not there is still an error.
  if (!CliContext::Create(common)) return kExitError;
  std::string folder = QCoreApplication::applicationDirPath().toStdString() + "/";
  std::vector<BrandListEntry> brands = ListBrands(folder);
  if (brands.empty()) {
    ReportError("no brand palette file (*.dat) in " + folder);
    return kExitError;
  }
  for (const BrandListEntry& brand : brands) {
    std::printf("%s\t%s\t%d\n", brand.path.c_str(), brand.brandName.c_str(), brand.colorCount);
  }
  return kExitOk;
}

}  // namespace tintara::cli
