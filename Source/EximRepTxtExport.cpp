#include "Core/Utf8.h"
#include "Source/EximRepExport.h"
#include "Tools/Service/StringUtils.h"
#include "Tools/Service/TextConst.h"

namespace vk {
namespace {

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

TTxtExport::TTxtExport(TExImHost& host, TStore& store, platform::FileSystem& files) : TFileExport(host, store, files) {}

std::string TTxtExport::GetCaption() { return GetTxtExportText(kCaptionRow); }

std::string TTxtExport::GetHint() { return GetTxtExportText(kHintRow); }

TExportFileKind TTxtExport::FileKind() { return {GetTxtExportText(kFilterRow), "txt"}; }

void TTxtExport::WriteContent() {
  const std::string rule(kLineWidth, '-');
  Write(kByteOrderMark);
  WriteLine(FormatTextListLine(Title(0), Title(1), Title(2), Title(3), Title(4), Title(5), Title(6)));
  WriteLine(rule);
  ExportStoreRecords(*this, store_);
  WriteLine(rule);
}

std::string TTxtExport::Viewer() { return kTextEditor; }

void TTxtExport::FormatLine(const std::string& code, const std::string& name, const std::string& price,
                            const std::string& date, const std::string& quantity, const std::string& packs,
                            const std::string& value) {
  WriteLine(FormatTextListLine(code, name, price, date, quantity, packs, value));
}

void TTxtExport::WriteLine(const std::string& line) {
  // The names come as UTF-8 from the store, which decodes them from the
  // data code page; UTF-16 little-endian from here.
  const std::u16string units = Utf8ToUtf16(line + "\r\n");
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  Write(bytes);
}

}  // namespace vk
