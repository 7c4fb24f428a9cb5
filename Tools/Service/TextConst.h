#pragma once
// The user-interface texts of the main program in its current language.
// Russian, Ukrainian and English are always present; a loader copies one of
// them into the globals below, and a switch of language simply runs another
// loader. Everything is read at the moment of use, so a text built before a
// switch keeps the old language. Besides the texts a loader sets the
// program's own date format (separators, short date order and month names in
// the form a date needs), the edit-mode names and the product page address.
// Export, import and the list report need all three languages at once, so
// their texts are kept in four tables, side by side, that never change.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "Core/DateTime.h"

namespace vk {

// Language index: also the row of the text tables and the settings' code.
inline constexpr std::uint8_t kLangRussian = 0;
inline constexpr std::uint8_t kLangUkrainian = 1;
inline constexpr std::uint8_t kLangEnglish = 2;
inline constexpr int kLanguageCount = 3;

// Number of edit modes of the main window (browse 0 .. busy 9).
inline constexpr int kEditModeCount = 10;

// One text per member, in the order all three languages follow. Each text is
// the whole of what its window, box or report shows, with its line breaks
// (CR LF) and its blanks.
struct TTexts {
  // The keyboard layout of the language, as the system's 8-digit layout id.
  std::string KeyboardLayoutId;

  // Errors and notices of start-up, the data files, backup and the printer.
  std::string ExecutionErrorCaption;
  std::string CloseMessageHint;
  std::string OpeningErrorCaption;
  std::string DataOpeningError;
  std::string CopyingErrorCaption;
  std::string BackupError;
  std::string PrinterInitError;
  std::string NoPrintersInstalled;
  std::string NoDefaultPrinter;
  std::string PrintCaption;
  std::string ClosePrintMessageHint;
  std::string DataFolderNotFound;
  std::string FileDoesNotExist;

  // Column titles of the goods and moves grids.
  std::string ColumnCode;
  std::string ColumnName;
  std::string ColumnPacks;
  std::string ColumnQuantity;
  std::string ColumnPrice;
  std::string ColumnCost;
  std::string ColumnDate;
  std::string ColumnMove;
  std::string ColumnSum;

  // Refusals of the stock operations and of the totals: box captions by edit
  // mode and their texts.
  std::string QuantityCaption;
  std::string RestCaption;
  std::string CostTooHigh;     // quantity times price beyond the totals
  std::string NotEnoughGoods;  // more taken out than is in stock
  std::string PriceCaption;
  std::string PriceTooHigh;
  // A code, name or note the data code page cannot hold; the box's caption
  // is the field's label.
  std::string TextNotStorable;
  std::string SumCalculationCaption;
  std::string TotalTooHigh;

  // Removal questions for goods and moves.
  std::string RemoveCaption;
  // The goods line stands between these two.
  std::string RemoveGoodsQuestionStart;
  std::string RemoveGoodsQuestionEnd;
  std::string RemoveMoveQuestion;
  std::string CannotRemoveMove;

  // Saving and restoring a copy of the data; the done and failed texts are
  // followed by a line break and the folder.
  std::string BackupCaption;
  std::string BackupFolderPrompt;
  std::string BackupDone;
  std::string BackupFailed;
  std::string RestoreCaption;
  std::string RestoreFolderPrompt;
  std::string RestoreDone;
  std::string RestoreFailed;

  // Refusals in the password and work-date dialogs.
  std::string IncorrectPassword;
  std::string IncorrectOldPassword;
  std::string NewPasswordMismatch;
  std::string NewPasswordNotSaved;
  std::string InvalidDate;
  std::string EscRestoresSystemDate;

  // The about window's version line.
  std::string VersionPrefix;  // followed by the product version

  // Message box buttons and their hints.
  std::string YesCaption;
  std::string NoCaption;
  std::string RemoveGoodsHint;
  std::string KeepGoodsHint;
  std::string RemoveMoveHint;
  std::string KeepMoveHint;

  // The question to install the language's keyboard layout.
  std::string LayoutInstallCaption;
  std::string LayoutInstallQuestion;
  std::string LayoutInstallYesHint;
  std::string LayoutInstallNoHint;

  // About window, support mail and its failure.
  std::string NewVersionNote;
  std::string SupportMailSubject;  // followed by the product version
  std::string SupportMailBody;
  std::string SendingMessageCaption;
  std::string MailClientError;

  // Page counter of printed lists: page number and page count.
  std::string PageCounter;
  // A printer's page that cannot hold a report's header, head row, one row
  // and foot row.
  std::string PageTooSmall;

  // About window.
  std::string AboutCaption;
  std::string AboutCloseHint;
  std::string VisitPageHint;
  std::string ContactSupportHint;

  // Log-in window.
  std::string LoginCaption;
  std::string LoginCancelCaption;
  std::string EnterPasswordLabel;

  // Password change window.
  std::string PassChangeCaption;
  std::string PassChangeCancelCaption;
  std::string PassChangeCancelHint;
  std::string PassChangeOkHint;
  std::string NewPasswordLabel;
  std::string NewPasswordAgainLabel;
  std::string OldPasswordLabel;

  // Work-date window.
  std::string DateChangeCaption;
  std::string DateChangeCancelCaption;
  std::string DateChangeCancelHint;
  std::string DateChangeOkHint;
  std::string WorkDateLabel;
  std::string DateChangeWarning;

  // Totals window.
  std::string StatCaption;
  std::string StatCloseHint;
  std::string StatNamesLabel;
  std::string StatPacksLabel;
  std::string StatCostLabel;
  std::string StatQuantityLabel;

  // Edit pop-up menu: caption and hint of each standard edit action.
  std::string ActEditCutCaption;
  std::string ActEditCutHint;
  std::string ActEditCopyCaption;
  std::string ActEditCopyHint;
  std::string ActEditPasteCaption;
  std::string ActEditPasteHint;
  std::string ActEditSelectAllCaption;
  std::string ActEditSelectAllHint;
  std::string ActEditUndoCaption;
  std::string ActEditUndoHint;
  std::string ActEditDeleteCaption;
  std::string ActEditDeleteHint;

  // Main window actions: caption and hint of each.
  std::string ActRestoreBaseCaption;
  std::string ActRestoreBaseHint;
  std::string ActSaveAsCaption;
  std::string ActSaveAsHint;
  std::string ActPrinterCaption;
  std::string ActPrinterHint;
  std::string ActExitCaption;
  std::string ActExitHint;
  std::string ActChangePassCaption;
  std::string ActChangePassHint;
  std::string ActChangeDateCaption;
  std::string ActChangeDateHint;
  std::string ActNotebookCaption;
  std::string ActNotebookHint;
  std::string ActAutogenCaption;
  std::string ActAutogenHint;
  std::string ActAboutCaption;
  std::string ActAboutHint;
  std::string ActHelpCaption;
  std::string ActHelpHint;
  std::string ActSelectRusLangCaption;
  std::string ActSelectRusLangHint;
  std::string ActSelectUkrLangCaption;
  std::string ActSelectUkrLangHint;
  std::string ActSelectEngLangCaption;
  std::string ActSelectEngLangHint;
  std::string ActPostCaption;
  std::string ActPostHint;
  std::string ActCancelCaption;
  std::string ActCancelHint;
  std::string ActSearchEndCaption;
  std::string ActSearchEndHint;
  std::string PriceListCaption;
  std::string PriceListHint;
  std::string ActStatCaption;
  std::string ActStatHint;
  std::string ActInsertCaption;
  std::string ActInsertHint;
  std::string ActEditCaption;
  std::string ActEditHint;
  std::string ActDeleteCaption;
  std::string ActDeleteHint;
  std::string ActAddCaption;
  std::string ActAddHint;
  std::string ActDedCaption;
  std::string ActDedHint;
  std::string ActSearchCaption;
  std::string ActSearchHint;
  std::string ActSortCaption;
  std::string ActSortHint;
  std::string ActMovDelCaption;
  std::string ActMovDelHint;
  std::string ActMovEditCaption;
  std::string ActMovEditHint;

  // Main menu entries: caption and hint of each.
  std::string MenuFileCaption;
  std::string MenuFileHint;
  std::string MenuProductCaption;
  std::string MenuProductHint;
  std::string MenuReportCaption;
  std::string MenuReportHint;
  std::string MenuHelpCaption;
  std::string MenuHelpHint;
  std::string MenuLangCaption;
  std::string MenuLangHint;
  std::string MenuExportCaption;
  std::string MenuExportHint;
  std::string MenuImportCaption;
  std::string MenuImportHint;

  // Edit panel labels; the three notes are a bare "?".
  std::string LbCodeCaption;
  std::string LbCostCaption;
  std::string LbCostNoteCaption;
  std::string LbMovesCaption;
  std::string LbNameCaption;
  std::string NoteLabelCaption;
  std::string LbPCountCaption;
  std::string LbPCountNoteCaption;
  std::string SumLabelCaption;
  std::string LbWeightCaption;
  std::string LbWeightNoteCaption;

  // Address of the help page in this language.
  std::string HelpPageAddress;

  bool operator==(const TTexts&) const = default;
};

// A member of TTexts with its name, for code that walks all texts.
struct TTextField {
  std::string TTexts::*Member;
  const char* Name;
};

// Every member of TTexts once, in declaration order.
std::span<const TTextField> TextFields();

// Rows of the four text tables: one language's entries.
using TCsvExportRow = std::array<std::string, 15>;
using TTxtExportRow = std::array<std::string, 3>;
using TCsvImportRow = std::array<std::string, 15>;
using TListReportRow = std::array<std::string, 5>;

// Everything a language unit (RusText, UkrText, EngText) provides.
struct TLanguageTexts {
  TTexts Texts;
  // Long month names in the form that follows a day number (Russian and
  // Ukrainian in the genitive case).
  std::array<std::string, 12> MonthNames;
  std::array<std::string, kEditModeCount> ModeNames;
  // The product page address, scrambled (Tools/Service/ProductAddresses.h).
  std::vector<std::uint8_t> ProductPageAddress;
  TCsvExportRow CsvExportTexts;
  TTxtExportRow TxtExportTexts;
  TCsvImportRow CsvImportTexts;
  TListReportRow ListReportTexts;
};

// Language index of the texts loaded last; 0 until a loader runs, so the
// table lookups then give the Russian entries.
extern std::uint8_t CurrentLanguage;
// The texts of the current language; all empty until a loader runs.
extern TTexts ProgTexts;
// The date format of every date the program formats itself, in place of the
// system's regional settings. A loader sets only the date and time
// separators, the short date format and the long month names; every other
// field stays empty.
extern TFormatSettings ProgFormatSettings;
// Names of the main window's edit modes, indexed by mode number.
extern std::array<std::string, kEditModeCount> ModeNames;
// The product page address of the current language, scrambled.
extern std::vector<std::uint8_t> ProductPageAddress;

// The four text tables, indexed by language index and entry number.
extern const std::array<TCsvExportRow, kLanguageCount> CsvExportTexts;
extern const std::array<TTxtExportRow, kLanguageCount> TxtExportTexts;
extern const std::array<TCsvImportRow, kLanguageCount> CsvImportTexts;
extern const std::array<TListReportRow, kLanguageCount> ListReportTexts;

void LoadRussianTexts();
void LoadUkrainianTexts();
void LoadEnglishTexts();
// The loader of the language index; any index but Russian and Ukrainian
// loads English.
void LoadLanguageTexts(std::uint8_t language);
// Back to the state before any loader ran: empty texts, format, mode names
// and address, language 0. The tables stay as they are.
void UnloadTexts();

// " dd mmmm yyyy, hh:nn:ss " in the current language (one blank at each end).
std::string FormatLongDateTime(TDateTime value);
// " hh:nn:ss ".
std::string FormatTimeOnly(TDateTime value);

// Table entries in the current language. Callers pass entry numbers that the
// table has; any other raises ERangeError.
const std::string& GetCsvExportText(std::uint8_t entry);
const std::string& GetTxtExportText(std::uint8_t entry);
const std::string& GetCsvImportText(std::uint8_t entry);
const std::string& GetListReportText(std::uint8_t entry);
// A CSV export entry in the given language, to recognise files written in
// any of the three languages.
const std::string& GetCsvExportLangText(std::uint8_t language, std::uint8_t entry);

}  // namespace vk
