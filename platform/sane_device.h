// One open SANE device: its options found by name, read and set as numbers
// or strings, closed when the object goes. Every call needs the library
// started (sane_init) and happens on one thread at a time.
#pragma once

#include <sane/sane.h>

#include <optional>
#include <string>
#include <vector>

namespace tintara {

class SaneDevice {
 public:
  SaneDevice() = default;
  ~SaneDevice();
  SaneDevice(const SaneDevice&) = delete;
  SaneDevice& operator=(const SaneDevice&) = delete;

  SANE_Status Open(const std::string& name);
  SANE_Handle Handle() const { return handle_; }

  // The active option of that name, or nothing.
  const SANE_Option_Descriptor* Option(const char* name, int* index = nullptr) const;
  std::optional<double> Number(const char* name) const;
  // A number set through the option's own type (integer or fixed point);
  // false for a value the type cannot hold.
  bool SetNumber(const char* name, double value);
  // Whether the option's constraint (range or list) admits `value`; when it
  // does not, `allowed` says which values it does, e.g. "1 to 1200".
  bool Admits(const char* name, double value, std::string* allowed) const;
  std::optional<std::string> Text(const char* name) const;
  bool SetText(const char* name, const std::string& value);
  bool SetFlag(const char* name, bool value);
  // The strings a string-list option offers.
  std::vector<std::string> Choices(const char* name) const;
  // The lowest and highest value of a numeric option.
  std::optional<std::pair<double, double>> Range(const char* name) const;
  // The step of a range option, 0 when any value in it will do.
  double Step(const char* name) const;
  // The values of a word-list option, or nothing for a range.
  std::vector<double> Values(const char* name) const;

 private:
  SANE_Handle handle_ = nullptr;
};

// Readable words for a SANE status.
std::string SaneStatusText(SANE_Status status);

}  // namespace tintara
