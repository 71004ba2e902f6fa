#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
    "usage: tintara-cli <command> [options]\n"
    "\n"
    "commands:\n"
    "  create PICTURE -o PROJECT.mop [options]   make a painting pattern from a picture\n"
    "  info PROJECT.mop [--json]                 what a project holds\n"
    "  export PROJECT.mop --initial F --converted F --pattern F --index F\n"
    "  retype PROJECT.mop --type N -o OUT.mop    change the type of colour identification\n"
    "  print PROJECT.mop --what KIND -o OUT.pdf  print pages as PDF\n"
    "  palettes                                  list the brand palettes found\n"
    "  run PROJECT.mop -o OUT.mop [--picture F] [--answers F.json] COMMAND...\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::fputs(kUsage, argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  std::fprintf(stderr, "tintara-cli: unknown command '%s'\n", argv[1]);
  return 2;
}
