#include "Source/PrintWin32.h"

#include <memory>
#include <string>

#include "Core/AsciiCase.h"
#include "Gui/Printers.h"
#include "Source/Print.h"
#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxCall.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {

namespace {

// Text in the canvas's font at the printer's resolution, transparent over
// the fills.
class TWin32PrintCanvas : public TPrintCanvas {
 public:
  TWin32PrintCanvas(gui::TCanvas& canvas, int pixelsPerInch) : canvas_(canvas), pixelsPerInch_(pixelsPerInch) {}

  void SetFont(const TPrintFont& font) override {
    unsigned style = (font.Bold ? gui::fsBold : 0u) | (font.Italic ? gui::fsItalic : 0u);
    // Points to device units: a negative height is the character height.
    canvas_.Font = gui::TFont(font.Name, -MulDiv(font.Size, pixelsPerInch_, 72), style);
    canvas_.Font.SetColor(gui::clBlack);
  }
  int TextWidth(const std::string& text) override { return canvas_.TextWidth(text); }
  int TextHeight(const std::string& text) override { return canvas_.TextHeight(text); }
  void FillRect(const TPrintRect& rect, std::uint32_t color) override {
    canvas_.Brush = {color, gui::TBrushStyle::bsSolid};
    canvas_.FillRect(RECT{rect.Left, rect.Top, rect.Right, rect.Bottom});
  }
  void TextRect(const TPrintRect& rect, const std::string& text, TPrintAlignment alignment) override {
    canvas_.Brush.Style = gui::TBrushStyle::bsClear;
    canvas_.DrawTextEllipsis(
        RECT{rect.Left, rect.Top, rect.Right, rect.Bottom}, text,
        alignment == TPrintAlignment::Right ? gui::TAlignment::taRightJustify : gui::TAlignment::taLeftJustify);
  }

 private:
  gui::TCanvas& canvas_;
  int pixelsPerInch_;
};

class TWin32PrinterDevice : public TPrinterDevice {
 public:
  explicit TWin32PrinterDevice(std::unique_ptr<gui::TPrinterDc> dc)
      : dc_(std::move(dc)), canvas_(dc_->Canvas(), dc_->PixelsPerInch()) {}

  int PageWidth() override { return dc_->PageWidth(); }
  int PageHeight() override { return dc_->PageHeight(); }
  TPrintCanvas& Canvas() override { return canvas_; }
  void BeginDoc(const std::string& title) override { dc_->BeginDoc(title); }
  void NewPage() override { dc_->NewPage(); }
  void EndDoc() override { dc_->EndDoc(); }
  void Abort() noexcept override { dc_->Abort(); }

 private:
  std::unique_ptr<gui::TPrinterDc> dc_;
  TWin32PrintCanvas canvas_;
};

class TWin32PrinterSystem : public TPrinterSystem {
 public:
  bool PrintersExist() override { return !gui::Printer().Printers().empty(); }
  std::unique_ptr<TPrinterDevice> OpenCurrent() override {
    return std::make_unique<TWin32PrinterDevice>(gui::Printer().Open());
  }
};

void ShowPrintBox(const std::string& text) {
  ProgramMessageBox(text, ProgTexts.PrintCaption, kMbIconInformation, "OK", ProgTexts.ClosePrintMessageHint);
}

}  // namespace

void CreateSystemPrintManager() {
  CreatePrintManager(std::make_unique<TPrintManager>(std::make_unique<TWin32PrinterSystem>()));
}

void RunPrinterSetup(HWND owner) {
  if (!PrintManager().PrintersExist()) {
    ShowPrintBox(ProgTexts.NoPrintersInstalled);
    return;
  }
  try {
    if (gui::Printer().ExecuteSetupDialog(owner)) PrintManager().SetupPage();
  } catch (const std::exception& error) {
    ShowPrintBox(SameTextAscii(error.what(), gui::kNoDefaultPrinterText) ? ProgTexts.NoDefaultPrinter
                                                                         : ProgTexts.PrinterInitError);
  }
}

}  // namespace vk
