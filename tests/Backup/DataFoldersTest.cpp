// Checking, opening, the daily copy, saving and restoring, over an in-memory
// disk: what each leaves in Data, Hist and the chosen folder, and where the
// tables stand afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "tests/Backup/BackupFixture.h"

namespace vk {
namespace {

using testing::At;
using testing::BackupBench;
using testing::Describe;
using testing::ExpectConsistent;
using testing::Pair;
using testing::Story;
using testing::TellStory;

// Where both tables stand: their orders and current records.
struct Place {
  std::string GoodsIndex;
  int32_t GoodsId;
  std::string MovesIndex;
  int32_t MoveId;
  bool operator==(const Place&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Place& p) {
  return out << p.GoodsIndex << "@" << p.GoodsId << " " << p.MovesIndex << "@" << p.MoveId;
}

Place PlaceOf(TStore& store) {
  return {store.Goods().IndexName(), store.Goods().ID.Value(), store.Moves().IndexName(), store.Moves().ID.Value()};
}

// Goods sorted by name on product B, movements by number on the second one.
Place StandSomewhere(TStore& store) {
  EXPECT_TRUE(store.FindByName("Product B"));
  store.Moves().SetIndex(&store.Moves().IndID);
  store.Moves().First();
  store.Moves().Next();
  Place place = PlaceOf(store);
  EXPECT_EQ(place, (Place{"IndName", 2, "IndID", 2}));
  return place;
}

TEST(DataFoldersCheck, CheckDataNamesTheOneMissingFile) {
  struct Case {
    const char* name;
    bool folder, goods, moves;
    bool answer;
    const char* missing;
  } cases[] = {
      {"no folder", false, false, false, false, ""},
      {"empty folder", true, false, false, false, ""},
      {"goods only", true, true, false, true, "moves.dat"},
      {"moves only", true, false, true, true, "store.dat"},
      {"both", true, true, true, true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BackupBench bench;
    if (c.folder) bench.memory.CreateFolder(BackupBench::kData);
    if (c.goods) bench.memory.SetContents("/prog/Data/store.dat", {1});
    if (c.moves) bench.memory.SetContents("/prog/Data/moves.dat", {1});
    std::string missing = "left over";
    EXPECT_EQ(bench.store.CheckData(missing, "Data"), c.answer);
    EXPECT_EQ(missing, c.missing);
  }
}

class DataFolders : public ::testing::Test {
 protected:
  BackupBench bench;
  TStore& store = bench.store;
};

TEST_F(DataFolders, FirstStartMakesDataWithTwoEmptyTables) {
  std::string missing;
  ASSERT_FALSE(store.CheckData(missing, "Data"));
  store.Open(true, "Data");
  EXPECT_TRUE(store.IsOpen());
  EXPECT_TRUE(bench.memory.FolderExists(BackupBench::kData));
  EXPECT_EQ(store.Goods().RecordCount(), 0);
  EXPECT_EQ(store.Moves().RecordCount(), 0);
  EXPECT_TRUE(bench.In(BackupBench::kData).Whole());
  EXPECT_EQ(store.Goods().FileName(), "/prog/Data/store.dat");
}

TEST_F(DataFolders, OpenWithoutCreateNeedsTheFolder) {
  try {
    store.Open(false, "Data");
    ADD_FAILURE() << "opened a missing folder";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Warehouse files directory not found");
  }
  EXPECT_FALSE(store.IsOpen());
  EXPECT_FALSE(bench.memory.FolderExists(BackupBench::kData));
}

TEST_F(DataFolders, OpenThatFailsHalfWayLeavesBothClosedAndTheFilesAsTheyWere) {
  store.Open(true, "Data");
  bench.AddProduct("A");
  store.Close();
  const std::vector<uint8_t> foreign = {'n', 'o', 't', ' ', 'a', ' ', 't', 'a', 'b', 'l', 'e'};
  bench.memory.SetContents("/prog/Data/moves.dat", foreign);
  const Pair before = bench.In(BackupBench::kData);
  EXPECT_THROW(store.Open(true, "Data"), Exception);
  EXPECT_EQ(store.Goods().State(), tsClosed);
  EXPECT_EQ(store.Moves().State(), tsClosed);
  EXPECT_EQ(bench.In(BackupBench::kData), before);
}

TEST_F(DataFolders, MissingMovesFileIsMadeBesideTheGoods) {
  store.Open(true, "Data");
  bench.AddProduct("A");
  store.Close();
  bench.memory.DeleteFile("/prog/Data/moves.dat");
  std::string missing;
  ASSERT_TRUE(store.CheckData(missing, "Data"));
  EXPECT_EQ(missing, "moves.dat");
  store.Open(true, "Data");
  EXPECT_EQ(store.Goods().RecordCount(), 1);
  EXPECT_EQ(store.Moves().RecordCount(), 0);
}

// Products are numbered from the goods file's counter; movements name their
// product by that number. A goods file made anew beside old movements must
// not give their numbers to new products, or the old movements would become
// the new products' history.
TEST(DataFoldersKeys, NewGoodsFileBesideLiveMovementsNumbersAfterThem) {
  struct Case {
    const char* name;
    int products;      // made before the goods file is lost
    int deletedFirst;  // of them, the first ones deleted with their movements
    int32_t firstNewId;
  } cases[] = {
      {"movements of products 1 to 3", 3, 0, 4},
      {"only movements of product 7", 7, 6, 8},
      {"no movements left", 2, 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BackupBench bench;
    TStore& store = bench.store;
    store.Open(true, "Data");
    for (int i = 1; i <= c.products; ++i) bench.AddProduct("P" + std::to_string(i));
    for (int i = 1; i <= c.deletedFirst; ++i) {
      store.Goods().First();
      store.DeleteGoods();
    }
    const int32_t oldMoves = store.Moves().RecordCount();
    store.Close();
    bench.memory.DeleteFile("/prog/Data/store.dat");
    store.Open(true, "Data");
    bench.AddProduct("NEW");
    EXPECT_EQ(store.Goods().ID.Value(), c.firstNewId);
    EXPECT_EQ(store.Moves().RecordCount(), oldMoves + 1);
    // The counter is in the file: the next product after a reopen follows on.
    store.Close();
    store.Open(false, "Data");
    bench.AddProduct("NEXT");
    EXPECT_EQ(store.Goods().ID.Value(), c.firstNewId + 1);
    ExpectConsistent(store, "the new products' own movements only");
  }
}

// Each start takes the day's copy before it opens the data and works on it.
TEST_F(DataFolders, ExactlyOneDailyCopyPerDayHoldingTheDaysFirstState) {
  const TDateTime starts[] = {
      At(2024, 3, 5, 8, 0),    At(2024, 3, 5, 12, 0), At(2024, 3, 5, 23, 59, 59),
      At(2024, 3, 6, 0, 0, 1), At(2024, 3, 6, 18, 0), At(2024, 3, 8, 9, 0),
  };
  store.Open(true, "Data");
  bench.AddProduct("first");
  std::map<std::string, Pair> firstOfDay;
  int n = 0;
  for (TDateTime start : starts) {
    store.Close();
    bench.clock.now = start;
    const std::string day = store.DailyCopyName();
    firstOfDay.emplace(day, bench.In(BackupBench::kData));
    EXPECT_TRUE(store.Backup(day, false)) << day;
    store.Open(false, "Data");
    bench.AddProduct("S" + std::to_string(++n));
  }
  std::vector<std::string> days;
  for (const std::string& folder : bench.memory.FolderPaths()) {
    if (folder.rfind("/prog/Hist/", 0) == 0) days.push_back(folder.substr(11));
  }
  EXPECT_EQ(days, (std::vector<std::string>{"2024-03-05", "2024-03-06", "2024-03-08"}));
  for (const auto& [day, pair] : firstOfDay) {
    EXPECT_EQ(bench.In(std::string(BackupBench::kHist) + "/" + day), pair) << day;
  }
}

TEST_F(DataFolders, DayCopyIsKeptWholeOrTakenAgainWhole) {
  struct Case {
    const char* name;
    bool oldGoods, oldMoves;  // what the day's folder held from an earlier start
    bool keptOld;
  } cases[] = {
      {"whole copy kept", true, true, true},
      {"copy without moves taken again", true, false, false},
      {"copy without goods taken again", false, true, false},
      {"empty folder filled", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BackupBench fresh;
    fresh.store.Open(true, "Data");
    fresh.AddProduct("A");
    const Pair older = fresh.In(BackupBench::kData);
    fresh.AddProduct("B");
    fresh.store.Close();
    const Pair now = fresh.In(BackupBench::kData);
    const std::string day = "/prog/Hist/" + fresh.store.DailyCopyName();
    fresh.memory.CreateFolder(BackupBench::kHist);
    fresh.memory.CreateFolder(day);
    fresh.Put(day, {c.oldGoods ? older.Goods : std::nullopt, c.oldMoves ? older.Moves : std::nullopt});
    EXPECT_TRUE(fresh.store.Backup(fresh.store.DailyCopyName(), false));
    EXPECT_EQ(fresh.In(day), c.keptOld ? older : now);
  }
}

TEST_F(DataFolders, FailedDailyCopyAnswersFalseAndIsTakenWholeNextTime) {
  store.Open(true, "Data");
  bench.AddProduct("A");
  store.Close();
  const std::string day = "/prog/Hist/" + store.DailyCopyName();
  bench.faulty.FailNth(platform::FaultyFileSystem::Op::Copy, 2);
  EXPECT_FALSE(store.Backup(store.DailyCopyName(), false));
  EXPECT_TRUE(bench.In(day).Empty());
  bench.faulty.Reset();
  EXPECT_TRUE(store.Backup(store.DailyCopyName(), false));
  EXPECT_EQ(bench.In(day), bench.In(BackupBench::kData));
}

TEST_F(DataFolders, SaveToNeedsAnExistingFolderOtherThanData) {
  struct Case {
    const char* folder;
    bool saved;
  } cases[] = {
      {"/prog/NoSuch", false},       {"/prog/Data", false}, {"/prog/./Data/", false},
      {"/prog/Hist/../Data", false}, {"/prog/Save", true},  {"/prog/Save/", true},
  };
  store.Open(true, "Data");
  bench.AddProduct("A");
  bench.AddProduct("B");
  bench.AddProduct("C");
  bench.memory.CreateFolder("/prog/Save");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    bench.memory.DeleteFile("/prog/Save/store.dat");
    bench.memory.DeleteFile("/prog/Save/moves.dat");
    const Place place = StandSomewhere(store);
    const auto treeBefore = bench.Tree();
    EXPECT_EQ(store.SaveTo(c.folder), c.saved);
    EXPECT_TRUE(store.IsOpen());
    EXPECT_EQ(PlaceOf(store), place) << "the tables stand where they stood";
    if (c.saved) {
      EXPECT_EQ(bench.In("/prog/Save"), bench.In(BackupBench::kData));
    } else {
      EXPECT_EQ(bench.Tree(), treeBefore);
    }
  }
}

TEST_F(DataFolders, RestoreRefusesAMistakenFolderAndTouchesNothing) {
  const Story story = TellStory(bench);
  bench.memory.CreateFolder("/prog/Half");
  bench.memory.SetContents("/prog/Half/store.dat", *story.Saved.Goods);
  bench.memory.CreateFolder("/prog/Empty");
  const char* folders[] = {"/prog/Half", "/prog/Empty", "/prog/NoSuch",
                           "/prog/Data", "/prog/Data/", "/prog/Hist/../Data"};
  const Place place = StandSomewhere(store);
  const auto treeBefore = bench.Tree();
  for (const char* folder : folders) {
    SCOPED_TRACE(folder);
    EXPECT_FALSE(store.RestoreFrom(folder));
    EXPECT_EQ(bench.Tree(), treeBefore);
    EXPECT_EQ(bench.In(BackupBench::kData), story.Current);
    EXPECT_EQ(bench.In(BackupBench::kSafety), story.Safety) << "the safety copy is not refreshed";
    EXPECT_TRUE(store.IsOpen());
    EXPECT_EQ(PlaceOf(store), place);
  }
}

TEST_F(DataFolders, RestoreReplacesDataAndKeepsThePreviousFilesAsSafetyCopy) {
  const Story story = TellStory(bench);
  StandSomewhere(store);
  ASSERT_TRUE(store.RestoreFrom("/prog/Save/"));
  EXPECT_EQ(Describe(bench.In(BackupBench::kData), story), "the saved pair");
  EXPECT_EQ(Describe(bench.In(BackupBench::kSafety), story), "the current pair");
  EXPECT_EQ(Describe(bench.In("/prog/Save"), story), "the saved pair");
  EXPECT_TRUE(store.IsOpen());
  EXPECT_EQ(store.Goods().RecordCount(), 1);
  EXPECT_EQ(store.Goods().IndexName(), "IndName") << "the order stays";
  EXPECT_EQ(store.Goods().RecNo(), 0) << "on the first product";
  ExpectConsistent(store, "restored");
  for (const std::string& path : bench.Tree()) {
    EXPECT_EQ(path.find(".new"), std::string::npos) << path;
    EXPECT_EQ(path.find(".old"), std::string::npos) << path;
  }
}

TEST_F(DataFolders, RestoreFromTheSafetyFolderSwapsAndLeavesNoTmp) {
  const Story story = TellStory(bench);
  using Op = platform::FaultyFileSystem::Op;
  int flushes = bench.faulty.Count(Op::Flush);
  ASSERT_TRUE(store.RestoreFrom("/prog/Hist/0000-00-00/"));
  // Each of three copies (Data into tmp, tmp into the safety folder, the
  // safety pair into Data) writes its marker and empties it; the emptied
  // journal of the last operation is flushed once, not at every look.
  EXPECT_EQ(bench.faulty.Count(Op::Flush) - std::exchange(flushes, bench.faulty.Count(Op::Flush)), 7);
  EXPECT_EQ(Describe(bench.In(BackupBench::kData), story), "the safety pair");
  EXPECT_EQ(Describe(bench.In(BackupBench::kSafety), story), "the current pair");
  EXPECT_FALSE(bench.memory.FolderExists(BackupBench::kTmp));
  EXPECT_EQ(store.Goods().RecordCount(), 2);
  // A second swap gives the first state back.
  ASSERT_TRUE(store.RestoreFrom(store.SafetyFolder()));
  EXPECT_EQ(bench.faulty.Count(Op::Flush) - flushes, 6);
  EXPECT_EQ(Describe(bench.In(BackupBench::kData), story), "the current pair");
  EXPECT_EQ(Describe(bench.In(BackupBench::kSafety), story), "the safety pair");
  EXPECT_FALSE(bench.memory.FolderExists(BackupBench::kTmp));
  ExpectConsistent(store, "swapped twice");
}

TEST_F(DataFolders, RestoreOfFilesThatDoNotOpenLeavesTheSafetyCopyAsItWas) {
  const Story story = TellStory(bench);
  // Each file with the other's layout, as a foreign program's tables would be.
  bench.memory.CreateFolder("/prog/Foreign");
  bench.Put("/prog/Foreign", {story.Saved.Moves, story.Saved.Goods});
  const Place place = StandSomewhere(store);
  const auto treeBefore = bench.Tree();
  EXPECT_FALSE(store.RestoreFrom("/prog/Foreign"));
  EXPECT_EQ(Describe(bench.In(BackupBench::kData), story), "the current pair");
  EXPECT_EQ(Describe(bench.In(BackupBench::kSafety), story), "the safety pair") << "the way back is kept";
  EXPECT_EQ(bench.Tree(), treeBefore) << "no trial copy is left";
  EXPECT_TRUE(store.IsOpen());
  EXPECT_EQ(PlaceOf(store), place);
  // The kept safety copy still undoes: Data goes back to it.
  ASSERT_TRUE(store.RestoreFrom(BackupBench::kSafety));
  EXPECT_EQ(Describe(bench.In(BackupBench::kData), story), "the safety pair");
}

TEST(DataFoldersReopen, ReopenThatFailsLeavesBothTablesClosedAndRaisesOnce) {
  struct Case {
    const char* name;
    bool restore;
    const char* dataAfter;
  } cases[] = {
      {"save", false, "the current pair"},
      {"restore", true, "the saved pair"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto run = [&](BackupBench& bench) {
      return c.restore ? bench.store.RestoreFrom("/prog/Save") : bench.store.SaveTo("/prog/Save");
    };
    // A run without faults counts the opens; the reopen's movements file is the last one.
    int opens = 0;
    {
      BackupBench dry;
      TellStory(dry);
      dry.faulty.Reset();
      ASSERT_TRUE(run(dry));
      opens = dry.faulty.Count(platform::FaultyFileSystem::Op::Open);
    }
    BackupBench bench;
    const Story story = TellStory(bench);
    bench.faulty.Reset();
    bench.faulty.FailNth(platform::FaultyFileSystem::Op::Open, opens);
    try {
      run(bench);
      ADD_FAILURE() << "the failed reopen was not reported";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), ProgTexts.DataOpeningError);
    }
    EXPECT_EQ(bench.faulty.InjectedCount(), 1);
    EXPECT_EQ(bench.store.Goods().State(), tsClosed) << "not half-open";
    EXPECT_EQ(bench.store.Moves().State(), tsClosed);
    EXPECT_FALSE(bench.store.IsOpen());
    EXPECT_EQ(Describe(bench.In(BackupBench::kData), story), c.dataAfter);
    // The files are whole: the next opening works.
    bench.store.Open(false, "Data");
    EXPECT_TRUE(bench.store.IsOpen());
  }
}

}  // namespace
}  // namespace vk
