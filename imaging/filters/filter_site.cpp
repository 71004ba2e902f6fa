#include "imaging/filters/filter_site.h"

namespace tintara {

FilterSite::FilterSite(UiHost& host, SettingsStore& settings, ProgressCounters& counters)
    : host_(host), settings_(settings), counters_(counters) {}

void FilterSite::ShowMessage(const std::string& text, const std::string& caption) {
  if (ErrorsFrozen()) return;
  MessageRequest request;
  request.text = text;
  request.caption = caption;
  request.buttons = MessageButtons::kOk;
  request.icon = MessageIcon::kError;
  host_.ShowMessage(request);
}

void FilterSite::ProgressBegin() { host_.ProgressBegin(counters_); }

bool FilterSite::ProgressStep(int current, int total) {
  return host_.ProgressStep(counters_, current, total);
}

void FilterSite::ProgressEnd() { host_.ProgressEnd(counters_); }

int FilterSite::ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
  return settings_.ReadInt(section, key, defaultValue);
}

std::string FilterSite::ReadString(std::string_view section, std::string_view key,
                                   const std::string& defaultValue) const {
  return settings_.ReadString(section, key, defaultValue);
}

void FilterSite::WriteInt(std::string_view section, std::string_view key, int value) {
  settings_.WriteString(section, key, std::to_string(value));
}

void FilterSite::WriteString(std::string_view section, std::string_view key,
                             const std::string& value) {
  settings_.WriteString(section, key, value);
}

}  // namespace tintara
