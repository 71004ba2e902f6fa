// Sections and keys of integers and strings, with defaults for missing keys.
#pragma once

#include <string>
#include <string_view>

namespace tintara {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual bool Contains(std::string_view section, std::string_view key) const = 0;
  virtual int ReadInt(std::string_view section, std::string_view key, int defaultValue) const = 0;
  virtual std::string ReadString(std::string_view section, std::string_view key,
                                 const std::string& defaultValue) const = 0;
  virtual void WriteInt(std::string_view section, std::string_view key, int value) = 0;
  virtual void WriteString(std::string_view section, std::string_view key,
                           const std::string& value) = 0;
  virtual void Remove(std::string_view section, std::string_view key) = 0;
  // Makes written values durable.
  virtual void Flush() {}
};

}  // namespace tintara
