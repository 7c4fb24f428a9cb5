#pragma once
// A printer for native tests: any page size and resolution, fonts that scale
// with the resolution like real ones, every fill and text kept per page, and
// job steps that can be made to fail. Several printers can be installed; the
// current one is the one a job goes to.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Core/SysUtils.h"
#include "Core/Utf8.h"
#include "Source/PrintDevice.h"

namespace vk::test {

struct PrintedText {
  TPrintRect Rect;
  std::string Text;
  TPrintFont Font;
  TPrintAlignment Alignment;
};

struct PrintedFill {
  TPrintRect Rect;
  std::uint32_t Color;
};

struct PrintedPage {
  std::vector<PrintedText> Texts;
  std::vector<PrintedFill> Fills;
};

// What reached one printer.
struct PrinterLog {
  int Opened = 0;
  int DocsBegun = 0;
  int DocsEnded = 0;
  int Aborts = 0;
  std::string Title;
  std::vector<PrintedPage> Pages;  // of the last job begun
};

struct PaperSpec {
  int Width = 2480;  // A4 at 300 dpi
  int Height = 3508;
  int Dpi = 300;
};

// Job steps that fail: the Nth call (from 1) of each; 0 never.
struct PrinterFaults {
  int FailBeginDoc = 0;
  int FailNewPage = 0;
  int FailEndDoc = 0;
};

// Character cells like a proportional font's: a line is 1.25 times the point
// size high and a character half of it wide, both in device units.
class ScaledCanvas : public TPrintCanvas {
 public:
  ScaledCanvas(int dpi, PrinterLog& log) : dpi_(dpi), log_(log) {}

  void SetFont(const TPrintFont& font) override { font_ = font; }
  int TextWidth(const std::string& text) override { return Utf8Length(text) * font_.Size * dpi_ / (72 * 2); }
  int TextHeight(const std::string&) override { return font_.Size * dpi_ * 5 / (72 * 4); }
  void FillRect(const TPrintRect& rect, std::uint32_t color) override { Page().Fills.push_back({rect, color}); }
  void TextRect(const TPrintRect& rect, const std::string& text, TPrintAlignment alignment) override {
    Page().Texts.push_back({rect, text, font_, alignment});
  }

 private:
  PrintedPage& Page() {
    // Measuring needs no page; drawing outside a page would be a fault.
    if (log_.Pages.empty()) throw std::logic_error("drawn outside a page");
    return log_.Pages.back();
  }

  int dpi_;
  PrinterLog& log_;
  TPrintFont font_;
};

class RecordingDevice : public TPrinterDevice {
 public:
  RecordingDevice(PaperSpec paper, PrinterFaults faults, PrinterLog& log)
      : paper_(paper), faults_(faults), log_(log), canvas_(paper.Dpi, log) {
    ++log_.Opened;
  }

  int PageWidth() override { return paper_.Width; }
  int PageHeight() override { return paper_.Height; }
  TPrintCanvas& Canvas() override { return canvas_; }

  void BeginDoc(const std::string& title) override {
    if (++beginCalls_ == faults_.FailBeginDoc)
      throw Exception("StartDocW (Test printer): The printer is out of paper.");
    ++log_.DocsBegun;
    log_.Title = title;
    log_.Pages.assign(1, {});
  }
  void NewPage() override {
    if (++newPageCalls_ == faults_.FailNewPage) throw Exception("EndPage (Test printer): The printer is offline.");
    log_.Pages.emplace_back();
  }
  void EndDoc() override {
    if (++endCalls_ == faults_.FailEndDoc) throw Exception("EndDoc (Test printer): The printer is offline.");
    ++log_.DocsEnded;
  }
  void Abort() noexcept override { ++log_.Aborts; }

 private:
  PaperSpec paper_;
  PrinterFaults faults_;
  PrinterLog& log_;
  ScaledCanvas canvas_;
  int beginCalls_ = 0;
  int newPageCalls_ = 0;
  int endCalls_ = 0;
};

// The installed test printers; the test keeps a pointer to change them
// while the print manager owns the object.
class RecordingPrinters : public TPrinterSystem {
 public:
  struct Printer {
    PaperSpec Paper;
    PrinterFaults Faults;
    PrinterLog Log;
  };

  explicit RecordingPrinters(std::vector<PaperSpec> papers = {PaperSpec{}}) {
    for (const auto& paper : papers) printers_.push_back(std::make_unique<Printer>(Printer{paper, {}, {}}));
  }

  bool PrintersExist() override { return !printers_.empty(); }
  std::unique_ptr<TPrinterDevice> OpenCurrent() override {
    if (current_ < 0 || current_ >= static_cast<int>(printers_.size()))
      throw Exception("There is no default printer currently selected");
    Printer& p = *printers_[static_cast<std::size_t>(current_)];
    return std::make_unique<RecordingDevice>(p.Paper, p.Faults, p.Log);
  }

  Printer& At(int index) { return *printers_.at(static_cast<std::size_t>(index)); }
  Printer& Current() { return At(current_); }
  void Select(int index) { current_ = index; }
  void RemoveAll() { printers_.clear(); }

 private:
  std::vector<std::unique_ptr<Printer>> printers_;
  int current_ = 0;
};

}  // namespace vk::test
