#include "Tools/Service/TextConst.h"

#include "Core/SysUtils.h"
#include "Tools/Service/EngText.h"
#include "Tools/Service/RusText.h"
#include "Tools/Service/UkrText.h"

namespace vk {

std::uint8_t CurrentLanguage = kLangRussian;
TTexts ProgTexts;
TFormatSettings ProgFormatSettings;
std::array<std::string, kEditModeCount> ModeNames;
std::vector<std::uint8_t> ProductPageAddress;

namespace {

const TTextField kTextFields[] = {
    {&TTexts::KeyboardLayoutId, "KeyboardLayoutId"},
    {&TTexts::ExecutionErrorCaption, "ExecutionErrorCaption"},
    {&TTexts::CloseMessageHint, "CloseMessageHint"},
    {&TTexts::OpeningErrorCaption, "OpeningErrorCaption"},
    {&TTexts::DataOpeningError, "DataOpeningError"},
    {&TTexts::CopyingErrorCaption, "CopyingErrorCaption"},
    {&TTexts::BackupError, "BackupError"},
    {&TTexts::PrinterInitError, "PrinterInitError"},
    {&TTexts::NoPrintersInstalled, "NoPrintersInstalled"},
    {&TTexts::NoDefaultPrinter, "NoDefaultPrinter"},
    {&TTexts::PrintCaption, "PrintCaption"},
    {&TTexts::ClosePrintMessageHint, "ClosePrintMessageHint"},
    {&TTexts::DataFolderNotFound, "DataFolderNotFound"},
    {&TTexts::FileDoesNotExist, "FileDoesNotExist"},
    {&TTexts::ColumnCode, "ColumnCode"},
    {&TTexts::ColumnName, "ColumnName"},
    {&TTexts::ColumnPacks, "ColumnPacks"},
    {&TTexts::ColumnQuantity, "ColumnQuantity"},
    {&TTexts::ColumnPrice, "ColumnPrice"},
    {&TTexts::ColumnCost, "ColumnCost"},
    {&TTexts::ColumnDate, "ColumnDate"},
    {&TTexts::ColumnMove, "ColumnMove"},
    {&TTexts::ColumnSum, "ColumnSum"},
    {&TTexts::QuantityCaption, "QuantityCaption"},
    {&TTexts::RestCaption, "RestCaption"},
    {&TTexts::CostTooHigh, "CostTooHigh"},
    {&TTexts::NotEnoughGoods, "NotEnoughGoods"},
    {&TTexts::PriceCaption, "PriceCaption"},
    {&TTexts::PriceTooHigh, "PriceTooHigh"},
    {&TTexts::TextNotStorable, "TextNotStorable"},
    {&TTexts::SumCalculationCaption, "SumCalculationCaption"},
    {&TTexts::TotalTooHigh, "TotalTooHigh"},
    {&TTexts::RemoveCaption, "RemoveCaption"},
    {&TTexts::RemoveGoodsQuestionStart, "RemoveGoodsQuestionStart"},
    {&TTexts::RemoveGoodsQuestionEnd, "RemoveGoodsQuestionEnd"},
    {&TTexts::RemoveMoveQuestion, "RemoveMoveQuestion"},
    {&TTexts::CannotRemoveMove, "CannotRemoveMove"},
    {&TTexts::BackupCaption, "BackupCaption"},
    {&TTexts::BackupFolderPrompt, "BackupFolderPrompt"},
    {&TTexts::BackupDone, "BackupDone"},
    {&TTexts::BackupFailed, "BackupFailed"},
    {&TTexts::RestoreCaption, "RestoreCaption"},
    {&TTexts::RestoreFolderPrompt, "RestoreFolderPrompt"},
    {&TTexts::RestoreDone, "RestoreDone"},
    {&TTexts::RestoreFailed, "RestoreFailed"},
    {&TTexts::IncorrectPassword, "IncorrectPassword"},
    {&TTexts::IncorrectOldPassword, "IncorrectOldPassword"},
    {&TTexts::NewPasswordMismatch, "NewPasswordMismatch"},
    {&TTexts::NewPasswordNotSaved, "NewPasswordNotSaved"},
    {&TTexts::InvalidDate, "InvalidDate"},
    {&TTexts::EscRestoresSystemDate, "EscRestoresSystemDate"},
    {&TTexts::VersionPrefix, "VersionPrefix"},
    {&TTexts::YesCaption, "YesCaption"},
    {&TTexts::NoCaption, "NoCaption"},
    {&TTexts::RemoveGoodsHint, "RemoveGoodsHint"},
    {&TTexts::KeepGoodsHint, "KeepGoodsHint"},
    {&TTexts::RemoveMoveHint, "RemoveMoveHint"},
    {&TTexts::KeepMoveHint, "KeepMoveHint"},
    {&TTexts::LayoutInstallCaption, "LayoutInstallCaption"},
    {&TTexts::LayoutInstallQuestion, "LayoutInstallQuestion"},
    {&TTexts::LayoutInstallYesHint, "LayoutInstallYesHint"},
    {&TTexts::LayoutInstallNoHint, "LayoutInstallNoHint"},
    {&TTexts::NewVersionNote, "NewVersionNote"},
    {&TTexts::SupportMailSubject, "SupportMailSubject"},
    {&TTexts::SupportMailBody, "SupportMailBody"},
    {&TTexts::SendingMessageCaption, "SendingMessageCaption"},
    {&TTexts::MailClientError, "MailClientError"},
    {&TTexts::PageCounter, "PageCounter"},
    {&TTexts::PageTooSmall, "PageTooSmall"},
    {&TTexts::AboutCaption, "AboutCaption"},
    {&TTexts::AboutCloseHint, "AboutCloseHint"},
    {&TTexts::VisitPageHint, "VisitPageHint"},
    {&TTexts::ContactSupportHint, "ContactSupportHint"},
    {&TTexts::LoginCaption, "LoginCaption"},
    {&TTexts::LoginCancelCaption, "LoginCancelCaption"},
    {&TTexts::EnterPasswordLabel, "EnterPasswordLabel"},
    {&TTexts::PassChangeCaption, "PassChangeCaption"},
    {&TTexts::PassChangeCancelCaption, "PassChangeCancelCaption"},
    {&TTexts::PassChangeCancelHint, "PassChangeCancelHint"},
    {&TTexts::PassChangeOkHint, "PassChangeOkHint"},
    {&TTexts::NewPasswordLabel, "NewPasswordLabel"},
    {&TTexts::NewPasswordAgainLabel, "NewPasswordAgainLabel"},
    {&TTexts::OldPasswordLabel, "OldPasswordLabel"},
    {&TTexts::DateChangeCaption, "DateChangeCaption"},
    {&TTexts::DateChangeCancelCaption, "DateChangeCancelCaption"},
    {&TTexts::DateChangeCancelHint, "DateChangeCancelHint"},
    {&TTexts::DateChangeOkHint, "DateChangeOkHint"},
    {&TTexts::WorkDateLabel, "WorkDateLabel"},
    {&TTexts::DateChangeWarning, "DateChangeWarning"},
    {&TTexts::StatCaption, "StatCaption"},
    {&TTexts::StatCloseHint, "StatCloseHint"},
    {&TTexts::StatNamesLabel, "StatNamesLabel"},
    {&TTexts::StatPacksLabel, "StatPacksLabel"},
    {&TTexts::StatCostLabel, "StatCostLabel"},
    {&TTexts::StatQuantityLabel, "StatQuantityLabel"},
    {&TTexts::ActEditCutCaption, "ActEditCutCaption"},
    {&TTexts::ActEditCutHint, "ActEditCutHint"},
    {&TTexts::ActEditCopyCaption, "ActEditCopyCaption"},
    {&TTexts::ActEditCopyHint, "ActEditCopyHint"},
    {&TTexts::ActEditPasteCaption, "ActEditPasteCaption"},
    {&TTexts::ActEditPasteHint, "ActEditPasteHint"},
    {&TTexts::ActEditSelectAllCaption, "ActEditSelectAllCaption"},
    {&TTexts::ActEditSelectAllHint, "ActEditSelectAllHint"},
    {&TTexts::ActEditUndoCaption, "ActEditUndoCaption"},
    {&TTexts::ActEditUndoHint, "ActEditUndoHint"},
    {&TTexts::ActEditDeleteCaption, "ActEditDeleteCaption"},
    {&TTexts::ActEditDeleteHint, "ActEditDeleteHint"},
    {&TTexts::ActRestoreBaseCaption, "ActRestoreBaseCaption"},
    {&TTexts::ActRestoreBaseHint, "ActRestoreBaseHint"},
    {&TTexts::ActSaveAsCaption, "ActSaveAsCaption"},
    {&TTexts::ActSaveAsHint, "ActSaveAsHint"},
    {&TTexts::ActPrinterCaption, "ActPrinterCaption"},
    {&TTexts::ActPrinterHint, "ActPrinterHint"},
    {&TTexts::ActExitCaption, "ActExitCaption"},
    {&TTexts::ActExitHint, "ActExitHint"},
    {&TTexts::ActChangePassCaption, "ActChangePassCaption"},
    {&TTexts::ActChangePassHint, "ActChangePassHint"},
    {&TTexts::ActChangeDateCaption, "ActChangeDateCaption"},
    {&TTexts::ActChangeDateHint, "ActChangeDateHint"},
    {&TTexts::ActNotebookCaption, "ActNotebookCaption"},
    {&TTexts::ActNotebookHint, "ActNotebookHint"},
    {&TTexts::ActAutogenCaption, "ActAutogenCaption"},
    {&TTexts::ActAutogenHint, "ActAutogenHint"},
    {&TTexts::ActAboutCaption, "ActAboutCaption"},
    {&TTexts::ActAboutHint, "ActAboutHint"},
    {&TTexts::ActHelpCaption, "ActHelpCaption"},
    {&TTexts::ActHelpHint, "ActHelpHint"},
    {&TTexts::ActSelectRusLangCaption, "ActSelectRusLangCaption"},
    {&TTexts::ActSelectRusLangHint, "ActSelectRusLangHint"},
    {&TTexts::ActSelectUkrLangCaption, "ActSelectUkrLangCaption"},
    {&TTexts::ActSelectUkrLangHint, "ActSelectUkrLangHint"},
    {&TTexts::ActSelectEngLangCaption, "ActSelectEngLangCaption"},
    {&TTexts::ActSelectEngLangHint, "ActSelectEngLangHint"},
    {&TTexts::ActPostCaption, "ActPostCaption"},
    {&TTexts::ActPostHint, "ActPostHint"},
    {&TTexts::ActCancelCaption, "ActCancelCaption"},
    {&TTexts::ActCancelHint, "ActCancelHint"},
    {&TTexts::ActSearchEndCaption, "ActSearchEndCaption"},
    {&TTexts::ActSearchEndHint, "ActSearchEndHint"},
    {&TTexts::PriceListCaption, "PriceListCaption"},
    {&TTexts::PriceListHint, "PriceListHint"},
    {&TTexts::ActStatCaption, "ActStatCaption"},
    {&TTexts::ActStatHint, "ActStatHint"},
    {&TTexts::ActInsertCaption, "ActInsertCaption"},
    {&TTexts::ActInsertHint, "ActInsertHint"},
    {&TTexts::ActEditCaption, "ActEditCaption"},
    {&TTexts::ActEditHint, "ActEditHint"},
    {&TTexts::ActDeleteCaption, "ActDeleteCaption"},
    {&TTexts::ActDeleteHint, "ActDeleteHint"},
    {&TTexts::ActAddCaption, "ActAddCaption"},
    {&TTexts::ActAddHint, "ActAddHint"},
    {&TTexts::ActDedCaption, "ActDedCaption"},
    {&TTexts::ActDedHint, "ActDedHint"},
    {&TTexts::ActSearchCaption, "ActSearchCaption"},
    {&TTexts::ActSearchHint, "ActSearchHint"},
    {&TTexts::ActSortCaption, "ActSortCaption"},
    {&TTexts::ActSortHint, "ActSortHint"},
    {&TTexts::ActMovDelCaption, "ActMovDelCaption"},
    {&TTexts::ActMovDelHint, "ActMovDelHint"},
    {&TTexts::ActMovEditCaption, "ActMovEditCaption"},
    {&TTexts::ActMovEditHint, "ActMovEditHint"},
    {&TTexts::MenuFileCaption, "MenuFileCaption"},
    {&TTexts::MenuFileHint, "MenuFileHint"},
    {&TTexts::MenuProductCaption, "MenuProductCaption"},
    {&TTexts::MenuProductHint, "MenuProductHint"},
    {&TTexts::MenuReportCaption, "MenuReportCaption"},
    {&TTexts::MenuReportHint, "MenuReportHint"},
    {&TTexts::MenuHelpCaption, "MenuHelpCaption"},
    {&TTexts::MenuHelpHint, "MenuHelpHint"},
    {&TTexts::MenuLangCaption, "MenuLangCaption"},
    {&TTexts::MenuLangHint, "MenuLangHint"},
    {&TTexts::MenuExportCaption, "MenuExportCaption"},
    {&TTexts::MenuExportHint, "MenuExportHint"},
    {&TTexts::MenuImportCaption, "MenuImportCaption"},
    {&TTexts::MenuImportHint, "MenuImportHint"},
    {&TTexts::LbCodeCaption, "LbCodeCaption"},
    {&TTexts::LbCostCaption, "LbCostCaption"},
    {&TTexts::LbCostNoteCaption, "LbCostNoteCaption"},
    {&TTexts::LbMovesCaption, "LbMovesCaption"},
    {&TTexts::LbNameCaption, "LbNameCaption"},
    {&TTexts::NoteLabelCaption, "NoteLabelCaption"},
    {&TTexts::LbPCountCaption, "LbPCountCaption"},
    {&TTexts::LbPCountNoteCaption, "LbPCountNoteCaption"},
    {&TTexts::SumLabelCaption, "SumLabelCaption"},
    {&TTexts::LbWeightCaption, "LbWeightCaption"},
    {&TTexts::LbWeightNoteCaption, "LbWeightNoteCaption"},
    {&TTexts::HelpPageAddress, "HelpPageAddress"},
};

const TLanguageTexts& LanguageTexts(std::uint8_t language) {
  switch (language) {
    case kLangRussian: return RussianLanguageTexts();
    case kLangUkrainian: return UkrainianLanguageTexts();
    case kLangEnglish: return EnglishLanguageTexts();
  }
  throw ERangeError();
}

template <class Row>
std::array<Row, kLanguageCount> BuildTable(Row TLanguageTexts::*row) {
  return {LanguageTexts(kLangRussian).*row, LanguageTexts(kLangUkrainian).*row, LanguageTexts(kLangEnglish).*row};
}

template <class Row>
const std::string& TableEntry(const std::array<Row, kLanguageCount>& table, std::uint8_t language, std::uint8_t entry) {
  if (language >= table.size() || entry >= table[language].size()) throw ERangeError();
  return table[language][entry];
}

// Russian and Ukrainian write dates day first with dots, English month first
// with slashes; "/" in the short format stands for the date separator.
void LoadLanguage(std::uint8_t language, char dateSeparator, const char* shortDateFormat) {
  const TLanguageTexts& unit = LanguageTexts(language);
  ProgTexts = unit.Texts;
  CurrentLanguage = language;
  ProgFormatSettings.DateSeparator = dateSeparator;
  ProgFormatSettings.TimeSeparator = ':';
  ProgFormatSettings.ShortDateFormat = shortDateFormat;
  ProgFormatSettings.LongMonthNames = unit.MonthNames;
  ModeNames = unit.ModeNames;
  ProductPageAddress = unit.ProductPageAddress;
}

}  // namespace

const std::array<TCsvExportRow, kLanguageCount> CsvExportTexts = BuildTable(&TLanguageTexts::CsvExportTexts);
const std::array<TTxtExportRow, kLanguageCount> TxtExportTexts = BuildTable(&TLanguageTexts::TxtExportTexts);
const std::array<TCsvImportRow, kLanguageCount> CsvImportTexts = BuildTable(&TLanguageTexts::CsvImportTexts);
const std::array<TListReportRow, kLanguageCount> ListReportTexts = BuildTable(&TLanguageTexts::ListReportTexts);

std::span<const TTextField> TextFields() { return kTextFields; }

void LoadRussianTexts() { LoadLanguage(kLangRussian, '.', "dd/mm/yyyy"); }
void LoadUkrainianTexts() { LoadLanguage(kLangUkrainian, '.', "dd/mm/yyyy"); }
void LoadEnglishTexts() { LoadLanguage(kLangEnglish, '/', "mm/dd/yyyy"); }

void LoadLanguageTexts(std::uint8_t language) {
  if (language == kLangRussian) {
    LoadRussianTexts();
  } else if (language == kLangUkrainian) {
    LoadUkrainianTexts();
  } else {
    LoadEnglishTexts();
  }
}

void UnloadTexts() {
  ProgTexts = TTexts{};
  CurrentLanguage = kLangRussian;
  ProgFormatSettings = TFormatSettings{};
  ModeNames = {};
  ProductPageAddress.clear();
}

std::string FormatLongDateTime(TDateTime value) {
  return FormatDateTime(" dd mmmm yyyy, hh:nn:ss ", value, ProgFormatSettings);
}

std::string FormatTimeOnly(TDateTime value) { return FormatDateTime(" hh:nn:ss ", value, ProgFormatSettings); }

const std::string& GetCsvExportText(std::uint8_t entry) { return TableEntry(CsvExportTexts, CurrentLanguage, entry); }
const std::string& GetTxtExportText(std::uint8_t entry) { return TableEntry(TxtExportTexts, CurrentLanguage, entry); }
const std::string& GetCsvImportText(std::uint8_t entry) { return TableEntry(CsvImportTexts, CurrentLanguage, entry); }
const std::string& GetListReportText(std::uint8_t entry) { return TableEntry(ListReportTexts, CurrentLanguage, entry); }

const std::string& GetCsvExportLangText(std::uint8_t language, std::uint8_t entry) {
  return TableEntry(CsvExportTexts, language, entry);
}

}  // namespace vk
