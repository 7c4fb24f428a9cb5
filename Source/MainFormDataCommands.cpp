#include "Source/MainFormDataCommands.h"

#include "Tools/Service/FileSrvRules.h"
#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {
namespace {

// Ends the busy mode on every way out of a command.
class TBusyScope {
 public:
  explicit TBusyScope(TDataCommandView& view) : view_(view) { view_.InOutBegin(); }
  ~TBusyScope() noexcept(false) {
    // While an exception is on its way the end must not raise a second one.
    if (std::uncaught_exceptions() > uncaught_) {
      try {
        view_.InOutEnd(changed);
      } catch (...) {
      }
    } else {
      view_.InOutEnd(changed);
    }
  }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;
  bool changed = false;

 private:
  TDataCommandView& view_;
  int uncaught_ = std::uncaught_exceptions();
};

void Report(TDataCommandView& view, bool done, const std::string& caption, const std::string& doneText,
            const std::string& failedText, const std::string& folder) {
  view.ShowBox((done ? doneText : failedText) + "\r\n" + view.WrapPath(folder), caption,
               done ? kMbIconInformation : kMbIconWarning);
}

}  // namespace

void SaveDataAs(TStore& store, TDataCommandView& view) {
  TBusyScope busy(view);
  std::string folder = view.LastCopy();
  if (!view.ChooseFolder(folder, static_cast<int>(TFolderDialogMode::NewStyle), ProgTexts.BackupCaption,
                         ProgTexts.BackupFolderPrompt) ||
      !view.FolderExists(folder)) {
    return;
  }
  const bool saved = store.SaveTo(folder);
  if (saved) view.SetLastCopy(folder);
  Report(view, saved, ProgTexts.BackupCaption, ProgTexts.BackupDone, ProgTexts.BackupFailed, folder);
}

void RestoreData(TStore& store, TDataCommandView& view) {
  TBusyScope busy(view);
  std::string folder = view.LastCopy();
  if (folder.empty()) {
    const std::string history = store.ProgramFolder() + "Hist";
    if (view.FolderExists(history)) folder = history;
  }
  if (!view.ChooseFolder(folder, static_cast<int>(TFolderDialogMode::StatusLine), ProgTexts.RestoreCaption,
                         ProgTexts.RestoreFolderPrompt) ||
      !view.FolderExists(folder)) {
    return;
  }
  busy.changed = true;
  const bool restored = store.RestoreFrom(folder);
  if (restored) view.SetLastCopy(folder);
  Report(view, restored, ProgTexts.RestoreCaption, ProgTexts.RestoreDone, ProgTexts.RestoreFailed, folder);
}

}  // namespace vk
