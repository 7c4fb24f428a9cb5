#include "Source/EximRepExportSteps.h"

#include "Core/AsciiCase.h"
#include "Core/DateTime.h"
#include "Source/StoreDataFoldersPaths.h"
#include "Tools/Service/StringUtils.h"
#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxCall.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {
namespace {

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

}  // namespace

std::optional<std::string> AskExportFileName(TExImHost& host, TStore& store, platform::FileSystem& files,
                                             const TExportFileKind& kind) {
  const std::string folder = JoinPath(store.ProgramFolder(), kExportFolder);
  if (!files.FolderExists(folder)) files.CreateFolder(folder);
  std::string fileName = FormatDateTime("yyyy-mm-dd", store.Now(), ProgFormatSettings);
  if (!host.PromptForFileName(fileName, kind.Filter, kind.Extension, GetCsvExportText(kCaptionRow), folder,
                              /*saveDialog=*/true)) {
    return std::nullopt;
  }
  return WithExtension(fileName, kind.Extension);
}

std::string WithExtension(const std::string& path, const std::string& extension) {
  const std::string wanted = "." + extension;
  if (SameTextAscii(ExtensionOf(path), wanted)) return path;
  return path + wanted;
}

std::string ShortenPathForBox(TExImHost& host, const std::string& path) {
  return ShortenPathToWidth(
      path, [&](const std::string& text) { return host.MessageTextWidth(text); }, host.MessageTextAreaWidth());
}

void ShowExportError(TExImHost& host, const std::string& fileName) {
  ProgramMessageBox(GetCsvExportText(kErrorRow) + "\r\n" + ShortenPathForBox(host, fileName),
                    GetCsvExportText(kCaptionRow), kMbIconWarning | kMbOneButton, kOkCaption,
                    GetCsvExportText(kButtonHintRow));
}

}  // namespace vk
