// The child of the process test: random stock work on a real data folder,
// step after step, until it is killed. Before each step it logs "b <step>",
// after the step returned "e <step>", each line flushed to the system at
// once (a killed process's writes stay in the system's cache), in
// <program folder>steps.log.
//   StoreKillChild <program folder> <seed> <clock start in days> <steps>
// Exit code: 0 all steps done, 2 wrong arguments, 3 a step failed.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Core/SysUtils.h"
#include "Source/StoreData.h"
#include "Tools/Service/TextConst.h"
#include "tests/Store/RandomWork.h"

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  const std::string folder = argv[1];
  const auto seed = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10));
  vk::TDateTime now = std::strtod(argv[3], nullptr);
  const int steps = std::atoi(argv[4]);
  vk::LoadRussianTexts();
  std::FILE* log = std::fopen((folder + "steps.log").c_str(), "wb");
  if (!log) return 2;
  auto note = [log](char kind, int step) {
    std::fprintf(log, "%c %d\n", kind, step);
    std::fflush(log);
  };
  try {
    vk::TStore store(vk::platform::DefaultFileSystem(), [&now] { return now; });
    store.SetProgramFolder(folder);
    std::string missing;
    store.CheckData(missing, "Data");
    store.Open(false, "Data");
    vk::testing::RandomWork work(store, now, seed);
    for (int step = 1; step <= steps; ++step) {
      note('b', step);
      work.Step();
      note('e', step);
    }
  } catch (const vk::Exception& e) {
    std::fprintf(stderr, "StoreKillChild: %s\n", e.what());
    return 3;
  }
  std::fclose(log);
  return 0;
}
