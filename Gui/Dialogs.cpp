#include "Gui/Dialogs.h"

#include <commdlg.h>

#include <algorithm>

#include "Platform/win32/Utf16.h"

namespace vk::gui {
namespace {

// Room for a long path (the dialog's own limit is 32767 characters).
constexpr size_t kPathRoom = 32768;

// "a|b|c|d" as the dialog wants it: "a\0b\0c\0d\0\0".
std::wstring FilterPairs(const std::string& filter) {
  std::wstring pairs = platform::Utf8ToWide(filter);
  std::replace(pairs.begin(), pairs.end(), L'|', L'\0');
  pairs.push_back(L'\0');
  pairs.push_back(L'\0');
  return pairs;
}

}  // namespace

bool PromptForFileName(std::string& fileName, const std::string& filter, const std::string& defaultExt,
                       const std::string& title, const std::string& initialDir, bool saveDialog, HWND owner) {
  const std::wstring filterPairs = FilterPairs(filter);
  const std::wstring ext = platform::Utf8ToWide(defaultExt);
  const std::wstring caption = platform::Utf8ToWide(title);
  const std::wstring folder = platform::Utf8ToWide(initialDir);
  std::wstring path = platform::Utf8ToWide(fileName);
  if (path.size() >= kPathRoom) path.clear();
  path.resize(kPathRoom, L'\0');

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner ? owner : GetActiveWindow();
  dialog.lpstrFilter = filter.empty() ? nullptr : filterPairs.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
  dialog.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  // The working folder stays the program's: relative paths keep their meaning.
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                 (saveDialog ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  const BOOL confirmed = saveDialog ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!confirmed) return false;
  path.resize(wcslen(path.c_str()));
  fileName = platform::WideToUtf8(path);
  return true;
}

}  // namespace vk::gui
