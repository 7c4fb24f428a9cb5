#include "Source/AppSelect.h"

#include <algorithm>

#include "Gui/Application.h"
#include "Gui/ExceptionBarrier.h"
#include "Platform/win32/Utf16.h"

namespace vk {

std::string ProgramTitle;

namespace {

std::string CaptionOf(TInstanceSearch::Window window) {
  HWND hwnd = reinterpret_cast<HWND>(window);
  int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int read = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(read, 0)));
  return platform::WideToUtf8(text);
}

std::uint32_t ThreadOf(TInstanceSearch::Window window) {
  return GetWindowThreadProcessId(reinterpret_cast<HWND>(window), /*processId=*/nullptr);
}

BOOL CALLBACK VisitWindow(HWND window, LPARAM search) {
  return gui::Guarded<BOOL>(TRUE, [&] {
    wchar_t name[256];
    int length = GetClassNameW(window, name, 256);
    if (length > 0) {
      reinterpret_cast<TInstanceSearch*>(search)->Visit(reinterpret_cast<TInstanceSearch::Window>(window),
                                                        platform::WideToUtf8(std::wstring(name, length)));
    }
    return TRUE;
  });
}

std::optional<LRESULT> SendWithTimeout(HWND window, UINT message, DWORD timeout) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, message, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeout, &answer)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(answer);
}

}  // namespace

HWND FindRunningInstance(const std::string& caption, const std::string& applicationClass,
                         const std::vector<std::string>& formClasses) {
  TInstanceSearch search(caption, applicationClass, formClasses, {CaptionOf, ThreadOf});
  EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
  return reinterpret_cast<HWND>(search.Result());
}

bool ActivateRunningInstance(HWND window, DWORD timeout) {
  std::optional<LRESULT> answer = SendWithTimeout(window, WM_ACTIVATEINSTANCE, timeout);
  if (!answer) return false;
  if (*answer != 0) SetForegroundWindow(reinterpret_cast<HWND>(*answer));
  return true;
}

std::optional<LRESULT> RequestInstanceClose(HWND window, DWORD timeout) {
  return SendWithTimeout(window, WM_CLOSEINSTANCE, timeout);
}

LRESULT HandleActivateRequest() {
  gui::Application.Restore();
  HWND application = gui::Application.Handle();
  HWND popup = GetLastActivePopup(application);
  if (popup && popup != application && IsWindowVisible(popup) && IsWindowEnabled(popup)) {
    return reinterpret_cast<LRESULT>(popup);
  }
  return 0;
}

void TerminateInstance() { gui::Application.Terminate(); }

}  // namespace vk
