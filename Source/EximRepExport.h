#pragma once
// The two exports of the stock list, one line per product in the goods
// grid's order: a CSV table for a spreadsheet and a fixed-width text list for
// a text editor. Both ask for the file in the Export folder, report their
// own failures in the program's message box, and never change the stock
// (done stays false). The file layouts are in docs/csv-and-text-files.md.
// Portable; the dialog, the shell and the box's measure come from the host.

#include <cstdint>
#include <memory>
#include <string>

#include "Platform/File.h"
#include "Source/EximRepFiles.h"
#include "Source/EximRepHost.h"
#include "Source/InOut.h"
#include "Source/StoreData.h"

namespace vk {

class TCsvExport : public TExport {
 public:
  explicit TCsvExport(TExImHost& host, TStore& store = Store(),
                      platform::FileSystem& files = platform::DefaultFileSystem());

  std::string GetCaption() override;
  std::string GetHint() override;
  // Writes the header in the language the settings store, then the goods,
  // in the data code page; starts the spreadsheet when that is the system's
  // ANSI code page, in which the spreadsheet reads a CSV file.
  void Execute(bool& done) override;
  void FormatLine(const std::string& code, const std::string& name, const std::string& price, const std::string& date,
                  const std::string& quantity, const std::string& packs, const std::string& value) override;

 private:
  void WriteFile(const std::string& fileName);
  void WriteLine(const std::string& line);

  TExImHost& host_;
  TStore& store_;
  platform::FileSystem& files_;
  std::unique_ptr<TOutputFile> file_;  // while a run writes
};

class TTxtExport : public TExport {
 public:
  explicit TTxtExport(TExImHost& host, TStore& store = Store(),
                      platform::FileSystem& files = platform::DefaultFileSystem());

  std::string GetCaption() override;
  std::string GetHint() override;
  // Writes the titles of the current language, a rule, the goods and the
  // rule again in UTF-16, then starts the text editor.
  void Execute(bool& done) override;
  void FormatLine(const std::string& code, const std::string& name, const std::string& price, const std::string& date,
                  const std::string& quantity, const std::string& packs, const std::string& value) override;

 private:
  void WriteFile(const std::string& fileName);
  void WriteLine(const std::string& line);

  TExImHost& host_;
  TStore& store_;
  platform::FileSystem& files_;
  std::unique_ptr<TOutputFile> file_;  // while a run writes
};

// One line of the text list: the seven texts in their columns, 110
// characters wide (see docs/csv-and-text-files.md).
std::string FormatTextListLine(const std::string& code, const std::string& name, const std::string& price,
                               const std::string& date, const std::string& quantity, const std::string& packs,
                               const std::string& value);

}  // namespace vk
