#pragma once
// An in-memory registry for tests: keys are created only by the test, values
// keep their type and bytes, and writes can be made to fail.

#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "Platform/Registry.h"

namespace vk::platform {

class MemoryRegistry final : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenCurrentUserKey(const std::string& path) override;
  // nullptr while creation is refused (FailCreate).
  std::unique_ptr<RegistryKey> CreateCurrentUserKey(const std::string& path) override;
  // False while deletion is refused (FailDelete); keys below go along.
  bool DeleteCurrentUserKey(const std::string& path) override;

  // Test set-up and inspection; paths and names compare without regard to case.
  void CreateKey(const std::string& path);
  bool KeyExists(const std::string& path) const;
  void SetValue(const std::string& path, const std::string& name, RegValue value);
  std::optional<RegValue> Value(const std::string& path, const std::string& name) const;
  // While set, every value write raises EOSError.
  void FailWrites(bool fail);
  // While set, a missing key cannot be created.
  void FailCreate(bool fail);
  // While set, no key can be deleted.
  void FailDelete(bool fail);
  // How often a key was opened (successfully or not).
  int OpenCount() const;

 private:
  friend class MemoryRegistryKey;
  struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  using Values = std::map<std::string, RegValue, NoCase>;

  mutable std::mutex mutex_;
  std::map<std::string, Values, NoCase> keys_;
  bool failWrites_ = false;
  bool failCreate_ = false;
  bool failDelete_ = false;
  int openCount_ = 0;
};

}  // namespace vk::platform
