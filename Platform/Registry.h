#pragma once
// The current user's registry (HKEY_CURRENT_USER), as far as the settings
// use it: open an existing key, read a value with its type, write binary,
// string and number values. Only the setup program creates a key (its
// uninstall entry); for everyone else a missing key is an answer (nullptr),
// not an error.
//
// Failures of reading or writing a value raise EOSError with the call, the
// key path and the system's text. Paths are relative to HKEY_CURRENT_USER and
// use backslashes, without a leading one (SOFTWARE\Microsoft\...). Names and
// texts are UTF-8.
//
// win32: the real registry. posix: a registry with no keys at all (Linux has
// none); tests use the in-memory registry of Platform/fake/.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vk::platform {

enum class RegValueType {
  String,        // REG_SZ
  ExpandString,  // REG_EXPAND_SZ
  Binary,        // REG_BINARY
  DWord,         // REG_DWORD
  Other,         // any other type
};

struct RegValue {
  RegValueType Type = RegValueType::Binary;
  std::vector<uint8_t> Data;  // the raw bytes, for every type but the strings
  std::string Text;           // the UTF-8 text for String and ExpandString
};

// One open key. Closing is destroying it.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // The value, or nullopt when the key has no value of that name.
  virtual std::optional<RegValue> ReadValue(const std::string& name) = 0;
  // Creates or replaces the value as REG_BINARY.
  virtual void WriteBinary(const std::string& name, const std::vector<uint8_t>& data) = 0;
  // Creates or replaces the value as REG_SZ.
  virtual void WriteString(const std::string& name, const std::string& text) = 0;
  // Creates or replaces the value as REG_DWORD.
  virtual void WriteDWord(const std::string& name, uint32_t value) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens an existing key of HKEY_CURRENT_USER with full access; nullptr when
  // it does not exist or cannot be opened. Never creates the key.
  virtual std::unique_ptr<RegistryKey> OpenCurrentUserKey(const std::string& path) = 0;
  // Opens the key of HKEY_CURRENT_USER with full access, creating it (and
  // the keys above it) when missing; nullptr when that is refused.
  virtual std::unique_ptr<RegistryKey> CreateCurrentUserKey(const std::string& path) = 0;
  // Deletes the key of HKEY_CURRENT_USER with its values and any keys below
  // it (the uninstaller removes its entry). True when the key does not exist
  // afterwards, also when it was missing; false when the system refused.
  virtual bool DeleteCurrentUserKey(const std::string& path) = 0;
};

// The operating system's registry (win32 or posix, chosen by the build).
Registry& DefaultRegistry();

}  // namespace vk::platform
