#include "Core/SysUtils.h"
#include "Source/EximRepCsvStr.h"
#include "Source/EximRepExport.h"
#include "Source/EximRepExportSteps.h"
#include "Tools/Service/TextConst.h"

namespace vk {
namespace {

constexpr char kUnit[] = "Source\\EximRep";
constexpr char kSpreadsheet[] = "excel";
// Rows of the CSV export's text table.
constexpr std::uint8_t kCaptionRow = 0;
constexpr std::uint8_t kHintRow = 1;
constexpr std::uint8_t kFilterRow = 10;

std::uint8_t HeaderLanguage(std::uint32_t stored) {
  return stored < static_cast<std::uint32_t>(kLanguageCount) ? static_cast<std::uint8_t>(stored) : kLangEnglish;
}

}  // namespace

TCsvExport::TCsvExport(TExImHost& host, TStore& store, platform::FileSystem& files)
    : host_(host), store_(store), files_(files) {}

std::string TCsvExport::GetCaption() { return GetCsvExportText(kCaptionRow); }

std::string TCsvExport::GetHint() { return GetCsvExportText(kHintRow); }

void TCsvExport::Execute(bool& done) {
  done = false;
  const std::optional<std::string> fileName =
      AskExportFileName(host_, store_, files_, {GetCsvExportText(kFilterRow), "csv"});
  if (!fileName) return;
  try {
    TCsvStr::InitSeparators(host_.Separators());
    WriteFile(*fileName);
    if (store_.DataCodePage() == host_.SystemAnsiCodePage()) host_.StartProgram(kSpreadsheet, *fileName);
  } catch (const std::exception&) {
    ShowExportError(host_, *fileName);
  }
}

void TCsvExport::WriteFile(const std::string& fileName) {
  file_ = std::make_unique<TOutputFile>(files_, fileName);
  try {
    WriteLine(TCsvStr::Header(HeaderLanguage(host_.StoredLanguage()), TCsvStr::ListSeparator()));
    ExportStoreRecords(*this, store_);
    file_->Close();
  } catch (...) {
    file_.reset();
    throw;
  }
  file_.reset();
}

void TCsvExport::FormatLine(const std::string& code, const std::string& name, const std::string& price,
                            const std::string& date, const std::string& quantity, const std::string& packs,
                            const std::string& value) {
  const std::string& s = TCsvStr::ListSeparator();
  const std::string& d = TCsvStr::DecimalMark();
  WriteLine(TCsvStr::EncodeCode(code) + s + TCsvStr::EncodeName(name, s) + s + TCsvStr::EncodeMoney(price, d) + s +
            TCsvStr::EncodeDate(date) + s + TCsvStr::EncodeMoney(quantity, d) + s + packs + s +
            TCsvStr::EncodeMoney(value, d) + s);
}

void TCsvExport::WriteLine(const std::string& line) {
  Assert(file_ != nullptr, "No export file is being written", kUnit);
  file_->Write(TCsvStr::ToFileBytes(line, store_.DataCodePage()) + "\r\n");
}

}  // namespace vk
