#pragma once
// The system's printers: which exist, which one jobs go to, the printer
// set-up dialog, and a printer's device context with its canvas and the
// steps of a print job.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Gui/GdiHandles.h"
#include "Gui/Graphics.h"
#include "Gui/PrinterError.h"

namespace vk::gui {

// One printer's device context: the page, the canvas, and one job at a time.
// A job left unfinished is aborted when the object goes.
class TPrinterDc {
 public:
  TPrinterDc(UniqueDc dc, std::string printerName);
  ~TPrinterDc();
  TPrinterDc(const TPrinterDc&) = delete;
  TPrinterDc& operator=(const TPrinterDc&) = delete;

  const std::string& PrinterName() const { return printerName_; }
  // The printable area in device units, and the vertical resolution.
  int PageWidth() const;
  int PageHeight() const;
  int PixelsPerInch() const;
  TCanvas& Canvas() { return *canvas_; }

  // StartDocW under the title, then StartPage.
  void BeginDoc(const std::string& title);
  // EndPage, then StartPage.
  void NewPage();
  // EndPage, then EndDoc: the job goes to the printer.
  void EndDoc();
  // AbortDoc when a job is open; the job is gone either way.
  void Abort() noexcept;
  bool Printing() const { return printing_; }

 private:
  [[noreturn]] void Raise(const char* call) const;

  UniqueDc dc_;
  std::string printerName_;
  // Declared after the DC: it puts the DC's own objects back before DeleteDC.
  std::unique_ptr<TCanvas> canvas_;
  bool printing_ = false;
  bool pageOpen_ = false;
};

// The printers of the system and the one jobs go to: the one chosen in the
// set-up dialog with the settings chosen there, else the system's default
// at the time a job opens it.
class TPrinter {
 public:
  TPrinter() = default;
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // Names of the installed printers, local and connected.
  std::vector<std::string> Printers() const;
  // The system's default printer; empty when there is none.
  static std::string DefaultPrinter();
  // The printer jobs go to now; raises EPrinter kNoDefaultPrinterText when
  // none was chosen and the system has no default.
  std::string CurrentPrinter() const;

  // The system's printer set-up dialog for the current printer, owned by the
  // window. On OK the printer and the settings chosen become current and the
  // result is true; on cancel nothing changes. Raises EPrinter when the
  // dialog fails.
  bool ExecuteSetupDialog(HWND owner);

  // The current printer opened with its chosen settings; raises EPrinter
  // when there is none or it cannot be opened.
  std::unique_ptr<TPrinterDc> Open() const;

 private:
  std::string chosen_;
  // The dialog's DEVMODE and DEVNAMES, handed back to it the next time.
  GlobalMemory devMode_;
  GlobalMemory devNames_;
};

// The program's printer, as the window class library keeps one.
TPrinter& Printer();

}  // namespace vk::gui
