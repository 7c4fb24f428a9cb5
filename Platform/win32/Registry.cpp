#include "Platform/Registry.h"

#include <shlwapi.h>
#include <windows.h>

#include <cstring>

#include "Platform/win32/SystemError.h"
#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"

namespace vk::platform {
namespace {

[[noreturn]] void RaiseRegistryError(const char* call, const std::string& path, const std::string& name,
                                     LSTATUS status) {
  RaiseSystemCallError(call, "HKEY_CURRENT_USER\\" + path + ", '" + name + "'", static_cast<DWORD>(status));
}

RegValueType TypeOf(DWORD type) {
  switch (type) {
    case REG_SZ: return RegValueType::String;
    case REG_EXPAND_SZ: return RegValueType::ExpandString;
    case REG_BINARY: return RegValueType::Binary;
    case REG_DWORD: return RegValueType::DWord;
    default: return RegValueType::Other;
  }
}

class Win32RegistryKey final : public RegistryKey {
 public:
  Win32RegistryKey(UniqueRegKey key, std::string path) : key_(std::move(key)), path_(std::move(path)) {}

  std::optional<RegValue> ReadValue(const std::string& name) override {
    std::wstring wideName = Utf8ToWide(name);
    DWORD type = 0, size = 0;
    LSTATUS status = RegQueryValueExW(key_.Get(), wideName.c_str(), /*reserved=*/nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (status != ERROR_SUCCESS) RaiseRegistryError("RegQueryValueExW", path_, name, status);
    std::vector<uint8_t> data(size);
    // The value may change between the two calls; the second one says how much it wrote.
    status = RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, &type, data.data(), &size);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (status != ERROR_SUCCESS) RaiseRegistryError("RegQueryValueExW", path_, name, status);
    data.resize(size);
    RegValue value;
    value.Type = TypeOf(type);
    if (value.Type == RegValueType::String || value.Type == RegValueType::ExpandString) {
      std::wstring text(data.size() / sizeof(wchar_t), L'\0');
      if (!text.empty()) memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
      // Stored strings usually carry their terminating zero; the text ends before it.
      size_t end = text.find(L'\0');
      if (end != std::wstring::npos) text.resize(end);
      value.Text = WideToUtf8(text);
    } else {
      value.Data = std::move(data);
    }
    return value;
  }

  void WriteBinary(const std::string& name, const std::vector<uint8_t>& data) override {
    LSTATUS status = RegSetValueExW(key_.Get(), Utf8ToWide(name).c_str(), /*reserved=*/0, REG_BINARY, data.data(),
                                    static_cast<DWORD>(data.size()));
    if (status != ERROR_SUCCESS) RaiseRegistryError("RegSetValueExW", path_, name, status);
  }

  void WriteString(const std::string& name, const std::string& text) override {
    std::wstring wide = Utf8ToWide(text);
    LSTATUS status = RegSetValueExW(key_.Get(), Utf8ToWide(name).c_str(), /*reserved=*/0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(wide.c_str()),
                                    static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) RaiseRegistryError("RegSetValueExW", path_, name, status);
  }

  void WriteDWord(const std::string& name, uint32_t value) override {
    DWORD data = value;
    LSTATUS status = RegSetValueExW(key_.Get(), Utf8ToWide(name).c_str(), /*reserved=*/0, REG_DWORD,
                                    reinterpret_cast<const BYTE*>(&data), sizeof(data));
    if (status != ERROR_SUCCESS) RaiseRegistryError("RegSetValueExW", path_, name, status);
  }

 private:
  UniqueRegKey key_;
  std::string path_;
};

class Win32Registry final : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenCurrentUserKey(const std::string& path) override {
    UniqueRegKey key;
    LSTATUS status =
        RegOpenKeyExW(HKEY_CURRENT_USER, Utf8ToWide(path).c_str(), /*options=*/0, KEY_ALL_ACCESS, key.Put());
    if (status != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegistryKey>(std::move(key), path);
  }

  std::unique_ptr<RegistryKey> CreateCurrentUserKey(const std::string& path) override {
    UniqueRegKey key;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, Utf8ToWide(path).c_str(), /*reserved=*/0, /*class=*/nullptr,
                                     REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, /*security=*/nullptr, key.Put(),
                                     /*disposition=*/nullptr);
    if (status != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegistryKey>(std::move(key), path);
  }

  bool DeleteCurrentUserKey(const std::string& path) override {
    // SHDeleteKeyW takes the keys below along (RegDeleteTreeW needs Vista).
    LSTATUS status = SHDeleteKeyW(HKEY_CURRENT_USER, Utf8ToWide(path).c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }
};

}  // namespace

Registry& DefaultRegistry() {
  static Win32Registry registry;
  return registry;
}

}  // namespace vk::platform
