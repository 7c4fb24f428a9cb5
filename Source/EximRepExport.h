#pragma once
// The two exports of the stock list, one line per product in the goods
// grid's order: a CSV table for a spreadsheet and a fixed-width text list for
// a text editor. Both ask for the file in the Export folder, report their
// own failures in the program's message box, and never change the stock
// (done stays false). The file layouts are in docs/csv-and-text-files.md.
// Portable; the dialog, the shell and the box's measure come from the host.

#include <memory>
#include <string>
#include <string_view>

#include "Platform/File.h"
#include "Source/EximRepFiles.h"
#include "Source/EximRepHost.h"
#include "Source/InOut.h"
#include "Source/StoreData.h"

namespace vk {

// The kind of file an export writes, as its dialog offers it.
struct TExportFileKind {
  std::string Filter;     // "Text file (*.txt)|*.txt"
  std::string Extension;  // "txt", without its dot
};

// What both exports do alike: ask for the file in the Export folder (created
// when missing), proposing today's date, with the kind's extension enforced;
// write it from the start (an existing one is replaced); start the program
// that shows it; report a failure with the file's path.
class TFileExport : public TExport {
 public:
  void Execute(bool& done) final;

 protected:
  TFileExport(TExImHost& host, TStore& store, platform::FileSystem& files);

  virtual TExportFileKind FileKind() = 0;
  // Writes the whole content through Write, the goods among it.
  virtual void WriteContent() = 0;
  // The program to start with the written file; empty for none.
  virtual std::string Viewer() = 0;
  // Appends to the file being written.
  void Write(std::string_view bytes);

  TExImHost& host_;
  TStore& store_;

 private:
  void WriteFile(const std::string& fileName);

  platform::FileSystem& files_;
  std::unique_ptr<TOutputFile> file_;  // while a run writes
};

class TCsvExport : public TFileExport {
 public:
  explicit TCsvExport(TExImHost& host, TStore& store = Store(),
                      platform::FileSystem& files = platform::DefaultFileSystem());

  std::string GetCaption() override;
  std::string GetHint() override;
  void FormatLine(const std::string& code, const std::string& name, const std::string& price, const std::string& date,
                  const std::string& quantity, const std::string& packs, const std::string& value) override;

 protected:
  TExportFileKind FileKind() override;
  // The header in the language the settings store, then the goods, in the
  // data code page, with the locale's separators read afresh.
  void WriteContent() override;
  // The spreadsheet, when the data code page is the system's ANSI code
  // page, in which a spreadsheet reads a CSV file.
  std::string Viewer() override;

 private:
  void WriteLine(const std::string& line);
};

class TTxtExport : public TFileExport {
 public:
  explicit TTxtExport(TExImHost& host, TStore& store = Store(),
                      platform::FileSystem& files = platform::DefaultFileSystem());

  std::string GetCaption() override;
  std::string GetHint() override;
  void FormatLine(const std::string& code, const std::string& name, const std::string& price, const std::string& date,
                  const std::string& quantity, const std::string& packs, const std::string& value) override;

 protected:
  TExportFileKind FileKind() override;
  // The titles of the current language, a rule, the goods and the rule
  // again, in UTF-16.
  void WriteContent() override;
  // The text editor, always.
  std::string Viewer() override;

 private:
  void WriteLine(const std::string& line);
};

// One line of the text list: the seven texts in their columns, 110
// characters wide (see docs/csv-and-text-files.md).
std::string FormatTextListLine(const std::string& code, const std::string& name, const std::string& price,
                               const std::string& date, const std::string& quantity, const std::string& packs,
                               const std::string& value);

// The path with ".<extension>" appended unless it has that extension, in
// any letter case.
std::string WithExtension(const std::string& path, const std::string& extension);

}  // namespace vk
