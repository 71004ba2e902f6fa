// The host side of the filter engine: what the engine and its tools may ask of
// the application (messages, the progress indicator, the engine's own settings
// file) and the engine's state for that application (its registered tools and
// its error state). The application owns one site for its whole life.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ports/settings_store.h"
#include "ports/ui_host.h"

namespace tintara {

class FilterTool;
using ToolFactory = std::unique_ptr<FilterTool> (*)();

class FilterSite {
 public:
  // `settings` is the engine's own INI file; `counters` are the application's
  // step counters that the progress indicator reads.
  FilterSite(UiHost& host, SettingsStore& settings, ProgressCounters& counters);
  FilterSite(const FilterSite&) = delete;
  FilterSite& operator=(const FilterSite&) = delete;

  UiHost& Host() { return host_; }
  bool IsReady() const { return ready_; }

  // A message box with an OK button; shows nothing while errors are frozen.
  void ShowMessage(const std::string& text, const std::string& caption);

  // The progress indicator. Step is true when the user cancelled.
  void ProgressBegin();
  bool ProgressStep(int current, int total);
  void ProgressEnd();

  // The engine's settings file, by section and key; integers are written as
  // decimal text.
  int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& defaultValue) const;
  void WriteInt(std::string_view section, std::string_view key, int value);
  void WriteString(std::string_view section, std::string_view key, const std::string& value);

  bool ErrorsFrozen() const { return freezeDepth_ > 0; }
  // How the last wrapper call ended: 0, a failure status, or kStatusCancelled.
  int LastStatus() const { return lastStatus_; }
  void SetLastStatus(int status) { lastStatus_ = status; }

 private:
  friend class FilterEngine;
  struct ToolEntry {
    std::string name;
    ToolFactory make;
  };

  UiHost& host_;
  SettingsStore& settings_;
  ProgressCounters& counters_;
  bool ready_ = false;
  int freezeDepth_ = 0;
  int lastStatus_ = 0;
  std::string errorText_;
  std::vector<ToolEntry> tools_;  // a tool's id is its position + 1
};

// Begins the progress indicator and ends it on every way out.
class ProgressScope {
 public:
  explicit ProgressScope(FilterSite& site) : site_(site) { site_.ProgressBegin(); }
  ~ProgressScope() { site_.ProgressEnd(); }
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;

 private:
  FilterSite& site_;
};

}  // namespace tintara
