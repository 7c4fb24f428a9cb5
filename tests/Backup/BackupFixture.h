#pragma once
// A store in a program folder "/prog/" of an in-memory file system with
// strict folders (as a disk has), behind a fault-injecting one, with a clock
// the test moves. Data states are told apart by the bytes of both files.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "Platform/fake/FaultyFileSystem.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "Platform/fake/PowerCutFileSystem.h"
#include "Source/StoreData.h"
#include "tests/Store/StoreFixture.h"

namespace vk::testing {

// Both files of a folder, each as its bytes or nothing.
struct Pair {
  std::optional<std::vector<uint8_t>> Goods, Moves;
  bool Whole() const { return Goods && Moves; }
  bool Empty() const { return !Goods && !Moves; }
  bool operator==(const Pair&) const = default;
};

class BackupBench {
 public:
  platform::MemoryFileSystem memory{platform::MemoryFileSystem::Folders::Strict};
  platform::PowerCutFileSystem power{memory};  // what a power cut would leave of memory
  platform::FaultyFileSystem faulty{power};
  FixedClock clock;
  TStore store{faulty, clock.Clock()};

  static constexpr const char* kProgram = "/prog/";
  static constexpr const char* kData = "/prog/Data";
  static constexpr const char* kHist = "/prog/Hist";
  static constexpr const char* kSafety = "/prog/Hist/0000-00-00";
  static constexpr const char* kTmp = "/prog/Hist/0000-00-00/tmp";

  BackupBench() {
    LoadEnglishTexts();
    memory.CreateFolder("/prog");
    store.SetProgramFolder(kProgram);
  }

  Pair In(const std::string& folder) const { return PairIn(memory, folder); }
  static Pair PairIn(const platform::MemoryFileSystem& disk, const std::string& folder) {
    return {disk.Contents(folder + "/store.dat"), disk.Contents(folder + "/moves.dat")};
  }
  void Put(const std::string& folder, const Pair& pair) {
    if (pair.Goods) memory.SetContents(folder + "/store.dat", *pair.Goods);
    if (pair.Moves) memory.SetContents(folder + "/moves.dat", *pair.Moves);
  }

  // One more product with its delivery: a new, distinct state of Data.
  void AddProduct(const std::string& code) {
    store.AddGoods(code, "Product " + code, "2.50", "4.00", "3", "note " + code);
  }

  // Every file and folder path under the program folder, in order.
  std::vector<std::string> Tree() const {
    std::vector<std::string> tree = memory.FilePaths();
    for (const std::string& folder : memory.FolderPaths()) tree.push_back(folder + "/");
    std::sort(tree.begin(), tree.end());
    return tree;
  }
};

// The common starting point of the restore and save tests: a save folder
// /prog/Save holding one product, the safety copy holding two, Data three;
// the store open on Data.
struct Story {
  Pair Saved, Safety, Current;
};

inline Story TellStory(BackupBench& bench) {
  bench.store.Open(true, "Data");
  bench.AddProduct("A");
  bench.memory.CreateFolder("/prog/Save");
  EXPECT_TRUE(bench.store.SaveTo("/prog/Save"));
  bench.AddProduct("B");
  bench.memory.CreateFolder(BackupBench::kHist);
  bench.memory.CreateFolder(BackupBench::kSafety);
  EXPECT_TRUE(bench.store.SaveTo(BackupBench::kSafety));
  bench.AddProduct("C");
  Story story{bench.In("/prog/Save"), bench.In(BackupBench::kSafety), bench.In(BackupBench::kData)};
  EXPECT_TRUE(story.Saved.Whole() && story.Safety.Whole() && story.Current.Whole());
  EXPECT_NE(story.Saved, story.Safety);
  EXPECT_NE(story.Safety, story.Current);
  return story;
}

inline std::string Describe(const Pair& pair, const Story& story) {
  if (pair == story.Saved) return "the saved pair";
  if (pair == story.Safety) return "the safety pair";
  if (pair == story.Current) return "the current pair";
  if (pair.Empty()) return "nothing";
  return "a mix";
}

}  // namespace vk::testing
