// The start-up sequence as a user meets it: which boxes appear in which
// order, what is opened and copied, and what is left behind, for a first run,
// a normal run, a missing file, damaged files, a failing copy, a rejected
// password, a second instance and a failure after the mutex was taken.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "Source/Startup.h"
#include "tests/Backup/BackupFixture.h"

namespace vk::testing {
namespace {

constexpr const char* kToday = "/prog/Hist/2026-12-08";
constexpr const char* kYesterday = "/prog/Hist/2026-12-07";

class RecordingHost : public TStartupHost {
 public:
  explicit RecordingHost(BackupBench& bench) : bench_(bench) {}

  std::vector<std::string> events;
  bool otherInstanceRuns = false;
  bool rejectPassword = false;
  bool failWindows = false;
  bool storeOpenWhenRunning = false;
  std::string title;

  std::string ProgramFolder() override { return "C:\\Shop\\"; }
  void SetProgramTitle(const std::string& t) override { title = t; }
  bool TakeInstanceMutex(const std::string& name) override {
    events.push_back("mutex " + name.substr(0, 11));
    return !otherInstanceRuns;
  }
  void ReleaseInstanceMutex() override { events.push_back("release"); }
  void ActivateRunningInstance(const std::string& t) override { events.push_back("activate " + t); }
  void CreateServices() override { events.push_back("services"); }
  void FreeServices() override { events.push_back("free"); }
  bool CyrillicSystem() override { return false; }
  std::uint32_t StoredLanguage() override { return 1; }
  void LoadTexts(std::uint8_t language) override {
    events.push_back("texts " + std::to_string(language));
    LoadEnglishTexts();
  }
  void InitializeApplication(const std::string& t) override { events.push_back("application " + t); }
  bool PasswordRejected() override {
    events.push_back("password");
    return rejectPassword;
  }
  TStore& Store() override { return bench_.store; }
  void ShowBox(const std::string& text, const std::string& caption, int flags) override {
    events.push_back("box " + caption + " " + std::to_string(flags) + ": " + text);
  }
  void CreateWindows(const std::string& t) override {
    if (failWindows) throw Exception("Cannot create window");
    events.push_back("windows " + t);
  }
  void Run() override {
    storeOpenWhenRunning = bench_.store.IsOpen();
    events.push_back("run");
  }
  void ShowStartupError(const std::exception& error) override {
    events.push_back(std::string("error box: ") + error.what());
  }

 private:
  BackupBench& bench_;
};

class StartupSequence : public ::testing::Test {
 protected:
  BackupBench bench;
  RecordingHost host{bench};

  // A Data folder with a few hundred movements over forty products, then
  // closed as the previous run left it.
  void PreviousRun() {
    bench.store.Open(true, "Data");
    for (int i = 0; i < 40; ++i) {
      bench.store.AddGoods(std::to_string(1000 + i), "Товар " + std::to_string(i), "3.10", "10.00", "2", "");
      for (int j = 0; j < 6; ++j) bench.store.AddIncoming("1.25", "1", "поступление " + std::to_string(j));
    }
    bench.store.Goods().SetRecNo(17);  // not on the first record
    bench.store.Close();
  }

  std::vector<std::string> Events(std::initializer_list<std::string> middle) {
    std::vector<std::string> all{"mutex mutexVorkel", "services", "texts 2", "application Vorkel - C:\\Shop",
                                 "password"};
    all.insert(all.end(), middle);
    all.insert(all.end(), {"free", "release"});
    return all;
  }
};

TEST_F(StartupSequence, FirstRunCreatesDataAndMakesNoCopy) {
  EXPECT_EQ(RunMainProgram(host), TStartupEnd::Ran);
  EXPECT_EQ(host.events, Events({"windows Vorkel - C:\\Shop", "run"}));
  EXPECT_TRUE(host.storeOpenWhenRunning);
  EXPECT_FALSE(bench.store.IsOpen());
  EXPECT_TRUE(bench.In(BackupBench::kData).Whole());
  EXPECT_FALSE(bench.memory.FolderExists(BackupBench::kHist));
}

TEST_F(StartupSequence, NormalRunCopiesTheDayOnceAndOpens) {
  PreviousRun();
  const Pair before = bench.In(BackupBench::kData);
  EXPECT_EQ(RunMainProgram(host), TStartupEnd::Ran);
  EXPECT_EQ(host.events, Events({"windows Vorkel - C:\\Shop", "run"}));
  EXPECT_EQ(bench.In(kToday), before);

  // Later that day, with other data: the day's copy stays the first one.
  bench.store.Open(false, "Data");
  bench.AddProduct("X");
  bench.store.Close();
  ASSERT_NE(bench.In(BackupBench::kData), before);
  RecordingHost second(bench);
  EXPECT_EQ(RunMainProgram(second), TStartupEnd::Ran);
  EXPECT_EQ(bench.In(kToday), before);
}

TEST_F(StartupSequence, MissingFileIsNamedAfterTheOpeningWhichCreatesIt) {
  PreviousRun();
  bench.memory.DeleteFile("/prog/Data/moves.dat");
  EXPECT_EQ(RunMainProgram(host), TStartupEnd::Ran);
  EXPECT_EQ(host.events, Events({"box File does not exist 48: moves.dat", "windows Vorkel - C:\\Shop", "run"}));
  EXPECT_TRUE(bench.In(BackupBench::kData).Whole());
  // The goods keep their products; the new movements table is empty.
  EXPECT_TRUE(bench.In(kToday).Goods.has_value());
}

TEST_F(StartupSequence, DamagedFilesAreNotCopiedAndEndTheProgram) {
  PreviousRun();
  bench.memory.CreateFolder(BackupBench::kHist);
  bench.memory.CreateFolder(kYesterday);
  bench.Put(kYesterday, bench.In(BackupBench::kData));
  const Pair goodDay = bench.In(kYesterday);
  std::vector<uint8_t> damaged = *bench.In(BackupBench::kData).Goods;
  for (size_t i = 0; i < 64 && i < damaged.size(); ++i) damaged[i] = 0xEE;
  bench.memory.SetContents("/prog/Data/store.dat", damaged);
  const Pair dataBefore = bench.In(BackupBench::kData);

  EXPECT_EQ(RunMainProgram(host), TStartupEnd::DataNotOpened);
  EXPECT_EQ(host.events,
            Events({"box Opening error 16: Warehouse database opening error!\r\nFiles are damaged or blocked by "
                    "another software"}));
  EXPECT_FALSE(bench.In(kToday).Goods || bench.In(kToday).Moves);
  EXPECT_EQ(bench.In(kYesterday), goodDay);
  EXPECT_EQ(bench.In(BackupBench::kData), dataBefore);
  EXPECT_FALSE(bench.store.IsOpen());
}

TEST_F(StartupSequence, FailingCopyIsShownAndStartUpGoesOn) {
  // Every whole-file copy fails: the day's copy cannot be made.
  for (int n = 1; n <= 4; ++n) {
    SCOPED_TRACE(n);
    BackupBench local;
    RecordingHost localHost(local);
    local.store.Open(true, "Data");
    local.AddProduct("A");
    local.store.Close();
    local.faulty.FailNth(platform::FaultyFileSystem::Op::Copy, n);
    const int copiesBefore = local.faulty.Count(platform::FaultyFileSystem::Op::Copy);
    EXPECT_EQ(RunMainProgram(localHost), TStartupEnd::Ran);
    if (local.faulty.InjectedCount() == 0) {
      // The copy needed fewer steps than n: it was made, and nothing was shown.
      EXPECT_EQ(localHost.events, Events({"windows Vorkel - C:\\Shop", "run"}));
      EXPECT_GT(local.faulty.Count(platform::FaultyFileSystem::Op::Copy), copiesBefore);
      break;
    }
    EXPECT_EQ(localHost.events, Events({"box Copying error 16: An error occured while backuping\r\nwarehouse files!",
                                        "windows Vorkel - C:\\Shop", "run"}));
    EXPECT_TRUE(localHost.storeOpenWhenRunning);
    EXPECT_FALSE(local.In(kToday).Whole());
  }
}

TEST_F(StartupSequence, RejectedPasswordTouchesNothing) {
  PreviousRun();
  const std::vector<std::string> tree = bench.Tree();
  const Pair data = bench.In(BackupBench::kData);
  bench.faulty.Reset();
  host.rejectPassword = true;
  EXPECT_EQ(RunMainProgram(host), TStartupEnd::PasswordRejected);
  EXPECT_EQ(host.events, Events({}));
  EXPECT_EQ(bench.Tree(), tree);
  EXPECT_EQ(bench.In(BackupBench::kData), data);
  EXPECT_EQ(bench.faulty.MutationCount(), 0);
}

TEST_F(StartupSequence, SecondInstanceHandsOverAndMakesNothing) {
  PreviousRun();
  const std::vector<std::string> tree = bench.Tree();
  host.otherInstanceRuns = true;
  EXPECT_EQ(RunMainProgram(host), TStartupEnd::HandedOver);
  EXPECT_EQ(host.events, (std::vector<std::string>{"mutex mutexVorkel", "activate Vorkel - C:\\Shop"}));
  EXPECT_EQ(bench.Tree(), tree);
}

TEST_F(StartupSequence, FailureAfterOpeningShowsTheErrorAndClosesEverything) {
  PreviousRun();
  host.failWindows = true;
  EXPECT_EQ(RunMainProgram(host), TStartupEnd::Failed);
  EXPECT_EQ(host.events, Events({"error box: Cannot create window"}));
  EXPECT_FALSE(bench.store.IsOpen());
  // The files were closed whole: they open again.
  EXPECT_NO_THROW(bench.store.Open(false, "Data"));
  EXPECT_EQ(bench.store.Goods().RecordCount(), 40);
}

}  // namespace
}  // namespace vk::testing
