#include "Core/AsciiCase.h"
#include "Core/DateTime.h"
#include "Core/SysUtils.h"
#include "Source/EximRepExport.h"
#include "Source/StoreDataFoldersPaths.h"
#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxCall.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {
namespace {

constexpr char kUnit[] = "Source\\EximRep";
constexpr char kExportFolder[] = "Export";
constexpr char kOkCaption[] = "OK";
// Rows of the CSV export's text table that both exports use.
constexpr std::uint8_t kErrorRow = 2;
constexpr std::uint8_t kCaptionRow = 11;
constexpr std::uint8_t kButtonHintRow = 12;

// The extension of the path's last part, with its dot; empty for none.
std::string ExtensionOf(const std::string& path) {
  const std::size_t name = path.find_last_of("\\/:");
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (name != std::string::npos && dot < name)) return {};
  return path.substr(dot);
}

void ShowExportError(TExImHost& host, const std::string& fileName) {
  ProgramMessageBox(GetCsvExportText(kErrorRow) + "\r\n" + ShortenPathForBox(host, fileName),
                    GetCsvExportText(kCaptionRow), kMbIconWarning | kMbOneButton, kOkCaption,
                    GetCsvExportText(kButtonHintRow));
}

}  // namespace

std::string WithExtension(const std::string& path, const std::string& extension) {
  const std::string wanted = "." + extension;
  if (SameTextAscii(ExtensionOf(path), wanted)) return path;
  return path + wanted;
}

TFileExport::TFileExport(TExImHost& host, TStore& store, platform::FileSystem& files)
    : host_(host), store_(store), files_(files) {}

void TFileExport::Execute(bool& done) {
  done = false;
  const TExportFileKind kind = FileKind();
  const std::string folder = JoinPath(store_.ProgramFolder(), kExportFolder);
  if (!files_.FolderExists(folder)) files_.CreateFolder(folder);
  std::string fileName = FormatDateTime("yyyy-mm-dd", store_.Now(), ProgFormatSettings);
  if (!host_.PromptForFileName(fileName, kind.Filter, kind.Extension, GetCsvExportText(kCaptionRow), folder,
                               /*saveDialog=*/true)) {
    return;
  }
  fileName = WithExtension(fileName, kind.Extension);
  try {
    WriteFile(fileName);
    const std::string viewer = Viewer();
    if (!viewer.empty()) host_.StartProgram(viewer, fileName);
  } catch (const std::exception&) {
    // What was written stays; the stock is untouched.
    ShowExportError(host_, fileName);
  }
}

void TFileExport::WriteFile(const std::string& fileName) {
  file_ = std::make_unique<TOutputFile>(files_, fileName);
  try {
    WriteContent();
    file_->Close();
  } catch (...) {
    file_.reset();
    throw;
  }
  file_.reset();
}

void TFileExport::Write(std::string_view bytes) {
  Assert(file_ != nullptr, "No export file is being written", kUnit);
  file_->Write(bytes);
}

}  // namespace vk
