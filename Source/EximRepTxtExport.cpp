#include "Core/SysUtils.h"
#include "Core/Utf8.h"
#include "Source/EximRepExport.h"
#include "Source/EximRepExportSteps.h"
#include "Tools/Service/StringUtils.h"
#include "Tools/Service/TextConst.h"

namespace vk {
namespace {

constexpr char kUnit[] = "Source\\EximRep";
constexpr char kTextEditor[] = "notepad";
// The byte order mark of UTF-16LE: editors need not guess the encoding.
constexpr char kByteOrderMark[] = "\xFF\xFE";
constexpr int kLineWidth = 110;
// Rows of the text export's own table, and the first title of the CSV one.
constexpr std::uint8_t kCaptionRow = 0;
constexpr std::uint8_t kHintRow = 1;
constexpr std::uint8_t kFilterRow = 2;
constexpr std::uint8_t kFirstTitleRow = 3;

// Left-aligned in width characters, cut to them.
std::string Left(const std::string& text, int width) { return PadRight(text, width, U' '); }

// Right-aligned in width characters; a longer text keeps its first ones.
std::string Right(const std::string& text, int width) {
  return PadLeft(text.substr(0, Utf8PrefixBytes(text, width)), width, U' ');
}

std::string Title(int column) { return GetCsvExportText(static_cast<std::uint8_t>(kFirstTitleRow + column)); }

}  // namespace

std::string FormatTextListLine(const std::string& code, const std::string& name, const std::string& price,
                               const std::string& date, const std::string& quantity, const std::string& packs,
                               const std::string& value) {
  return Left(code, 8) + " " + Left(name, 40) + Right(price, 13) + "    " + Right(date, 10) + Right(quantity, 13) +
         Right(packs, 8) + Right(value, 13);
}

TTxtExport::TTxtExport(TExImHost& host, TStore& store, platform::FileSystem& files)
    : host_(host), store_(store), files_(files) {}

std::string TTxtExport::GetCaption() { return GetTxtExportText(kCaptionRow); }

std::string TTxtExport::GetHint() { return GetTxtExportText(kHintRow); }

void TTxtExport::Execute(bool& done) {
  done = false;
  const std::optional<std::string> fileName =
      AskExportFileName(host_, store_, files_, {GetTxtExportText(kFilterRow), "txt"});
  if (!fileName) return;
  try {
    WriteFile(*fileName);
    host_.StartProgram(kTextEditor, *fileName);
  } catch (const std::exception&) {
    ShowExportError(host_, *fileName);
  }
}

void TTxtExport::WriteFile(const std::string& fileName) {
  file_ = std::make_unique<TOutputFile>(files_, fileName);
  try {
    const std::string rule(kLineWidth, '-');
    file_->Write(kByteOrderMark);
    WriteLine(FormatTextListLine(Title(0), Title(1), Title(2), Title(3), Title(4), Title(5), Title(6)));
    WriteLine(rule);
    ExportStoreRecords(*this, store_);
    WriteLine(rule);
    file_->Close();
  } catch (...) {
    file_.reset();
    throw;
  }
  file_.reset();
}

void TTxtExport::FormatLine(const std::string& code, const std::string& name, const std::string& price,
                            const std::string& date, const std::string& quantity, const std::string& packs,
                            const std::string& value) {
  WriteLine(FormatTextListLine(code, name, price, date, quantity, packs, value));
}

void TTxtExport::WriteLine(const std::string& line) {
  Assert(file_ != nullptr, "No export file is being written", kUnit);
  // The names come as UTF-8 from the store, which decodes them from the
  // data code page; UTF-16 little-endian from here.
  const std::u16string units = Utf8ToUtf16(line + "\r\n");
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  file_->Write(bytes);
}

}  // namespace vk
