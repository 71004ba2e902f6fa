// Scanners and cameras as the program sees them: start and stop, whether an
// acquisition is under way, the sources one after the other, what a source
// offers, and one scan into a picture file. The scan itself runs on the
// caller's thread; the shell puts it on a worker thread.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tintara {

// The three kinds of device the user names a source for.
enum class DeviceKind { kScanner = 0, kCamera = 1, kOther = 2 };

struct ScanSource {
  std::string name;    // what the settings store and the lists show
  std::string vendor;
  std::string model;
  std::string type;    // the library's own word: "flatbed scanner", "still camera", ...
};

// The kind a source's type word suggests.
DeviceKind KindOfSource(const ScanSource& source);
// "scanner", "camera" or "other".
const char* KindWord(DeviceKind kind);

// Millimetres from the top-left corner of what the device can scan.
struct ScanArea {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  friend bool operator==(const ScanArea&, const ScanArea&) = default;
};

struct ScanOptions {
  int resolution = 0;  // dots per inch; 0 keeps the device's own
  bool color = true;   // colour or grey
  ScanArea area;       // all zero: the device's whole area
  bool preview = false;
  friend bool operator==(const ScanOptions&, const ScanOptions&) = default;
};

// What a source offers, for its options dialog.
struct ScanCapabilities {
  int minResolution = 0;
  int maxResolution = 0;
  std::vector<int> resolutions;  // the values to offer, ascending
  bool hasColor = false;
  bool hasGray = false;
  double maxWidth = 0;   // millimetres; 0 when the area cannot be chosen
  double maxHeight = 0;
  bool hasPreview = false;
  ScanOptions defaults;  // what the device is set to when opened
};

enum class ScanEnd { kDone, kCancelled, kDeviceGone, kNotFound, kFailed };

struct ScanOutcome {
  ScanEnd end = ScanEnd::kFailed;
  std::string path;     // the picture file when done
  std::string message;  // what to tell the user otherwise
  std::string note;     // when done: what the device changed of what was asked
};

// Called with 0..100 while the picture comes in; false asks to cancel.
using ScanProgress = std::function<bool(int percent)>;

class ScannerLibrary {
 public:
  virtual ~ScannerLibrary() = default;

  // Once at start-up and once at exit.
  virtual bool Start() = 0;
  virtual void Stop() = 0;
  // True while a scan is under way on any thread.
  virtual bool Busy() const = 0;

  // The sources in the library's order: the first, then the next until false.
  virtual bool FirstSource(std::string& name) = 0;
  virtual bool NextSource(std::string& name) = 0;
  // Every source with its vendor, model and type.
  virtual std::vector<ScanSource> Sources() = 0;

  // Nothing, with `error` set, when the source cannot be opened.
  virtual std::optional<ScanCapabilities> Capabilities(const std::string& name,
                                                       std::string* error) = 0;
  // Scans one picture from `name` into a new PNG file in `folder`.
  virtual ScanOutcome Scan(const std::string& name, const ScanOptions& options,
                           const std::string& folder, const ScanProgress& progress) = 0;
};

// Every source name, FirstSource then NextSource.
std::vector<std::string> SourceNames(ScannerLibrary& library);
// Whether `name` is among the sources (exact comparison).
bool HasSource(ScannerLibrary& library, const std::string& name);

}  // namespace tintara
