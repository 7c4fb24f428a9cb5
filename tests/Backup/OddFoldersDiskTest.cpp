// Restores on the real disk (posix natively, Windows under Wine) from folders
// a user may pick: a valid pair too large for the memory, files of another
// format, a folder or a link in place of a file, files marked read-only.
// Each answers true or false as it should and leaves the store open on a
// whole pair in Data, with no file of the copy's own left anywhere. And
// saves into a folder of read-only files.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <new>

#include "Source/StoreData.h"
#include "tests/Backup/DiskPair.h"
#include "tests/Backup/ForwardingFileSystem.h"
#include "tests/Platform/TempFolder.h"
#include "tests/Store/StoreFixture.h"

namespace vk {
namespace {

namespace fs = std::filesystem;
using platform::test::FromUtf8;
using platform::test::TempFolder;
using platform::test::ToUtf8;

// A table file larger than the memory allows cannot be loaded: its reads past
// the header run out of memory, as a moves.dat of 1 GB does in the 32-bit
// program. Whole-file copies and the byte check stream and are not touched.
class MemoryForTables : public testing::ForwardingFileSystem {
 public:
  MemoryForTables(platform::FileSystem& base, int64_t largestFile)
      : ForwardingFileSystem(base), largest_(largestFile) {}

  platform::OpenResult Open(const std::string& path, platform::OpenMode mode) override {
    platform::OpenResult result = ForwardingFileSystem::Open(path, mode);
    if (result.Handle && mode != platform::OpenMode::ReadExisting)
      result.Handle = std::make_unique<Loading>(std::move(result.Handle), largest_);
    return result;
  }

 private:
  class Loading : public testing::ForwardingFile {
   public:
    Loading(std::unique_ptr<platform::File> file, int64_t largest)
        : ForwardingFile(std::move(file)), largest_(largest) {}
    size_t ReadAt(int64_t offset, void* buffer, size_t n) override {
      if (offset > 0 && Size() > largest_) throw std::bad_alloc();
      return ForwardingFile::ReadAt(offset, buffer, n);
    }

   private:
    int64_t largest_;
  };

  int64_t largest_;
};

using testing::DiskPair;
using testing::PairIn;

void AddProducts(TStore& store, int from, int to) {
  for (int i = from; i < to; ++i) {
    const std::string n = std::to_string(i);
    store.AddGoods("K" + n, "Яблоки сорт " + n, "12.50", "3.25", "2", "поставка " + n);
  }
}

// Files of a copy under way, or a tmp folder, anywhere under the root.
std::vector<std::string> StrayFiles(const fs::path& root) {
  std::vector<std::string> strays;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = ToUtf8(entry.path().filename());
    const bool stray = name.ends_with(".new") || name.ends_with(".old") || name == "pair.replacing" ||
                       (name == "tmp" && entry.is_directory());
    if (stray) strays.push_back(ToUtf8(entry.path()));
  }
  return strays;
}

void MakeReadOnly(const fs::path& file, bool readOnly) {
  const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(file, write, readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

// A program folder whose Data holds 150 products and Save the first 120 of
// them; Big holds a valid pair of 400, too large for the memory the store
// is given. Made once, copied for each case.
class OddFolders : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    LoadEnglishTexts();
    templateFolder_ = new TempFolder;
    const fs::path root = templateFolder_->Folder();
    testing::FixedClock clock;
    TStore store(platform::DefaultFileSystem(), clock.Clock());
    store.SetProgramFolder(ToUtf8(root) + static_cast<char>(fs::path::preferred_separator));
    store.Open(true, "Big");
    AddProducts(store, 0, 400);
    store.Open(true, "Data");
    AddProducts(store, 0, 120);
    fs::create_directory(root / "Save");
    ASSERT_TRUE(store.SaveTo(ToUtf8(root / "Save")));
    AddProducts(store, 120, 150);
    store.Close();
  }
  static void TearDownTestSuite() {
    delete templateFolder_;
    templateFolder_ = nullptr;
  }

  void SetUp() override {
    for (const auto& entry : fs::directory_iterator(templateFolder_->Folder()))
      fs::copy(entry.path(), root() / entry.path().filename(), fs::copy_options::recursive);
    saved_ = PairIn(root() / "Save");
    current_ = PairIn(root() / "Data");
    ASSERT_NE(saved_, current_);
    // Room for Data's files, not for Big's.
    const int64_t largest = static_cast<int64_t>(std::max(current_.Goods.size(), current_.Moves.size()));
    ASSERT_GT(static_cast<int64_t>(fs::file_size(root() / "Big" / "moves.dat")), 2 * largest);
    memory_ = std::make_unique<MemoryForTables>(platform::DefaultFileSystem(), 2 * largest);
    store_ = std::make_unique<TStore>(*memory_, clock_.Clock());
    store_->SetProgramFolder(ToUtf8(root()) + static_cast<char>(fs::path::preferred_separator));
    store_->Open(false, "Data");
  }
  void TearDown() override {
    store_.reset();
    // Read-only files must not keep the temporary folder from going.
    for (const auto& entry : fs::recursive_directory_iterator(root())) {
      if (entry.is_regular_file(ec_)) MakeReadOnly(entry.path(), false);
    }
  }

  fs::path root() const { return work_.Folder(); }
  TStore& store() { return *store_; }

  // Restores from the folder; checks the answer and that Data is open on the
  // expected whole pair with nothing left over.
  void ExpectRestore(const fs::path& from, bool answer) {
    bool restored = !answer;
    ASSERT_NO_THROW(restored = store().RestoreFrom(ToUtf8(from)));
    EXPECT_EQ(restored, answer);
    ASSERT_TRUE(store().IsOpen());
    EXPECT_EQ(FromUtf8(store().Goods().FileName()), root() / "Data" / "store.dat");
    EXPECT_EQ(FromUtf8(store().Moves().FileName()), root() / "Data" / "moves.dat");
    EXPECT_EQ(store().Goods().RecordCount(), answer ? 120 : 150);
    EXPECT_EQ(StrayFiles(root()), std::vector<std::string>{});
    store().Close();
    EXPECT_EQ(PairIn(root() / "Data"), answer ? saved_ : current_);
  }

  static inline TempFolder* templateFolder_ = nullptr;
  TempFolder work_;
  testing::FixedClock clock_;
  std::unique_ptr<MemoryForTables> memory_;
  std::unique_ptr<TStore> store_;
  DiskPair saved_, current_;
  std::error_code ec_;
};

TEST_F(OddFolders, ValidPairTooLargeForTheMemoryIsRefused) {
  // An earlier safety copy, the user's way back, stays as it was.
  const fs::path safety = root() / "Hist" / "0000-00-00";
  fs::create_directories(safety);
  fs::copy_file(root() / "Save" / "store.dat", safety / "store.dat");
  fs::copy_file(root() / "Save" / "moves.dat", safety / "moves.dat");
  ExpectRestore(root() / "Big", false);
  EXPECT_EQ(PairIn(safety), saved_);
}

TEST_F(OddFolders, FilesOfAnotherFormatAreRefused) {
  const fs::path from = root() / "From";
  fs::create_directory(from);
  struct Case {
    const char* name;
    std::string goods, moves;
  } cases[] = {
      {"text files", "Код;Имя\r\n1;Яблоки\r\n", "not a table\r\n"},
      {"empty files", "", ""},
      {"each under the other's name", saved_.Moves, saved_.Goods},
      {"a whole table beside a cut one", saved_.Goods, saved_.Moves.substr(0, saved_.Moves.size() - 7)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(from / "store.dat", std::ios::binary) << c.goods;
    std::ofstream(from / "moves.dat", std::ios::binary) << c.moves;
    store().Open(false, "Data");
    ExpectRestore(from, false);
  }
}

TEST_F(OddFolders, FolderInPlaceOfAFileIsRefused) {
  const fs::path from = root() / "From";
  fs::create_directory(from);
  fs::copy_file(root() / "Save" / "moves.dat", from / "moves.dat");
  fs::create_directory(from / "store.dat");
  ExpectRestore(from, false);
}

TEST_F(OddFolders, LinkInPlaceOfAFileCountsByWhatItLeadsTo) {
  const fs::path from = root() / "From";
  fs::create_directory(from);
  fs::copy_file(root() / "Save" / "moves.dat", from / "moves.dat");
  std::error_code refused;
  fs::create_symlink(root() / "Save" / "missing.dat", from / "store.dat", refused);
  if (refused) GTEST_SKIP() << "this system makes no links: " << refused.message();
  ExpectRestore(from, false);  // the link leads nowhere

  fs::remove(from / "store.dat");
  fs::create_symlink(root() / "Save" / "store.dat", from / "store.dat");
  store().Open(false, "Data");
  ExpectRestore(from, true);  // the link leads to the saved goods
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(from / "store.dat")));
}

TEST_F(OddFolders, ReadOnlyFilesRestoreAndTheirCopiesStayOurs) {
  const fs::path save = root() / "Save";
  MakeReadOnly(save / "store.dat", true);
  MakeReadOnly(save / "moves.dat", true);
  ExpectRestore(save, true);
  EXPECT_EQ(PairIn(save), saved_);
  // The copies in Data are writable: the store books into them again.
  store().Open(false, "Data");
  AddProducts(store(), 500, 501);
  EXPECT_EQ(store().Goods().RecordCount(), 121);
}

// Save after save into a folder whose pair is marked read-only (copied
// from a CD, say) succeeds and keeps nothing of the old files.
TEST_F(OddFolders, SavesIntoAFolderOfReadOnlyFiles) {
  const fs::path save = root() / "Save";
  MakeReadOnly(save / "store.dat", true);
  MakeReadOnly(save / "moves.dat", true);
  for (int i = 0; i < 3; ++i) {
    AddProducts(store(), 500 + i, 501 + i);
    EXPECT_TRUE(store().SaveTo(ToUtf8(save))) << "save " << i;
    EXPECT_EQ(StrayFiles(root()), std::vector<std::string>{});
  }
  store().Close();
  EXPECT_EQ(PairIn(save), PairIn(root() / "Data"));
}

}  // namespace
}  // namespace vk
