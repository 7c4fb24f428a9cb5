#include "Source/EximRepImport.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "Core/Utf8.h"
#include "Source/EximRepCsvStr.h"
#include "Source/StoreDataFoldersPaths.h"
#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxCall.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {
namespace {

constexpr char kImportFolder[] = "Import";
constexpr char kOkCaption[] = "OK";
constexpr std::size_t kColumnsRead = 6;

// Rows of the import's text table.
constexpr std::uint8_t kCaptionRow = 0;
constexpr std::uint8_t kHintRow = 1;
constexpr std::uint8_t kErrorRow = 2;
constexpr std::uint8_t kFilterRow = 3;
constexpr std::uint8_t kBoxCaptionRow = 4;
constexpr std::uint8_t kNotePrefixRow = 5;
constexpr std::uint8_t kAddedRow = 6;
constexpr std::uint8_t kSkippedRow = 7;
constexpr std::uint8_t kButtonHintRow = 8;
constexpr std::uint8_t kBadLineRow = 9;
constexpr std::uint8_t kContinueRow = 10;
constexpr std::uint8_t kContinueHintRow = 11;
constexpr std::uint8_t kStopRow = 12;
constexpr std::uint8_t kStopHintRow = 13;
constexpr std::uint8_t kStoppedRow = 14;

// The conventions a line may stand in: the locale's, then each language's.
std::vector<TCsvSeparators> KnownConventions() {
  return {{TCsvStr::ListSeparator(), TCsvStr::DecimalMark()},
          TCsvStr::LanguageSeparators(kLangRussian),
          TCsvStr::LanguageSeparators(kLangUkrainian),
          TCsvStr::LanguageSeparators(kLangEnglish)};
}

// The convention of a header that stands with the separator: the first
// known one with that list separator; none for none.
TCsvSeparators HeaderConvention(const std::string& separator) {
  for (const TCsvSeparators& convention : KnownConventions()) {
    if (!separator.empty() && convention.List == separator) return convention;
  }
  return {};
}

// A spreadsheet's blank row: cut at any known separator, nothing but empty
// or blank fields.
bool AllFieldsEmpty(std::string_view line, std::uint32_t codePage) {
  for (const TCsvSeparators& convention : KnownConventions()) {
    const auto fields = TCsvStr::CutFields(line, TCsvStr::ToFileBytes(convention.List, codePage), line.size() + 1);
    if (std::all_of(fields.begin(), fields.end(), [](std::string_view f) { return TrimBlanks(f).empty(); }))
      return true;
  }
  return false;
}

std::string FileNameOf(const std::string& path) {
  const std::size_t folder = path.find_last_of("\\/:");
  return folder == std::string::npos ? path : path.substr(folder + 1);
}

}  // namespace

TCsvImport::TCsvImport(TExImHost& host, TStore& store, platform::FileSystem& files)
    : host_(host), store_(store), files_(files) {}

std::string TCsvImport::GetCaption() { return GetCsvImportText(kCaptionRow); }

std::string TCsvImport::GetHint() { return GetCsvImportText(kHintRow); }

void TCsvImport::Execute(bool& done) {
  done = false;
  const std::string folder = JoinPath(store_.ProgramFolder(), kImportFolder);
  if (!files_.FolderExists(folder)) files_.CreateFolder(folder);
  std::string fileName;
  if (!host_.PromptForFileName(fileName, GetCsvImportText(kFilterRow), "csv", GetCsvImportText(kBoxCaptionRow), folder,
                               /*saveDialog=*/false)) {
    return;
  }
  if (!files_.FileExists(fileName)) return;
  done = true;
  SaveImportSafetyCopy(store_);
  ImportFile(fileName);
}

bool TCsvImport::ParseLine(const std::string& line, const std::string& separator, const std::string& decimalMark,
                           std::uint32_t fileCodePage, std::string& code, std::string& name, std::string& price,
                           std::string& quantity, std::string& packs) {
  const std::vector<std::string_view> fields = TCsvStr::CutFields(line, separator, kColumnsRead);
  if (fields.size() < kColumnsRead) return false;
  if (!TCsvStr::DecodePacks(fields[5], packs)) return false;
  code = TCsvStr::DecodeCode(fields[0]);
  name = TCsvStr::FromFileBytes(TCsvStr::DecodeName(fields[1]), fileCodePage);
  price = TCsvStr::NormalizeMoney(fields[2], decimalMark);
  quantity = TCsvStr::NormalizeMoney(fields[4], decimalMark);
  return true;
}

void TCsvImport::ImportFile(const std::string& fileName) {
  TCsvStr::InitSeparators(host_.Separators());
  TRun run;
  run.Note = GetCsvImportText(kNotePrefixRow) + FileNameOf(fileName);
  {
    std::optional<TLineReader> reader;
    try {
      reader.emplace(files_, fileName, kMaxImportLineBytes);
    } catch (const std::exception&) {
      ShowError(ShortenPathForBox(host_, fileName));
      return;
    }
    TLineReader::TLine line;
    for (bool first = true;; first = false) {
      try {
        if (!reader->ReadLine(line)) break;
      } catch (const std::exception&) {
        run.ReadFailed = true;
        break;
      }
      if (first) run.FileCodePage = run.LineCodePage = TCsvStr::TakeFileCodePage(line.Bytes, store_.DataCodePage());
      if (!TakeLine(line, run)) break;
    }
  }  // the file is closed before any box
  if (run.ReadFailed) {
    ShowError(ShortenPathForBox(host_, fileName));
    // Lines entered before the failure stay: the user learns how many.
    if (run.Added == 0 && run.Skipped == 0) return;
  }
  if (!run.Failure.empty()) ShowError(run.Failure);
  ShowSummary(run);
}

bool TCsvImport::TakeLine(const TLineReader::TLine& line, TRun& run) {
  if (!line.TooLong) {
    const std::string_view trimmed = TrimBlanks(line.Bytes);
    if (trimmed.empty() || TCsvStr::IsHeaderLine(trimmed, run.FileCodePage, &run.HeaderSeparator, &run.LineCodePage)) {
      return true;
    }
    if (AllFieldsEmpty(trimmed, run.LineCodePage)) return true;
    try {
      if (AppendLine(line.Bytes, run)) {
        ++run.Added;
        return true;
      }
    } catch (const std::exception& e) {
      // Not the line's fault: nothing more is written.
      run.Failure = e.what();
      if (run.Failure.empty()) run.Failure = "Append Error";
      return false;
    }
  }
  if (AskToGoOn(line, run.LineCodePage)) {
    ++run.Skipped;
    return true;
  }
  run.Stopped = true;
  return false;
}

bool TCsvImport::AppendLine(const std::string& line, const TRun& run) {
  const std::uint32_t codePage = run.LineCodePage;
  std::vector<TCsvSeparators> conventions = KnownConventions();
  conventions.insert(conventions.begin(), HeaderConvention(run.HeaderSeparator));
  std::vector<TCsvSeparators> tried;
  for (const TCsvSeparators& convention : conventions) {
    if (convention.List.empty() || std::find(tried.begin(), tried.end(), convention) != tried.end()) continue;
    tried.push_back(convention);
    std::string code, name, price, quantity, packs;
    if (!ParseLine(line, TCsvStr::ToFileBytes(convention.List, codePage),
                   TCsvStr::ToFileBytes(convention.Decimal, codePage), codePage, code, name, price, quantity, packs)) {
      continue;
    }
    // The code and name must come back from the data code page and fit their
    // fields (the note is the program's own). Text the shop cannot hold is
    // in the line whatever its separators: another convention would only
    // cut it out of the code and the name.
    if (!store_.CanStoreText(code, store_.Goods().Code) || !store_.CanStoreText(name, store_.Goods().Name))
      return false;
    if (AppendImportedGoods(code, name, price, quantity, packs, run.Note, store_)) return true;
  }
  return false;
}

bool TCsvImport::AskToGoOn(const TLineReader::TLine& line, std::uint32_t fileCodePage) {
  std::string shown = TCsvStr::FromFileBytes(line.Bytes, fileCodePage);
  const bool cut = line.TooLong || Utf8Length(shown) > kMaxShownLineCharacters;
  if (cut) shown = shown.substr(0, Utf8PrefixBytes(shown, kMaxShownLineCharacters)) + "...";
  std::string text = GetCsvImportText(kBadLineRow);
  const auto measure = [&](const std::string& piece) { return host_.MessageTextWidth(piece); };
  const int width = host_.MessageTextAreaWidth();
  std::vector<std::string> pieces = BreakToWidth(shown, width, measure);
  // The box's text area has a fixed height: the heading and as many pieces
  // as it holds; a line cut there ends in "..." as a long line does.
  const std::size_t room = static_cast<std::size_t>(std::max(1, host_.MessageTextAreaLines() - 1));
  if (pieces.size() > room) {
    pieces.resize(room);
    std::string& last = pieces.back();
    while (!last.empty() && measure(last + "...") > width) last.resize(Utf8PrefixBytes(last, Utf8Length(last) - 1));
    last += "...";
  }
  for (const std::string& piece : pieces) text += "\r\n" + piece;
  const int answer = ProgramMessageBox(text, GetCsvImportText(kBoxCaptionRow), kMbIconWarning | kMbTwoButtons,
                                       GetCsvImportText(kContinueRow), GetCsvImportText(kContinueHintRow),
                                       GetCsvImportText(kStopRow), GetCsvImportText(kStopHintRow));
  return answer == 1;
}

void TCsvImport::ShowError(const std::string& detail) {
  ProgramMessageBox(GetCsvImportText(kErrorRow) + "\r\n" + detail, GetCsvImportText(kBoxCaptionRow),
                    kMbIconWarning | kMbOneButton, kOkCaption, GetCsvImportText(kButtonHintRow));
}

void TCsvImport::ShowSummary(const TRun& run) {
  std::string text;
  if (run.Stopped) text = GetCsvImportText(kStoppedRow) + "\r\n";
  text += GetCsvImportText(kAddedRow) + std::to_string(run.Added);
  if (run.Skipped != 0) text += "\r\n" + GetCsvImportText(kSkippedRow) + std::to_string(run.Skipped);
  const bool complete = !run.Stopped && run.Failure.empty() && !run.ReadFailed;
  ProgramMessageBox(text, GetCsvImportText(kBoxCaptionRow), complete ? kMbIconInformation : kMbIconWarning, kOkCaption,
                    GetCsvImportText(kButtonHintRow));
}

}  // namespace vk
