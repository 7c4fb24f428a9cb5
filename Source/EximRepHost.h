#pragma once
// What the exports and the import need from around them that is not stock
// data: the file dialog, starting another program with a file, measuring text
// in the message box, and two facts of the settings and the system. The
// program's host (EximRepHostWin32.cpp) answers with the real dialog, the
// shell and the message box's font; tests answer with scripts. Portable.

#include <cstdint>
#include <string>

#include "Source/EximRepCsvStr.h"

namespace vk {

class TExImHost {
 public:
  virtual ~TExImHost() = default;

  // The system's open or save dialog with the filter ("Text|*.txt"), the
  // default extension (without its dot), the caption and the folder it
  // starts in; fileName is the proposed name going in and the chosen path
  // coming out. True when the user confirmed.
  virtual bool PromptForFileName(std::string& fileName, const std::string& filter, const std::string& defaultExt,
                                 const std::string& title, const std::string& initialDir, bool saveDialog) = 0;
  // Starts a program (found by the shell, "excel", "notepad") with the file
  // as its parameter; whether it started is not checked.
  virtual void StartProgram(const std::string& program, const std::string& file) = 0;
  // The width of a text in the message box's font, and the width of the
  // box's text area, in pixels.
  virtual int MessageTextWidth(const std::string& text) = 0;
  virtual int MessageTextAreaWidth() = 0;
  // How many lines of that font the box's text area holds.
  virtual int MessageTextAreaLines() = 0;
  // The language the settings store (0 Russian, 1 Ukrainian, 2 English).
  virtual std::uint32_t StoredLanguage() = 0;
  // The system's ANSI code page.
  virtual std::uint32_t SystemAnsiCodePage() = 0;
  // Where the CSV separators come from: the user's locale.
  virtual TSeparatorQueries Separators() { return SystemSeparatorQueries(); }
};

// The path shortened to the width of the message box's text area.
std::string ShortenPathForBox(TExImHost& host, const std::string& path);

}  // namespace vk
