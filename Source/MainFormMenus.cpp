// The main window's commands: its actions and menus made from the command
// tables, their texts, the shortcuts of browse mode, and the commands this
// window carries out itself (exit, sort, laptop mode, code autogeneration,
// languages, the dialogs). The edit commands go to the edit modes.

#include <stdexcept>

#include "Core/SysUtils.h"
#include "Gui/Application.h"
#include "Gui/StdActns.h"
#include "Source/AboutForm.h"
#include "Source/DateChangeForm.h"
#include "Source/EximRep.h"
#include "Source/MainForm.h"
#include "Source/MainFormCommands.h"
#include "Source/MainFormGlyphs.h"
#include "Source/PassChangeForm.h"
#include "Source/StatForm.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Service/Contacts.h"
#include "Tools/Service/Keyboard.h"
#include "Tools/Service/RegionInfo.h"
#include "Tools/Service/TextConst.h"
#include "vkNames/MessageBoxForm.h"

namespace vk {
namespace {

constexpr char kUnit[] = "Source\\MainForm";

std::unique_ptr<gui::TAction> MakeAction(const TActionSpec& spec) {
  const std::string name = spec.Name;
  if (name == "ActEditUndo") return std::make_unique<gui::TEditUndo>();
  if (name == "ActEditCut") return std::make_unique<gui::TEditCut>();
  if (name == "ActEditCopy") return std::make_unique<gui::TEditCopy>();
  if (name == "ActEditPaste") return std::make_unique<gui::TEditPaste>();
  if (name == "ActEditDelete") return std::make_unique<gui::TEditDelete>();
  if (name == "ActEditSelectAll") return std::make_unique<gui::TEditSelectAll>();
  return std::make_unique<gui::TAction>();
}

// The form of the class among the application's forms; null when none.
template <typename T>
T* FindForm() {
  for (HWND window = GetTopWindow(nullptr); window; window = GetNextWindow(window, GW_HWNDNEXT)) {
    if (auto* form = dynamic_cast<T*>(gui::TWinControl::FindControl(window))) return form;
  }
  return nullptr;
}

}  // namespace

gui::TAction& TMainFormStore::Action(const std::string& name) {
  gui::TAction* action = ActionList.FindAction(name);
  Assert(action != nullptr, "Unknown action", kUnit);
  return *action;
}

gui::TMenuItem& TMainFormStore::MenuItem(const std::string& name) {
  for (gui::TMenu* menu :
       std::initializer_list<gui::TMenu*>{&MainMenu, &PopupMenu, &PopupMenuMoves, &PopupMenuEdit, &PopupMenuNote}) {
    if (gui::TMenuItem* item = menu->Items.Find(name)) return *item;
  }
  Assert(false, "Unknown menu item", kUnit);
  throw std::logic_error("unreachable");
}

void TMainFormStore::CreateCommands() {
  for (const TActionSpec& spec : MainFormActions()) {
    std::unique_ptr<gui::TAction> action = MakeAction(spec);
    action->SetName(spec.Name);
    action->SetCategory(spec.Category);
    action->SetShortCut(spec.ShortCut);
    action->SetEnabled(spec.Available);
    action->SetImageIndex(spec.ImageIndex);
    action->SetActionList(&ActionList);
    actions_.push_back(std::move(action));
  }
  for (const char* language : {"ActSelectRusLang", "ActSelectUkrLang", "ActSelectEngLang"}) {
    Action(language).SetGroupIndex(1);
  }
  for (const gui::TImagePixels& glyph : MainFormGlyphs()) ImageList.Add(glyph);
  for (gui::TWinMenu* menu :
       std::initializer_list<gui::TWinMenu*>{&MainMenu, &PopupMenu, &PopupMenuMoves, &PopupMenuEdit, &PopupMenuNote}) {
    menu->SetImages(&ImageList);
  }
  CreateMenu(MainMenu.Items, "MainMenu");
  CreateMenu(PopupMenu.Items, "PopupMenu");
  CreateMenu(PopupMenuMoves.Items, "PopupMenuMoves");
  CreateMenu(PopupMenuEdit.Items, "PopupMenuEdit");
  CreateMenu(PopupMenuNote.Items, "PopupMenuNote");
  SetMenu(&MainMenu);
  AddActionList(&ActionList);
}

void TMainFormStore::CreateMenu(gui::TMenuItem& parent, const std::string& menuName) {
  const TMenuSpec* menu = FindMainFormMenu(menuName);
  Assert(menu != nullptr, "Unknown menu", kUnit);
  for (const char* entry : menu->Entries) {
    auto item = std::make_unique<gui::TMenuItem>();
    gui::TMenuItem& added = *item;
    menuItems_.push_back(std::move(item));
    parent.Add(&added);
    const std::string name = entry;
    if (name == "-") {
      added.SetCaption("-");
    } else if (FindMainFormAction(name)) {
      added.SetName(menuName + "." + name);
      added.SetAction(&Action(name));
    } else {
      added.SetName(name);
      CreateMenu(added, name);
    }
  }
}

// Once the grids and the entry controls exist.
void TMainFormStore::BindCommands() {
  auto on = [this](const char* name, std::function<void()> command) {
    Action(name).OnExecute = [command](gui::TAction&) { command(); };
  };
  for (int i = 0; i < kModeActionCount; ++i) {
    const auto which = static_cast<TModeAction>(i);
    Action(ModeActionName(which)).OnExecute = [this, which](gui::TAction&) { editModes_->Execute(which); };
  }
  // The window's own commands end a running search first, as the modes' do.
  auto own = [this, &on](const char* name, std::function<void()> command) {
    on(name, [this, command] {
      editModes_->EndSearchFirst();
      command();
    });
  };
  own("ActExit", [this] { Close(); });
  own("ActSort", [this] { SortByCurrentColumn(); });
  on("ActNotebook", [this] { ToggleLaptopMode(); });
  on("ActAutogen", [this] { ToggleAutogen(); });
  on("ActSelectRusLang", [this] { SwitchLanguage(kLangRussian); });
  on("ActSelectUkrLang", [this] { SwitchLanguage(kLangUkrainian); });
  on("ActSelectEngLang", [this] { SwitchLanguage(kLangEnglish); });
  on("ActAbout", [this] { ShowDialog("TFormAbout"); });
  on("ActChangePass", [this] { ShowDialog("TFormPassChange"); });
  own("ActChangeDate", [this] { ChangeWorkDate(); });
  own("ActStat", [this] { ShowStatistics(); });
  on("ActHelp", [] { RunProgram(ProgTexts.HelpPageAddress); });
  BindFileCommands();

  // The exports, the import and the list report, made at start-up.
  inOutManager_ = std::make_unique<TInOutManager>(
      ActionList, MenuItem("MenuExport"), MenuItem("MenuImport"), MenuItem("MenuReport"), EximRepObjects(),
      [this] { editModes_->InOutBegin(); }, [this](bool changed) { editModes_->InOutEnd(changed); }, store_);

  GridStore->SetPopupMenu(&PopupMenu);
  GridMoves->SetPopupMenu(&PopupMenuMoves);
  SetPopupMenu(&PopupMenu);
  for (gui::TEdit* e : {static_cast<gui::TEdit*>(EditCode.get()), static_cast<gui::TEdit*>(EditName.get()),
                        static_cast<gui::TEdit*>(EditCost.get()), static_cast<gui::TEdit*>(EditWeight.get()),
                        static_cast<gui::TEdit*>(EditPCount.get())}) {
    e->SetPopupMenu(&PopupMenuEdit);
  }
  EditNote->SetPopupMenu(&PopupMenuNote);
  if (SystemAnsiCodePage() == 65001) {
    // The system's menus lose their first entry's text under UTF-8: an
    // empty first entry takes the loss.
    for (gui::TPopupMenu* menu : {&PopupMenu, &PopupMenuMoves, &PopupMenuEdit, &PopupMenuNote}) {
      auto item = std::make_unique<gui::TMenuItem>();
      menu->Items.Insert(0, item.get());
      menuItems_.push_back(std::move(item));
    }
  }
}

void TMainFormStore::ApplyCommandTexts() {
  for (const TActionSpec& spec : MainFormActions()) {
    gui::TAction& action = Action(spec.Name);
    action.SetCaption(ProgTexts.*spec.Caption);
    action.SetHint(ProgTexts.*spec.Hint);
  }
  for (const TMenuSpec& menu : MainFormMenus()) {
    if (!menu.Caption) continue;
    gui::TMenuItem& item = MenuItem(menu.Name);
    item.SetCaption(ProgTexts.*menu.Caption);
    item.SetHint(ProgTexts.*menu.Hint);
  }
  if (inOutManager_) inOutManager_->UpdateTexts();
}

void TMainFormStore::ApplyKeypadShortcuts() {
  Action("ActNotebook").SetChecked(!ProgOptions().GetKeyboardEnhanced());
  if (editModes_) editModes_->UpdateModeUi();
}

// The texts actually loaded decide, not the stored choice: start-up loads
// English on a system that is not Cyrillic whatever was stored, and a
// switch can fail before its texts are in.
void TMainFormStore::CheckLanguageAction() {
  const uint32_t language = CurrentLanguage;
  const char* checked = language == kLangRussian     ? "ActSelectRusLang"
                        : language == kLangUkrainian ? "ActSelectUkrLang"
                                                     : "ActSelectEngLang";
  Action(checked).SetChecked(true);
  if (!CyrillicSystem()) {
    Action("ActSelectRusLang").SetEnabled(false);
    Action("ActSelectUkrLang").SetEnabled(false);
  }
}

void TMainFormStore::SortByCurrentColumn() {
  TDataGridModel& model = GridStore->Model();
  GridStore->SortByColumn(model.Col() - model.FixedCols());
}

void TMainFormStore::RestoreNumLock() {
  if (ProgOptions().GetKeyboardEnhanced()) return;
  const auto window = reinterpret_cast<platform::WindowId>(Handle());
  if (numLockAtStart_) {
    NumLockOn(window);
  } else {
    NumLockRestore(window);
  }
}

void TMainFormStore::ToggleLaptopMode() {
  RestoreNumLock();
  TProgOptions& options = ProgOptions();
  options.SetKeyboardEnhanced(!options.GetKeyboardEnhanced());
  ApplyKeypadShortcuts();
  if (options.GetKeyboardEnhanced()) return;
  // Num Lock follows the focused control at once.
  gui::TWinControl* focused = ActiveControl();
  if (focused == EditName.get() || focused == EditNote.get()) {
    TextEnter(focused);
  } else if (focused == GridStore.get()) {
    ColumnEnter(GridStore->Model().Col());
  } else if (focused) {
    NumericEnter(focused);
  }
}

void TMainFormStore::ToggleAutogen() {
  TProgOptions& options = ProgOptions();
  options.SetAutogenEnabled(!options.GetAutogenEnabled());
  Action("ActAutogen").SetChecked(options.GetAutogenEnabled());
}

void TMainFormStore::SwitchLanguage(uint8_t language) {
  struct CheckLoaded {
    TMainFormStore& form;
    ~CheckLoaded() {
      BestEffort([this] { form.CheckLanguageAction(); });
    }
  } checkLoaded{*this};
  const uint32_t codePage = ProgOptions().GetBaseCodePage();
  LoadLanguageTexts(language);
  ProgOptions().SetProgLang(language);
  ApplyLanguage();
  if (ProgOptions().GetBaseCodePage() != codePage) {
    store_.SetDataCodePage(ProgOptions().GetBaseCodePage());
    RefreshGoods(false);
  }
}

void TMainFormStore::ApplyLanguage() {
  if (auto* about = FindForm<TFormAbout>()) about->ApplyLanguage();
  if (auto* passChange = FindForm<TFormPassChange>()) passChange->ApplyLanguage();
  if (auto* dateChange = FindForm<TFormDateChange>()) dateChange->ApplyLanguage();
  if (auto* stat = FindForm<TFormStat>()) stat->ApplyLanguage();
  ApplyTexts();
  LayoutStatusBar();
  const std::string& layout = ProgTexts.KeyboardLayoutId;
  if (!SelectKeyboardLayout(layout, /*activate=*/true)) {
    const int answer = ShowMessageBox(
        ProgTexts.LayoutInstallQuestion, ProgTexts.LayoutInstallCaption, kMbTwoButtons | kMbIconQuestion,
        ProgTexts.YesCaption, ProgTexts.LayoutInstallYesHint, ProgTexts.NoCaption, ProgTexts.LayoutInstallNoHint);
    if (answer == 1) LoadKeyboardLayoutByName(layout);
  }
  layoutChangePending_ = true;
}

void TMainFormStore::ShowDialog(const std::string& className) {
  gui::TForm* dialog = nullptr;
  if (className == "TFormAbout") dialog = FindForm<TFormAbout>();
  if (className == "TFormPassChange") {
    auto* form = FindForm<TFormPassChange>();
    // The program's edit menu, in the program's language, on the dialogs' edits too.
    if (form && !form->EditPass.PopupMenu()) {
      for (gui::TEdit* edit : {&form->EditPass, &form->EditNewPass, &form->EditNewPassConfirm})
        edit->SetPopupMenu(&PopupMenuEdit);
    }
    dialog = form;
  }
  if (className == "TFormDateChange") {
    auto* form = FindForm<TFormDateChange>();
    if (form && form->EditUserDate && !form->EditUserDate->PopupMenu())
      form->EditUserDate->SetPopupMenu(&PopupMenuEdit);
    dialog = form;
  }
  if (className == "TFormStat") dialog = FindForm<TFormStat>();
  if (!dialog) return;
  dialog->SetPosition(gui::TPosition::poMainFormCenter);
  dialog->ShowModal();
}

// The first of the program's dialogs that is showing takes the new colours.
void TMainFormStore::RefreshOpenDialog() {
  const std::initializer_list<gui::TForm*> dialogs{FindForm<TFormAbout>(), FindForm<TFormStat>(),
                                                   FindForm<TFormPassChange>(), FindForm<TFormDateChange>(),
                                                   FormMessageBox};
  for (gui::TForm* dialog : dialogs) {
    if (dialog && dialog->Visible()) {
      dialog->Invalidate();
      dialog->Update();
      return;
    }
  }
}

void TMainFormStore::ChangeWorkDate() {
  ShowDialog("TFormDateChange");
  ShowMoveClock(true);
  LayoutStatusBar();
}

void TMainFormStore::ShowStatistics() {
  if (auto* stat = FindForm<TFormStat>(); stat && stat->ShowTotals()) ShowDialog("TFormStat");
}

void TMainFormStore::ShowMenuHint(WPARAM wParam, LPARAM lParam) {
  const UINT flags = HIWORD(wParam);
  const auto menu = reinterpret_cast<HMENU>(lParam);
  // An entry that opens a submenu has its hint too.
  gui::TMenuItem* item = nullptr;
  if (menu && flags != 0xFFFF) {
    for (gui::TWinMenu* shown : std::initializer_list<gui::TWinMenu*>{&MainMenu, &PopupMenu, &PopupMenuMoves,
                                                                      &PopupMenuEdit, &PopupMenuNote}) {
      if (!item) item = shown->SelectedItem(menu, LOWORD(wParam), flags);
    }
  }
  SetHint(item ? item->Hint() : "");
  ShowHint();
}

}  // namespace vk
