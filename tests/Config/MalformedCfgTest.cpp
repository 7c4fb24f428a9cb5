// vorkel.cfg as people and accidents leave it: every content reads as the
// settings' rules say, and a write afterwards leaves a file that reads back.
#include <gtest/gtest.h>

#include <random>

#include "CfgTestSupport.h"
#include "Tools/CfgFile/Options.h"

namespace vk {
namespace {

using testing::FakeSystem;
using testing::kCfgPath;
using testing::kKeyName;

std::unique_ptr<TProgOptions> Open(FakeSystem& sys) {
  return std::make_unique<TProgOptions>(kCfgPath, kKeyName, sys.Environment(),
                                        TProgRegion{1252, 1252, [](uint32_t cp) { return cp == 1252; }});
}

std::string BinaryBytes(unsigned seed, size_t size) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
  return bytes;
}

TEST(MalformedCfg, EveryContentReadsAsTheRulesSay) {
  struct Case {
    const char* what;
    std::string content;
    uint32_t codeWidth;  // GridStore/CodeWidth, default 55
    uint32_t language;   // Language/ProgLang, default 2
  } cases[] = {
      {"empty file", "", 55, 2},
      {"xyz", "[GridStore]\r\nCodeWidth=xyz\r\n", 55, 2},
      {"-1", "[GridStore]\r\nCodeWidth=-1\r\n", 55, 2},
      {"0x10", "[GridStore]\r\nCodeWidth=0x10\r\n", 55, 2},
      {"empty value", "[GridStore]\r\nCodeWidth=\r\n", 55, 2},
      {"blank before the value", "[GridStore]\r\nCodeWidth= 0000000C\r\n", 12, 2},
      {"blanks around the key", "[GridStore]\r\n  CodeWidth\t=0000000C\r\n", 12, 2},
      {"16 digits", "[GridStore]\r\nCodeWidth=000000000000000C\r\n", 12, 2},
      {"17 digits", "[GridStore]\r\nCodeWidth=0000000000000000C\r\n", 55, 2},
      {"lower case digits", "[GridStore]\r\nCodeWidth=0000007f\r\n", 127, 2},
      {"duplicated key", "[GridStore]\r\nCodeWidth=0000000C\r\nCodeWidth=0000000D\r\n", 12, 2},
      {"duplicated section", "[GridStore]\r\nNameWidth=00000020\r\n[GRIDSTORE]\r\nCodeWidth=0000000D\r\n", 55, 2},
      {"LF-only line ends", "[GridStore]\nCodeWidth=0000000C\n[Language]\nProgLang=UKR\n", 12, 1},
      {"CR-only line ends", "[GridStore]\rCodeWidth=0000000C\r[Language]\rProgLang=RUS\r", 12, 0},
      {"UTF-8 byte-order mark", "\xEF\xBB\xBF[GridStore]\r\nCodeWidth=0000000C\r\n[Language]\r\nProgLang=UKR\r\n", 12,
       1},
      {"unclosed section", "[GridStore\r\nCodeWidth=0000000C\r\n", 55, 2},
      {"key before any section", "CodeWidth=0000000C\r\n[GridStore]\r\n", 55, 2},
      {"NUL in the value", std::string("[GridStore]\r\nCodeWidth=0000000C") + '\0' + "\r\n", 55, 2},
      {"Cyrillic comment", "; \xCA\xEE\xE4\r\n[Language]\r\nProgLang=RUS\r\n", 55, 0},
      {"binary file", BinaryBytes(1, 4096), 55, 2},
      {"binary file with a valid tail", BinaryBytes(2, 1000) + "\r\n[Language]\r\nProgLang=UKR\r\n", 55, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeSystem sys;
    sys.Files.Put(kCfgPath, c.content);
    auto options = Open(sys);
    EXPECT_EQ(options->GetStoreCodeWidth(), c.codeWidth);
    EXPECT_EQ(options->GetProgLang(), c.language);
    EXPECT_GE(options->GetStoreNameWidth(), 11u);
    EXPECT_LE(options->GetAutogenNuls(), 8u);
    options->GetAutogenDelta();
    options->GetBaseCodePage();
    options->GetTestDate();
    EXPECT_EQ(sys.Files.WriteCount(), 0);

    // A write keeps the file readable and the other entries as they were.
    options->SetMainFormLeft(77);
    FakeSystem reread;
    reread.Files.Put(kCfgPath, sys.File());
    auto again = Open(reread);
    EXPECT_EQ(again->GetMainFormLeft(), 77u);
    EXPECT_EQ(again->GetStoreCodeWidth(), c.codeWidth);
    EXPECT_EQ(again->GetProgLang(), c.language);
  }
}

TEST(MalformedCfg, ByteOrderMarkSurvivesARewrite) {
  FakeSystem sys;
  sys.Files.Put(kCfgPath, "\xEF\xBB\xBF[Language]\r\nProgLang=UKR\r\n");
  Open(sys)->SetProgLang(0);
  EXPECT_EQ(sys.File(), "\xEF\xBB\xBF[Language]\r\nProgLang=RUS\r\n");
}

}  // namespace
}  // namespace vk
