#include "platform/sane_scanner_library.h"

#include <sane/saneopts.h>

#include <QImageWriter>
#include <QTemporaryFile>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "platform/sane_device.h"
#include "platform/sane_frames.h"

namespace tintara {

namespace {

constexpr int kCommonResolutions[] = {50, 75, 100, 150, 200, 300, 400, 600, 1200, 2400, 4800};

// Marks the library busy for as long as the guard lives.
class BusyGuard {
 public:
  explicit BusyGuard(std::atomic<bool>& busy) : busy_(busy) { busy_ = true; }
  ~BusyGuard() { busy_ = false; }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

 private:
  std::atomic<bool>& busy_;
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool IsColorMode(const std::string& mode) { return Lower(mode).find("color") != std::string::npos; }
bool IsGrayMode(const std::string& mode) {
  std::string lower = Lower(mode);
  return lower.find("gray") != std::string::npos || lower.find("grey") != std::string::npos;
}

// The device's word for colour or grey; "" when it offers none.
std::string PickMode(const std::vector<std::string>& choices, bool color) {
  for (const std::string& choice : choices) {
    if (color ? IsColorMode(choice) : IsGrayMode(choice)) return choice;
  }
  return "";
}

ScanOutcome Failure(ScanEnd end, std::string message) { return {end, "", std::move(message), ""}; }

ScanOutcome StatusFailure(SANE_Status status, const std::string& name) {
  switch (status) {
    case SANE_STATUS_CANCELLED: return Failure(ScanEnd::kCancelled, "The scan was cancelled.");
    case SANE_STATUS_IO_ERROR:
      return Failure(ScanEnd::kDeviceGone,
                     "The device " + name + " stopped answering during the scan.");
    default:
      return Failure(ScanEnd::kFailed,
                     "Scanning from " + name + " failed: " + SaneStatusText(status) + ".");
  }
}

// Sets the resolution asked for. A value the device does not offer is
// refused, naming what it offers; one it rounds is told in `note`.
std::optional<ScanOutcome> ApplyResolution(SaneDevice& device, const std::string& name,
                                           int resolution, std::string& note) {
  std::string allowed;
  if (!device.Admits(SANE_NAME_SCAN_RESOLUTION, resolution, &allowed)) {
    return Failure(ScanEnd::kFailed, "The device " + name + " scans at " + allowed +
                                         " dpi, not at " + std::to_string(resolution) + " dpi.");
  }
  if (!device.SetNumber(SANE_NAME_SCAN_RESOLUTION, resolution)) {
    return Failure(ScanEnd::kFailed, "The device " + name + " did not take the resolution " +
                                         std::to_string(resolution) + " dpi.");
  }
  const double used = device.Number(SANE_NAME_SCAN_RESOLUTION).value_or(resolution);
  if (std::abs(used - resolution) >= 0.005) {
    char text[160];
    std::snprintf(text, sizeof text, "The device %s scans at %g dpi instead of the %d dpi asked for.",
                  name.c_str(), used, resolution);
    note = text;
  }
  return std::nullopt;
}

std::optional<ScanOutcome> ApplyOptions(SaneDevice& device, const std::string& name,
                                        const ScanOptions& options, std::string& note) {
  // The mode first: it may change what the other options allow.
  std::string mode = PickMode(device.Choices(SANE_NAME_SCAN_MODE), options.color);
  if (!mode.empty()) device.SetText(SANE_NAME_SCAN_MODE, mode);
  if (options.resolution > 0 && device.Option(SANE_NAME_SCAN_RESOLUTION) != nullptr) {
    if (auto refused = ApplyResolution(device, name, options.resolution, note)) return refused;
  }
  const ScanArea& area = options.area;
  if (area.width > 0 && area.height > 0) {
    device.SetNumber(SANE_NAME_SCAN_TL_X, area.left);
    device.SetNumber(SANE_NAME_SCAN_TL_Y, area.top);
    device.SetNumber(SANE_NAME_SCAN_BR_X, area.left + area.width);
    device.SetNumber(SANE_NAME_SCAN_BR_Y, area.top + area.height);
  }
  device.SetFlag(SANE_NAME_PREVIEW, options.preview);
  return std::nullopt;
}

int FramesOf(const SANE_Parameters& parameters) {
  return parameters.format == SANE_FRAME_GRAY || parameters.format == SANE_FRAME_RGB ? 1 : 3;
}

// Writes the picture as a new PNG file in `folder`; "" on failure.
std::string WritePicture(QImage image, int resolution, const std::string& folder) {
  if (resolution > 0) {
    const int perMetre = static_cast<int>(resolution / 0.0254 + 0.5);
    image.setDotsPerMeterX(perMetre);
    image.setDotsPerMeterY(perMetre);
  }
  QTemporaryFile file(QString::fromStdString(folder) + "/scan-XXXXXX.png");
  file.setAutoRemove(false);
  if (!file.open()) return "";
  QImageWriter writer(&file, "png");
  if (!writer.write(image) || !file.flush()) {
    file.remove();
    return "";
  }
  return file.fileName().toStdString();
}

}  // namespace

SaneScannerLibrary::~SaneScannerLibrary() { Stop(); }

bool SaneScannerLibrary::Start() {
  std::lock_guard lock(mutex_);
  if (started_) return true;
  SANE_Int version = 0;
  started_ = sane_init(&version, nullptr) == SANE_STATUS_GOOD;
  return started_;
}

void SaneScannerLibrary::Stop() {
  std::lock_guard lock(mutex_);
  if (!started_) return;
  sane_exit();
  started_ = false;
}

std::vector<ScanSource> SaneScannerLibrary::ListDevices() {
  std::unique_lock lock(mutex_, std::try_to_lock);
  if (!lock.owns_lock() || !started_) return sources_;  // a scan holds the library
  const SANE_Device** devices = nullptr;
  if (sane_get_devices(&devices, SANE_FALSE) != SANE_STATUS_GOOD || devices == nullptr) {
    sources_.clear();
    return sources_;
  }
  std::vector<ScanSource> found;
  for (const SANE_Device** device = devices; *device != nullptr; ++device) {
    auto text = [](const char* value) { return std::string(value != nullptr ? value : ""); };
    found.push_back({text((*device)->name), text((*device)->vendor), text((*device)->model),
                     text((*device)->type)});
  }
  sources_ = std::move(found);
  return sources_;
}

bool SaneScannerLibrary::FirstSource(std::string& name) {
  ListDevices();
  nextSource_ = 0;
  return NextSource(name);
}

bool SaneScannerLibrary::NextSource(std::string& name) {
  if (nextSource_ >= sources_.size()) return false;
  name = sources_[nextSource_++].name;
  return true;
}

std::vector<ScanSource> SaneScannerLibrary::Sources() { return ListDevices(); }

std::optional<ScanCapabilities> SaneScannerLibrary::Capabilities(const std::string& name,
                                                                 std::string* error) {
  std::unique_lock lock(mutex_, std::try_to_lock);
  if (!lock.owns_lock()) {
    if (error != nullptr) *error = "The device is busy with another scan.";
    return std::nullopt;
  }
  SaneDevice device;
  if (SANE_Status status = started_ ? device.Open(name) : SANE_STATUS_INVAL;
      status != SANE_STATUS_GOOD) {
    if (error != nullptr) *error = "Cannot open " + name + ": " + SaneStatusText(status) + ".";
    return std::nullopt;
  }
  ScanCapabilities offered;
  if (auto range = device.Range(SANE_NAME_SCAN_RESOLUTION)) {
    offered.minResolution = static_cast<int>(range->first + 0.5);
    offered.maxResolution = static_cast<int>(range->second + 0.5);
    for (double value : device.Values(SANE_NAME_SCAN_RESOLUTION)) {
      offered.resolutions.push_back(static_cast<int>(value + 0.5));
    }
    if (offered.resolutions.empty()) {
      // Only values on the range's steps: any other the device would round.
      const double step = device.Step(SANE_NAME_SCAN_RESOLUTION);
      for (int value : kCommonResolutions) {
        const double steps = step > 0 ? (value - range->first) / step : 0;
        if (value >= offered.minResolution && value <= offered.maxResolution &&
            std::abs(steps - std::round(steps)) < 1e-6) {
          offered.resolutions.push_back(value);
        }
      }
    }
  }
  std::vector<std::string> modes = device.Choices(SANE_NAME_SCAN_MODE);
  offered.hasColor = !PickMode(modes, true).empty();
  offered.hasGray = !PickMode(modes, false).empty();
  if (auto x = device.Range(SANE_NAME_SCAN_BR_X), y = device.Range(SANE_NAME_SCAN_BR_Y); x && y) {
    offered.maxWidth = x->second;
    offered.maxHeight = y->second;
  }
  offered.hasPreview = device.Option(SANE_NAME_PREVIEW) != nullptr;

  ScanOptions& now = offered.defaults;
  now.resolution = static_cast<int>(device.Number(SANE_NAME_SCAN_RESOLUTION).value_or(0) + 0.5);
  if (now.resolution < offered.minResolution || now.resolution > offered.maxResolution) {
    // A device that reports a value outside its own range: offer a modest one.
    auto modest = std::lower_bound(offered.resolutions.begin(), offered.resolutions.end(), 75);
    now.resolution = modest != offered.resolutions.end() ? *modest : offered.minResolution;
  }
  if (now.resolution > 0 &&
      std::find(offered.resolutions.begin(), offered.resolutions.end(), now.resolution) ==
          offered.resolutions.end()) {
    offered.resolutions.insert(
        std::upper_bound(offered.resolutions.begin(), offered.resolutions.end(), now.resolution),
        now.resolution);
  }
  std::string mode = device.Text(SANE_NAME_SCAN_MODE).value_or("");
  now.color = mode.empty() ? offered.hasColor : IsColorMode(mode);
  if (offered.maxWidth > 0) {
    double left = device.Number(SANE_NAME_SCAN_TL_X).value_or(0);
    double top = device.Number(SANE_NAME_SCAN_TL_Y).value_or(0);
    now.area = {left, top, device.Number(SANE_NAME_SCAN_BR_X).value_or(0) - left,
                device.Number(SANE_NAME_SCAN_BR_Y).value_or(0) - top};
  }
  return offered;
}

ScanOutcome SaneScannerLibrary::Scan(const std::string& name, const ScanOptions& options,
                                     const std::string& folder, const ScanProgress& progress) {
  std::lock_guard lock(mutex_);
  BusyGuard busy(busy_);
  if (!started_) return Failure(ScanEnd::kFailed, "The scanner library is not running.");
  SaneDevice device;
  if (SANE_Status status = device.Open(name); status != SANE_STATUS_GOOD) {
    if (status == SANE_STATUS_INVAL) {
      return Failure(ScanEnd::kNotFound, "The device " + name + " was not found.");
    }
    return StatusFailure(status, name);
  }
  std::string note;
  if (std::optional<ScanOutcome> refused = ApplyOptions(device, name, options, note)) {
    return *refused;
  }
  const int resolution =
      static_cast<int>(device.Number(SANE_NAME_SCAN_RESOLUTION).value_or(0) + 0.5);
  ScanOutcome outcome = ReadPicture(device, name, resolution, folder, progress);
  if (outcome.end == ScanEnd::kDone) outcome.note = std::move(note);
  return outcome;
}

ScanOutcome SaneScannerLibrary::ReadPicture(SaneDevice& device, const std::string& name,
                                            int resolution,
                                            const std::string& folder,
                                            const ScanProgress& progress) {
  SANE_Handle handle = device.Handle();
  SaneFrameAssembler assembler;
  std::vector<uint8_t> buffer(64 * 1024);
  for (int frame = 0;; ++frame) {
    if (SANE_Status status = sane_start(handle); status != SANE_STATUS_GOOD) {
      sane_cancel(handle);
      return StatusFailure(status, name);
    }
    SANE_Parameters parameters{};
    if (SANE_Status status = sane_get_parameters(handle, &parameters); status != SANE_STATUS_GOOD) {
      sane_cancel(handle);
      return StatusFailure(status, name);
    }
    const int64_t frameBytes =
        parameters.lines > 0 ? int64_t{parameters.bytes_per_line} * parameters.lines : 0;
    const int64_t totalBytes = frameBytes * FramesOf(parameters);
    std::vector<uint8_t> bytes;
    for (;;) {
      SANE_Int length = 0;
      SANE_Status status =
          sane_read(handle, buffer.data(), static_cast<SANE_Int>(buffer.size()), &length);
      if (status == SANE_STATUS_EOF) break;
      if (status != SANE_STATUS_GOOD) {
        sane_cancel(handle);
        return StatusFailure(status, name);
      }
      bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + length);
      const int64_t done = frameBytes * frame + static_cast<int64_t>(bytes.size());
      const int percent =
          totalBytes > 0 ? static_cast<int>(std::min<int64_t>(done * 100 / totalBytes, 100)) : 0;
      if (progress && !progress(percent)) {
        sane_cancel(handle);
        return Failure(ScanEnd::kCancelled, "The scan was cancelled.");
      }
    }
    if (!assembler.AddFrame(parameters, bytes)) {
      sane_cancel(handle);
      return Failure(ScanEnd::kFailed,
                     "The device " + name + " sent a picture this program cannot read.");
    }
    if (parameters.last_frame || frame >= 2) break;
  }
  sane_cancel(handle);
  std::string path = WritePicture(assembler.Result(), resolution, folder);
  if (path.empty()) {
    return Failure(ScanEnd::kFailed, "Cannot write the scanned picture into " + folder + ".");
  }
  return {ScanEnd::kDone, path, "", ""};
}

}  // namespace tintara
