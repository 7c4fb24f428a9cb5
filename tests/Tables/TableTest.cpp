#include <gtest/gtest.h>

#include "ItemTable.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "TableFixture.h"

namespace vk {
namespace {

using testing::ItemTable;
using testing::MessageOf;

class TableTest : public ::testing::Test {
 protected:
  platform::MemoryFileSystem fs;
  ItemTable t{fs};
  void SetUp() override {
    t.SetFileName("items.dat");
    t.OpenAndRegister();
  }
};

TEST_F(TableTest, EmptyTableRefusesEditAndDeleteAndTakesAnAppend) {
  EXPECT_EQ(t.State(), tsBrowse);
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(t.RecordCount(), 0);
  t.Next();
  EXPECT_TRUE(t.Eof());
  t.Prior();
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(MessageOf([&] { t.Edit(); }), "Недопустимая операция при пустой таблице");
  EXPECT_EQ(MessageOf([&] { t.Delete(); }), "Недопустимая операция при пустой таблице");
  t.SetRecNo(5);  // nothing happens on an empty table
  t.Append();
  t.Name.SetAsString("a");
  t.Post();
  EXPECT_EQ(t.RecordCount(), 1);
  EXPECT_EQ(t.RecNo(), 0);
  EXPECT_FALSE(t.Eof());
}

TEST_F(TableTest, CancelledAppendRestoresTheCurrentRecord) {
  t.Add("a", 1, 100);
  t.Add("b", 2, 200);
  t.SetRecNo(0);
  t.Append();
  t.Name.SetAsString("new");
  EXPECT_EQ(t.CellText(2, 1), "new");  // the row being inserted follows the last
  EXPECT_EQ(t.CellText(0, 1), "a");
  t.Cancel();
  EXPECT_EQ(t.RecNo(), 0);
  EXPECT_EQ(t.Name.Value(), "a");
  EXPECT_EQ(t.Price.Value(), 100u);
  EXPECT_EQ(t.RecordCount(), 2);
  EXPECT_EQ(MessageOf([&] { t.Name.SetAsString("x"); }), "Поле нельзя редактировать");
}

TEST_F(TableTest, EditShowsTheEditedValuesInTheCurrentRow) {
  t.Add("a");
  t.Add("b");
  t.SetRecNo(1);
  t.Edit();
  t.Name.SetAsString("bb");
  EXPECT_EQ(t.CellText(1, 1), "bb");
  t.Cancel();
  EXPECT_EQ(t.CellText(1, 1), "b");
  EXPECT_EQ(t.Name.Value(), "b");
}

TEST_F(TableTest, CancelOnAnEmptyTableClearsWhatWasTyped) {
  t.Append();
  t.Name.SetAsString("typed");
  t.Cancel();
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(t.Name.Value(), "");
}

TEST_F(TableTest, DeleteRepositionsOnTheFollowingOrTheLastRecord) {
  for (const char* n : {"a", "b", "c"}) t.Add(n);
  t.SetRecNo(2);
  t.Delete();
  EXPECT_EQ(t.RecNo(), 1);
  EXPECT_TRUE(t.Eof());
  t.Add("d");
  t.SetRecNo(1);  // "b" in [a, b, d]
  t.Delete();
  EXPECT_EQ(t.RecNo(), 1);
  EXPECT_EQ(t.Name.Value(), "d");
  EXPECT_FALSE(t.Eof());
  t.Delete();
  t.Delete();
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(t.RecordCount(), 0);
}

TEST_F(TableTest, NavigationAtTheEnds) {
  t.Add("only");
  t.First();
  t.Next();
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(t.RecNo(), 0);
  t.Prior();
  EXPECT_FALSE(t.Eof());
  EXPECT_EQ(t.RecNo(), 0);
  for (const char* n : {"b", "c", "d", "e"}) t.Add(n);
  int visited = 0;
  for (t.First(); !t.Eof(); t.Next()) ++visited;
  EXPECT_EQ(visited, 5);
  EXPECT_EQ(t.RecNo(), 4);
  EXPECT_EQ(MessageOf([&] { t.SetRecNo(5); }), "Неправильное значение номера записи");
}

TEST_F(TableTest, IndexNamesIgnoreCaseAndKeepTheirSpelling) {
  TIndex twin(&t.FieldSet, "INDNAME", &t.Grp);
  EXPECT_EQ(MessageOf([&] { t.AddIndex(&twin); }), "Совпадение имен индексов");
  TIndex nameless(&t.FieldSet, &t.Grp);
  EXPECT_EQ(MessageOf([&] { t.AddIndex(&nameless); }), "Не задано имя индекса");
  EXPECT_EQ(MessageOf([&] { t.AddIndex(nullptr); }), "Не определен индексный объект");
  t.SetIndexName("INDNAME");
  EXPECT_EQ(t.IndexName(), "IndName");
  EXPECT_EQ(t.GetIndex(), &t.ByName);
  EXPECT_EQ(MessageOf([&] { t.SetIndexName("nope"); }), "Индекс не найден в массиве индексов");
  t.SetIndexName("");
  EXPECT_EQ(t.GetIndex(), nullptr);
}

TEST_F(TableTest, IndexesAreForgottenOnClose) {
  t.Close();
  t.Open(false);
  EXPECT_EQ(MessageOf([&] { t.SetIndex(&t.ByName); }), "Индекс не найден в массиве индексов");
  t.AddIndex(&t.ByName);
  t.SetIndex(&t.ByName);
  EXPECT_EQ(t.IndexName(), "IndName");
}

TEST_F(TableTest, AnIndexOverAnotherTablesFieldsIsRefused) {
  platform::MemoryFileSystem other;
  ItemTable foreign(other);
  TIndex stranger(&foreign.FieldSet, "Stranger", &foreign.Name);
  EXPECT_THROW(t.AddIndex(&stranger), Exception);
  EXPECT_EQ(MessageOf([&] { t.SetIndex(&stranger); }), "Индекс не найден в массиве индексов");
}

TEST_F(TableTest, StateRefusals) {
  t.Add("a");
  t.Edit();
  struct Case {
    const char* what;
    std::function<void()> call;
    const char* message;
  } editing[] = {
      {"Append", [&] { t.Append(); }, "Таблица уже находится в режиме редактирования"},
      {"Edit", [&] { t.Edit(); }, "Таблица уже находится в режиме редактирования"},
      {"RecNo", [&] { t.SetRecNo(0); }, "Таблица уже находится в режиме редактирования"},
      {"Delete", [&] { t.Delete(); }, "Таблица не переведена в режим просмотра"},
      {"EmptyTable", [&] { t.EmptyTable(); }, "Таблица не переведена в режим просмотра"},
      {"First", [&] { t.First(); }, "Таблица не переведена в режим просмотра"},
      {"Next", [&] { t.Next(); }, "Таблица не переведена в режим просмотра"},
      {"Prior", [&] { t.Prior(); }, "Таблица не переведена в режим просмотра"},
      {"SetIndex", [&] { t.SetIndex(nullptr); }, "Таблица не переведена в режим просмотра"},
      {"IndexName", [&] { t.SetIndexName(""); }, "Таблица не переведена в режим просмотра"},
  };
  for (const auto& c : editing) EXPECT_EQ(MessageOf(c.call), c.message) << c.what;
  t.Cancel();
  EXPECT_EQ(MessageOf([&] { t.Post(); }), "Таблица не переведена в режим редактирования");
  EXPECT_EQ(MessageOf([&] { t.Cancel(); }), "Таблица не переведена в режим редактирования");
  EXPECT_EQ(MessageOf([&] { t.FindKey(std::string("a")); }), "Не задан индексный объект");
  t.Edit();
  t.Close();  // closing while editing turns editing off
  EXPECT_EQ(t.State(), tsClosed);
  EXPECT_FALSE(t.Name.Editable());
  EXPECT_EQ(MessageOf([&] { t.Append(); }), "Недопустимая операция при закрытой таблице");
  EXPECT_EQ(MessageOf([&] { t.RecordCount(); }), "Недопустимая операция при закрытой таблице");
}

TEST_F(TableTest, FindKeyWithValuesOnASeveralFieldIndex) {
  t.Add("b", 2);
  t.Add("a", 2);
  t.Add("c", 1);
  t.SetIndex(&t.ByGroup);
  t.FindKey(std::vector<Variant>{Variant::Integer(2), Variant::String("b")});
  EXPECT_EQ(t.ID.Value(), 1);
  t.FindKey(std::vector<Variant>{Variant::Integer(2), Variant::String("")});
  EXPECT_EQ(t.ID.Value(), 2);
  t.EmptyTable();
  t.FindKey(std::vector<Variant>{Variant::Integer(2), Variant::String("")});
  EXPECT_TRUE(t.Eof());
}

}  // namespace
}  // namespace vk
