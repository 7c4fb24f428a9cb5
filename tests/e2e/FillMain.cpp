// VkFill <program folder> small|large: fills the folder's Data through the
// store, for trying the program by hand and for start-up timings, and notes
// in the folder's vorkel.cfg that the data are in code page 1251 (the
// store's own), so the program shows the Cyrillic names on any system.

#include <cstdio>
#include <string>

#include "Platform/Clock.h"
#include "Tools/CfgFile/CfgParams.h"
#include "Tools/CfgFile/Options.h"
#include "tests/e2e/DataFill.h"

int main(int argc, char** argv) {
  if (argc != 3 || (std::string(argv[2]) != "small" && std::string(argv[2]) != "large")) {
    std::fprintf(stderr, "usage: VkFill <program folder> small|large\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '/' && folder.back() != '\\') folder += '/';
  try {
    vk::e2e::FillFolder(folder, std::string(argv[2]) == "large", vk::platform::Now());
    vk::TProgOptions options(folder + vk::kCfgFileName, vk::kUninstallKeyName);
    vk::TCardinalParam(&options, "Language", "BaseCodePage").SetValue(1251);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "VkFill: %s\n", error.what());
    return 1;
  }
  return 0;
}
