#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "Platform/fake/MemoryFileSystem.h"
#include "TableFixture.h"
#include "Tables/UMoneyFld.h"

namespace vk {
namespace {

using testing::FreshTwoFieldFile;
using testing::Int32Bytes;
using testing::MessageOf;
using testing::TwoFieldLayout;

class DatFileTest : public ::testing::Test {
 protected:
  platform::MemoryFileSystem fs;
  TwoFieldLayout layout;
  TDatFile file{fs};
  void SetUp() override {
    file.SetFileName("t.dat");
    file.SetFields(&layout.set);
  }
  std::vector<uint8_t> Bytes() { return *fs.Contents("t.dat"); }
};

TEST_F(DatFileTest, NewTableIs104GoldenBytes) {
  file.CreateFile(false);
  EXPECT_EQ(Bytes(), FreshTwoFieldFile());
  EXPECT_EQ(file.RecordOffset(), 104);
  EXPECT_EQ(file.Header().RecordLength, 20);
}

TEST_F(DatFileTest, AppendDeleteEmptyAndReopenGiveGoldenBytes) {
  file.CreateFile(false);
  layout.Fill("AB");
  file.AppendRecord();
  std::vector<uint8_t> want = FreshTwoFieldFile(1, 0, 2);
  for (uint8_t b : std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 'A', 'B', 0, 0, 0, 0, 0, 0})
    want.push_back(b);
  EXPECT_EQ(Bytes(), want);
  EXPECT_EQ(Bytes().size(), 124u);
  EXPECT_EQ(file.RecordOffset(), 104);
  EXPECT_EQ(layout.id.NextKeyValue(), 2);

  file.DeleteRecord();
  want = FreshTwoFieldFile(1, 1, 2);
  for (uint8_t b : std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0, 'A', 'B', 0, 0, 0, 0, 0, 0})
    want.push_back(b);
  EXPECT_EQ(Bytes(), want);

  file.CloseFile();
  EXPECT_EQ(layout.id.NextKeyValue(), 1);  // the caller's key fields go back to 1 until reopened
  file.OpenFile(false);
  EXPECT_EQ(layout.id.NextKeyValue(), 2);
  file.SetRecordOffset(104);
  EXPECT_FALSE(file.ReadRecord());
  EXPECT_EQ(layout.name.Value(), "AB");

  file.EmptyTable();
  EXPECT_EQ(Bytes(), FreshTwoFieldFile());
  layout.Fill("C");
  file.AppendRecord();
  EXPECT_EQ(layout.id.Value(), 1);  // the counter started again at 1
  file.CloseFile();
  file.OpenFile(false);
  EXPECT_EQ(file.Header().RecordCount, 1);
}

TEST_F(DatFileTest, RewriteChangesOnlyTheRecord) {
  file.CreateFile(false);
  layout.Fill("one");
  file.AppendRecord();
  layout.Fill("two");
  file.AppendRecord();
  file.SetRecordOffset(104);
  ASSERT_TRUE(file.ReadRecord());
  layout.name.EnableEdit();
  layout.name.SetAsString("uno");
  file.RewriteRecord();
  file.CloseFile();
  file.OpenFile(false);
  file.SetRecordOffset(104);
  ASSERT_TRUE(file.ReadRecord());
  EXPECT_EQ(layout.name.Value(), "uno");
  EXPECT_EQ(layout.id.Value(), 1);
  file.SetRecordOffset(124);
  ASSERT_TRUE(file.ReadRecord());
  EXPECT_EQ(layout.name.Value(), "two");
  EXPECT_EQ(file.Header().RecordCount, 2);
}

TEST_F(DatFileTest, RewriteOfADeletedRecordIsRefusedAndWritesNothing) {
  file.CreateFile(false);
  layout.Fill("one");
  file.AppendRecord();
  layout.Fill("two");
  file.AppendRecord();
  file.SetRecordOffset(104);
  file.DeleteRecord();
  const std::vector<uint8_t> before = Bytes();
  ASSERT_FALSE(file.ReadRecord());
  layout.name.EnableEdit();
  layout.name.SetAsString("back");
  try {
    file.RewriteRecord();
    ADD_FAILURE() << "the deleted record was rewritten";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), "Record is deleted (Tables\\UDatFile)");
  }
  EXPECT_EQ(Bytes(), before);
  // The live record next to it still takes a rewrite, and the file opens.
  file.SetRecordOffset(124);
  ASSERT_TRUE(file.ReadRecord());
  layout.name.EnableEdit();
  layout.name.SetAsString("deux");
  file.RewriteRecord();
  file.CloseFile();
  file.OpenFile(false);
  EXPECT_EQ(file.Header().RecordCount, 2);
  EXPECT_EQ(file.Header().DeletedCount, 1);
  file.SetRecordOffset(104);
  EXPECT_FALSE(file.ReadRecord());
  EXPECT_EQ(layout.name.Value(), "one");
  file.SetRecordOffset(124);
  ASSERT_TRUE(file.ReadRecord());
  EXPECT_EQ(layout.name.Value(), "deux");
}

TEST_F(DatFileTest, RecordOffsetAcceptsOnlyRecordBoundaries) {
  file.CreateFile(false);
  layout.Fill("x");
  file.AppendRecord();
  EXPECT_EQ(MessageOf([&] { file.SetRecordOffset(114); }), "Неверное смещение записи в файле");
  EXPECT_EQ(MessageOf([&] { file.SetRecordOffset(84); }), "Неверное смещение записи в файле");
  file.SetRecordOffset(124);  // just past the last record
  EXPECT_EQ(MessageOf([&] { file.SetRecordOffset(144); }), "Неверное смещение записи в файле");
  // Rewrite and delete act only on an existing record.
  file.SetRecordOffset(124);
  EXPECT_EQ(MessageOf([&] { file.RewriteRecord(); }), "Неверное смещение записи в файле");
  EXPECT_EQ(MessageOf([&] { file.DeleteRecord(); }), "Неверное смещение записи в файле");
  EXPECT_EQ(Bytes().size(), 124u);
}

TEST_F(DatFileTest, StateRefusals) {
  EXPECT_EQ(MessageOf([&] { file.RecordOffset(); }), "Недопустимая операция при закрытом файле");
  EXPECT_EQ(MessageOf([&] { file.AppendRecord(); }), "Недопустимая операция при закрытом файле");
  EXPECT_EQ(MessageOf([&] { file.CloseFile(); }), "Недопустимая операция при закрытом файле");
  EXPECT_EQ(MessageOf([&] { file.OpenFile(false); }), "Файл не найден");
  file.OpenFile(true);  // creates an empty table
  EXPECT_EQ(Bytes(), FreshTwoFieldFile());
  EXPECT_EQ(MessageOf([&] { file.OpenFile(false); }), "Недопустимая операция при открытом файле");
  EXPECT_EQ(MessageOf([&] { file.SetFileName("u.dat"); }), "Недопустимая операция при открытом файле");
  EXPECT_EQ(MessageOf([&] { file.SetFields(&layout.set); }), "Недопустимая операция при открытом файле");
  file.CloseFile();
  EXPECT_EQ(MessageOf([&] { file.CreateFile(false); }), "Файл существует");
  EXPECT_EQ(MessageOf([&] { file.SetFileName(""); }), "Пустое имя файла");
  EXPECT_EQ(MessageOf([&] { file.SetFields(nullptr); }), "Не определен объект полей");
  file.SetFileName("T.DAT");  // differs only in case: not taken
  EXPECT_EQ(file.FileName(), "t.dat");
  TDatFile bare(fs);
  bare.SetFileName("b.dat");
  EXPECT_EQ(MessageOf([&] { bare.CreateFile(false); }), "Не определен объект полей");
}

TEST_F(DatFileTest, OpenWithoutFieldSetBuildsOwnedFields) {
  file.CreateFile(false);
  layout.Fill("x");
  file.AppendRecord();
  file.CloseFile();
  TDatFile reader(fs);
  reader.SetFileName("t.dat");
  reader.OpenFile(false);
  ASSERT_NE(reader.Fields(), nullptr);
  ASSERT_EQ(reader.Fields()->Count(), 2);
  TField* id = reader.Fields()->Items(0);
  TField* name = reader.Fields()->Items(1);
  EXPECT_STREQ(id->ClassName(), "TIntegerField");
  EXPECT_STREQ(name->ClassName(), "TStringField");
  EXPECT_EQ(id->Name(), "ID");
  EXPECT_TRUE(id->IsKey());
  EXPECT_EQ(id->NextKeyValue(), 2);
  EXPECT_FALSE(name->IsKey());
  ASSERT_TRUE(reader.ReadRecord());
  EXPECT_EQ(name->GetAsString(), "x");
  reader.CloseFile();
  EXPECT_EQ(reader.Fields(), nullptr);
}

// One corruption of the two-field file, and what opening it must say.
struct Corruption {
  const char* what;
  std::function<void(std::vector<uint8_t>&)> damage;
  const char* message;
};

void PutInt(std::vector<uint8_t>& b, size_t at, int32_t v) { std::memcpy(b.data() + at, &v, 4); }

TEST_F(DatFileTest, CorruptFilesAreRefusedInOrderAndLeftClosed) {
  const Corruption cases[] = {
      {"20 bytes", [](auto& b) { b.resize(20); }, "Неверный размер заголовка файла"},
      {"other magic", [](auto& b) { b[0] = 'X'; }, "Неверный тип файла"},
      {"data offset", [](auto& b) { PutInt(b, 8, 100); }, "Неверный размер заголовка файла"},
      {"negative field count",
       [](auto& b) {
         PutInt(b, 12, -1);
         PutInt(b, 8, -4);
       },
       "Неверный размер заголовка файла"},
      {"huge field count",
       [](auto& b) {
         PutInt(b, 12, 50000000);
         PutInt(b, 8, 1800000032);
       },
       "Неверный размер заголовка файла"},
      {"name length 21", [](auto& b) { b[32 + 8] = 21; }, "Поврежден заголовок файла"},
      {"integer of 5 bytes",
       [](auto& b) {
         PutInt(b, 32 + 4, 5);
         PutInt(b, 16, 21);
       },
       "Неверный размер поля"},
      {"string of 0 bytes",
       [](auto& b) {
         PutInt(b, 68 + 4, 0);
         PutInt(b, 16, 12);
       },
       "Неверный размер поля"},
      {"string of 1e9 bytes", [](auto& b) { PutInt(b, 68 + 4, 1000000000); }, "Неверный размер поля"},
      {"record of 64 KiB and more",
       [](auto& b) {
         // 20 strings of 4096 bytes: every field is sane, the record is not.
         b.resize(32);
         PutInt(b, 8, 32 + 36 * 20);
         PutInt(b, 12, 20);
         PutInt(b, 16, 8 + 20 * 4096);
         for (int i = 0; i < 20; ++i) {
           std::vector<uint8_t> d(36, 0);
           PutInt(d, 0, 2);
           PutInt(d, 4, 4096);
           b.insert(b.end(), d.begin(), d.end());
         }
       },
       "Неверный размер записи"},
      {"record length", [](auto& b) { PutInt(b, 16, 21); }, "Неверный размер записи"},
      {"one byte more", [](auto& b) { b.push_back(0); }, "Неверное количество записей"},
      {"count without records", [](auto& b) { PutInt(b, 20, 1); }, "Неверное количество записей"},
      {"negative count", [](auto& b) { PutInt(b, 20, -1); }, "Неверное количество записей"},
      {"deleted above count",
       [](auto& b) {
         PutInt(b, 20, 2);
         PutInt(b, 24, 3);
         b.resize(144, 0);
       },
       "Неверное количество записей"},
      {"negative deleted", [](auto& b) { PutInt(b, 24, -1); }, "Неверное количество записей"},
      {"key counter 0", [](auto& b) { PutInt(b, 32 + 32, 0); }, "Неверное очередное значение ключевого поля"},
      {"key counter -5", [](auto& b) { PutInt(b, 32 + 32, -5); }, "Неверное очередное значение ключевого поля"},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> bytes = FreshTwoFieldFile();
    c.damage(bytes);
    fs.SetContents("t.dat", bytes);
    EXPECT_EQ(MessageOf([&] { file.OpenFile(false); }), c.message) << c.what;
    EXPECT_FALSE(file.Active()) << c.what;
    EXPECT_FALSE(fs.IsOpen("t.dat")) << c.what;
    EXPECT_EQ(*fs.Contents("t.dat"), bytes) << c.what;  // opening never writes
  }
}

TEST_F(DatFileTest, FieldSetMismatchesAreRefusedInOrder) {
  file.CreateFile(false);
  file.CloseFile();
  TIntegerField id;
  id.SetIsKey(true);
  TStringField wide(40), narrow(8), name8(8), name40(40);
  TMoneyField money;
  struct Case {
    const char* what;
    std::vector<TField*> fields;
    const char* message;
  } cases[] = {
      {"string width differs", {&id, &wide}, "Неверный размер записи"},
      {"one field less", {&id}, "Поврежден заголовок файла"},
      {"money where integer", {&money, &narrow}, "Неверный тип поля"},
  };
  for (const auto& c : cases) {
    TFields set(c.fields);
    TDatFile other(fs);
    other.SetFileName("t.dat");
    other.SetFields(&set);
    EXPECT_EQ(MessageOf([&] { other.OpenFile(false); }), c.message) << c.what;
    EXPECT_FALSE(other.Active());
  }
  // Sizes that agree in total but not per field.
  TIntegerField a;
  TStringField s8(8), s40(40);
  TFields mine({&a, &s8, &s40});
  TDatFile writer(fs);
  writer.SetFileName("w.dat");
  writer.SetFields(&mine);
  writer.CreateFile(false);
  writer.CloseFile();
  TIntegerField b;
  TStringField t40(40), t8(8);
  TFields theirs({&b, &t40, &t8});
  TDatFile reader(fs);
  reader.SetFileName("w.dat");
  reader.SetFields(&theirs);
  EXPECT_EQ(MessageOf([&] { reader.OpenFile(false); }), "Неверный размер поля");
}

TEST_F(DatFileTest, UnknownTypeIdWithoutFieldSetLeavesTheFileClosed) {
  std::vector<uint8_t> bytes = FreshTwoFieldFile();
  PutInt(bytes, 68, 9);  // the string descriptor claims type 9
  fs.SetContents("t.dat", bytes);
  TDatFile reader(fs);
  reader.SetFileName("t.dat");
  EXPECT_EQ(MessageOf([&] { reader.OpenFile(false); }), "Класс поля не зарегистрирован");
  EXPECT_FALSE(reader.Active());
  EXPECT_EQ(reader.Fields(), nullptr);
}

TEST_F(DatFileTest, AppendRefusesAtTheKeyLimitBeforeWriting) {
  file.CreateFile(false);
  layout.id.SetNextKeyValue(2147483647);
  layout.Fill("x");
  EXPECT_THROW(file.AppendRecord(), EIntOverflow);
  EXPECT_EQ(Bytes(), FreshTwoFieldFile());
  EXPECT_EQ(layout.id.NextKeyValue(), 2147483647);
}

TEST(DatFileOnDisk, SecondOpenOfAnOpenFileFails) {
  auto dir = std::filesystem::temp_directory_path() /
             ("vk-datfile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(dir);
  std::string path = (dir / "t.dat").string();
  std::filesystem::remove(path);
  TwoFieldLayout a, b;
  TDatFile first, second;
  first.SetFileName(path);
  first.SetFields(&a.set);
  first.CreateFile(false);
  second.SetFileName(path);
  second.SetFields(&b.set);
  EXPECT_EQ(MessageOf([&] { second.OpenFile(false); }), "Ошибка открытия файла");
  EXPECT_FALSE(second.Active());
  first.CloseFile();
  second.OpenFile(false);
  EXPECT_TRUE(second.Active());
  second.CloseFile();
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vk
