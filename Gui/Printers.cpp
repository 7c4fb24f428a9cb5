#include "Gui/Printers.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include "Platform/win32/SystemError.h"
#include "Platform/win32/Utf16.h"

namespace vk::gui {

using platform::Utf8ToWide;
using platform::WideToUtf8;

TPrinterDc::TPrinterDc(UniqueDc dc, std::string printerName)
    : dc_(std::move(dc)), printerName_(std::move(printerName)), canvas_(std::make_unique<TCanvas>(dc_.Get())) {}

TPrinterDc::~TPrinterDc() {
  Abort();
  canvas_.reset();
}

int TPrinterDc::PageWidth() const { return GetDeviceCaps(dc_.Get(), HORZRES); }

int TPrinterDc::PageHeight() const { return GetDeviceCaps(dc_.Get(), VERTRES); }

int TPrinterDc::PixelsPerInch() const { return GetDeviceCaps(dc_.Get(), LOGPIXELSY); }

void TPrinterDc::Raise(const char* call) const {
  DWORD code = GetLastError();
  throw EPrinter(platform::SystemCallError(call, printerName_, code));
}

void TPrinterDc::BeginDoc(const std::string& title) {
  std::wstring name = Utf8ToWide(title);
  DOCINFOW info{};
  info.cbSize = sizeof info;
  info.lpszDocName = name.c_str();
  if (StartDocW(dc_.Get(), &info) <= 0) Raise("StartDocW");
  printing_ = true;
  if (StartPage(dc_.Get()) <= 0) Raise("StartPage");
  pageOpen_ = true;
}

void TPrinterDc::NewPage() {
  pageOpen_ = false;
  if (EndPage(dc_.Get()) <= 0) Raise("EndPage");
  if (StartPage(dc_.Get()) <= 0) Raise("StartPage");
  pageOpen_ = true;
}

void TPrinterDc::EndDoc() {
  if (pageOpen_) {
    pageOpen_ = false;
    if (EndPage(dc_.Get()) <= 0) Raise("EndPage");
  }
  if (::EndDoc(dc_.Get()) <= 0) Raise("EndDoc");
  printing_ = false;
}

void TPrinterDc::Abort() noexcept {
  if (printing_) AbortDoc(dc_.Get());
  printing_ = false;
  pageOpen_ = false;
}

std::vector<std::string> TPrinter::Printers() const {
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0;
  DWORD count = 0;
  EnumPrintersW(flags, /*name=*/nullptr, 4, nullptr, 0, &needed, &count);
  if (needed == 0) return {};
  std::vector<BYTE> buffer(needed);
  if (!EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) return {};
  std::vector<std::string> names;
  const auto* info = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) names.push_back(WideToUtf8(info[i].pPrinterName));
  return names;
}

std::string TPrinter::DefaultPrinter() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size == 0) return {};
  std::wstring name(size, L'\0');
  if (!GetDefaultPrinterW(name.data(), &size)) return {};
  name.resize(wcslen(name.c_str()));
  return WideToUtf8(name);
}

std::string TPrinter::CurrentPrinter() const {
  if (!chosen_.empty()) return chosen_;
  std::string name = DefaultPrinter();
  if (name.empty()) throw EPrinter(kNoDefaultPrinterText);
  return name;
}

bool TPrinter::ExecuteSetupDialog(HWND owner) {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.Flags = PD_PRINTSETUP;
  // The dialog may free what it is given and hand back new memory; whatever
  // it returns is ours again.
  dialog.hDevMode = devMode_.Release();
  dialog.hDevNames = devNames_.Release();
  BOOL ok = PrintDlgW(&dialog);
  DWORD error = ok ? 0 : CommDlgExtendedError();
  devMode_.Reset(dialog.hDevMode);
  devNames_.Reset(dialog.hDevNames);
  if (!ok) {
    if (error == PDERR_NODEFAULTPRN) throw EPrinter(kNoDefaultPrinterText);
    if (error != 0) throw EPrinter("PrintDlgW: error " + std::to_string(error));
    return false;
  }
  if (devNames_) {
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames_.Get()));
    if (names) {
      chosen_ = WideToUtf8(reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset);
      GlobalUnlock(devNames_.Get());
    }
  }
  return true;
}

std::unique_ptr<TPrinterDc> TPrinter::Open() const {
  std::string name = CurrentPrinter();
  // The settings chosen in the dialog belong to the printer chosen there.
  const DEVMODEW* settings = nullptr;
  if (!chosen_.empty() && devMode_) settings = static_cast<const DEVMODEW*>(GlobalLock(devMode_.Get()));
  UniqueDc dc(CreateDCW(L"WINSPOOL", Utf8ToWide(name).c_str(), /*output=*/nullptr, settings));
  DWORD code = GetLastError();
  if (settings) GlobalUnlock(devMode_.Get());
  if (!dc) throw EPrinter(platform::SystemCallError("CreateDCW", name, code));
  return std::make_unique<TPrinterDc>(std::move(dc), name);
}

TPrinter& Printer() {
  static TPrinter printer;
  return printer;
}

}  // namespace vk::gui
