// VkFill <program folder> [small|large]: prepares a program folder for
// trying the program by hand and for start-up timings. A folder without
// settings gets them as the setup program writes them (no password, the
// version check done today); with small or large, Data is filled through the
// store and the settings note that the data are in code page 1251 (the
// store's own), so the Cyrillic names show on any system.

#include <cstdio>
#include <string>

#include "Platform/Clock.h"
#include "Platform/File.h"
#include "Tools/CfgFile/CfgParams.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Security/Password.h"
#include "tests/e2e/DataFill.h"

int main(int argc, char** argv) {
  const std::string size = argc == 3 ? argv[2] : "";
  if (argc < 2 || argc > 3 || (argc == 3 && size != "small" && size != "large")) {
    std::fprintf(stderr, "usage: VkFill <program folder> [small|large]\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '/' && folder.back() != '\\') folder += '/';
  try {
    const std::string cfg = folder + vk::kCfgFileName;
    const bool fresh = !vk::platform::DefaultFileSystem().FileExists(cfg);
    vk::TProgOptions options(cfg, vk::kUninstallKeyName);
    if (fresh) {
      vk::TPass pass(&options);
      if (!pass.SetPassword("")) throw vk::Exception("cannot write " + cfg);
      options.SetTestDate(vk::platform::Now());
    }
    if (!size.empty()) {
      vk::e2e::FillFolder(folder, size == "large", vk::platform::Now());
      vk::TCardinalParam(&options, "Language", "BaseCodePage").SetValue(1251);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "VkFill: %s\n", error.what());
    return 1;
  }
  return 0;
}
