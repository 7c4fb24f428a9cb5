// Test helper: holds a file open without sharing for a while, as another
// program would. HoldFileWin32 <path> <milliseconds> <marker path>: the marker
// file is created once the file is held.
#include <windows.h>

#include <cstdlib>

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 2;
  HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, /*share=*/0, /*security=*/nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, /*template=*/nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  HANDLE marker = CreateFileW(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(marker);
  Sleep(static_cast<DWORD>(_wtoi(argv[2])));
  CloseHandle(file);
  return 0;
}
