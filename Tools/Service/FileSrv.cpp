#include "Tools/Service/FileSrv.h"

#include "Gui/ExceptionBarrier.h"
#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"
#include "Tools/Service/FileSrvRules.h"
#include "Tools/Service/ShellFolders.h"

namespace vk {
namespace {

// What the callback of the one open dialog reads.
struct TFolderDialogState {
  bool Open = false;
  std::wstring Preselection;
  std::wstring WindowTitle;
  std::string Instruction;
  std::wstring OkCaption;
  std::wstring CancelCaption;
  HWND CentreOver = nullptr;
  int PathControl = 0;        // 0: the status line
  std::wstring Display = {};  // kept alive while the dialog may read it
};

TFolderDialogState& State() {
  static TFolderDialogState state;
  return state;
}

TFolderDialogMode ModeOf(LPARAM lpData) { return static_cast<TFolderDialogMode>(static_cast<int>(lpData)); }

int PathControlOf(HWND dialog, TFolderDialogMode mode) {
  HWND control = nullptr;
  switch (FolderPathDisplay(mode)) {
    case TPathDisplay::StatusLine: return 0;
    case TPathDisplay::FirstGroupItem: control = GetNextDlgGroupItem(dialog, nullptr, FALSE); break;
    case TPathDisplay::FirstTabItem: control = GetNextDlgTabItem(dialog, nullptr, FALSE); break;
  }
  return control ? GetDlgCtrlID(control) : 0;
}

void ShowPath(HWND dialog, TFolderDialogMode mode, const std::string& text) {
  TFolderDialogState& state = State();
  state.Display = platform::Utf8ToWide(text);
  if (FolderPathDisplay(mode) == TPathDisplay::StatusLine) {
    SendMessageW(dialog, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(state.Display.c_str()));
  } else if (state.PathControl != 0) {
    SetDlgItemTextW(dialog, state.PathControl, state.Display.c_str());
  }
}

void OnInitialized(HWND dialog, TFolderDialogMode mode) {
  TFolderDialogState& state = State();
  if (!state.WindowTitle.empty()) SetWindowTextW(dialog, state.WindowTitle.c_str());
  if (!state.OkCaption.empty()) SetDlgItemTextW(dialog, IDOK, state.OkCaption.c_str());
  if (!state.CancelCaption.empty()) SetDlgItemTextW(dialog, IDCANCEL, state.CancelCaption.c_str());
  state.PathControl = PathControlOf(dialog, mode);

  if (!state.Preselection.empty()) {
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(state.Preselection.c_str()));
  } else {
    ItemList drives;
    if (SUCCEEDED(SHGetSpecialFolderLocation(dialog, CSIDL_DRIVES, drives.Put())))
      SendMessageW(dialog, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(drives.Get()));
  }

  RECT dialogRect, windowRect;
  if (state.CentreOver && GetWindowRect(dialog, &dialogRect) && GetWindowRect(state.CentreOver, &windowRect)) {
    int left = 0, top = 0;
    CentreOver({dialogRect.left, dialogRect.top, dialogRect.right, dialogRect.bottom},
               {windowRect.left, windowRect.top, windowRect.right, windowRect.bottom}, left, top);
    MoveWindow(dialog, left, top, dialogRect.right - dialogRect.left, dialogRect.bottom - dialogRect.top,
               /*repaint=*/FALSE);
  }
}

void OnSelectionChanged(HWND dialog, TFolderDialogMode mode, LPCITEMIDLIST item) {
  std::wstring path;
  bool isFolder = ExistingFolderOf(item, path);
  ShowPath(dialog, mode, FolderDisplayText(mode, State().Instruction, platform::WideToUtf8(path), isFolder));
  // A real folder leaves the OK button as the dialog set it.
  if (!isFolder) SendMessageW(dialog, BFFM_ENABLEOK, 0, FALSE);
}

}  // namespace

int CALLBACK BrowseCallback(HWND dialog, UINT event, LPARAM item, LPARAM lpData) {
  return gui::Guarded<int>(0, [&] {
    TFolderDialogMode mode = ModeOf(lpData);
    if (event == BFFM_INITIALIZED) OnInitialized(dialog, mode);
    if (event == BFFM_SELCHANGED) OnSelectionChanged(dialog, mode, reinterpret_cast<LPCITEMIDLIST>(item));
    return 0;
  });
}

bool BrowseForFolder(std::string& folder, int mode, const std::string& windowTitle, const std::string& instruction,
                     const std::string& okCaption, const std::string& cancelCaption, HWND centreOver) {
  TFolderDialogState& state = State();
  if (state.Open || !IsFolderDialogMode(mode)) return false;
  state = TFolderDialogState{.Open = true,
                             .Preselection = platform::Utf8ToWide(folder),
                             .WindowTitle = platform::Utf8ToWide(windowTitle),
                             .Instruction = instruction,
                             .OkCaption = platform::Utf8ToWide(okCaption),
                             .CancelCaption = platform::Utf8ToWide(cancelCaption),
                             .CentreOver = centreOver};
  struct Closer {
    ~Closer() { State() = TFolderDialogState{}; }
  } closer;

  ComScope com;
  ItemList chosen = BrowseForItem(platform::Utf8ToWide(instruction),
                                  FolderDialogFlags(static_cast<TFolderDialogMode>(mode)), BrowseCallback, mode);
  std::wstring path;
  if (!ExistingFolderOf(chosen.Get(), path)) return false;
  folder = platform::WideToUtf8(path);
  return true;
}

}  // namespace vk
