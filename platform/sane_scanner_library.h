// The scanner library on SANE: its devices are the sources, their options
// the scan settings, and a scan is written as a PNG file.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "ports/scanner_library.h"

namespace tintara {

class SaneDevice;

class SaneScannerLibrary : public ScannerLibrary {
 public:
  SaneScannerLibrary() = default;
  ~SaneScannerLibrary() override;

  bool Start() override;
  void Stop() override;
  bool Busy() const override { return busy_.load(); }

  bool FirstSource(std::string& name) override;
  bool NextSource(std::string& name) override;
  std::vector<ScanSource> Sources() override;

  std::optional<ScanCapabilities> Capabilities(const std::string& name,
                                               std::string* error) override;
  ScanOutcome Scan(const std::string& name, const ScanOptions& options,
                   const std::string& folder, const ScanProgress& progress) override;

 private:
  // The devices as SANE lists them now (the last list while a scan runs).
  std::vector<ScanSource> ListDevices();
  ScanOutcome ReadPicture(SaneDevice& device, const std::string& name, int resolution, const std::string& folder,
                          const ScanProgress& progress);

  std::mutex mutex_;  // one SANE call at a time
  std::atomic<bool> busy_{false};
  bool started_ = false;
  std::vector<ScanSource> sources_;
  size_t nextSource_ = 0;
};

}  // namespace tintara
