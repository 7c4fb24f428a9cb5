#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Platform/CodePage.h"
#include "StoreFixture.h"
#include "Tools/Service/CardinalDate.h"
#include "tests/Tables/ItemTable.h"

namespace vk {
namespace {

using testing::At;
using testing::Cell;
using testing::FixedClock;
using testing::OpenStore;

struct Descriptor {
  const char* name;
  int32_t type, size, nextKey;
};

// Header and descriptors of a freshly created table file, byte for byte.
void ExpectFreshFile(const std::vector<uint8_t>& bytes, uint32_t stamp, int32_t dataOffset,
                     const std::vector<Descriptor>& fields) {
  ASSERT_EQ(bytes.size(), static_cast<size_t>(dataOffset));
  std::vector<uint8_t> want = {'W', 'r', 'D', 't'};
  auto put = [&](int32_t v) {
    uint8_t b[4];
    std::memcpy(b, &v, 4);
    want.insert(want.end(), b, b + 4);
  };
  put(static_cast<int32_t>(stamp));
  put(dataOffset);
  put(static_cast<int32_t>(fields.size()));
  put(84);
  put(0);
  put(0);
  put(0);
  for (const Descriptor& d : fields) {
    put(d.type);
    put(d.size);
    std::vector<uint8_t> name(24, 0);  // length byte, 20 name bytes, 3 padding
    name[0] = static_cast<uint8_t>(std::strlen(d.name));
    std::memcpy(name.data() + 1, d.name, std::strlen(d.name));
    want.insert(want.end(), name.begin(), name.end());
    put(d.nextKey);
  }
  EXPECT_EQ(bytes, want);
}

TEST(StoreTables, FreshFilesHaveTheirLayoutsAndCreationStamp) {
  platform::MemoryFileSystem fs;
  FixedClock clock;
  TStore store(fs, clock.Clock());
  OpenStore(store);
  const uint32_t stamp = DateToCardinal(clock.now);
  ExpectFreshFile(*fs.Contents("store.dat"), stamp, 320,
                  {{"ID", 1, 4, 1},
                   {"Code", 2, 8, 0},
                   {"Name", 2, 40, 0},
                   {"PCount", 1, 4, 0},
                   {"Weight", 5, 4, 0},
                   {"Cost", 5, 4, 0},
                   {"Sum", 5, 4, 0},
                   {"LastDate", 4, 8, 0}});
  ExpectFreshFile(*fs.Contents("moves.dat"), stamp, 356,
                  {{"ID", 1, 4, 1},
                   {"IDStore", 1, 4, 0},
                   {"MoveDate", 4, 8, 0},
                   {"Direction", 3, 4, 0},
                   {"PCount", 1, 4, 0},
                   {"Weight", 5, 4, 0},
                   {"Cost", 5, 4, 0},
                   {"Sum", 5, 4, 0},
                   {"Note", 2, 40, 0}});
  EXPECT_EQ(store.Goods().IndexName(), "IndID");
  EXPECT_EQ(store.Moves().IndexName(), "IndSD");
  std::vector<std::string> names;
  for (TIndex* i : store.Goods().Indexes()) names.push_back(i->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"IndID", "IndCode", "IndName", "IndPock", "IndWeight", "IndCost", "IndSum",
                                             "IndDate"}));
}

class StoreFieldsTest : public ::testing::Test {
 protected:
  void SetUp() override { LoadRussianTexts(); }
  void TearDown() override { LoadEnglishTexts(); }
};

TEST_F(StoreFieldsTest, NamesAreStoredInTheDataCodePageAndShownInUtf8) {
  TCompareStringField name(40);
  name.EnableEdit();
  name.SetAsString("Молоко");
  const uint8_t* stored = static_cast<const uint8_t*>(name.DataPtr());
  EXPECT_EQ(stored[0], 0xCC);  // "М" in code page 1251
  EXPECT_EQ(stored[6], 0);
  EXPECT_EQ(name.GetAsString(), "Молоко");
  EXPECT_EQ(name.BufferToText(stored), "Молоко");
  name.SetAsString(std::string(41, 'x'));
  EXPECT_EQ(name.GetAsString(), std::string(40, 'x'));
}

TEST_F(StoreFieldsTest, CompareIgnoresCaseAndStartsWithMatchesPrefixes) {
  TCompareStringField a(40), b(40);
  a.EnableEdit();
  b.EnableEdit();
  struct Case {
    const char* x;
    const char* y;
    int want;
  } cases[] = {{"молоко", "МОЛОКО", 0}, {"Apple", "apple", 0}, {"apple", "Banana", -1},
               {"Яблоко", "арбуз", 1},  {"ab", "abc", -1},     {"", "a", -1}};
  for (const auto& c : cases) {
    a.SetAsString(c.x);
    b.SetAsString(c.y);
    std::vector<uint8_t> x(40), y(40);
    std::memcpy(x.data(), a.DataPtr(), 40);
    std::memcpy(y.data(), b.DataPtr(), 40);
    EXPECT_EQ(a.Compare(x.data(), y.data()), c.want) << c.x << " / " << c.y;
  }
  a.SetAsString("Молоко 3.2%");
  EXPECT_TRUE(a.StartsWith("мол"));
  EXPECT_TRUE(a.StartsWith(""));
  EXPECT_TRUE(a.StartsWith("МОЛОКО 3"));
  EXPECT_FALSE(a.StartsWith("молоко 3.2%%"));
  EXPECT_FALSE(a.StartsWith("сыр"));
}

TEST_F(StoreFieldsTest, DatesAndDirectionsShowTheProgramsForms) {
  TShowDateTimeField date;
  double zero = 0, at = At(2024, 3, 5, 14, 30);
  EXPECT_EQ(date.BufferToText(&zero), "");
  EXPECT_EQ(date.BufferToText(&at), "05.03.2024");
  date.EnableEdit();
  date.SetValue(at);
  EXPECT_EQ(date.GetAsString(), "05.03.2024 ");  // the program's long time format is empty
  date.SetValue(At(2024, 3, 5));
  EXPECT_EQ(date.GetAsString(), "05.03.2024");
  LoadEnglishTexts();
  EXPECT_EQ(date.BufferToText(&at), "03/05/2024");
  TDirectionBooleanField direction;
  int32_t in = -1, out = 0;
  EXPECT_EQ(direction.BufferToText(&in), "+");
  EXPECT_EQ(direction.BufferToText(&out), "-");
  direction.SetData(&in);
  EXPECT_EQ(direction.GetAsString(), "True");
}

TEST_F(StoreFieldsTest, GoodsSortedByAnyIndexKeepEqualKeysInIdOrder) {
  platform::MemoryFileSystem fs;
  FixedClock clock;
  TStore store(fs, clock.Clock());
  OpenStore(store);
  const char* names[] = {"сыр", "Молоко", "молоко", "Хлеб", "МОЛОКО"};
  for (const char* n : names) store.AddGoods("1", n, "1.00", "1.00", "1", "");
  TTableStore& g = store.Goods();
  g.SetIndex(&g.IndName);
  std::vector<int32_t> ids;
  for (int32_t i = 0; i < g.RecordCount(); ++i) ids.push_back(Cell<int32_t>(g, i, 0));
  EXPECT_EQ(ids, (std::vector<int32_t>{2, 3, 5, 1, 4}));
  // Renaming keeps the ID order among equal names, wherever the record was.
  g.SetRecNo(3);  // "сыр", ID 1
  store.EditGoods("1", "молоко", "1.00");
  ids.clear();
  for (int32_t i = 0; i < g.RecordCount(); ++i) ids.push_back(Cell<int32_t>(g, i, 0));
  EXPECT_EQ(ids, (std::vector<int32_t>{1, 2, 3, 5, 4}));
  g.SetIndex(&g.IndCost);  // all equal: ID order
  ids.clear();
  for (int32_t i = 0; i < g.RecordCount(); ++i) ids.push_back(Cell<int32_t>(g, i, 0));
  EXPECT_EQ(ids, (std::vector<int32_t>{1, 2, 3, 4, 5}));
}

// Names made of every base with every ending: hundreds of realistic goods.
std::vector<std::string> Names(const std::vector<std::string>& bases, const std::vector<std::string>& endings) {
  std::vector<std::string> names;
  for (const std::string& e : endings)
    for (const std::string& b : bases) names.push_back(b + e);
  return names;
}

// A name field like the goods' that counts its plain comparisons.
class CountingNameField : public TCompareStringField {
 public:
  using TCompareStringField::TCompareStringField;
  int Compare(const void* a, const void* b) const override {
    ++Comparisons;
    return TCompareStringField::Compare(a, b);
  }
  mutable int Comparisons = 0;
};

// Sorting goods by name prepares each name's sort key once; whatever the
// keys say, the order must be the one the plain comparison gives, equal
// names in ascending ID order, with the current product kept. The keys must
// also be what ordered it: a sort that fell back to the plain comparisons
// (keys or their check broken) gives the same order, only many times slower.
TEST_F(StoreFieldsTest, NameOrderByPreparedKeysIsThePlainComparisonsOrder) {
  const std::vector<std::string> endings = {"",         " 1 кг", " 0,5 л", " №2", "-мини",
                                            " (упак.)", " 10",   " 2",     "'s",  " - 3"};
  const std::vector<std::string> cyrillic = {"Ёлка",   "ёлка",  "Елка",   "елей",    "Ель",  "Ёж",  "Ежевика",
                                             "Ґудзик", "ґанок", "Гудзик", "Ганок",   "їжак", "Їжа", "Іграшка",
                                             "ігор",   "Икра",  "Єнот",   "єдність", "Ехо",  "Эхо", "Яблуко",
                                             "яблоко", "Щітка", "Шапка",  "Ь-знак"};
  const std::vector<std::string> latin = {
      "Apple",    "apple pie", "Zebra",  "zest", "Ice-cream", "ice cream", "Oil 5W-40", "100 g",  "2 pack", "10 pack",
      "#5 nails", "(old) box", "O'Neil", "_tmp", "Äpfel",     "Öl",        "straße",    "Mañana", "Über",   "9"};
  const std::vector<std::string> twins = {"МОЛОКО", "молоко", "Молоко", "мОлОкО", "ЁЖИК", "ёжик",  "Ёжик",  "ҐАНОК",
                                          "ґанок",  "ЇЖАК",   "їжак",   "ЄНОТ",   "єнот", "APPLE", "apple", "Apple"};
  std::vector<std::string> mixed = Names(cyrillic, {"", " 1", " Б"});
  for (const std::string& n : Names(latin, {"", " x"})) mixed.push_back(n);
  for (const std::string& n : Names(twins, {"", " 7"})) mixed.push_back(n);
  const struct {
    const char* what;
    std::vector<std::string> names;
  } cases[] = {
      {"Cyrillic with Ё, Ґ, Ї, Є", Names(cyrillic, endings)},
      {"Latin, digits and punctuation", Names(latin, endings)},
      {"equal but for letter case", Names(twins, {"", "", " 1", "-1", "1"})},
      {"all mixed", mixed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    platform::MemoryFileSystem fs;
    FixedClock clock;
    TStore store(fs, clock.Clock());
    OpenStore(store);
    const size_t n = c.names.size();
    ASSERT_GE(n, 80u);
    for (size_t i = 0; i < n; ++i) store.AddGoods("1", c.names[(i * 37) % n], "1.00", "1.00", "1", "");
    TTableStore& g = store.Goods();
    ASSERT_EQ(g.RecordCount(), static_cast<int32_t>(n));
    // Records in ID order; the plain comparison's stable order of them.
    std::vector<int32_t> plain(n), byKeys(n);
    for (size_t i = 0; i < n; ++i) plain[i] = byKeys[i] = static_cast<int32_t>(i);
    auto name = [&](int32_t row) { return g.CellData(row, 2); };
    std::stable_sort(plain.begin(), plain.end(),
                     [&](int32_t a, int32_t b) { return g.Name.Compare(name(a), name(b)) < 0; });
    std::vector<std::string> keys(n);
    g.Name.BeginSortKeys();
    for (size_t i = 0; i < n; ++i) {
      // The text beside the key is the name as the plain conversion gives it.
      std::u16string text;
      g.Name.AppendSortKey(name(static_cast<int32_t>(i)), keys[i], text);
      EXPECT_EQ(text, platform::MultiByteToUtf16(g.Name.BufferToText(name(static_cast<int32_t>(i))),
                                                 platform::kCodePageUtf8));
    }
    std::stable_sort(byKeys.begin(), byKeys.end(), [&](int32_t a, int32_t b) { return keys[a] < keys[b]; });
    std::vector<int32_t> want, keyed, sorted;
    for (size_t i = 0; i < n; ++i) {
      want.push_back(Cell<int32_t>(g, plain[i], 0));
      keyed.push_back(Cell<int32_t>(g, byKeys[i], 0));
    }
    EXPECT_EQ(keyed, want);
    g.SetRecNo(static_cast<int32_t>(n / 3));
    const int32_t current = g.ID.Value();
    g.SetIndex(&g.IndName);
    for (size_t i = 0; i < n; ++i) sorted.push_back(Cell<int32_t>(g, static_cast<int32_t>(i), 0));
    EXPECT_EQ(sorted, want);
    EXPECT_EQ(g.ID.Value(), current);
    testing::BasicItemTable<CountingNameField, 40> counted(fs);
    counted.SetFileName("names.dat");
    counted.OpenAndRegister();
    for (size_t i = 0; i < n; ++i) counted.Add(c.names[(i * 37) % n]);
    counted.Name.Comparisons = 0;
    counted.SetIndex(&counted.ByName);
    EXPECT_LT(counted.Name.Comparisons, static_cast<int>(n)) << "the prepared keys did not order the names";
    std::vector<int32_t> countedOrder;
    for (size_t i = 0; i < n; ++i) countedOrder.push_back(Cell<int32_t>(counted, static_cast<int32_t>(i), 0));
    EXPECT_EQ(countedOrder, want);
  }
}

}  // namespace
}  // namespace vk
