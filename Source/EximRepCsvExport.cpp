#include "Source/EximRepCsvStr.h"
#include "Source/EximRepExport.h"
#include "Tools/Service/TextConst.h"

namespace vk {
namespace {

constexpr char kSpreadsheet[] = "excel";
// Rows of the CSV export's text table.
constexpr std::uint8_t kCaptionRow = 0;
constexpr std::uint8_t kHintRow = 1;
constexpr std::uint8_t kFilterRow = 10;

std::uint8_t HeaderLanguage(std::uint32_t stored) {
  return stored < static_cast<std::uint32_t>(kLanguageCount) ? static_cast<std::uint8_t>(stored) : kLangEnglish;
}

}  // namespace

TCsvExport::TCsvExport(TExImHost& host, TStore& store, platform::FileSystem& files) : TFileExport(host, store, files) {}

std::string TCsvExport::GetCaption() { return GetCsvExportText(kCaptionRow); }

std::string TCsvExport::GetHint() { return GetCsvExportText(kHintRow); }

TExportFileKind TCsvExport::FileKind() { return {GetCsvExportText(kFilterRow), "csv"}; }

void TCsvExport::WriteContent() {
  TCsvStr::InitSeparators(host_.Separators());
  WriteLine(TCsvStr::Header(HeaderLanguage(host_.StoredLanguage()), TCsvStr::ListSeparator()));
  ExportStoreRecords(*this, store_);
}

std::string TCsvExport::Viewer() {
  return store_.DataCodePage() == host_.SystemAnsiCodePage() ? kSpreadsheet : std::string();
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
  Write(TCsvStr::ToFileBytes(line, store_.DataCodePage()) + "\r\n");
}

}  // namespace vk
