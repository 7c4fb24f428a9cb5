#pragma once
// What the print manager needs of a printer, apart from the system: the
// printers that exist, the one a job goes to, its page in device units, a
// canvas to measure and draw on, and the steps of a job. The Win32 printer
// (Source/PrintWin32.cpp over Gui/Printers.h) implements it; native tests
// implement it with a recording printer of any page size and resolution.

#include <cstdint>
#include <memory>
#include <string>

namespace vk {

// A font as a report names it: face, size in points and style. The canvas
// turns points into device units by the printer's resolution.
struct TPrintFont {
  std::string Name;
  int Size = 0;
  bool Bold = false;
  bool Italic = false;

  bool operator==(const TPrintFont&) const = default;
};

// Device units, right and bottom exclusive.
struct TPrintRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  bool operator==(const TPrintRect&) const = default;
};

// Column alignment as reports give it: 0 left, 1 right.
enum class TPrintAlignment : std::uint8_t { Left = 0, Right = 1 };

// Measuring and drawing on the printer's pages, in device units.
class TPrintCanvas {
 public:
  virtual ~TPrintCanvas() = default;

  // The font of the following calls.
  virtual void SetFont(const TPrintFont& font) = 0;
  // Extent of one line of text in the current font.
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  // Fills the rectangle with the colour (0x00BBGGRR).
  virtual void FillRect(const TPrintRect& rect, std::uint32_t color) = 0;
  // One line in the current font over what is already there: vertically
  // centred in the rectangle, aligned, cut with an ellipsis when it does not
  // fit; '&' is printed as it is.
  virtual void TextRect(const TPrintRect& rect, const std::string& text, TPrintAlignment alignment) = 0;
};

// One printer opened for measuring and printing one job. The job steps raise
// an exception when the system refuses them; after a refusal, or to give up
// a job, Abort ends it without printing.
class TPrinterDevice {
 public:
  virtual ~TPrinterDevice() = default;

  // The printable page in device units.
  virtual int PageWidth() = 0;
  virtual int PageHeight() = 0;
  virtual TPrintCanvas& Canvas() = 0;

  // Starts the job under the title and its first page.
  virtual void BeginDoc(const std::string& title) = 0;
  // Ends the current page and starts the next.
  virtual void NewPage() = 0;
  // Ends the last page and hands the job to the printer.
  virtual void EndDoc() = 0;
  // Throws the job away; safe at any time, also when no job was begun.
  virtual void Abort() noexcept = 0;
};

// The system's printers.
class TPrinterSystem {
 public:
  virtual ~TPrinterSystem() = default;

  // At least one printer is installed.
  virtual bool PrintersExist() = 0;
  // The printer jobs go to now (the one chosen in the printer set-up, else
  // the system's default), opened. Raises when there is none or it cannot be
  // opened.
  virtual std::unique_ptr<TPrinterDevice> OpenCurrent() = 0;
};

}  // namespace vk
