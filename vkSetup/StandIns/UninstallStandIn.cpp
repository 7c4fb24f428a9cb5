// A TEST STAND-IN for the uninstaller, carried by the setup program until the
// real Uninstall.exe is built. It removes nothing: it only says what it is.

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  MessageBoxW(nullptr, L"Test stand-in of the uninstaller: nothing was removed.", L"Uninstall", MB_OK);
  return 0;
}
