#include "Source/Print.h"

#include <algorithm>

#include "Core/Checked.h"
#include "Core/SysUtils.h"
#include "Platform/Clock.h"
#include "Tools/Service/TextConst.h"

namespace vk {

namespace {

constexpr const char* kUnit = "Source\\Print";

const TPrintFont kHeaderFont{"Arial", 8, /*Bold=*/false, /*Italic=*/true};
const TPrintFont kHeadFont{"Arial", 9, /*Bold=*/true, /*Italic=*/false};
const TPrintFont kRowFont{"Arial", 9, /*Bold=*/false, /*Italic=*/false};

// Line heights are measured on digits, separators and the tallest Cyrillic
// capitals (Ц with its tail, Ї with its dots).
const std::string kHeightSample = "0123456789,.'\u0426\u0407";

std::unique_ptr<TPrintManager>& Instance() {
  static std::unique_ptr<TPrintManager> instance;
  return instance;
}

}  // namespace

TPrintManager::TPrintManager(std::unique_ptr<TPrinterSystem> printers, TClockFunction clock)
    : printers_(std::move(printers)), clock_(clock ? std::move(clock) : TClockFunction(platform::Now)) {
  ClearTable();
  // A printer that cannot be opened at start-up is measured when a report
  // begins; it must not stop the program from starting.
  BestEffort([this] { SetupPage(); });
}

TPrintManager::~TPrintManager() { AbortReport(); }

bool TPrintManager::PrintersExist() { return printers_->PrintersExist(); }

void TPrintManager::SetupPage() {
  if (!PrintersExist()) return;
  std::unique_ptr<TPrinterDevice> device = printers_->OpenCurrent();
  TPageGeometry measured;
  Measure(*device, measured);
  geometry_ = measured;
}

void TPrintManager::Measure(TPrinterDevice& device, TPageGeometry& geometry) {
  SetPageSize(geometry, device.PageWidth(), device.PageHeight());
  TPrintCanvas& canvas = device.Canvas();
  canvas.SetFont(kHeaderFont);
  geometry.HeaderHeight = canvas.TextHeight(kHeightSample);
  canvas.SetFont(kHeadFont);
  geometry.HeadHeight = canvas.TextHeight(kHeightSample);
  canvas.SetFont(kRowFont);
  geometry.RowHeight = canvas.TextHeight(kHeightSample);
}

void TPrintManager::AbortReport() noexcept {
  if (job_) job_->Abort();
  job_.reset();
  started_ = false;
  tableAdded_ = false;
  rowsLeft_ = 0;
}

template <typename Step>
void TPrintManager::InReport(Step&& step) {
  try {
    step();
  } catch (...) {
    AbortReport();
    throw;
  }
}

TPrintCanvas& TPrintManager::Canvas() { return job_->Canvas(); }

void TPrintManager::BeginReport(const std::string& title) {
  AbortReport();
  if (!PrintersExist()) throw Exception(ProgTexts.NoPrintersInstalled);
  std::unique_ptr<TPrinterDevice> device = printers_->OpenCurrent();
  // The layout is the one of the printer this job goes to, whatever was
  // measured before.
  TPageGeometry measured;
  Measure(*device, measured);
  if (!PageHoldsOneRow(measured)) throw Exception(ProgTexts.PageTooSmall);
  geometry_ = measured;
  title_ = title;
  pageNumber_ = 1;
  pageCount_ = 1;
  y_ = 0;
  ClearTable();
  job_ = std::move(device);
  InReport([&] {
    job_->BeginDoc(title_);
    started_ = true;
    tableAdded_ = false;
    PrintPageHeader();
  });
}

void TPrintManager::AddTable(const std::vector<std::string>& captions, const std::vector<std::string>& foot,
                             int rowCount, const std::vector<TPrintAlignment>& alignments,
                             const std::vector<int>& weights) {
  InReport([&] {
    Assert(started_, "Report must be started", kUnit);
    Assert(!tableAdded_, "Table already added", kUnit);
    Assert(rowCount >= 0, "Invalid rows count", kUnit);
    std::size_t columns = captions.size();
    if (foot.size() < columns || alignments.size() < columns || weights.size() < columns) throw ERangeError();
    captions_ = captions;
    foot_.assign(foot.begin(), foot.begin() + static_cast<std::ptrdiff_t>(columns));
    alignments_.assign(alignments.begin(), alignments.begin() + static_cast<std::ptrdiff_t>(columns));
    widths_ = SpreadColumnWidths({weights.begin(), weights.begin() + static_cast<std::ptrdiff_t>(columns)},
                                 geometry_.TableWidth());
    rowsLeft_ = rowCount;
    pageCount_ = CountPages(geometry_, y_, rowCount);
    PrintPageFooter();
    tableAdded_ = true;
    PrintTableHead();
    if (rowCount == 0) PrintTableFoot();
  });
}

void TPrintManager::AddRow(const std::vector<std::string>& values) {
  InReport([&] {
    Assert(tableAdded_, "Table not added", kUnit);
    Assert(values.size() == captions_.size(), "Invalid values count", kUnit);
    // More rows than announced would print under the foot row and past the
    // pages counted.
    Assert(rowsLeft_ > 0, "Invalid rows count", kUnit);
    if (RowStartsNewPage(geometry_, y_, rowsLeft_ == 1)) {
      y_ = 0;
      pageNumber_ = CheckedAdd(pageNumber_, 1);
      job_->NewPage();
      PrintPageHeader();
      PrintPageFooter();
      PrintTableHead();
    }
    PrintRow(values, geometry_.RowHeight, kRowFont);
    --rowsLeft_;
    if (rowsLeft_ == 0) PrintTableFoot();
  });
}

void TPrintManager::EndReport() {
  InReport([&] {
    Assert(started_, "Report must be started", kUnit);
    // Fewer rows than announced would leave out the foot row and the pages
    // counted for them.
    Assert(rowsLeft_ == 0, "Invalid rows count", kUnit);
    if (!tableAdded_) PrintPageFooter();
    job_->EndDoc();
  });
  job_.reset();
  started_ = false;
  tableAdded_ = false;
}

void TPrintManager::ClearTable() {
  captions_.clear();
  widths_.clear();
  alignments_.clear();
}

void TPrintManager::PrintPageHeader() {
  TPrintCanvas& canvas = Canvas();
  canvas.SetFont(kHeaderFont);
  const TPageGeometry& g = geometry_;
  int top = y_;
  int bottom = CheckedAdd(y_, g.HeaderHeight);
  int half = g.RightEdge / 2;
  int titleRight = std::min(CheckedAdd(g.LeftMargin, canvas.TextWidth(title_)), half);
  canvas.TextRect({g.LeftMargin, top, titleRight, bottom}, title_, TPrintAlignment::Left);
  std::string now = HeaderDateTime(clock_());
  int dateLeft = std::max(CheckedSub(g.RightEdge, canvas.TextWidth(now)), half);
  canvas.TextRect({dateLeft, top, g.RightEdge, bottom}, now, TPrintAlignment::Right);
  y_ = CheckedAdd(y_, g.BodyTop());
}

void TPrintManager::PrintPageFooter() {
  TPrintCanvas& canvas = Canvas();
  canvas.SetFont(kHeaderFont);
  const TPageGeometry& g = geometry_;
  canvas.TextRect({g.LeftMargin, g.BodyBottom(), g.RightEdge, g.PageHeight},
                  FormatPageCounter(ProgTexts.PageCounter, pageNumber_, pageCount_), TPrintAlignment::Right);
}

void TPrintManager::PrintRow(const std::vector<std::string>& texts, int height, const TPrintFont& font) {
  TPrintCanvas& canvas = Canvas();
  const TPageGeometry& g = geometry_;
  int bottom = CheckedAdd(y_, height);
  if (band_) canvas.FillRect({g.LeftMargin, y_, g.RightEdge, bottom}, bandColor_);
  canvas.SetFont(font);
  int x = g.LeftMargin;
  for (std::size_t i = 0; i < widths_.size(); ++i) {
    int right = CheckedAdd(x, widths_[i]);
    canvas.TextRect({x, y_, right, bottom}, texts[i], alignments_[i]);
    x = right;
  }
  y_ = bottom;
  band_ = !band_;
}

void TPrintManager::PrintTableHead() {
  Assert(tableAdded_, "Table not added", kUnit);
  band_ = false;
  PrintRow(captions_, geometry_.HeadHeight, kHeadFont);
  band_ = false;
}

void TPrintManager::PrintTableFoot() {
  Assert(tableAdded_, "Table not added", kUnit);
  band_ = false;
  PrintRow(foot_, geometry_.HeadHeight, kHeadFont);
  band_ = false;
}

TPrintManager& PrintManager() {
  Assert(Instance() != nullptr, "Not created PrintManager", kUnit);
  return *Instance();
}

void CreatePrintManager(std::unique_ptr<TPrintManager> manager) { Instance() = std::move(manager); }

void FreePrintManager() { Instance().reset(); }

}  // namespace vk
