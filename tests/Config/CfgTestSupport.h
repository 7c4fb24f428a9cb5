#pragma once
// Shared set-up of the settings tests: the in-memory files and registry, and
// a scratch folder on the real disk.

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Platform/fake/MemoryRegistry.h"
#include "Platform/fake/MemoryTextFiles.h"
#include "Tools/CfgFile/BaseOptions.h"

namespace vk::testing {

inline const std::string kCfgPath = "C:\\Vorkel\\vorkel.cfg";
inline const std::string kKeyName = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorkel";
inline const std::string kKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorkel";

// Files and registry in memory; waits are counted, not slept.
struct FakeSystem {
  platform::MemoryTextFiles Files;
  platform::MemoryRegistry Registry;
  std::vector<int> Sleeps;

  TOptionsEnvironment Environment(uint32_t codePage = 1251) {
    TOptionsEnvironment env;
    env.Files = &Files;
    env.Registry = &Registry;
    env.FileCodePage = codePage;
    env.Sleep = [this](int ms) { Sleeps.push_back(ms); };
    return env;
  }
  std::string File() const { return Files.Get(kCfgPath).value_or("<missing>"); }
};

// A fresh folder under the system's temporary folder (or VK_SCRATCH_DIR),
// removed at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<int> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const char* scratch = std::getenv("VK_SCRATCH_DIR");
    path_ = (scratch ? std::filesystem::path(scratch) : std::filesystem::temp_directory_path()) /
            ("vkcfg-" + std::to_string(stamp) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string Path(const std::string& name) const { return (path_ / name).string(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
      names.push_back(entry.path().filename().string());
    return names;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace vk::testing
