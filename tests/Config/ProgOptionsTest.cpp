#include <gtest/gtest.h>

#include "CfgTestSupport.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Service/CardinalDate.h"

namespace vk {
namespace {

using testing::FakeSystem;
using testing::kCfgPath;
using testing::kKeyName;
using testing::kKeyPath;

TProgRegion Region(uint32_t acp, uint32_t localeAcp, std::vector<uint32_t> valid = {1250, 1251, 1252, 65001}) {
  return {acp, localeAcp, [valid](uint32_t cp) { return std::find(valid.begin(), valid.end(), cp) != valid.end(); }};
}

std::unique_ptr<TProgOptions> Open(FakeSystem& sys, TProgRegion region = Region(1251, 1251)) {
  return std::make_unique<TProgOptions>(kCfgPath, kKeyName, sys.Environment(), std::move(region));
}

using Getter = uint32_t (TProgOptions::*)();
using Setter = void (TProgOptions::*)(uint32_t);

struct Column {
  const char* section;
  const char* key;
  Getter get;
  Setter set;
  uint32_t defaultWidth;
};

const Column kColumns[] = {
    {"GridStore", "CodeWidth", &TProgOptions::GetStoreCodeWidth, &TProgOptions::SetStoreCodeWidth, 55},
    {"GridStore", "NameWidth", &TProgOptions::GetStoreNameWidth, &TProgOptions::SetStoreNameWidth, 145},
    {"GridStore", "DateWidth", &TProgOptions::GetStoreDateWidth, &TProgOptions::SetStoreDateWidth, 70},
    {"GridStore", "CountPWidth", &TProgOptions::GetStoreCountPWidth, &TProgOptions::SetStoreCountPWidth, 45},
    {"GridStore", "WeightWidth", &TProgOptions::GetStoreWeightWidth, &TProgOptions::SetStoreWeightWidth, 60},
    {"GridStore", "CostWidth", &TProgOptions::GetStoreCostWidth, &TProgOptions::SetStoreCostWidth, 60},
    {"GridStore", "SumWidth", &TProgOptions::GetStoreSumWidth, &TProgOptions::SetStoreSumWidth, 85},
    {"GridMoves", "DateWidth", &TProgOptions::GetMovesDateWidth, &TProgOptions::SetMovesDateWidth, 65},
    {"GridMoves", "MoveWidth", &TProgOptions::GetMovesMoveWidth, &TProgOptions::SetMovesMoveWidth, 38},
    {"GridMoves", "WeightWidth", &TProgOptions::GetMovesWeightWidth, &TProgOptions::SetMovesWeightWidth, 42},
    {"GridMoves", "CountPWidth", &TProgOptions::GetMovesCountPWidth, &TProgOptions::SetMovesCountPWidth, 35},
    {"GridMoves", "SumWidth", &TProgOptions::GetMovesSumWidth, &TProgOptions::SetMovesSumWidth, 65},
};

TEST(ProgOptions, MissingFileGivesEveryDefaultAndReadsCreateNothing) {
  FakeSystem sys;
  auto options = Open(sys);
  for (const auto& c : kColumns) EXPECT_EQ(((*options).*c.get)(), c.defaultWidth) << c.section << "/" << c.key;
  EXPECT_EQ(options->GetTestDate(), 0);
  EXPECT_EQ(options->GetLastVersion(), "");
  EXPECT_EQ(options->GetMainFormLeft(), 0u);
  EXPECT_EQ(options->GetMainFormTop(), 0u);
  EXPECT_EQ(options->GetMainFormWidth(), 0u);
  EXPECT_EQ(options->GetMainFormHeight(), 0u);
  EXPECT_EQ(options->GetStoreSortedColumn(), 0u);
  EXPECT_EQ(options->GetLastCopy(), "");
  EXPECT_EQ(options->GetProgLang(), 2u);
  EXPECT_FALSE(options->GetKeyboardEnhanced());
  EXPECT_FALSE(options->GetAutogenEnabled());
  EXPECT_EQ(options->GetAutogenDelta(), 0);
  EXPECT_EQ(options->GetAutogenNuls(), 4u);
  EXPECT_EQ(options->GetPassword(), 0u);
  EXPECT_FALSE(sys.Files.Get(kCfgPath));
  options->SetMainFormLeft(0);  // unchanged: still nothing
  EXPECT_FALSE(sys.Files.Get(kCfgPath));
  options->SetMainFormLeft(12);
  EXPECT_EQ(sys.File(), "[MainForm]\r\nLeft=0000000C\r\n");
}

TEST(ProgOptions, ColumnWidthsBelowElevenNegativeOrWiderThanAScreenGiveTheDefault) {
  struct Case {
    const char* stored;
    bool useDefault;
    uint32_t value;
  } cases[] = {
      {"00000000", true, 0},    {"00000001", true, 0},       {"0000000A", true, 0}, {"0000000B", false, 11},
      {"00000190", false, 400}, {"00004000", false, 0x4000}, {"00004001", true, 0}, {"7FFF0000", true, 0},
      {"7FFFFFFF", true, 0},    {"80000000", true, 0},       {"FFFFFFFF", true, 0}, {"xyz", true, 0},
  };
  for (const auto& col : kColumns) {
    for (const auto& c : cases) {
      FakeSystem sys;
      sys.Files.Put(kCfgPath, std::string("[") + col.section + "]\r\n" + col.key + "=" + c.stored + "\r\n");
      auto options = Open(sys);
      EXPECT_EQ(((*options).*col.get)(), c.useDefault ? col.defaultWidth : c.value) << col.key << "=" << c.stored;
    }
  }
}

TEST(ProgOptions, SettersWriteOnlyWhenTheStoredValueDiffers) {
  for (const auto& col : kColumns) {
    FakeSystem sys;
    sys.Files.Put(kCfgPath, std::string("[") + col.section + "]\r\n" + col.key + "=00000005\r\n");
    auto options = Open(sys);
    ((*options).*col.set)(5);  // stored 5 reads as the default, but equals the stored value
    EXPECT_EQ(sys.Files.WriteCount(), 0) << col.key;
    ((*options).*col.set)(col.defaultWidth);
    ((*options).*col.set)(col.defaultWidth);
    EXPECT_EQ(sys.Files.WriteCount(), 1) << col.key;
    EXPECT_EQ(((*options).*col.get)(), col.defaultWidth);
  }
}

TEST(ProgOptions, EveryKeyLandsInItsSection) {
  FakeSystem sys;
  auto options = Open(sys);
  options->SetTestDate(*TryEncodeDate(2026, 1, 1));
  options->SetLastVersion(" 2.1 ");
  options->SetMainFormLeft(1);
  options->SetMainFormTop(2);
  options->SetMainFormWidth(3);
  options->SetMainFormHeight(4);
  uint32_t width = 20;
  for (const auto& col : kColumns) ((*options).*col.set)(width++);
  options->SetStoreSortedColumn(3);
  options->SetLastCopy("C:\\Backup");
  options->SetProgLang(1);
  options->SetKeyboardEnhanced(true);
  options->SetAutogenEnabled(true);
  options->SetPassword(0x3C71A5E4);
  EXPECT_EQ(sys.File(),
            "[Updates]\r\nTestDate=40E678E0\r\nLastVersion=2.1\r\n\r\n"
            "[MainForm]\r\nLeft=00000001\r\nTop=00000002\r\nWidth=00000003\r\nHeight=00000004\r\n\r\n"
            "[GridStore]\r\nCodeWidth=00000014\r\nNameWidth=00000015\r\nDateWidth=00000016\r\n"
            "CountPWidth=00000017\r\nWeightWidth=00000018\r\nCostWidth=00000019\r\nSumWidth=0000001A\r\n"
            "SortedColumn=00000003\r\n\r\n"
            "[GridMoves]\r\nDateWidth=0000001B\r\nMoveWidth=0000001C\r\nWeightWidth=0000001D\r\n"
            "CountPWidth=0000001E\r\nSumWidth=0000001F\r\n\r\n"
            "[Paths]\r\nLastCopy=C:\\Backup\r\n\r\n"
            "[Language]\r\nProgLang=UKR\r\n\r\n"
            "[Keyboard]\r\nEnhanced=00000001\r\n\r\n"
            "[Autogen]\r\nEnabled=00000001\r\n\r\n"
            "[Security]\r\nPassword=3C71A5E4\r\n");
}

TEST(ProgOptions, LanguageCodeIsTrimmedButCaseSensitive) {
  struct Case {
    const char* stored;  // nullptr: absent
    uint32_t want;
    bool setUkrWrites;
  } cases[] = {
      // Blanks around a value do not count in the file, so " UKR " already is "UKR".
      {"RUS", 0, true}, {"UKR", 1, false},  {" UKR ", 1, false}, {"ukr", 2, true}, {"ENG", 2, true},
      {"", 2, true},    {nullptr, 2, true}, {"RUSX", 2, true},   {"Rus", 2, true},
  };
  for (const auto& c : cases) {
    FakeSystem sys;
    if (c.stored) sys.Files.Put(kCfgPath, std::string("[Language]\r\nProgLang=") + c.stored + "\r\n");
    auto options = Open(sys);
    EXPECT_EQ(options->GetProgLang(), c.want) << (c.stored ? c.stored : "(absent)");
    options->SetProgLang(1);
    EXPECT_EQ(sys.Files.WriteCount(), c.setUkrWrites ? 1 : 0) << (c.stored ? c.stored : "(absent)");
    EXPECT_EQ(options->GetProgLang(), 1u);
  }
  FakeSystem sys;
  EXPECT_THROW(Open(sys)->SetProgLang(3), ERangeError);
}

TEST(ProgOptions, BaseCodePageFallsBackByLanguageAndSystem) {
  struct Case {
    const char* stored;
    const char* language;
    uint32_t acp, localeAcp;
    uint32_t want;
  } cases[] = {
      {"000003A4", "ENG", 1252, 1252, 932},  // installed
      {"000003A4", "RUS", 1252, 1252, 932},
      {"00000001", "ENG", 65001, 1252, 1252},  // not a code page; UTF-8 system: the locale's
      {"00000001", "ENG", 65001, 0, 0},
      {"00000000", "RUS", 1252, 1252, 1251},
      {"00000000", "UKR", 65001, 1252, 1251},
      {"00000000", "ENG", 1250, 1250, 1250},
      {"000004E4", "RUS", 1251, 1251, 1252},
      {"xyz", "ENG", 1252, 1252, 1252},
  };
  for (const auto& c : cases) {
    FakeSystem sys;
    sys.Files.Put(kCfgPath,
                  std::string("[Language]\r\nProgLang=") + c.language + "\r\nBaseCodePage=" + c.stored + "\r\n");
    auto options = Open(sys, Region(c.acp, c.localeAcp, {932, 1250, 1251, 1252, 65001}));
    EXPECT_EQ(options->GetBaseCodePage(), c.want) << c.stored << " " << c.language << " " << c.acp;
  }
}

TEST(ProgOptions, AutogenDeltaAndNulsKeepToTheirRanges) {
  struct Case {
    const char* stored;
    int32_t delta;
    uint32_t nuls;
  } cases[] = {
      {"00000000", 0, 4},
      {"00000005", -5, 5},
      {"FFFFFFFB", 5, 8},
      {"00000008", -8, 8},
      {"00000009", -9, 8},
      {"FFFFFFFF", 1, 8},
      {"80000000", 0, 8},  // no negation exists: reads as absent
                           // instead of overflowing
      {"7FFFFFFF", -0x7FFFFFFF, 8},
      {"00000001", -1, 1},
      {"-1", 0, 4},
  };
  for (const auto& c : cases) {
    FakeSystem sys;
    sys.Files.Put(kCfgPath, std::string("[Autogen]\r\nDelta=") + c.stored + "\r\nNuls=" + c.stored + "\r\n");
    auto options = Open(sys);
    EXPECT_EQ(options->GetAutogenDelta(), c.delta) << c.stored;
    EXPECT_EQ(options->GetAutogenNuls(), c.nuls) << c.stored;
  }
}

TEST(ProgOptions, BooleansStoreZeroOrOne) {
  FakeSystem sys;
  sys.Files.Put(kCfgPath, "[Keyboard]\r\nEnhanced=00000002\r\n");
  auto options = Open(sys);
  EXPECT_TRUE(options->GetKeyboardEnhanced());
  options->SetKeyboardEnhanced(true);  // 2 differs from 1
  EXPECT_EQ(sys.File(), "[Keyboard]\r\nEnhanced=00000001\r\n");
  options->SetKeyboardEnhanced(true);
  options->SetAutogenEnabled(false);  // absent reads 0: unchanged
  EXPECT_EQ(sys.Files.WriteCount(), 1);
  options->SetKeyboardEnhanced(false);
  EXPECT_FALSE(options->GetKeyboardEnhanced());
  EXPECT_EQ(sys.File(), "[Keyboard]\r\nEnhanced=00000000\r\n");
}

TEST(ProgOptions, TextsAreComparedTrimmed) {
  FakeSystem sys;
  sys.Files.Put(kCfgPath, "[Paths]\r\nLastCopy=C:\\Data\r\n[Updates]\r\nLastVersion=2.0\r\n");
  auto options = Open(sys);
  options->SetLastCopy("  C:\\Data ");
  options->SetLastVersion("2.0\t");
  EXPECT_EQ(sys.Files.WriteCount(), 0);
  options->SetLastVersion(" 2.1 ");
  EXPECT_EQ(options->GetLastVersion(), "2.1");
  EXPECT_EQ(sys.File(), "[Paths]\r\nLastCopy=C:\\Data\r\n[Updates]\r\nLastVersion=2.1\r\n");
}

TEST(ProgOptions, TestDateIsPackedAndWrittenOncePerStep) {
  FakeSystem sys;
  sys.Files.Put(kCfgPath, "[Updates]\r\nTestDate=\r\n");  // as the setup program leaves it
  auto options = Open(sys);
  EXPECT_EQ(options->GetTestDate(), 0);
  TDateTime day = *TryEncodeDate(2026, 1, 1);
  options->SetTestDate(day + *TryEncodeTime(12, 10, 0, 0));
  options->SetTestDate(day + *TryEncodeTime(12, 40, 0, 0));  // the same 45-minute step
  EXPECT_EQ(sys.Files.WriteCount(), 1);
  EXPECT_EQ(options->GetTestDate(), day + 0.5);
  EXPECT_EQ(sys.File(), "[Updates]\r\nTestDate=40E678F0\r\n");
}

TEST(ProgOptions, DamagedTestDateReadsAsZero) {
  for (const char* stored : {"BFF00000", "7FF80000", "FFF00000", "7FE00000"}) {
    FakeSystem sys;
    sys.Files.Put(kCfgPath, std::string("[Updates]\r\nTestDate=") + stored + "\r\n");
    EXPECT_EQ(Open(sys)->GetTestDate(), 0) << stored;
  }
}

TEST(ProgOptions, PasswordIsWrittenAtEveryCallAndMirrored) {
  FakeSystem sys;
  sys.Registry.CreateKey(kKeyPath);
  auto options = Open(sys);
  options->SetPassword(0x3C71A5E4);
  options->SetPassword(0x3C71A5E4);
  EXPECT_EQ(sys.Files.WriteCount(), 2);
  EXPECT_EQ(options->GetPassword(), 0x3C71A5E4u);
  EXPECT_EQ(sys.Registry.Value(kKeyPath, "Password")->Data,
            (std::vector<uint8_t>{0x40, 0x1A, 0x60, 0x17, 0x39, 0x09, 0x00, 0x00}));
}

// A folder named in letters the code page lacks must come back as it was
// chosen: the file turns to UTF-8 with a byte-order mark, and only when a
// value needs it; once turned, it stays so.
TEST(ProgOptions, TextsTheCodePageLacksReadBackExactly) {
  const std::string kBom = "\xEF\xBB\xBF";
  struct Case {
    uint32_t codePage;
    const char* folder;
    bool utf8;
  } cases[] = {
      {1252, "D:\\\xD0\x9A\xD0\xBE\xD0\xBF\xD0\xB8\xD1\x8F 2026", true},   // "Копия" on a Western system
      {1251, "D:\\\xD0\x9A\xD0\xBE\xD0\xBF\xD0\xB8\xD1\x8F 2026", false},  // on a Cyrillic one
      {1251,
       "D:\\\xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       true},  // "Łódź"
      {1252, "D:\\Caf\xC3\xA9", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    FakeSystem sys;
    sys.Files.Put(kCfgPath, "[Language]\r\nProgLang=UKR\r\n");
    TProgOptions(kCfgPath, kKeyName, sys.Environment(c.codePage)).SetLastCopy(c.folder);
    EXPECT_EQ(sys.File().starts_with(kBom), c.utf8);
    TProgOptions again(kCfgPath, kKeyName, sys.Environment(c.codePage));
    EXPECT_EQ(again.GetLastCopy(), c.folder);
    EXPECT_EQ(again.GetProgLang(), 1u);
    again.SetLastCopy("D:\\Backup");
    EXPECT_EQ(sys.File(),
              (c.utf8 ? kBom : "") + "[Language]\r\nProgLang=UKR\r\n\r\n[Paths]\r\nLastCopy=D:\\Backup\r\n");
  }
}

TEST(ProgOptions, GlobalObjectExistsBetweenCreateAndFree) {
  FakeSystem sys;
  EXPECT_THROW(ProgOptions(), EAssertionFailed);
  CreateProgOptions(Open(sys));
  ProgOptions().SetProgLang(0);
  EXPECT_EQ(ProgOptions().GetProgLang(), 0u);
  FreeProgOptions();
  EXPECT_THROW(ProgOptions(), EAssertionFailed);
}

}  // namespace
}  // namespace vk
