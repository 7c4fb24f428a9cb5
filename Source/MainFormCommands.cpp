#include "Source/MainFormCommands.h"

#include <cstring>

namespace vk {
namespace {

using T = TTexts;

// Sized by its entries, so none can be left empty.
const TActionSpec kActions[] = {
    {"ActSaveAs", "File", kKeyNone, &T::ActSaveAsCaption, &T::ActSaveAsHint, true},
    {"ActRestoreBase", "File", kKeyNone, &T::ActRestoreBaseCaption, &T::ActRestoreBaseHint, true},
    {"ActChangePass", "File", kKeyNone, &T::ActChangePassCaption, &T::ActChangePassHint, true},
    {"ActChangeDate", "File", kKeyF4, &T::ActChangeDateCaption, &T::ActChangeDateHint, true},
    {"ActPrinter", "File", kKeyNone, &T::ActPrinterCaption, &T::ActPrinterHint, true},
    {"ActNotebook", "File", kKeyNone, &T::ActNotebookCaption, &T::ActNotebookHint, true},
    {"ActAutogen", "File", kKeyNone, &T::ActAutogenCaption, &T::ActAutogenHint, true},
    {"ActExit", "File", kKeyEscape, &T::ActExitCaption, &T::ActExitHint, true},
    {"ActInsert", "Product", kKeyInsert, &T::ActInsertCaption, &T::ActInsertHint, true},
    {"ActEdit", "Product", kKeyF2, &T::ActEditCaption, &T::ActEditHint, true},
    {"ActDelete", "Product", kKeyDelete, &T::ActDeleteCaption, &T::ActDeleteHint, true},
    {"ActAdd", "Product", kKeyF12, &T::ActAddCaption, &T::ActAddHint, true},
    {"ActDed", "Product", kKeyF11, &T::ActDedCaption, &T::ActDedHint, true},
    {"ActSearch", "Product", kKeyF3, &T::ActSearchCaption, &T::ActSearchHint, true},
    {"ActSort", "Product", kKeyF9, &T::ActSortCaption, &T::ActSortHint, true},
    {"ActMovEdit", "Product", kKeyNone, &T::ActMovEditCaption, &T::ActMovEditHint, true},
    {"ActMovDel", "Product", kKeyNone, &T::ActMovDelCaption, &T::ActMovDelHint, true},
    {"ActPost", "Operation", kKeyReturn, &T::ActPostCaption, &T::ActPostHint, true},
    {"ActCancel", "Operation", kKeyNone, &T::ActCancelCaption, &T::ActCancelHint, true},
    {"ActSearchEnd", "Operation", kKeyEscape, &T::ActSearchEndCaption, &T::ActSearchEndHint, true},
    {"ActStat", "Report", kKeyNone, &T::ActStatCaption, &T::ActStatHint, true},
    {"ActHelp", "Help", kKeyNone, &T::ActHelpCaption, &T::ActHelpHint, true},
    {"ActAbout", "Help", kKeyNone, &T::ActAboutCaption, &T::ActAboutHint, true},
    {"ActSelectRusLang", "Language", kKeyNone, &T::ActSelectRusLangCaption, &T::ActSelectRusLangHint, true},
    {"ActSelectUkrLang", "Language", kKeyNone, &T::ActSelectUkrLangCaption, &T::ActSelectUkrLangHint, true},
    {"ActSelectEngLang", "Language", kKeyNone, &T::ActSelectEngLangCaption, &T::ActSelectEngLangHint, true},
    {"ActEditUndo", "Edit", kKeyNone, &T::ActEditUndoCaption, &T::ActEditUndoHint, true, 3},
    {"ActEditCut", "Edit", kKeyNone, &T::ActEditCutCaption, &T::ActEditCutHint, true, 0},
    {"ActEditCopy", "Edit", kKeyNone, &T::ActEditCopyCaption, &T::ActEditCopyHint, true, 1},
    {"ActEditPaste", "Edit", kKeyNone, &T::ActEditPasteCaption, &T::ActEditPasteHint, true, 2},
    {"ActEditDelete", "Edit", kKeyNone, &T::ActEditDeleteCaption, &T::ActEditDeleteHint, true, 5},
    {"ActEditSelectAll", "Edit", kKeyNone, &T::ActEditSelectAllCaption, &T::ActEditSelectAllHint, true},
};

const std::vector<TMenuSpec> kMenus{
    {"MainMenu", nullptr, nullptr, {"MenuFile", "MenuProduct", "MenuReport", "MenuHelp"}},
    {"MenuFile",
     &T::MenuFileCaption,
     &T::MenuFileHint,
     {"MenuExport", "MenuImport", "ActSaveAs", "ActRestoreBase", "-", "ActChangePass", "ActChangeDate", "ActPrinter",
      "-", "ActNotebook", "ActAutogen", "MenuLang", "-", "ActExit"}},
    {"MenuExport", &T::MenuExportCaption, &T::MenuExportHint, {}},
    {"MenuImport", &T::MenuImportCaption, &T::MenuImportHint, {}},
    {"MenuLang", &T::MenuLangCaption, &T::MenuLangHint, {"ActSelectEngLang", "ActSelectRusLang", "ActSelectUkrLang"}},
    {"MenuProduct",
     &T::MenuProductCaption,
     &T::MenuProductHint,
     {"ActInsert", "ActEdit", "ActDelete", "-", "ActAdd", "ActDed", "-", "ActSort", "ActSearch", "ActSearchEnd", "-",
      "ActMovEdit", "ActMovDel", "-", "ActPost", "ActCancel"}},
    {"MenuReport", &T::MenuReportCaption, &T::MenuReportHint, {"-", "ActStat"}},
    {"MenuHelp", &T::MenuHelpCaption, &T::MenuHelpHint, {"ActHelp", "ActAbout"}},
    {"PopupMenu",
     nullptr,
     nullptr,
     {"ActInsert", "ActEdit", "ActDelete", "-", "ActAdd", "ActDed", "-", "ActSort", "ActSearch", "ActSearchEnd", "-",
      "ActPost", "ActCancel"}},
    {"PopupMenuMoves", nullptr, nullptr, {"ActMovEdit", "ActMovDel", "-", "ActAdd", "ActDed"}},
    {"PopupMenuEdit",
     nullptr,
     nullptr,
     {"ActEditUndo", "-", "ActEditCut", "ActEditCopy", "ActEditPaste", "ActEditDelete", "-", "ActEditSelectAll"}},
    {"PopupMenuNote",
     nullptr,
     nullptr,
     {"ActEditUndo", "ActEditCut", "ActEditCopy", "ActEditPaste", "ActEditDelete", "ActEditSelectAll", "-",
      "ActMovEdit", "ActPost", "ActCancel"}},
};

}  // namespace

const char* ModeActionName(TModeAction action) {
  static constexpr const char* kNames[kModeActionCount] = {
      "ActInsert", "ActEdit",   "ActDelete",      "ActAdd",        "ActDed",     "ActSort",
      "ActSearch", "ActPost",   "ActCancel",      "ActSearchEnd",  "ActMovEdit", "ActMovDel",
      "ActStat",   "ActSaveAs", "ActRestoreBase", "ActChangeDate", "ActExit"};
  return kNames[static_cast<size_t>(action)];
}

std::span<const TActionSpec> MainFormActions() { return kActions; }

const TActionSpec* FindMainFormAction(const std::string& name) {
  for (const TActionSpec& a : kActions) {
    if (name == a.Name) return &a;
  }
  return nullptr;
}

std::span<const TMenuSpec> MainFormMenus() { return kMenus; }

const TMenuSpec* FindMainFormMenu(const std::string& name) {
  for (const TMenuSpec& m : kMenus) {
    if (name == m.Name) return &m;
  }
  return nullptr;
}

}  // namespace vk
