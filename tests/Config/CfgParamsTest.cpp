#include <gtest/gtest.h>

#include "CfgTestSupport.h"
#include "Tools/CfgFile/CfgParams.h"
#include "Tools/CfgFile/MemIniFile.h"

namespace vk {
namespace {

using platform::RegValue;
using platform::RegValueType;
using testing::FakeSystem;
using testing::kCfgPath;
using testing::kKeyName;
using testing::kKeyPath;

std::vector<uint8_t> LittleEndian(int64_t v) {
  std::vector<uint8_t> bytes(8);
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(static_cast<uint64_t>(v) >> (8 * i));
  return bytes;
}

RegValue Binary(std::vector<uint8_t> data) { return RegValue{RegValueType::Binary, std::move(data), {}}; }

std::string AssertionText(const std::function<void()>& f) {
  try {
    f();
  } catch (const EAssertionFailed& e) {
    return e.Message();
  }
  return "(no assertion)";
}

TEST(CfgParams, ConstructorsAssertTheirArguments) {
  FakeSystem sys;
  TCfgOptions store(kCfgPath, sys.Environment());
  struct Case {
    std::function<void()> make;
    const char* text;
  } cases[] = {
      {[&] { TCardinalParam(nullptr, "", ""); }, "Not assigned owner param of constructor"},
      {[&] { TStringParam(&store, "", ""); }, "Empty scName parameter of constructor"},
      {[&] { TRegCardinalParam(&store, "S", ""); }, "Empty prName parameter of constructor"},
      {[&] { ICfgCardinalReader(nullptr); }, "Not Assigned parent param"},
      {[&] { IRegStringReader(nullptr); }, "Not assigned parent param"},
      {[&] { TRegOptions(kCfgPath, "", sys.Environment()); }, "Empty regKeyName param"},
  };
  for (const auto& c : cases) EXPECT_EQ(AssertionText(c.make).rfind(c.text, 0), 0u) << c.text;
}

TEST(CfgParams, CardinalReadsHexadecimalTextStrictly) {
  struct Case {
    const char* line;  // the entry's line, or nullptr for an absent key
    uint32_t want;
  } cases[] = {
      {nullptr, 0},
      {"V=FFFFFFFF", 4294967295u},
      {"V=1FFFFFFFF", 4294967295u},
      {"V=ffffffff", 4294967295u},
      {"V=000004E3", 1251},
      {"V=4e3", 1251},
      {"V=FFFFFFFFFFFFFFFF", 4294967295u},
      {"V=0000000100000002", 2},
      {"V=00000001000000002", 0},  // 17 digits
      {"V=xyz", 0},
      {"V=-1", 0},
      {"V=0x10", 0},
      {"V=$10", 0},
      {"V=", 0},
      {"V=1 0", 0},
      {"V= 10", 16},  // blanks around a value do not count
  };
  for (const auto& c : cases) {
    FakeSystem sys;
    sys.Files.Put(kCfgPath, std::string("[S]\r\n") + (c.line ? c.line : "") + "\r\n");
    TCfgOptions store(kCfgPath, sys.Environment());
    TCardinalParam param(&store, "S", "V");
    EXPECT_EQ(param.GetValue(), c.want) << (c.line ? c.line : "(absent)");
  }
}

TEST(CfgParams, EmptyValuesAreLookedUpAgainAndOthersAreKept) {
  FakeSystem sys;
  sys.Files.Put(kCfgPath, "[S]\r\nBad=xyz\r\nGood=00000007\r\n");
  TCfgOptions store(kCfgPath, sys.Environment());
  TCardinalParam bad(&store, "S", "Bad"), good(&store, "S", "Good");
  TCardinalParam badWriter(&store, "S", "Bad"), goodWriter(&store, "s", "good");
  EXPECT_EQ(bad.GetValue(), 0u);
  EXPECT_EQ(good.GetValue(), 7u);
  badWriter.SetValue(5);
  goodWriter.SetValue(9);
  EXPECT_EQ(bad.GetValue(), 5u);   // was empty: read again
  EXPECT_EQ(good.GetValue(), 7u);  // cached for the parameter's life
}

TEST(CfgParams, CardinalIsWrittenAsEightUpperCaseDigits) {
  FakeSystem sys;
  TCfgOptions store(kCfgPath, sys.Environment());
  TCardinalParam param(&store, "Language", "BaseCodePage");
  param.SetValue(1251);
  EXPECT_EQ(sys.File(), "[Language]\r\nBaseCodePage=000004E3\r\n");
  param.SetValue(0);
  EXPECT_EQ(sys.File(), "[Language]\r\nBaseCodePage=00000000\r\n");
  TCardinalParam other(&store, "Language", "BaseCodePage");
  other.SetValue(0xABCDEF01);
  EXPECT_EQ(param.GetValue(), 0xABCDEF01u);  // 0 is empty: the store is asked again
}

TEST(CfgParams, MissingFileGivesAnEmptyStoreAndTheFirstWriteCreatesIt) {
  FakeSystem sys;
  TCfgOptions store(kCfgPath, sys.Environment());
  TStringParam text(&store, "Updates", "LastVersion");
  EXPECT_EQ(text.GetValue(), "");
  EXPECT_FALSE(sys.Files.Get(kCfgPath));
  text.SetValue("1.2");
  EXPECT_EQ(sys.File(), "[Updates]\r\nLastVersion=1.2\r\n");
  EXPECT_TRUE(sys.Sleeps.empty());
}

TEST(CfgParams, LockedFileIsRetriedTwentyTimesThenRefused) {
  struct Case {
    int failures;
    bool opens;
  } cases[] = {{0, true}, {1, true}, {13, true}, {19, true}, {20, false}, {50, false}};
  for (const auto& c : cases) {
    FakeSystem sys;
    sys.Files.Put(kCfgPath, "[S]\r\nV=00000003\r\n");
    sys.Files.FailNextReads(c.failures);
    if (c.opens) {
      TCfgOptions store(kCfgPath, sys.Environment());
      EXPECT_EQ(TCardinalParam(&store, "S", "V").GetValue(), 3u);
    } else {
      try {
        TCfgOptions store(kCfgPath, sys.Environment());
        ADD_FAILURE() << "opened after " << c.failures << " failures";
      } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Error while open " + kCfgPath);
      }
    }
    EXPECT_EQ(sys.Sleeps, std::vector<int>(std::min(c.failures, 20), 150)) << c.failures;
  }
}

TEST(CfgParams, FailedWriteEmptiesTheValueButTheInMemoryFileKeepsIt) {
  FakeSystem sys;
  sys.Files.Put(kCfgPath, "[S]\r\nV=00000003\r\n");
  TCfgOptions store(kCfgPath, sys.Environment());
  TCardinalParam param(&store, "S", "V");
  sys.Files.FailWrites(true);
  param.SetValue(5);
  EXPECT_TRUE(param.IsEmpty());
  EXPECT_EQ(param.GetValue(), 5u);
  EXPECT_EQ(sys.File(), "[S]\r\nV=00000003\r\n");  // the old file stays whole
}

TEST(CfgParams, RefusedTextLeavesTheFileAlone) {
  FakeSystem sys;
  sys.Files.Put(kCfgPath, "[Paths]\r\nLastCopy=C:\\old\r\n");
  TCfgOptions store(kCfgPath, sys.Environment());
  TStringParam param(&store, "Paths", "LastCopy");
  param.SetValue("C:\\new\r\n[Security]\r\nPassword=3C71A5E4");
  EXPECT_EQ(sys.Files.WriteCount(), 0);
  EXPECT_EQ(param.GetValue(), "C:\\old");
}

// --- Registry mirror -------------------------------------------------------

TEST(RegOptions, EmptyIniValueFallsBackToTheRegistryAndIsCopiedBack) {
  FakeSystem sys;
  sys.Registry.CreateKey(kKeyPath);
  sys.Registry.SetValue(kKeyPath, "Password", Binary(LittleEndian(7 * 10000)));
  sys.Files.Put(kCfgPath, "[Security]\r\nPassword=\r\n");
  TRegOptions store(kCfgPath, kKeyName, sys.Environment());
  TRegCardinalParam param(&store, "Security", "Password");
  EXPECT_EQ(param.GetValue(), 7u);
  EXPECT_EQ(sys.File(), "[Security]\r\nPassword=00000007\r\n");
  EXPECT_EQ(sys.Registry.Value(kKeyPath, "Password")->Data, LittleEndian(70000));
}

// A program folder without write rights: the registry's value holds although
// it cannot be copied into the file (else the no-password marker read as 0,
// a password nothing matches).
TEST(RegOptions, RegistryValueHoldsWhenTheFileCannotTakeIt) {
  FakeSystem sys;
  sys.Registry.CreateKey(kKeyPath);
  sys.Registry.SetValue(kKeyPath, "Password", Binary(LittleEndian(int64_t{0x3C71A5E4} * 10000)));
  sys.Registry.SetValue(kKeyPath, "LastCopy", RegValue{RegValueType::String, {}, "D:\\Hist"});
  sys.Files.Put(kCfgPath, "[Language]\r\nProgLang=RUS\r\n");
  sys.Files.FailWrites(true);
  TRegOptions store(kCfgPath, kKeyName, sys.Environment());
  TRegCardinalParam password(&store, "Security", "Password");
  TRegStringParam copy(&store, "Paths", "LastCopy");
  for (int read = 1; read <= 2; ++read) {
    EXPECT_EQ(password.GetValue(), 0x3C71A5E4u) << "read " << read;
    EXPECT_EQ(copy.GetValue(), "D:\\Hist") << "read " << read;
  }
  EXPECT_EQ(sys.File(), "[Language]\r\nProgLang=RUS\r\n");
  EXPECT_EQ(sys.Files.WriteCount(), 0);
}

TEST(RegOptions, IniValueWinsAndPlainKindsNeverAskTheRegistry) {
  FakeSystem sys;
  sys.Registry.CreateKey(kKeyPath);
  sys.Registry.SetValue(kKeyPath, "Password", Binary(LittleEndian(7 * 10000)));
  sys.Registry.SetValue(kKeyPath, "Plain", Binary(LittleEndian(7 * 10000)));
  sys.Files.Put(kCfgPath, "[Security]\r\nPassword=00000003\r\n");
  TRegOptions store(kCfgPath, kKeyName, sys.Environment());
  TRegCardinalParam password(&store, "Security", "Password");
  TCardinalParam plain(&store, "Security", "Plain");
  EXPECT_EQ(password.GetValue(), 3u);
  EXPECT_EQ(plain.GetValue(), 0u);
  EXPECT_EQ(sys.Registry.OpenCount(), 0);
}

TEST(RegOptions, WrongRegistryTypeOrSizeReadsZeroAndWritesNothing) {
  struct Case {
    std::optional<RegValue> value;
    const char* what;
  } cases[] = {
      {std::nullopt, "missing value"},
      {Binary({0x70, 0x11, 0x01, 0x00}), "4 bytes"},
      {Binary({0x70, 0x11, 0x01, 0, 0, 0, 0, 0, 0}), "9 bytes"},
      {Binary({}), "0 bytes"},
      {RegValue{RegValueType::DWord, {7, 0, 0, 0}, {}}, "REG_DWORD"},
      {RegValue{RegValueType::String, {}, "7"}, "REG_SZ"},
      {RegValue{RegValueType::Other, LittleEndian(70000), {}}, "REG_QWORD"},
  };
  for (const auto& c : cases) {
    FakeSystem sys;
    sys.Registry.CreateKey(kKeyPath);
    if (c.value) sys.Registry.SetValue(kKeyPath, "Password", *c.value);
    TRegOptions store(kCfgPath, kKeyName, sys.Environment());
    TRegCardinalParam param(&store, "Security", "Password");
    EXPECT_EQ(param.GetValue(), 0u) << c.what;
    EXPECT_EQ(param.GetValue(), 0u) << c.what;
    EXPECT_EQ(sys.Registry.OpenCount(), 2) << c.what;  // read again at every get
    EXPECT_EQ(sys.Files.WriteCount(), 0) << c.what;
  }
}

TEST(RegOptions, FixedPointValuesRoundToTheNearestTiesToEven) {
  struct Case {
    int64_t stored;
    uint32_t want;
  } cases[] = {
      {70000, 7},
      {74999, 7},
      {75000, 8},
      {65000, 6},
      {65001, 7},
      {15000, 2},
      {5000, 0},
      {-5000, 0},
      {-15000, 0xFFFFFFFE},
      {-10000, 0xFFFFFFFF},
      {4294967295LL * 10000, 0xFFFFFFFF},
      {4294967296LL * 10000, 0},  // low 32 bits: reads as empty
      {INT64_MAX, static_cast<uint32_t>(922337203685478LL)},
      {INT64_MIN, static_cast<uint32_t>(-922337203685478LL)},
  };
  for (const auto& c : cases) EXPECT_EQ(FixedPointToCardinal(c.stored), c.want) << c.stored;
}

TEST(RegOptions, WriteMirrorsTheFixedPointBytesWhenTheKeyExists) {
  FakeSystem sys;
  sys.Registry.CreateKey(kKeyPath);
  TRegOptions store(kCfgPath, kKeyName, sys.Environment());
  TRegCardinalParam param(&store, "Security", "Password");
  param.SetValue(0x3C71A5E4);  // the no-password marker
  EXPECT_EQ(sys.File(), "[Security]\r\nPassword=3C71A5E4\r\n");
  auto mirror = sys.Registry.Value(kKeyPath, "Password");
  ASSERT_TRUE(mirror);
  EXPECT_EQ(mirror->Type, RegValueType::Binary);
  EXPECT_EQ(mirror->Data, (std::vector<uint8_t>{0x40, 0x1A, 0x60, 0x17, 0x39, 0x09, 0x00, 0x00}));
  param.SetValue(0xFFFFFFFF);
  EXPECT_EQ(sys.Registry.Value(kKeyPath, "Password")->Data, LittleEndian(4294967295LL * 10000));
}

TEST(RegOptions, MissingKeyIsSkippedAndNeverCreated) {
  FakeSystem sys;
  TRegOptions store(kCfgPath, kKeyName, sys.Environment());
  TRegCardinalParam param(&store, "Security", "Password");
  EXPECT_EQ(param.GetValue(), 0u);
  param.SetValue(0x3C71A5E4);
  EXPECT_EQ(param.GetValue(), 0x3C71A5E4u);
  EXPECT_EQ(sys.File(), "[Security]\r\nPassword=3C71A5E4\r\n");
  EXPECT_FALSE(sys.Registry.KeyExists(kKeyPath));
}

TEST(RegOptions, FailedRegistryWriteKeepsTheIniValue) {
  FakeSystem sys;
  sys.Registry.CreateKey(kKeyPath);
  sys.Registry.FailWrites(true);
  TRegOptions store(kCfgPath, kKeyName, sys.Environment());
  TRegCardinalParam param(&store, "Security", "Password");
  param.SetValue(42);
  EXPECT_TRUE(param.IsEmpty());
  EXPECT_EQ(sys.File(), "[Security]\r\nPassword=0000002A\r\n");
  EXPECT_EQ(param.GetValue(), 42u);
  EXPECT_FALSE(sys.Registry.Value(kKeyPath, "Password"));
}

TEST(RegOptions, StringKindReadsTextValuesOnly) {
  struct Case {
    std::optional<RegValue> value;
    std::string want;
    std::string file;
  } cases[] = {
      {std::nullopt, "", "<missing>"},
      {RegValue{RegValueType::String, {}, "\xD0\x9A\xD0\xBE\xD0\xB4"}, "\xD0\x9A\xD0\xBE\xD0\xB4",
       "[Paths]\r\nLastCopy=\xCA\xEE\xE4\r\n"},
      {RegValue{RegValueType::ExpandString, {}, "%TEMP%"}, "%TEMP%", "[Paths]\r\nLastCopy=%TEMP%\r\n"},
      {RegValue{RegValueType::DWord, {1, 0, 0, 0}, {}}, "", "<missing>"},
      {RegValue{RegValueType::String, {}, "a\r\nb"}, "", "<missing>"},  // not copied into the file
  };
  for (const auto& c : cases) {
    FakeSystem sys;
    sys.Registry.CreateKey(kKeyPath);
    if (c.value) sys.Registry.SetValue(kKeyPath, "LastCopy", *c.value);
    TRegOptions store(kCfgPath, kKeyName, sys.Environment());
    TRegStringParam param(&store, "Paths", "LastCopy");
    EXPECT_EQ(param.GetValue(), c.want) << c.want;
    EXPECT_EQ(sys.File(), c.file);
  }
}

}  // namespace
}  // namespace vk
