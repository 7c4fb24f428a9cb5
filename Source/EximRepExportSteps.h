#pragma once
// What the CSV and the text export do alike: the Export folder, the save
// dialog proposing today's date, the extension the file must have, and the
// box that reports a failed export. Portable.

#include <optional>
#include <string>

#include "Platform/File.h"
#include "Source/EximRepHost.h"
#include "Source/StoreData.h"

namespace vk {

// The dialog of one kind of export file.
struct TExportFileKind {
  std::string Filter;     // "Text file (*.txt)|*.txt"
  std::string Extension;  // "txt", without its dot
};

// Creates the Export folder in the program folder when it is missing and
// asks for a file name there, proposing today's date (yyyy-mm-dd). The
// chosen path with ".<extension>" appended when its extension, in lower
// case, is another; nothing when the user cancelled.
std::optional<std::string> AskExportFileName(TExImHost& host, TStore& store, platform::FileSystem& files,
                                             const TExportFileKind& kind);

// The path with ".<extension>" appended unless it has that extension, in
// any letter case.
std::string WithExtension(const std::string& path, const std::string& extension);

// The program's message box for an export that failed: the error text, a
// line break and the file's path shortened to the box's text area.
void ShowExportError(TExImHost& host, const std::string& fileName);

// The path shortened to the width of the message box's text area.
std::string ShortenPathForBox(TExImHost& host, const std::string& path);

}  // namespace vk
