#include "Tools/Service/NamSelDir.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "Core/SysUtils.h"
#include "Gui/ExceptionBarrier.h"
#include "Platform/win32/Utf16.h"
#include "Tools/Service/ShellFolders.h"

namespace vk {
namespace {

constexpr char kUnit[] = "Tools\\Service\\NamSelDir";

struct TSelectState {
  std::wstring DefaultName;
  std::wstring InitialPath;
  std::wstring Caption;
  std::wstring OkCaption;
  std::wstring CancelCaption;
  HWND Edit = nullptr;
  std::wstring EditTextAtOk;
};

// The one open dialog's state, read by its callback and subclass.
TSelectState*& Current() {
  static TSelectState* state = nullptr;
  return state;
}

std::wstring WindowText(HWND window) {
  wchar_t buffer[MAX_PATH + 1] = {};
  GetWindowTextW(window, buffer, MAX_PATH + 1);
  return buffer;
}

LRESULT CALLBACK DialogSubclass(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                DWORD_PTR /*data*/) {
  return gui::Guarded<LRESULT>(0, [&] {
    TSelectState* state = Current();
    if (state && message == WM_COMMAND && LOWORD(wParam) == IDOK && state->Edit) {
      state->EditTextAtOk = WindowText(state->Edit);
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(dialog, DialogSubclass, 0);
    return DefSubclassProc(dialog, message, wParam, lParam);
  });
}

void OnInitialized(HWND dialog, TSelectState& state) {
  SetWindowTextW(dialog, state.Caption.c_str());
  SetDlgItemTextW(dialog, IDOK, state.OkCaption.c_str());
  SetDlgItemTextW(dialog, IDCANCEL, state.CancelCaption.c_str());
  state.Edit = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
  if (!state.InitialPath.empty()) {
    // A folder below a root is found by its name without the delimiter.
    if (state.InitialPath.size() > 3 && state.InitialPath.back() == L'\\') state.InitialPath.pop_back();
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(state.InitialPath.c_str()));
  } else {
    ItemList computer;
    if (SUCCEEDED(SHGetSpecialFolderLocation(dialog, CSIDL_DRIVES, computer.Put()))) {
      SendMessageW(dialog, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(computer.Get()));
    }
  }
  SetWindowSubclass(dialog, DialogSubclass, 0, 0);
}

void OnSelectionChanged(HWND dialog, TSelectState& state, LPCITEMIDLIST item) {
  std::wstring folder;
  if (ExistingFolderOf(item, folder)) {
    if (folder.back() != L'\\') folder += L'\\';
    if (state.Edit) SetWindowTextW(state.Edit, (folder + state.DefaultName).c_str());
    return;
  }
  if (state.Edit) SetWindowTextW(state.Edit, L"");
  SendMessageW(dialog, BFFM_ENABLEOK, 0, FALSE);
}

int CALLBACK SelectCallback(HWND dialog, UINT event, LPARAM item, LPARAM /*data*/) {
  return gui::Guarded<int>(0, [&] {
    TSelectState* state = Current();
    if (!state) return 0;
    if (event == BFFM_INITIALIZED) OnInitialized(dialog, *state);
    if (event == BFFM_SELCHANGED) OnSelectionChanged(dialog, *state, reinterpret_cast<LPCITEMIDLIST>(item));
    return 0;
  });
}

bool HasOuterBlanks(const std::string& text) {
  return !text.empty() && (text.front() == ' ' || text.back() == ' ' || text.front() == '\t' || text.back() == '\t');
}

}  // namespace

bool SelectDirectory(const std::string& defaultName, std::string& path, const std::string& caption,
                     const std::string& cancelCaption, const std::string& okCaption, const std::string& titleLine) {
  Assert(!defaultName.empty(), "Default Direcdtory Name Is Empty", kUnit);
  Assert(!HasOuterBlanks(defaultName), "Not Trimmed Default Direcdtory Name", kUnit);
  if (Current()) return false;
  TSelectState state{platform::Utf8ToWide(defaultName),
                     platform::Utf8ToWide(path),
                     platform::Utf8ToWide(caption),
                     platform::Utf8ToWide(okCaption),
                     platform::Utf8ToWide(cancelCaption),
                     nullptr,
                     {}};
  Current() = &state;
  struct Closer {
    ~Closer() { Current() = nullptr; }
  } closer;

  ComScope com;
  ItemList chosen =
      BrowseForItem(platform::Utf8ToWide(titleLine), BIF_RETURNONLYFSDIRS | BIF_EDITBOX, SelectCallback, 0);
  if (!chosen) return false;
  if (!state.EditTextAtOk.empty()) {
    path = platform::WideToUtf8(state.EditTextAtOk);
    return true;
  }
  std::wstring folder;
  if (!ExistingFolderOf(chosen.Get(), folder)) return false;
  // A dialog without the edit box (some systems leave it out) takes what
  // the box would have proposed: the default folder in the chosen one.
  if (!state.Edit) folder += (folder.back() == L'\\' ? L"" : L"\\") + state.DefaultName;
  path = platform::WideToUtf8(folder);
  return true;
}

}  // namespace vk
