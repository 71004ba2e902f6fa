#include "ports/scanner_library.h"

#include <algorithm>
#include <cctype>

namespace tintara {

namespace {

bool Mentions(std::string text, const char* word) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text.find(word) != std::string::npos;
}

}  // namespace

DeviceKind KindOfSource(const ScanSource& source) {
  if (Mentions(source.type, "camera") || Mentions(source.type, "webcam")) return DeviceKind::kCamera;
  if (Mentions(source.type, "scanner")) return DeviceKind::kScanner;
  return DeviceKind::kOther;
}

const char* KindWord(DeviceKind kind) {
  switch (kind) {
    case DeviceKind::kScanner: return "scanner";
    case DeviceKind::kCamera: return "camera";
    case DeviceKind::kOther: break;
  }
  return "other";
}

std::vector<std::string> SourceNames(ScannerLibrary& library) {
  std::vector<std::string> names;
  std::string name;
  for (bool more = library.FirstSource(name); more; more = library.NextSource(name)) {
    names.push_back(name);
  }
  return names;
}

bool HasSource(ScannerLibrary& library, const std::string& name) {
  std::string source;
  for (bool more = library.FirstSource(source); more; more = library.NextSource(source)) {
    if (source == name) return true;
  }
  return false;
}

}  // namespace tintara
