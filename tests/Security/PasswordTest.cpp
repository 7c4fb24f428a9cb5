#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Core/SysUtils.h"
#include "Platform/CodePage.h"
#include "Platform/fake/MemoryRegistry.h"
#include "Platform/fake/MemoryTextFiles.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Security/Hash.h"
#include "Tools/Security/Password.h"

namespace vk {
namespace {

const std::string kCfgPath = "C:\\Vorkel\\vorkel.cfg";
const std::string kKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorkel";

const char kRussianUtf8[] = "\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C";  // "пароль"
const char kRussian1251[] = "\xEF\xE0\xF0\xEE\xEB\xFC";

std::string IniLine(uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", value);
  return std::string("[Security]\r\nPassword=") + text + "\r\n";
}

std::vector<uint8_t> Mirror(uint32_t value) {
  int64_t fixedPoint = int64_t{value} * 10000;
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<uint8_t>(fixedPoint >> (8 * i)));
  return bytes;
}

// The settings file and the uninstall key in memory; Start() is one run of
// the program over them.
struct Installation {
  platform::MemoryTextFiles Files;
  platform::MemoryRegistry Registry;

  explicit Installation(std::string file = "", bool withKey = true) {
    if (!file.empty()) Files.Put(kCfgPath, std::move(file));
    if (withKey) Registry.CreateKey(kKeyPath);
  }
  std::unique_ptr<TProgOptions> Start() {
    TOptionsEnvironment env;
    env.Files = &Files;
    env.Registry = &Registry;
    env.FileCodePage = 1251;
    env.Sleep = [](int) {};
    return std::make_unique<TProgOptions>(kCfgPath, kUninstallKeyName, env);
  }
  std::string File() const { return Files.Get(kCfgPath).value_or("<missing>"); }
  std::optional<std::vector<uint8_t>> MirrorValue() const {
    auto value = Registry.Value(kKeyPath, "Password");
    if (!value) return std::nullopt;
    return value->Data;
  }
};

TEST(Pass, CreateWithoutSettingsIsAProgrammingError) {
  try {
    TPass pass(nullptr, 1251);
    FAIL() << "no exception";
  } catch (const EAssertionFailed& e) {
    EXPECT_NE(e.Message().find("Not assigned TProgOptions-parameter for create TPass-object"), std::string::npos);
  }
}

TEST(Pass, ChecksAgainstTheStoredValue) {
  struct Case {
    const char* name;
    std::string file;
    const char* text;
    bool matches;
    bool empty;
    uint32_t codePage = 1251;
  } cases[] = {
      {"no password", IniLine(kNoPasswordMarker), "", true, true},
      {"no password", IniLine(kNoPasswordMarker), "abc", false, true},
      {"no password", IniLine(kNoPasswordMarker), " ", false, true},
      {"abc set", IniLine(0x727FE128), "abc", true, false},
      {"abc set", IniLine(0x727FE128), "", false, false},
      {"abc set", IniLine(0x727FE128), "ABC", false, false},
      {"abc set", IniLine(0x727FE128), "abc ", false, false},
      // Nothing stored reads as 0: a password no text matches, not "none".
      {"nothing stored", "", "", false, false},
      {"nothing stored", "", "abc", false, false},
      {"malformed value", "[Security]\r\nPassword=xyz\r\n", "", false, false},
      // A letter the code page lacks would be hashed as "?": it never matches.
      {"p?ss set", IniLine(HashString("p?ss")), "p?ss", true, false, 1252},
      {"p?ss set", IniLine(HashString("p?ss")), "p\xD0\x96ss", false, false, 1252},  // "pЖss"
      {"caf? set", IniLine(HashString("caf?")), "caf\xC3\xA9", false, false, 1251},  // "café"
      {"пароль set", IniLine(HashString(kRussian1251)), kRussianUtf8, true, false, 1251},
  };
  for (const auto& c : cases) {
    Installation installation(c.file);
    auto options = installation.Start();
    TPass pass(options.get(), c.codePage);
    EXPECT_EQ(pass.Check(c.text), c.matches) << c.name << ", \"" << c.text << "\"";
    EXPECT_EQ(pass.IsEmpty(), c.empty) << c.name;
  }
}

TEST(Pass, PasswordFallsBackToTheRegistryMirror) {
  Installation installation;
  installation.Registry.SetValue(kKeyPath, "Password", {platform::RegValueType::Binary, Mirror(0x727FE128), {}});
  auto options = installation.Start();
  TPass pass(options.get(), 1252);
  EXPECT_TRUE(pass.Check("abc"));
  EXPECT_FALSE(pass.IsEmpty());
}

TEST(Pass, SetPasswordStoresTheHashInFileAndMirror) {
  struct Case {
    const char* text;
    uint32_t codePage;
    uint32_t stored;
    bool empty;
  } cases[] = {
      {"abc", 1251, 0x727FE128, false},
      {"abc", 1252, 0x727FE128, false},
      {kRussianUtf8, 1251, HashString(kRussian1251), false},
      {"caf\xC3\xA9", 1252, HashString("caf\xE9"), false},
      {"", 1251, kNoPasswordMarker, true},
  };
  for (const auto& c : cases) {
    Installation installation(IniLine(0x11111111));
    auto options = installation.Start();
    TPass pass(options.get(), c.codePage);
    ASSERT_TRUE(pass.SetPassword(c.text)) << c.text;
    EXPECT_EQ(installation.File(), IniLine(c.stored)) << c.text;
    EXPECT_EQ(installation.MirrorValue(), Mirror(c.stored)) << c.text;
    EXPECT_EQ(pass.IsEmpty(), c.empty) << c.text;
    EXPECT_TRUE(pass.Check(c.text)) << c.text;
    EXPECT_EQ(pass.Check(""), c.empty) << c.text;
  }
}

// Letters the code page lacks would all be hashed as "?": "пароль" on a
// Western system would let in "абвгде" and "??????" too. Such a password is
// refused and nothing changes. A hash stored earlier of such a password is
// reached only by the question marks it was taken over, never by the letters.
TEST(Pass, SetPasswordRefusesLettersTheCodePageLacks) {
  struct Case {
    const char* text;
    uint32_t codePage;
    const char* lookAlike;  // what the refused text would have shared a hash with
  } cases[] = {
      {kRussianUtf8, 1252, "\xD0\xB0\xD0\xB1\xD0\xB2\xD0\xB3\xD0\xB4\xD0\xB5"},  // "абвгде"
      {"\xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       1251, "??d?"},                                   // "Łódź"
      {"caf\xC3\xA9 \xD0\xBA", 1252, "caf\xC3\xA9 ?"},  // "café к"
  };
  for (const auto& c : cases) {
    Installation installation(IniLine(0x727FE128));
    installation.Registry.SetValue(kKeyPath, "Password", {platform::RegValueType::Binary, Mirror(0x727FE128), {}});
    auto options = installation.Start();
    TPass pass(options.get(), c.codePage);
    EXPECT_FALSE(pass.SetPassword(c.text)) << c.text;
    EXPECT_EQ(installation.File(), IniLine(0x727FE128)) << c.text;
    EXPECT_EQ(installation.MirrorValue(), Mirror(0x727FE128)) << c.text;
    EXPECT_TRUE(pass.Check("abc")) << c.text;
    EXPECT_FALSE(pass.Check(c.lookAlike)) << c.text;
  }
  Installation earlier(IniLine(HashString("??????")));
  auto options = earlier.Start();
  EXPECT_FALSE(TPass(options.get(), 1252).Check(kRussianUtf8));
  EXPECT_TRUE(TPass(options.get(), 1252).Check("??????"));
}

TEST(Pass, PasswordHoldsAtTheNextStart) {
  Installation installation(IniLine(kNoPasswordMarker));
  {
    auto options = installation.Start();
    EXPECT_TRUE(TPass(options.get(), 1251).SetPassword(kRussianUtf8));
  }
  auto options = installation.Start();
  TPass pass(options.get(), 1251);
  EXPECT_TRUE(pass.Check(kRussianUtf8));
  EXPECT_FALSE(pass.IsEmpty());
  // The hash is over the bytes: the same letters on a Western system are a
  // different password.
  EXPECT_FALSE(TPass(options.get(), 1252).Check(kRussianUtf8));
}

TEST(Pass, SetPasswordRefusesWhenTheFileCannotBeWrittenAndKeepsTheOld) {
  struct Case {
    const char* name;
    std::string file;
    const char* oldText;
    const char* newText;
  } cases[] = {
      {"password to another", IniLine(0x727FE128), "abc", "secret"},
      {"password to none", IniLine(0x727FE128), "abc", ""},
      {"none to a password", IniLine(kNoPasswordMarker), "", "secret"},
  };
  for (const auto& c : cases) {
    Installation installation(c.file);
    installation.Registry.SetValue(kKeyPath, "Password", {platform::RegValueType::Binary, Mirror(0x5555), {}});
    auto options = installation.Start();
    TPass pass(options.get(), 1251);
    ASSERT_TRUE(pass.Check(c.oldText)) << c.name;
    installation.Files.FailWrites(true);

    EXPECT_FALSE(pass.SetPassword(c.newText)) << c.name;
    EXPECT_TRUE(pass.Check(c.oldText)) << c.name;
    EXPECT_FALSE(pass.Check(c.newText)) << c.name;
    EXPECT_EQ(installation.File(), c.file) << c.name;
    EXPECT_EQ(installation.MirrorValue(), Mirror(0x5555)) << c.name;  // the mirror is not touched either

    // Once the disk takes writes again, the same change goes through.
    installation.Files.FailWrites(false);
    EXPECT_TRUE(pass.SetPassword(c.newText)) << c.name;
    EXPECT_TRUE(pass.Check(c.newText)) << c.name;
    EXPECT_TRUE(TPass(installation.Start().get(), 1251).Check(c.newText)) << c.name;
  }
}

TEST(Pass, SetPasswordSucceedsWhenOnlyTheMirrorFails) {
  Installation installation(IniLine(kNoPasswordMarker));
  installation.Registry.FailWrites(true);
  auto options = installation.Start();
  TPass pass(options.get(), 1251);
  EXPECT_TRUE(pass.SetPassword("abc"));
  EXPECT_TRUE(pass.Check("abc"));
  EXPECT_EQ(installation.File(), IniLine(0x727FE128));
  // The file wins over the mirror at the next start.
  EXPECT_TRUE(TPass(installation.Start().get(), 1251).Check("abc"));
}

TEST(Pass, SetPasswordWithoutUninstallKeyWritesTheFileOnly) {
  Installation installation("", /*withKey=*/false);
  auto options = installation.Start();
  TPass pass(options.get(), 1251);
  EXPECT_TRUE(pass.SetPassword(""));
  EXPECT_EQ(installation.File(), IniLine(kNoPasswordMarker));
  EXPECT_FALSE(installation.Registry.KeyExists(kKeyPath));
  EXPECT_TRUE(pass.IsEmpty());
}

TEST(Pass, TextsLongerThan65535BytesRaiseARangeErrorAndChangeNothing) {
  Installation installation(IniLine(0x727FE128));
  auto options = installation.Start();
  TPass pass(options.get(), 1251);
  std::string longest(kMaxHashedLength, 'x');

  int writes = installation.Files.WriteCount();
  EXPECT_THROW(pass.SetPassword(longest + "x"), ERangeError);
  EXPECT_THROW(pass.Check(longest + "x"), ERangeError);
  EXPECT_EQ(installation.Files.WriteCount(), writes);
  EXPECT_TRUE(pass.Check("abc"));

  EXPECT_TRUE(pass.SetPassword(longest));
  EXPECT_EQ(installation.File(), IniLine(0xF6580AEA));
  EXPECT_TRUE(pass.Check(longest));
}

TEST(ProgPass, ExistsBetweenCreateAndFreeOverTheGlobalSettings) {
  Installation installation(IniLine(0x727FE128));
  EXPECT_THROW(ProgPass(), EAssertionFailed);
  CreateProgOptions(installation.Start());
  CreateProgPass();
  EXPECT_TRUE(ProgPass().Check("abc"));
  EXPECT_TRUE(ProgPass().SetPassword(""));
  EXPECT_EQ(ProgOptions().GetPassword(), kNoPasswordMarker);
  FreeProgPass();
  FreeProgOptions();
  EXPECT_THROW(ProgPass(), EAssertionFailed);
}

// Run by CTest once per locale with VORKEL_EXPECT_ACP set (see CMakeLists.txt).
TEST(Pass, HashesInTheAnsiCodePageOfTheRunningSystem) {
  const char* expected = std::getenv("VORKEL_EXPECT_ACP");
  if (!expected) GTEST_SKIP() << "VORKEL_EXPECT_ACP not set";
  ASSERT_EQ(platform::AnsiCodePage(), static_cast<uint32_t>(std::stoul(expected)));
  Installation installation(IniLine(kNoPasswordMarker));
  auto options = installation.Start();
  TPass pass(options.get());
  // Cyrillic letters are hashed on a Cyrillic system and refused elsewhere.
  const bool cyrillic = platform::AnsiCodePage() == 1251;
  EXPECT_EQ(pass.SetPassword(kRussianUtf8), cyrillic);
  EXPECT_EQ(installation.File(), IniLine(cyrillic ? HashString(kRussian1251) : kNoPasswordMarker));
  EXPECT_EQ(pass.IsEmpty(), !cyrillic);
}

}  // namespace
}  // namespace vk
