#include "Source/EximRepReport.h"

#include <vector>

#include "Core/Utf8.h"
#include "Source/Print.h"
#include "Tools/Service/StringUtils.h"
#include "Tools/Service/TextConst.h"

namespace vk {
namespace {

// Rows of the report's text table, and the first title of the CSV export's.
constexpr std::uint8_t kCaptionRow = 0;
constexpr std::uint8_t kHintRow = 1;
constexpr std::uint8_t kTitleRow = 3;
constexpr std::uint8_t kFootLabelRow = 4;
constexpr std::uint8_t kFirstColumnTitleRow = 3;
constexpr int kColumns = 7;

// Code and name on the left, the numbers and the date on the right; the
// name takes the widest share of the page.
const std::vector<TPrintAlignment> kAlignments = {
    TPrintAlignment::Left,  TPrintAlignment::Left,  TPrintAlignment::Right, TPrintAlignment::Right,
    TPrintAlignment::Right, TPrintAlignment::Right, TPrintAlignment::Right};
const std::vector<int> kWeights = {4, 16, 5, 5, 5, 3, 6};

// The date of a date-time text (10 characters) without the century: the
// program's short formats end in a four-digit year.
std::string ShortDate(const std::string& date) {
  std::string padded = PadRight(date, 10, U' ');
  const std::vector<size_t> starts = Utf8CharacterStarts(padded);
  return padded.erase(starts[6], starts[8] - starts[6]);
}

}  // namespace

TListReport::TListReport(TStore& store) : store_(store) {}

std::string TListReport::GetCaption() { return GetListReportText(kCaptionRow); }

std::string TListReport::GetHint() { return GetListReportText(kHintRow); }

void TListReport::Execute(bool& done) {
  done = false;
  TPrintManager& printer = GetPrintManager();
  printer.BeginReport(GetListReportText(kTitleRow));
  std::vector<std::string> captions;
  for (int i = 0; i < kColumns; ++i)
    captions.push_back(GetCsvExportText(static_cast<std::uint8_t>(kFirstColumnTitleRow + i)));
  // A total too large has been reported already; its texts stay empty.
  std::string packs, quantity, value, names;
  GetStoreTotals(packs, quantity, value, names, store_);
  const std::vector<std::string> foot = {"", GetListReportText(kFootLabelRow) + names, "", "", quantity, packs, value};
  printer.AddTable(captions, foot, GetGoodsCount(store_), kAlignments, kWeights);
  ExportStoreRecords(*this, store_);
  printer.EndReport();
}

void TListReport::FormatLine(const std::string& code, const std::string& name, const std::string& price,
                             const std::string& date, const std::string& quantity, const std::string& packs,
                             const std::string& value) {
  GetPrintManager().AddRow({code, name, price, ShortDate(date), quantity, packs, value});
}

}  // namespace vk
