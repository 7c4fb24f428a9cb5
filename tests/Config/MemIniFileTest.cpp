#include <gtest/gtest.h>

#include "Core/SysUtils.h"
#include "Tools/CfgFile/IniFileEncoding.h"
#include "Tools/CfgFile/MemIniFile.h"

namespace vk {
namespace {

TEST(MemIniFile, ReadsSectionsAndKeysAsTheSystemsIniFunctionsDo) {
  struct Case {
    const char* text;
    const char* section;
    const char* key;
    std::optional<std::string> want;
  } cases[] = {
      {"[A]\r\nk=1\r\n", "A", "k", "1"},
      {"[A]\nk=1\n[B]\nk=2\n", "B", "k", "2"},                 // LF only
      {"[A]\rk=1\r[B]\rk=2", "B", "k", "2"},                   // CR only, no final line end
      {"[A]\r\nk=1\n[B]\rk=2\r\n", "B", "k", "2"},             // mixed
      {"[a]\r\nKEY=1\r\n", "A", "key", "1"},                   // names without regard to case
      {"[A]\r\nk=1\r\nk=2\r\n", "A", "k", "1"},                // duplicated key: the first counts
      {"[A]\r\nk=1\r\n[a]\r\nk=2\r\nj=3\r\n", "A", "k", "1"},  // duplicated section: the first counts
      {"[A]\r\nk=1\r\n[a]\r\nj=3\r\n", "A", "j", std::nullopt},
      {"  [ A ]  \r\n  k  =  v w  \r\n", "A", "k", "v w"},  // blanks around names and values
      {"[A]\r\nk=\r\n", "A", "k", ""},
      {"[A]\r\nk==v\r\n", "A", "k", "=v"},
      {"[A]\r\n;k=1\r\n", "A", "k", std::nullopt},  // a comment
      {"[A]\r\nk\r\n", "A", "k", std::nullopt},     // no "="
      {"[A]\r\n=1\r\n", "A", "", std::nullopt},
      {"k=1\r\n[A]\r\n", "A", "k", std::nullopt},  // before the first section
      {"[A\r\nk=1\r\n", "A", "k", std::nullopt},   // no closing bracket: no section
      {"[A]x\r\nk=1\r\n", "A", "k", "1"},
      {"", "A", "k", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TMemIniFile(c.text).Value(c.section, c.key), c.want) << c.text;
  }
}

TEST(MemIniFile, RewriteChangesOnlyTheWrittenEntry) {
  TMemIniFile ini("; kept comment\n[Updates]\nlastversion = 1.0\nTestDate=0000B000\n\n[Paths]\nLastCopy=C:\\x\n");
  ini.WriteString("Updates", "LastVersion", "2.0");
  EXPECT_EQ(ini.Text(),
            "; kept comment\r\n[Updates]\r\nlastversion=2.0\r\nTestDate=0000B000\r\n\r\n[Paths]\r\nLastCopy=C:\\x\r\n");
}

TEST(MemIniFile, NewKeysFollowTheSectionsLastEntryAndNewSectionsTheEnd) {
  TMemIniFile ini("[A]\r\nx=1\r\n; note\r\n[B]\r\ny=2\r\n");
  ini.WriteString("a", "z", "3");
  ini.WriteString("C", "w", "4");
  EXPECT_EQ(ini.Text(), "[A]\r\nx=1\r\nz=3\r\n; note\r\n[B]\r\ny=2\r\n\r\n[C]\r\nw=4\r\n");
  TMemIniFile empty("");
  empty.WriteString("Language", "ProgLang", "UKR");
  EXPECT_EQ(empty.Text(), "[Language]\r\nProgLang=UKR\r\n");
}

TEST(MemIniFile, WriteGoesToTheFirstOfDuplicatedEntries) {
  TMemIniFile ini("[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n");
  ini.WriteString("A", "K", "9");
  EXPECT_EQ(ini.Text(), "[A]\r\nk=9\r\nk=2\r\n[a]\r\nk=3\r\n");
  EXPECT_EQ(TMemIniFile(ini.Text()).Value("A", "k"), "9");
}

TEST(MemIniFile, RefusesTextThatCouldInjectLinesOrSections) {
  struct Case {
    const char* section;
    const char* key;
    std::string value;
  } cases[] = {
      {"Paths", "LastCopy", "C:\\x\r\n[Security]\r\nPassword=3C71A5E4"},
      {"Paths", "LastCopy", "a\nb"},
      {"Paths", "LastCopy", "a\rb"},
      {"Paths", "LastCopy", "a\tb"},
      {"Paths", "LastCopy", std::string("a\0b", 3)},
      {"Paths", "LastCopy", "\x1F"},
      {"Pa]ths", "LastCopy", "x"},
      {"Paths", "Last=Copy", "x"},
      {"Paths", "[LastCopy", "x"},
      {"Paths", ";LastCopy", "x"},
      {"", "LastCopy", "x"},
      {"Paths", "", "x"},
      {"Paths", " LastCopy", "x"},
      {"Pa\nths", "LastCopy", "x"},
  };
  for (const auto& c : cases) {
    TMemIniFile ini("[Paths]\r\nLastCopy=old\r\n");
    EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), Exception) << c.section << "/" << c.key;
    EXPECT_EQ(ini.Text(), "[Paths]\r\nLastCopy=old\r\n");
  }
}

TEST(MemIniFile, WrittenValuesReadBack) {
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"S0", "k0", ""},      {"S1", "k1", "x"},
      {"S2", "k2", "a=b"},   {"S0", "k3", "[not a section]"},
      {"S1", "k4", ";no"},   {"S2", "k5", "\xD0\x9A\xD0\xBE\xD0\xB4"},
      {"S0", "k6", "1.2.3"},
  };
  TMemIniFile ini;
  for (const auto& c : cases) ini.WriteString(c.section, c.key, c.value);
  TMemIniFile again(ini.Text());
  for (const auto& c : cases) EXPECT_EQ(again.Value(c.section, c.key), c.value) << c.key;
}

TEST(IniFileEncoding, ByteOrderMarksAreHonouredAndKept) {
  struct Case {
    std::string bytes;
    IniEncoding encoding;
    std::string text;
  } cases[] = {
      {"[L]\r\nP=\xCA\xEE\xE4\r\n", IniEncoding::Ansi, "[L]\r\nP=\xD0\x9A\xD0\xBE\xD0\xB4\r\n"},
      {"\xEF\xBB\xBF[L]\r\nP=\xD0\x9A\r\n", IniEncoding::Utf8Bom, "[L]\r\nP=\xD0\x9A\r\n"},
      {std::string("\xFF\xFE[\0L\0]\0\r\0\n\0\x1A\x04", 14), IniEncoding::Utf16Le, "[L]\r\n\xD0\x9A"},
  };
  for (const auto& c : cases) {
    DecodedIni decoded = DecodeIniFile(c.bytes, 1251);
    EXPECT_EQ(decoded.Encoding, c.encoding);
    EXPECT_EQ(decoded.Text, c.text);
    EXPECT_EQ(EncodeIniFile(decoded.Text, decoded.Encoding, 1251), c.bytes);
  }
}

TEST(IniFileEncoding, DamagedBytesDecodeToReplacementCharacters) {
  EXPECT_EQ(DecodeIniFile("\xEF\xBB\xBF\xFF", 1251).Text, "\xEF\xBF\xBD");
  EXPECT_EQ(DecodeIniFile("\xFF\xFE\x41", 1251).Text, "\xEF\xBF\xBD");  // a cut-off UTF-16 unit
  EXPECT_EQ(DecodeIniFile("\xFF", 65001).Text, "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vk
