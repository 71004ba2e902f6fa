// Saved palette files and the palette part of project files come from
// outside: reading must never fault, and what was read must survive writing
// and reading again unchanged.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "colors/saved_palette.h"
#include "colors/tessel_params.h"
#include "storage/archive.h"

namespace {

void CheckBlock(std::span<const uint8_t> bytes) {
  tintara::ArchiveReader reader(bytes);
  std::vector<tintara::CFlossColor> palette;
  if (!tintara::ReadPaletteBlock(reader, palette)) {
    if (!palette.empty()) __builtin_trap();  // failure leaves the target alone
    return;
  }
  tintara::VectorSink sink;
  tintara::ArchiveWriter writer(sink);
  tintara::WritePaletteBlock(writer, palette);
  tintara::ArchiveReader again(sink.bytes);
  std::vector<tintara::CFlossColor> reread;
  if (!tintara::ReadPaletteBlock(again, reread) || again.Remaining() != 0) __builtin_trap();
  for (size_t i = 0; i < palette.size(); ++i) {
    if (!(reread[i] == palette[i]) || reread[i].paletteIndex != palette[i].paletteIndex) {
      __builtin_trap();
    }
  }
}

void CheckParams(std::span<const uint8_t> bytes) {
  tintara::ArchiveReader reader(bytes);
  tintara::CTesselParams params;
  const tintara::CTesselParams before = params;
  if (!params.Deserialize(reader, "/nonexistent-program-folder/")) {
    if (!(params == before)) __builtin_trap();
    return;
  }
  if (params.workingPalette.size() > size_t(tintara::kMaxWorkingColors)) __builtin_trap();
  tintara::VectorSink sink;
  tintara::ArchiveWriter writer(sink);
  params.Serialize(writer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  CheckBlock(bytes);
  CheckParams(bytes);
  return 0;
}
