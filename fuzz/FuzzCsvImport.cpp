// Feeds arbitrary bytes to the CSV import: every line through ParseLine under
// the usual separators and through IsHeaderLine, then the whole file through
// the import into a store in memory, the bad-line box answered from the
// input. Whatever the bytes, a parsed line gives a count of digits and money
// texts with two decimals, and the import leaves one delivery per product
// added and the summary telling exactly how many.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Core/DateTime.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "Source/EximRepCsvStr.h"
#include "Source/EximRepImport.h"
#include "Source/StoreData.h"
#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxCall.h"

namespace {

using namespace vk;

constexpr char kFile[] = "/p/Import/in.csv";

class FuzzHost : public TExImHost {
 public:
  bool PromptForFileName(std::string& fileName, const std::string&, const std::string&, const std::string&,
                         const std::string&, bool) override {
    fileName = kFile;
    return true;
  }
  void StartProgram(const std::string&, const std::string&) override {}
  int MessageTextWidth(const std::string& text) override { return 6 * static_cast<int>(text.size()); }
  int MessageTextAreaWidth() override { return 300; }
  int MessageTextAreaLines() override { return 6; }
  std::uint32_t StoredLanguage() override { return kLangEnglish; }
  std::uint32_t SystemAnsiCodePage() override { return 1251; }
  TSeparatorQueries Separators() override {
    return {[this] { return list; }, [this] { return decimal; }};
  }
  std::string list = ";", decimal = ",";
};

void Check(bool condition) {
  if (!condition) std::abort();
}

bool MoneyShaped(const std::string& money) {
  const size_t point = money.find('.');
  return point != std::string::npos && money.size() - point - 1 >= 2;
}

void ParseEveryLine(TCsvImport& import, const std::string& text, std::uint32_t codePage) {
  static const TCsvSeparators kConventions[] = {{";", ","}, {",", "."}, {"\t", "."}, {"\xD1\x8B", ","}};
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    (void)TCsvStr::IsHeaderLine(TrimBlanks(line), codePage);
    for (const TCsvSeparators& convention : kConventions) {
      std::string code, name, price, quantity, packs;
      if (!import.ParseLine(line, TCsvStr::ToFileBytes(convention.List, codePage),
                            TCsvStr::ToFileBytes(convention.Decimal, codePage), codePage, code, name, price, quantity,
                            packs)) {
        continue;
      }
      Check(code.find_first_not_of("0123456789") == std::string::npos);
      Check(!packs.empty() && packs.find_first_not_of("0123456789") == std::string::npos);
      Check(MoneyShaped(price) && MoneyShaped(quantity));
    }
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool textsLoaded = (LoadEnglishTexts(), true);
  (void)textsLoaded;
  if (size == 0) return 0;
  // The first byte chooses the data code page, the locale's separators, how
  // the user answers the bad-line box and whether the file begins with the
  // UTF-8 byte order mark; the rest is the file.
  const uint8_t choice = data[0];
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (choice & 8) text.insert(0, "\xEF\xBB\xBF");
  const std::uint32_t codePage = choice & 1 ? 65001 : 1251;

  platform::MemoryFileSystem files;
  TStore store(files, [] { return TDateTime{45356.5}; });
  store.SetDataCodePage(codePage);
  store.SetProgramFolder("/p/");
  store.Open(true, "Data");
  files.SetContents(kFile, std::vector<uint8_t>(text.begin(), text.end()));

  FuzzHost host;
  if (choice & 2) {
    host.list = ",";
    host.decimal = ".";
  }
  TCsvImport import(host, store, files);
  ParseEveryLine(import, text, codePage);

  // The box: Continue, or Stop at the first bad line, as the input says.
  std::vector<std::string> shown;
  const bool stopAtFirst = choice & 4;
  const TMessageBoxCall previous =
      SetProgramMessageBox([&](const std::string& boxText, const std::string&, int flags, const std::string&,
                               const std::string&, const std::string&, const std::string&) {
        shown.push_back(boxText);
        return (flags & 1) && stopAtFirst ? 2 : 1;
      });
  bool done = false;
  import.Execute(done);
  SetProgramMessageBox(previous);

  Check(done);
  Check(!shown.empty());
  const int goods = store.Goods().RecordCount();
  Check(store.Moves().RecordCount() == goods);
  // The summary ends with the number added, or with the number skipped after it.
  const std::string added = GetCsvImportText(6) + std::to_string(goods);
  const std::string& summary = shown.back();
  const size_t at = summary.find(added);
  Check(at != std::string::npos);
  const size_t after = at + added.size();
  Check(after == summary.size() || summary.compare(after, 2, "\r\n") == 0);
  store.Close();
  return 0;
}
