// What the win32 files look like to other Win32 code: share mode 0 against
// CreateFileW calls of any kind, and the handle owner's manners.

#include <gtest/gtest.h>

#include "Platform/File.h"
#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"
#include "tests/Platform/FileText.h"
#include "tests/Platform/TempFolder.h"

// <windows.h> renames these to their W forms; the file interface means its own.
#undef DeleteFile
#undef CopyFile

namespace vk::platform::test {
namespace {

constexpr DWORD kAllSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

UniqueFileHandle RawOpen(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  return UniqueFileHandle(CreateFileW(Utf8ToWide(path).c_str(), access, share, /*security=*/nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, /*templateFile=*/nullptr));
}

TEST(Win32File, OtherCreateFileWFailsWhileOpen) {
  struct Case {
    const char* name;
    DWORD access;
    DWORD disposition;
  } cases[] = {
      {"read", GENERIC_READ, OPEN_EXISTING},
      {"write", GENERIC_WRITE, OPEN_EXISTING},
      {"attributes only", FILE_READ_ATTRIBUTES | SYNCHRONIZE, OPEN_EXISTING},  // needs no sharing on Windows
      {"create always", GENERIC_WRITE, CREATE_ALWAYS},
      {"truncate", GENERIC_WRITE, TRUNCATE_EXISTING},
  };
  TempFolder temp;
  std::string path = temp.Path("held.dat");
  OpenResult held = DefaultFileSystem().Open(path, OpenMode::CreateNew);
  ASSERT_EQ(held.Status, OpenStatus::Ok) << held.Error;
  ASSERT_TRUE(WriteText(*held.Handle, 0, "held"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UniqueFileHandle other = RawOpen(path, c.access, kAllSharing, c.disposition);
    DWORD error = GetLastError();
    if (c.access == (FILE_READ_ATTRIBUTES | SYNCHRONIZE)) {
      EXPECT_TRUE(other) << "reading attributes is allowed on Windows even without sharing";
      continue;
    }
    EXPECT_FALSE(other);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadAll(*held.Handle), "held");
  }
}

TEST(Win32File, OpenFailsWhileOtherHandleHoldsTheFile) {
  struct Case {
    const char* name;
    DWORD share;  // how the other holder shares
  } cases[] = {{"no sharing", 0}, {"read sharing", FILE_SHARE_READ}, {"all sharing", kAllSharing}};
  TempFolder temp;
  std::string path = temp.Path("other.dat");
  {
    OpenResult made = DefaultFileSystem().Open(path, OpenMode::CreateNew);
    ASSERT_EQ(made.Status, OpenStatus::Ok) << made.Error;
    ASSERT_TRUE(WriteText(*made.Handle, 0, "theirs"));
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UniqueFileHandle other = RawOpen(path, GENERIC_READ, c.share, OPEN_EXISTING);
    ASSERT_TRUE(other);
    for (OpenMode mode : {OpenMode::OpenExisting, OpenMode::CreateAlways}) {
      OpenResult result = DefaultFileSystem().Open(path, mode);
      EXPECT_EQ(result.Status, OpenStatus::Failed) << result.Error;
      EXPECT_NE(result.Error.find("CreateFileW"), std::string::npos) << result.Error;
    }
    other.Reset();
    OpenResult reopened = DefaultFileSystem().Open(path, OpenMode::OpenExisting);
    ASSERT_EQ(reopened.Status, OpenStatus::Ok) << reopened.Error;
    EXPECT_EQ(ReadAll(*reopened.Handle), "theirs") << "a refused CreateAlways emptied the file";
  }
}

// Windows names are case-blind and take either slash: the folder's identity
// decides, not the spelling.
TEST(Win32Folders, SameFolderIgnoresLetterCaseAndSlashes) {
  TempFolder temp;
  FileSystem& fs = DefaultFileSystem();
  ASSERT_TRUE(fs.CreateFolder(temp.Path("Data")));
  std::string forward = temp.Path("Data");
  for (char& c : forward) {
    if (c == '\\') c = '/';
  }
  EXPECT_TRUE(fs.SameFolder(temp.Path("Data"), temp.Path("DATA")));
  EXPECT_TRUE(fs.SameFolder(temp.Path("Data"), temp.Path("data\\")));
  EXPECT_TRUE(fs.SameFolder(temp.Path("Data"), forward));
  EXPECT_FALSE(fs.SameFolder(temp.Path("Data"), temp.Path("Data2")));
}

// A table file is held with share mode 0: neither copied from nor replaced
// while a program works on it.
TEST(Win32Folders, CopyAndRenameRefuseAHeldFile) {
  TempFolder temp;
  FileSystem& fs = DefaultFileSystem();
  std::string held = temp.Path("store.dat"), other = temp.Path("other.dat");
  OpenResult file = fs.Open(held, OpenMode::CreateNew);
  ASSERT_EQ(file.Status, OpenStatus::Ok) << file.Error;
  ASSERT_TRUE(WriteText(*file.Handle, 0, "held"));
  OpenResult second = fs.Open(other, OpenMode::CreateNew);
  ASSERT_TRUE(second.Handle && WriteText(*second.Handle, 0, "other"));
  second.Handle.reset();
  EXPECT_FALSE(fs.CopyFile(held, temp.Path("copy.dat"), true));
  EXPECT_FALSE(fs.CopyFile(other, held, true));
  EXPECT_FALSE(fs.RenameFile(other, held));
  EXPECT_FALSE(fs.RenameFile(held, temp.Path("moved.dat")));
  EXPECT_EQ(ReadAll(*file.Handle), "held");
}

// Files marked read-only (from a CD, say) are read for a comparison, and
// their copies can be replaced and deleted like any file of ours.
TEST(Win32Folders, ReadOnlyFileIsReadAndItsCopyIsWritable) {
  TempFolder temp;
  FileSystem& fs = DefaultFileSystem();
  std::string source = temp.Path("store.dat"), copy = temp.Path("copy.dat");
  {
    OpenResult made = fs.Open(source, OpenMode::CreateNew);
    ASSERT_TRUE(made.Handle && WriteText(*made.Handle, 0, "kept"));
  }
  ASSERT_TRUE(SetFileAttributesW(Utf8ToWide(source).c_str(), FILE_ATTRIBUTE_READONLY));
  {
    OpenResult reader = fs.Open(source, OpenMode::ReadExisting);
    ASSERT_EQ(reader.Status, OpenStatus::Ok) << reader.Error;
    EXPECT_EQ(ReadAll(*reader.Handle), "kept");
  }
  ASSERT_TRUE(fs.CopyFile(source, copy, true));
  EXPECT_EQ(GetFileAttributesW(Utf8ToWide(copy).c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_TRUE(fs.CopyFile(source, copy, true)) << "a second copy replaces the first";
  EXPECT_TRUE(fs.DeleteFile(copy));
  SetFileAttributesW(Utf8ToWide(source).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(UniqueHandle, ClosingKeepsLastError) {
  HANDLE event = CreateEventW(/*security=*/nullptr, /*manualReset=*/TRUE, /*initialState=*/FALSE, /*name=*/nullptr);
  ASSERT_NE(event, nullptr);
  {
    UniqueKernelHandle owner(event);
    SetLastError(ERROR_ACCESS_DENIED);
  }
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(event, &flags)) << "the owner did not close its handle";
}

TEST(UniqueHandle, CloseReportsAFailedCloseWithItsError) {
  UniqueRegKey key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\VorkelTests\\Owner", /*reserved=*/0, /*class=*/nullptr,
                            /*options=*/0, KEY_ALL_ACCESS, /*security=*/nullptr, key.Put(), /*disposition=*/nullptr),
            ERROR_SUCCESS);
  HKEY raw = key.Get();
  EXPECT_TRUE(key.Close());
  EXPECT_FALSE(key.Valid());
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VorkelTests\\Owner");
  UniqueRegKey stale(raw);
  EXPECT_FALSE(stale.Close());
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(UniqueHandle, MoveHandsOverOwnership) {
  HANDLE event = CreateEventW(/*security=*/nullptr, /*manualReset=*/TRUE, /*initialState=*/FALSE, /*name=*/nullptr);
  ASSERT_NE(event, nullptr);
  UniqueKernelHandle first(event);
  UniqueKernelHandle second(std::move(first));
  EXPECT_FALSE(first);
  EXPECT_EQ(second.Get(), event);
  UniqueKernelHandle third;
  third = std::move(second);
  EXPECT_FALSE(second);
  DWORD flags = 0;
  EXPECT_TRUE(GetHandleInformation(event, &flags)) << "a move closed the handle";
  HANDLE released = third.Release();
  EXPECT_FALSE(third);
  EXPECT_TRUE(GetHandleInformation(released, &flags)) << "Release closed the handle";
  CloseHandle(released);
}

}  // namespace
}  // namespace vk::platform::test
