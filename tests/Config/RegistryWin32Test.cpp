// The settings against the real registry (Wine's, in the build tree's own
// prefix). Each test works under a key of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include "CfgTestSupport.h"
#include "Platform/Registry.h"
#include "Tools/CfgFile/CfgParams.h"
#include "Tools/CfgFile/SecurityOptions.h"

namespace vk {
namespace {

using testing::ScratchFolder;

class RealKey {
 public:
  RealKey() {
    path_ = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VorkelCfgTest" +
            std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter_);
    RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
  }
  ~RealKey() {
    if (key_) RegCloseKey(key_);
    RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
  }
  std::string Name() const {
    std::string name = "\\";
    for (wchar_t c : path_) name += static_cast<char>(c);
    return name;
  }
  void Set(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), size);
  }
  bool Query(const wchar_t* name, DWORD& type, std::vector<uint8_t>& data) {
    DWORD size = 64;
    data.assign(size, 0);
    if (RegQueryValueExW(key_, name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return false;
    data.resize(size);
    return true;
  }
  void Delete() {
    RegCloseKey(key_);
    key_ = nullptr;
    RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
  }
  bool Exists() const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

 private:
  static inline int counter_ = 0;
  std::wstring path_;
  HKEY key_ = nullptr;
};

TOptionsEnvironment RealEnvironment() {
  TOptionsEnvironment env;
  env.FileCodePage = 1252;
  return env;
}

std::string Read(const std::string& path) { return platform::DefaultTextFiles().ReadWhole(path).Bytes; }

TEST(RegistryWin32, NoPasswordMarkerIsMirroredAsFixedPointBytes) {
  ScratchFolder folder;
  RealKey key;
  TSecurityOptions options(folder.Path("vorkel.cfg"), key.Name(), RealEnvironment());
  options.SetPassword(0x3C71A5E4);
  DWORD type = 0;
  std::vector<uint8_t> data;
  ASSERT_TRUE(key.Query(L"Password", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(data, (std::vector<uint8_t>{0x40, 0x1A, 0x60, 0x17, 0x39, 0x09, 0x00, 0x00}));
  EXPECT_EQ(Read(folder.Path("vorkel.cfg")), "[Security]\r\nPassword=3C71A5E4\r\n");
}

TEST(RegistryWin32, EmptyIniKeyFallsBackToTheRegistryAndIsCopiedBack) {
  ScratchFolder folder;
  std::string path = folder.Path("vorkel.cfg");
  platform::DefaultTextFiles().ReplaceWhole(path, "[Security]\r\nPassword=\r\n");
  RealKey key;
  int64_t seven = 7 * 10000;
  key.Set(L"Password", REG_BINARY, &seven, sizeof seven);
  TSecurityOptions options(path, key.Name(), RealEnvironment());
  EXPECT_EQ(options.GetPassword(), 7u);
  EXPECT_EQ(Read(path), "[Security]\r\nPassword=00000007\r\n");
}

// The settings file cannot be written: its folder is gone (as good as a
// program folder without write rights), or another program reads it. The
// no-password marker in the registry still means no password, from the
// first read on.
TEST(RegistryWin32, RegistryValueHoldsWhenTheFileCannotTakeIt) {
  for (bool held : {false, true}) {
    SCOPED_TRACE(held ? "file held by a reader" : "folder missing");
    ScratchFolder folder;
    const std::string path = held ? folder.Path("vorkel.cfg") : folder.Path("gone\\vorkel.cfg");
    const std::string before = held ? "[Language]\r\nProgLang=RUS\r\n" : "";
    HANDLE reader = INVALID_HANDLE_VALUE;
    if (held) {
      platform::DefaultTextFiles().ReplaceWhole(path, before);
      const std::wstring wide(path.begin(), path.end());
      reader = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    }
    RealKey key;
    int64_t marker = int64_t{0x3C71A5E4} * 10000;
    key.Set(L"Password", REG_BINARY, &marker, sizeof marker);
    TSecurityOptions options(path, key.Name(), RealEnvironment());
    EXPECT_EQ(options.GetPassword(), 0x3C71A5E4u);
    EXPECT_EQ(options.GetPassword(), 0x3C71A5E4u);
    if (held) CloseHandle(reader);
    EXPECT_EQ(Read(path), before);
  }
}

TEST(RegistryWin32, WrongTypeOrSizeReadsZero) {
  struct Case {
    DWORD type;
    std::vector<uint8_t> data;
    const char* what;
  } cases[] = {
      {REG_DWORD, {7, 0, 0, 0}, "REG_DWORD"},
      {REG_BINARY, {0x70, 0x11, 0x01, 0x00}, "4 bytes"},
      {REG_BINARY, {0x70, 0x11, 0x01, 0, 0, 0, 0, 0, 0}, "9 bytes"},
      {REG_QWORD, {0x70, 0x11, 0x01, 0, 0, 0, 0, 0}, "REG_QWORD"},
      {REG_SZ, {'7', 0, 0, 0}, "REG_SZ"},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    RealKey key;
    key.Set(L"Password", c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
    TSecurityOptions options(folder.Path("vorkel.cfg"), key.Name(), RealEnvironment());
    EXPECT_EQ(options.GetPassword(), 0u) << c.what;
    EXPECT_TRUE(folder.Names().empty()) << c.what;  // nothing copied into a file
  }
}

TEST(RegistryWin32, MissingKeyIsNeverCreated) {
  ScratchFolder folder;
  RealKey key;
  key.Delete();
  TSecurityOptions options(folder.Path("vorkel.cfg"), key.Name(), RealEnvironment());
  EXPECT_EQ(options.GetPassword(), 0u);
  options.SetPassword(0x3C71A5E4);
  EXPECT_EQ(options.GetPassword(), 0x3C71A5E4u);
  EXPECT_FALSE(key.Exists());
  EXPECT_EQ(Read(folder.Path("vorkel.cfg")), "[Security]\r\nPassword=3C71A5E4\r\n");
}

TEST(RegistryWin32, StringValuesKeepTheirText) {
  ScratchFolder folder;
  RealKey key;
  TRegOptions store(folder.Path("vorkel.cfg"), key.Name(), RealEnvironment());
  TRegStringParam writer(&store, "Paths", "Folder");
  writer.SetValue("C:\\\xD0\x9A\xD0\xBE\xD0\xB4");  // Cyrillic in the registry, "?" in a 1252 file
  DWORD type = 0;
  std::vector<uint8_t> data;
  ASSERT_TRUE(key.Query(L"Folder", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  std::wstring wide = L"C:\\\x041A\x043E\x0434";
  EXPECT_EQ(data.size(), (wide.size() + 1) * 2);
  const wchar_t expand[] = L"%TEMP%\\x";
  key.Set(L"Expand", REG_EXPAND_SZ, expand, sizeof expand);
  TRegStringParam reader(&store, "Paths", "Expand");
  EXPECT_EQ(reader.GetValue(), "%TEMP%\\x");

  auto platformKey = platform::DefaultRegistry().OpenCurrentUserKey(key.Name().substr(1));
  ASSERT_TRUE(platformKey);
  auto folderValue = platformKey->ReadValue("Folder");
  ASSERT_TRUE(folderValue);
  EXPECT_EQ(folderValue->Type, platform::RegValueType::String);
  EXPECT_EQ(folderValue->Text, "C:\\\xD0\x9A\xD0\xBE\xD0\xB4");
  EXPECT_FALSE(platformKey->ReadValue("Missing"));
}

// The uninstaller's removal of its entry: the key goes with its values and
// any key below it, its neighbours stay, and a key already gone counts as
// removed.
TEST(RegistryWin32, DeletedKeyTakesItsValuesAndKeysBelowAlong) {
  RealKey key;
  RealKey neighbour;
  const DWORD language = 1;
  key.Set(L"InstallLang", REG_DWORD, &language, sizeof language);
  const std::string path = key.Name().substr(1);
  auto below = platform::DefaultRegistry().CreateCurrentUserKey(path + "\\Below");
  ASSERT_TRUE(below);
  below->WriteString("Note", "left by someone");
  below.reset();

  EXPECT_TRUE(platform::DefaultRegistry().DeleteCurrentUserKey(path));

  EXPECT_FALSE(key.Exists());
  EXPECT_FALSE(platform::DefaultRegistry().OpenCurrentUserKey(path + "\\Below"));
  EXPECT_TRUE(neighbour.Exists());
  EXPECT_TRUE(platform::DefaultRegistry().DeleteCurrentUserKey(path));
}

}  // namespace
}  // namespace vk
