#include "Platform/fake/MemoryRegistry.h"

#include <algorithm>
#include <cctype>

#include "Core/AsciiCase.h"
#include "Core/SysUtils.h"

namespace vk::platform {

bool MemoryRegistry::NoCase::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

class MemoryRegistryKey final : public RegistryKey {
 public:
  MemoryRegistryKey(MemoryRegistry& owner, std::string path) : owner_(owner), path_(std::move(path)) {}

  std::optional<RegValue> ReadValue(const std::string& name) override { return owner_.Value(path_, name); }

  void WriteBinary(const std::string& name, const std::vector<uint8_t>& data) override {
    Write(name, RegValue{RegValueType::Binary, data, {}});
  }

  void WriteString(const std::string& name, const std::string& text) override {
    Write(name, RegValue{RegValueType::String, {}, text});
  }

  void WriteDWord(const std::string& name, uint32_t value) override {
    std::vector<uint8_t> data(4);
    for (int i = 0; i < 4; ++i) data[i] = static_cast<uint8_t>(value >> (8 * i));
    Write(name, RegValue{RegValueType::DWord, data, {}});
  }

 private:
  void Write(const std::string& name, RegValue value) {
    std::lock_guard lock(owner_.mutex_);
    if (owner_.failWrites_) throw EOSError("RegSetValueExW (" + path_ + ", '" + name + "'): Access denied.");
    owner_.keys_[path_][name] = std::move(value);
  }

  MemoryRegistry& owner_;
  std::string path_;
};

std::unique_ptr<RegistryKey> MemoryRegistry::OpenCurrentUserKey(const std::string& path) {
  std::lock_guard lock(mutex_);
  ++openCount_;
  if (!keys_.count(path)) return nullptr;
  return std::make_unique<MemoryRegistryKey>(*this, path);
}

std::unique_ptr<RegistryKey> MemoryRegistry::CreateCurrentUserKey(const std::string& path) {
  std::lock_guard lock(mutex_);
  ++openCount_;
  if (!keys_.count(path)) {
    if (failCreate_) return nullptr;
    keys_[path];
  }
  return std::make_unique<MemoryRegistryKey>(*this, path);
}

bool MemoryRegistry::DeleteCurrentUserKey(const std::string& path) {
  std::lock_guard lock(mutex_);
  if (failDelete_) return false;
  // The key and every key whose path begins with the key's path and a delimiter.
  std::string below = path + "\\";
  std::erase_if(keys_, [&](const auto& key) {
    std::string_view name = key.first;
    return SameTextAscii(name, path) ||
           (name.size() > below.size() && SameTextAscii(name.substr(0, below.size()), below));
  });
  return true;
}

void MemoryRegistry::CreateKey(const std::string& path) {
  std::lock_guard lock(mutex_);
  keys_[path];
}

bool MemoryRegistry::KeyExists(const std::string& path) const {
  std::lock_guard lock(mutex_);
  return keys_.count(path) != 0;
}

void MemoryRegistry::SetValue(const std::string& path, const std::string& name, RegValue value) {
  std::lock_guard lock(mutex_);
  keys_[path][name] = std::move(value);
}

std::optional<RegValue> MemoryRegistry::Value(const std::string& path, const std::string& name) const {
  std::lock_guard lock(mutex_);
  auto key = keys_.find(path);
  if (key == keys_.end()) return std::nullopt;
  auto value = key->second.find(name);
  if (value == key->second.end()) return std::nullopt;
  return value->second;
}

void MemoryRegistry::FailWrites(bool fail) {
  std::lock_guard lock(mutex_);
  failWrites_ = fail;
}

void MemoryRegistry::FailCreate(bool fail) {
  std::lock_guard lock(mutex_);
  failCreate_ = fail;
}

void MemoryRegistry::FailDelete(bool fail) {
  std::lock_guard lock(mutex_);
  failDelete_ = fail;
}

int MemoryRegistry::OpenCount() const {
  std::lock_guard lock(mutex_);
  return openCount_;
}

}  // namespace vk::platform
