#include "vkSetup/DeskLink.h"

#include <objbase.h>
#include <shlobj.h>

#include "Platform/win32/Utf16.h"

namespace vk::setup {

namespace {

template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (ptr_) ptr_->Release();
  }
  T** Put() { return &ptr_; }
  T* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }

 private:
  T* ptr_ = nullptr;
};

// A new shell link object and its file interface.
bool NewShellLink(ComRef<IShellLinkW>& shellLink, ComRef<IPersistFile>& file) {
  return CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                          reinterpret_cast<void**>(shellLink.Put())) == S_OK &&
         shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put())) == S_OK;
}

}  // namespace

std::string GetSpecialFolder(int csidl, bool create) {
  wchar_t path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(GetActiveWindow(), path, csidl, create)) return {};
  std::string folder = platform::WideToUtf8(path);
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

std::string GetProgramsFolder(bool create) { return GetSpecialFolder(CSIDL_PROGRAMS, create); }

std::string GetDesktopFolder(bool create) { return GetSpecialFolder(CSIDL_DESKTOPDIRECTORY, create); }

bool CreateShellLink(const TShellLinkSpec& link) {
  ComRef<IShellLinkW> shellLink;
  ComRef<IPersistFile> file;
  if (!NewShellLink(shellLink, file)) return false;
  return shellLink->SetArguments(platform::Utf8ToWide(link.Arguments).c_str()) == S_OK &&
         shellLink->SetDescription(platform::Utf8ToWide(link.Description).c_str()) == S_OK &&
         shellLink->SetPath(platform::Utf8ToWide(link.Target).c_str()) == S_OK &&
         shellLink->SetWorkingDirectory(platform::Utf8ToWide(link.WorkingDirectory).c_str()) == S_OK &&
         file->Save(platform::Utf8ToWide(link.LinkPath).c_str(), /*remember=*/FALSE) == S_OK;
}

bool ReadShellLink(const std::string& linkPath, TShellLinkRead& out) {
  ComRef<IShellLinkW> shellLink;
  ComRef<IPersistFile> file;
  if (!NewShellLink(shellLink, file)) return false;
  if (file->Load(platform::Utf8ToWide(linkPath).c_str(), STGM_READ) != S_OK) return false;
  wchar_t text[1024] = {};
  WIN32_FIND_DATAW data{};
  if (shellLink->GetPath(text, 1024, &data, SLGP_RAWPATH) != S_OK) return false;
  out.Target = platform::WideToUtf8(text);
  text[0] = 0;
  shellLink->GetArguments(text, 1024);
  out.Arguments = platform::WideToUtf8(text);
  text[0] = 0;
  shellLink->GetDescription(text, 1024);
  out.Description = platform::WideToUtf8(text);
  text[0] = 0;
  shellLink->GetWorkingDirectory(text, 1024);
  out.WorkingDirectory = platform::WideToUtf8(text);
  return true;
}

}  // namespace vk::setup
