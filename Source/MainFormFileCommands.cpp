// The main window's "Save to...", "Restore..." and "Printer..." commands:
// the window's side of the data commands (busy mode, folder dialog, boxes)
// and the printer set-up dialog through the print manager.

#include "Platform/File.h"
#include "Source/MainForm.h"
#include "Source/MainFormDataCommands.h"
#include "Source/PrintWin32.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Service/FileSrv.h"
#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxForm.h"

namespace vk {
namespace {

class TWindowDataCommandView : public TDataCommandView {
 public:
  TWindowDataCommandView(TMainFormStore& form, std::function<void()> begin, std::function<void(bool)> end)
      : form_(form), begin_(std::move(begin)), end_(std::move(end)) {}

  void InOutBegin() override { begin_(); }
  void InOutEnd(bool changed) override { end_(changed); }
  bool ChooseFolder(std::string& folder, int mode, const std::string& windowTitle,
                    const std::string& instruction) override {
    return BrowseForFolder(folder, mode, windowTitle, instruction, /*okCaption=*/"", /*cancelCaption=*/"",
                           form_.Handle());
  }
  void ShowBox(const std::string& text, const std::string& caption, int flags) override {
    ShowMessageBox(text, caption, flags, "OK", ProgTexts.CloseMessageHint, "Cancel", "");
  }
  std::string WrapPath(const std::string& path) override { return WrapPathLines(path); }
  bool FolderExists(const std::string& folder) override { return platform::DefaultFileSystem().FolderExists(folder); }
  std::string LastCopy() override { return ProgOptions().GetLastCopy(); }
  void SetLastCopy(const std::string& folder) override { ProgOptions().SetLastCopy(folder); }

 private:
  TMainFormStore& form_;
  std::function<void()> begin_;
  std::function<void(bool)> end_;
};

}  // namespace

// Busy mode through the edit modes, as for exports and imports; after the
// tables were replaced the grids and the panel show them anew.
void TMainFormStore::DataCommandBegin() { editModes_->InOutBegin(); }

void TMainFormStore::DataCommandEnd(bool changed) { editModes_->InOutEnd(changed); }

void TMainFormStore::BindFileCommands() {
  auto run = [this](void (*command)(TStore&, TDataCommandView&)) {
    TWindowDataCommandView view(
        *this, [this] { DataCommandBegin(); }, [this](bool changed) { DataCommandEnd(changed); });
    command(store_, view);
  };
  Action("ActSaveAs").OnExecute = [run](gui::TAction&) { run(&SaveDataAs); };
  Action("ActRestoreBase").OnExecute = [run](gui::TAction&) { run(&RestoreData); };
  Action("ActPrinter").OnExecute = [this](gui::TAction&) {
    busy_ = true;
    struct BusyOff {
      bool& busy;
      ~BusyOff() { busy = false; }
    } off{busy_};
    RunPrinterSetup(Handle());
  };
}

}  // namespace vk
