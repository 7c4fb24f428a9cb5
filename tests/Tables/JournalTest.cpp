// The journal's parts on their own: held-back writes read and land exactly
// as plain writes would; the layout accepts only a whole journal; recovery
// keeps a finished result, puts back anything less on every file, and never
// touches files when it cannot see them all.
#include <gtest/gtest.h>

#include <random>

#include "Platform/fake/MemoryFileSystem.h"
#include "Tables/Journal.h"
#include "Tables/JournalFormat.h"
#include "Tables/PendingWrites.h"

namespace vk {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Random(std::mt19937& rng, size_t n) {
  Bytes b(n);
  for (uint8_t& c : b) c = static_cast<uint8_t>(rng());
  return b;
}

// A plain file in memory: the model the held writes must match.
struct PlainFile {
  Bytes bytes;
  void Write(int64_t at, const Bytes& data) {
    if (bytes.size() < static_cast<size_t>(at) + data.size()) bytes.resize(static_cast<size_t>(at) + data.size());
    std::copy(data.begin(), data.end(), bytes.begin() + at);
  }
};

TEST(PendingWrites, ReadAndApplyAsPlainWritesWould) {
  for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    auto pick = [&](int64_t n) { return static_cast<int64_t>(rng() % static_cast<uint32_t>(n)); };
    platform::MemoryFileSystem disk;
    disk.SetContents("f", Random(rng, 5000));
    auto file = disk.Open("f", platform::OpenMode::OpenExisting).Handle;
    PlainFile model{*disk.Contents("f")};
    TPendingWrites held(5000);
    for (int step = 0; step < 600; ++step) {
      const int kind = static_cast<int>(pick(10));
      if (kind < 6) {
        // Mostly records after records, as a re-pricing writes them.
        const int64_t at = kind < 3 ? pick(6000) : (step * 84) % 7000;
        const Bytes data = Random(rng, static_cast<size_t>(1 + pick(200)));
        held.Write(at, data.data(), data.size());
        model.Write(at, data);
      } else if (kind < 8) {
        const int64_t length = pick(7000);
        held.SetLength(length);
        model.bytes.resize(static_cast<size_t>(length));
      } else {
        const int64_t at = pick(7500);
        const size_t n = static_cast<size_t>(1 + pick(900));
        Bytes got(n);
        const size_t expected = at >= static_cast<int64_t>(model.bytes.size())
                                    ? 0
                                    : std::min(n, model.bytes.size() - static_cast<size_t>(at));
        ASSERT_EQ(held.Read(*file, at, got.data(), n), expected) << "step " << step;
        got.resize(expected);
        ASSERT_EQ(got, Bytes(model.bytes.begin() + at, model.bytes.begin() + at + static_cast<int64_t>(expected)))
            << "step " << step;
      }
      ASSERT_EQ(held.Length(), static_cast<int64_t>(model.bytes.size()));
    }
    // Extents stay disjoint and apart, so the journal never holds a byte twice.
    int64_t end = -1;
    for (const auto& [start, bytes] : held.Extents()) {
      EXPECT_GT(start, end);
      end = start + static_cast<int64_t>(bytes.size());
    }
    ASSERT_TRUE(held.ApplyTo(*file));
    file.reset();
    EXPECT_EQ(*disk.Contents("f"), model.bytes);
  }
}

std::vector<TJournalEntry> TwoFiles() {
  std::mt19937 rng(7);
  TJournalEntry goods{"store.dat", 12920, 13004, {}, {}};
  goods.Before = {{0, Random(rng, 32)}, {4220, Random(rng, 84)}};
  goods.After = {{0, Random(rng, 32)}, {4220, Random(rng, 84)}, {12920, Random(rng, 84)}};
  TJournalEntry moves{"moves.dat", 76880, 356, {}, {}};
  moves.Before = {{0, Random(rng, 68)}, {356, Random(rng, 76524)}};
  moves.After = {{0, Random(rng, 68)}};
  return {goods, moves};
}

TEST(JournalFormat, AWholeJournalReadsBackAsWritten) {
  const auto entries = TwoFiles();
  const auto read = UnpackJournal(PackJournal(entries));
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, entries);
}

TEST(JournalFormat, ACutOrChangedJournalIsNotWhole) {
  const Bytes whole = PackJournal(TwoFiles());
  for (size_t length = 0; length < whole.size(); length += (length < 400 ? 1 : 997)) {
    EXPECT_FALSE(UnpackJournal(Bytes(whole.begin(), whole.begin() + static_cast<int64_t>(length)))) << length;
  }
  Bytes longer = whole;
  longer.push_back(0);
  EXPECT_FALSE(UnpackJournal(longer)) << "zeros past the end: a longer old journal under a new one";
  for (size_t at = 0; at < whole.size(); at += (at < 400 ? 1 : 331)) {
    Bytes changed = whole;
    changed[at] ^= 0x10;
    EXPECT_FALSE(UnpackJournal(changed)) << "byte " << at;
  }
}

TEST(JournalFormat, ARuleBrokenUnderAGoodChecksumIsRefused) {
  struct Case {
    const char* what;
    std::function<void(std::vector<TJournalEntry>&)> spoil;
  };
  const Case cases[] = {
      {"regions overlap", [](auto& e) { e[0].Before[1].Offset = 20; }},
      {"regions out of order", [](auto& e) { std::swap(e[0].After[0], e[0].After[1]); }},
      {"before-region past the old length", [](auto& e) { e[0].Before[1].Offset = 12900; }},
      {"after-region past the new length", [](auto& e) { e[1].After[0].Offset = 300; }},
      {"empty region", [](auto& e) { e[0].Before[0].Bytes.clear(); }},
      {"name with a folder", [](auto& e) { e[0].Name = "..\\store.dat"; }},
      {"empty name", [](auto& e) { e[0].Name.clear(); }},
      {"one file twice", [](auto& e) { e[1].Name = e[0].Name; }},
      {"length past the format", [](auto& e) { e[0].NewLength = int64_t{1} << 31; }},
      {"no files", [](auto& e) { e.clear(); }},
  };
  for (const Case& c : cases) {
    auto entries = TwoFiles();
    c.spoil(entries);
    EXPECT_FALSE(UnpackJournal(PackJournal(entries))) << c.what;
  }
}

// Recovery over two files: "a" and "b", each 1000 bytes of old contents,
// and a journal that changes both.
class Recovery : public ::testing::Test {
 protected:
  Recovery() {
    std::mt19937 rng(11);
    oldA = Random(rng, 1000);
    oldB = Random(rng, 1000);
    newA = oldA;
    std::fill(newA.begin() + 100, newA.begin() + 184, 0xAA);
    newB = oldB;
    newB.resize(1084, 0xBB);  // an append
    entries = {{"a", 1000, 1000, {{100, Bytes(oldA.begin() + 100, oldA.begin() + 184)}}, {{100, Bytes(84, 0xAA)}}},
               {"b", 1000, 1084, {}, {{1000, Bytes(84, 0xBB)}}}};
    disk.SetContents("/d/j.jnl", PackJournal(entries));
  }

  bool Recover() { return journal.Recover("/d/j.jnl"); }
  Bytes Of(const char* path) { return disk.Contents(path).value_or(Bytes{}); }

  platform::MemoryFileSystem disk;
  TJournal journal{disk, "j.jnl"};
  Bytes oldA, oldB, newA, newB;
  std::vector<TJournalEntry> entries;
};

TEST_F(Recovery, FilesHoldingTheResultAreKept) {
  disk.SetContents("/d/a", newA);
  disk.SetContents("/d/b", newB);
  ASSERT_TRUE(Recover());
  EXPECT_EQ(Of("/d/a"), newA);
  EXPECT_EQ(Of("/d/b"), newB);
  EXPECT_FALSE(disk.FileExists("/d/j.jnl"));
}

TEST_F(Recovery, OneFileShortOfTheResultPutsBothBack) {
  disk.SetContents("/d/a", newA);
  disk.SetContents("/d/b", oldB);
  ASSERT_TRUE(Recover());
  EXPECT_EQ(Of("/d/a"), oldA);
  EXPECT_EQ(Of("/d/b"), oldB);
  EXPECT_FALSE(disk.FileExists("/d/j.jnl"));
}

TEST_F(Recovery, TheResultsBytesAtAnotherLengthAreNotTheResult) {
  disk.SetContents("/d/a", newA);
  Bytes longer = newB;
  longer.resize(1042);  // an append torn half-way
  disk.SetContents("/d/b", longer);
  ASSERT_TRUE(Recover());
  EXPECT_EQ(Of("/d/a"), oldA);
  EXPECT_EQ(Of("/d/b"), oldB);
}

TEST_F(Recovery, AMissingFileLeavesTheOtherPutBack) {
  disk.SetContents("/d/a", newA);
  ASSERT_TRUE(Recover());
  EXPECT_EQ(Of("/d/a"), oldA);
  EXPECT_FALSE(disk.FileExists("/d/b"));
}

TEST_F(Recovery, AFileHeldOpenLeavesEverythingAsItIs) {
  disk.SetContents("/d/a", newA);
  disk.SetContents("/d/b", oldB);
  auto held = disk.Open("/d/b", platform::OpenMode::OpenExisting);
  EXPECT_FALSE(Recover());
  EXPECT_EQ(Of("/d/a"), newA);
  EXPECT_EQ(Of("/d/j.jnl"), PackJournal(entries)) << "the journal stays for the next try";
  held.Handle.reset();
  ASSERT_TRUE(Recover());
  EXPECT_EQ(Of("/d/a"), oldA);
}

TEST_F(Recovery, AJournalCutShortIsRemovedAndPutsNothingBack) {
  disk.SetContents("/d/a", newA);
  disk.SetContents("/d/b", newB);
  Bytes cut = PackJournal(entries);
  cut.resize(cut.size() - 1);
  disk.SetContents("/d/j.jnl", cut);
  ASSERT_TRUE(Recover());
  EXPECT_EQ(Of("/d/a"), newA);
  EXPECT_FALSE(disk.FileExists("/d/j.jnl"));
}

TEST_F(Recovery, AnEmptiedJournalIsLeftAlone) {
  disk.SetContents("/d/a", newA);
  disk.SetContents("/d/j.jnl", {});
  ASSERT_TRUE(Recover());
  EXPECT_EQ(Of("/d/a"), newA);
  EXPECT_TRUE(disk.FileExists("/d/j.jnl"));
}

}  // namespace
}  // namespace vk
