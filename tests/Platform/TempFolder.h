#pragma once
// A fresh folder under the system's temporary folder, removed with its files
// at the end of the test. Paths come out as UTF-8, as the file interface takes.

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace vk::platform::test {

inline std::string ToUtf8(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

inline std::filesystem::path FromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    for (;;) {
      folder_ = std::filesystem::temp_directory_path() / ("vk-platform-" + std::to_string(random()));
      if (std::filesystem::create_directory(folder_)) break;
    }
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(const std::string& name) const { return ToUtf8(folder_ / FromUtf8(name)); }
  const std::filesystem::path& Folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

}  // namespace vk::platform::test
