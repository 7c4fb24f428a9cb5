#include "Tools/Service/FileSrvRules.h"

namespace vk {
namespace {
constexpr uint32_t kReturnOnlyFsDirs = 0x0001;
constexpr uint32_t kStatusText = 0x0004;
constexpr uint32_t kEditBox = 0x0010;
constexpr uint32_t kNewDialogStyle = 0x0040;
}  // namespace

bool IsFolderDialogMode(int mode) { return mode >= 0 && mode <= 3; }

uint32_t FolderDialogFlags(TFolderDialogMode mode) {
  switch (mode) {
    case TFolderDialogMode::StatusLine: return kReturnOnlyFsDirs | kStatusText;
    case TFolderDialogMode::EditBox: return kReturnOnlyFsDirs | kEditBox;
    case TFolderDialogMode::NewStyle: return kReturnOnlyFsDirs | kNewDialogStyle;
    case TFolderDialogMode::FirstControl: break;
  }
  return kReturnOnlyFsDirs;
}

TPathDisplay FolderPathDisplay(TFolderDialogMode mode) {
  switch (mode) {
    case TFolderDialogMode::StatusLine: return TPathDisplay::StatusLine;
    case TFolderDialogMode::EditBox: return TPathDisplay::FirstTabItem;
    case TFolderDialogMode::FirstControl:
    case TFolderDialogMode::NewStyle: break;
  }
  return TPathDisplay::FirstGroupItem;
}

std::string FolderDisplayText(TFolderDialogMode mode, const std::string& instruction, const std::string& path,
                              bool isFolder) {
  std::string shown = isFolder ? path : std::string();
  if (mode != TFolderDialogMode::NewStyle) return shown;
  return isFolder ? instruction + "\r\n\r\n" + shown : instruction;
}

void CentreOver(const TScreenRect& dialog, const TScreenRect& window, int& left, int& top) {
  int centreX = (window.Left + window.Right) / 2;
  int centreY = (window.Top + window.Bottom) / 2;
  left = centreX - (dialog.Right - dialog.Left) / 2;
  top = centreY - (dialog.Bottom - dialog.Top) / 2;
}

}  // namespace vk
