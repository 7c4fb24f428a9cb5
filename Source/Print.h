#pragma once
// The print manager: prints one report at a time as a single table on the
// current printer. Every page has a header line (title on the left, date and
// time on the right) and a footer "(page x of n)", n known before the first
// page; the table has a bold head row, data rows shaded every other one
// (never the first under a head) and a bold foot row kept on the page of the
// last data row. Column widths come from integer weights and add up to the
// page's table width exactly.
//
// Use, on the GUI thread, in this order:
//
//   PrintManager().BeginReport(title);
//   PrintManager().AddTable(captions, foot, rowCount, alignments, weights);
//   PrintManager().AddRow(values);   // exactly rowCount times
//   PrintManager().EndReport();
//
// The page is measured on the printer the job goes to when the report
// begins, and a page too small for the page header, the head row, one data
// row and the foot row is refused then, before anything reaches the printer.
// Any failure after BeginReport (a refused job step, a broken calling order)
// throws the job away with nothing printed and leaves the manager closed, so
// the next BeginReport starts clean; a BeginReport while a report is open
// throws the open one away first.
//
// Errors: "There are no printers installed on the system!" and the page too
// small text in the current language; the printer's own errors (no default
// printer, a refused job step); EAssertionFailed "Report must be started",
// "Table already added", "Table not added", "Invalid values count",
// "Invalid rows count", "Invalid column weights" for wrong calls; ERangeError
// when foot texts, alignments or weights are fewer than the captions.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Core/DateTime.h"
#include "Source/PrintDevice.h"
#include "Source/PrintLayout.h"

namespace vk {

class TPrintManager {
 public:
  // The page header's clock; the system's when none is given.
  using TClockFunction = std::function<TDateTime()>;

  // Measures the current printer's page when there is one (SetupPage); a
  // printer that cannot be opened now is measured when a report begins.
  explicit TPrintManager(std::unique_ptr<TPrinterSystem> printers, TClockFunction clock = nullptr);
  virtual ~TPrintManager();
  TPrintManager(const TPrintManager&) = delete;
  TPrintManager& operator=(const TPrintManager&) = delete;

  // At least one printer is installed.
  bool PrintersExist();
  // Measures the page and the line heights of the current printer again
  // (after the printer set-up dialog). Nothing without printers; raises the
  // printer's error when the current printer cannot be opened, keeping the
  // previous measures.
  void SetupPage();

  // Opens a report: measures the job's printer, starts the job and prints the
  // first page header.
  void BeginReport(const std::string& title);
  // The one table of the report: a caption, a foot text, an alignment and a
  // weight per column (weights: non-negative, at least one positive), and
  // the number of AddRow calls to follow. Counts the pages, prints the
  // first footer and the head row (and the foot row when there are no rows).
  void AddTable(const std::vector<std::string>& captions, const std::vector<std::string>& foot, int rowCount,
                const std::vector<TPrintAlignment>& alignments, const std::vector<int>& weights);
  // Prints one data row, one text per column, on a new page when it must.
  void AddRow(const std::vector<std::string>& values);
  // Closes the report and hands it to the printer.
  void EndReport();
  // Forgets the columns of the last table.
  void ClearTable();

  // The page as last measured, and the report's state.
  const TPageGeometry& Geometry() const { return geometry_; }
  const std::vector<int>& ColumnWidths() const { return widths_; }
  int PageCount() const { return pageCount_; }
  bool Started() const { return started_; }

 protected:
  virtual void PrintPageHeader();
  virtual void PrintPageFooter();
  virtual void PrintTableHead();
  virtual void PrintTableFoot();

 private:
  void Measure(TPrinterDevice& device, TPageGeometry& geometry);
  void PrintRow(const std::vector<std::string>& texts, int height, const TPrintFont& font);
  // Runs a step of the open report; a failure throws the job away first.
  template <typename Step>
  void InReport(Step&& step);
  void AbortReport() noexcept;
  TPrintCanvas& Canvas();

  std::unique_ptr<TPrinterSystem> printers_;
  TClockFunction clock_;
  std::unique_ptr<TPrinterDevice> job_;

  std::string title_;
  TPageGeometry geometry_;
  int pageNumber_ = 0;
  int pageCount_ = 0;
  int y_ = 0;
  bool started_ = false;
  bool tableAdded_ = false;
  int rowsLeft_ = 0;
  bool band_ = false;
  std::uint32_t bandColor_ = 0xF7F7F7;
  std::vector<std::string> captions_;
  std::vector<int> widths_;
  std::vector<TPrintAlignment> alignments_;
  std::vector<std::string> foot_;
};

// The program's one print manager; raises EAssertionFailed before
// CreatePrintManager and after FreePrintManager.
TPrintManager& PrintManager();
// Start-up: the manager the program prints with (the Win32 one is made by
// Source/PrintWin32.h's CreateSystemPrintManager).
void CreatePrintManager(std::unique_ptr<TPrintManager> manager);
void FreePrintManager();

}  // namespace vk
