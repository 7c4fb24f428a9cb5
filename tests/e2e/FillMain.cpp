// VkFill <program folder> small|large: fills the folder's Data through the
// store, for trying the program by hand and for start-up timings.

#include <cstdio>
#include <string>

#include "Platform/Clock.h"
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
  } catch (const std::exception& error) {
    std::fprintf(stderr, "VkFill: %s\n", error.what());
    return 1;
  }
  return 0;
}
