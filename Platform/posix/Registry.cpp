#include "Platform/Registry.h"

namespace vk::platform {
namespace {

// Linux has no registry: every key is missing, so the settings skip it.
class NoRegistry final : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenCurrentUserKey(const std::string&) override { return nullptr; }
  std::unique_ptr<RegistryKey> CreateCurrentUserKey(const std::string&) override { return nullptr; }
  bool DeleteCurrentUserKey(const std::string&) override { return true; }
};

}  // namespace

Registry& DefaultRegistry() {
  static NoRegistry registry;
  return registry;
}

}  // namespace vk::platform
