#pragma once
// The CSV import: every data line of a file becomes a new product with its
// first delivery, through the same validator and operation as the main
// window's New command. It reads the program's own export in any of the
// three languages and under the usual separator conventions: header lines
// are passed over, a line that does not parse with the locale's separators
// is tried with each language's, and a line that still fails is shown to the
// user, who goes on or stops. A summary closes every run. Portable.

#include <cstddef>
#include <cstdint>
#include <string>

#include "Platform/File.h"
#include "Source/EximRepFiles.h"
#include "Source/EximRepHost.h"
#include "Source/InOut.h"
#include "Source/StoreData.h"

namespace vk {

// Longer lines are refused without being read whole; the program's own
// lines are a few hundred bytes at most.
inline constexpr std::size_t kMaxImportLineBytes = 4096;
// A bad line is shown with at most this many characters, so that the box
// keeps its buttons on the screen.
inline constexpr int kMaxShownLineCharacters = 512;

class TCsvImport : public TImport {
 public:
  explicit TCsvImport(TExImHost& host, TStore& store = Store(),
                      platform::FileSystem& files = platform::DefaultFileSystem());

  std::string GetCaption() override;
  std::string GetHint() override;
  // Asks for a file in the Import folder; done once the user chose one
  // that exists. Then the safety copy and the run over the file.
  void Execute(bool& done) override;

  // One data line (its bytes in the code page the lines are read in) with
  // the separators as they stand in those bytes: code (its digits), name (in
  // UTF-8), price, (date, passed over), quantity and packs, the money texts
  // normalised for the store. False when the line has fewer than six fields
  // or the packs are not a plain count.
  virtual bool ParseLine(const std::string& line, const std::string& separator, const std::string& decimalMark,
                         std::uint32_t fileCodePage, std::string& code, std::string& name, std::string& price,
                         std::string& quantity, std::string& packs);

  // The run over a chosen file, after the safety copy: every line entered,
  // the user asked about the bad ones, the summary shown.
  void ImportFile(const std::string& fileName);

 private:
  struct TRun {
    std::uint32_t Added = 0;
    std::uint32_t Skipped = 0;
    bool Stopped = false;  // by the user
    std::string Failure;   // the store's error that ended the run
    bool ReadFailed = false;
    std::string Note;
    // The data code page, or UTF-8 for a file that begins with its byte
    // order mark; known once the first line is read.
    std::uint32_t FileCodePage = 0;
    // The code page the data lines are read in: the file's, and after a
    // header the one that header was read in, so that a Cyrillic export
    // keeps its letters in a shop of another data code page.
    std::uint32_t LineCodePage = 0;
    // The separator of the last header line, in UTF-8: the lines after it
    // are read first with its convention.
    std::string HeaderSeparator;
  };

  // Enters one line; false when the run must end.
  bool TakeLine(const TLineReader::TLine& line, TRun& run);
  // Tries the header's separators, the locale's, then each language's; true
  // once the store took the line. A code or name the store cannot hold ends
  // the tries. Store errors pass on.
  bool AppendLine(const std::string& line, const TRun& run);
  // The bad-line box; true to go on.
  bool AskToGoOn(const TLineReader::TLine& line, std::uint32_t fileCodePage);
  // The error box: the import's error text, a line break and the detail
  // (the file's shortened path, or the store's error).
  void ShowError(const std::string& detail);
  void ShowSummary(const TRun& run);

  TExImHost& host_;
  TStore& store_;
  platform::FileSystem& files_;
};

}  // namespace vk
