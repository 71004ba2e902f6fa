// Parameter texts and format lists of the filter wrappers. The input is the
// format list, a newline, then the parameter text; the text is parsed on its
// own and then handed to every tool that stays cheap on a tiny picture.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/filters/apply_tool.h"
#include "imaging/filters/filter_engine.h"
#include "imaging/filters/parameter_text.h"
#include "ports/scripted_ui_host.h"

namespace {

class NoSettings : public tintara::SettingsStore {
 public:
  bool Contains(std::string_view, std::string_view) const override { return false; }
  int ReadInt(std::string_view, std::string_view, int fallback) const override { return fallback; }
  std::string ReadString(std::string_view, std::string_view,
                         const std::string& fallback) const override {
    return fallback;
  }
  void WriteInt(std::string_view, std::string_view, int) override {}
  void WriteString(std::string_view, std::string_view, const std::string&) override {}
  void Remove(std::string_view, std::string_view) override {}
};

// A requested size the resize tool would take long to fill.
bool IsLargeResize(std::string_view text, std::string_view formats) {
  auto values = tintara::ParseParameterText(text, formats);
  if (!values || values->empty()) return false;
  const tintara::Point* size = std::get_if<tintara::Point>(&values->front());
  return size != nullptr && (size->x > 64 || size->y > 64);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t newline = input.find('\n');
  std::string_view formats =
      newline == std::string_view::npos ? "%d,%d,%d,%d" : input.substr(0, newline);
  std::string_view text = newline == std::string_view::npos ? input : input.substr(newline + 1);

  tintara::SplitParameterEntries(text);
  tintara::ParseParameterText(text, formats);

  static tintara::ScriptedUiHost host;
  static NoSettings settings;
  static tintara::ProgressCounters counters;
  static tintara::FilterSite site(host, settings, counters);
  static bool started = tintara::FilterEngine::InitSite(site);
  if (!started) return 0;
  host.messages.clear();

  tintara::ImageRef picture = tintara::ImageBuffer::Create(tintara::kKindRgb24, 8, 6);
  for (const char* tool : {"graham_filt", "median_filt", "sharp_filt", "smooth_simp"}) {
    tintara::ApplyToolInPlace(site, tool, picture, text, formats);
  }
  tintara::ImageRef result;
  tintara::ApplyToolNewImage(site, "ImageRotate", picture, result, text, formats);
  if (!IsLargeResize(text, formats)) {
    tintara::ApplyToolNewImage(site, "Change_Size", picture, result, text, formats);
  }
  return 0;
}
