#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "Core/SysUtils.h"
#include "Tools/Service/ProductAddresses.h"
#include "Tools/Service/TextConst.h"
#include "tests/Texts/TextTestSupport.h"

namespace vk {
namespace {

using testing::LanguageName;
using testing::LoadTexts;
using testing::TextsOf;

constexpr std::uint8_t kLanguages[] = {kLangRussian, kLangUkrainian, kLangEnglish};

bool IsPanelNote(const TTextField& field) {
  return field.Member == &TTexts::LbCostNoteCaption || field.Member == &TTexts::LbPCountNoteCaption ||
         field.Member == &TTexts::LbWeightNoteCaption;
}

TEST(TextFields, ListEveryMemberOnceInDeclarationOrder) {
  auto fields = TextFields();
  ASSERT_EQ(sizeof(TTexts), fields.size() * sizeof(std::string)) << "a member is missing from the field list";
  TTexts texts;
  std::set<std::string> names;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const auto* at = reinterpret_cast<const char*>(&(texts.*fields[i].Member));
    EXPECT_EQ(at, reinterpret_cast<const char*>(&texts) + i * sizeof(std::string)) << fields[i].Name;
    EXPECT_TRUE(names.insert(fields[i].Name).second) << "twice: " << fields[i].Name;
  }
}

TEST(Texts, EveryLanguageHasEveryTextAndOnlyTheNotesAreQuestionMarks) {
  for (auto language : kLanguages) {
    TTexts texts = TextsOf(language);
    for (const auto& field : TextFields()) {
      const std::string& text = texts.*field.Member;
      EXPECT_FALSE(text.empty()) << LanguageName(language) << " " << field.Name;
      if (IsPanelNote(field))
        EXPECT_EQ(text, "?") << LanguageName(language) << " " << field.Name;
      else
        EXPECT_NE(text, "?") << LanguageName(language) << " " << field.Name;
    }
  }
}

TEST(Texts, EnglishTextsKeepTheirOwnWording) {
  // Spelling and line breaks as the program has always shown them.
  struct Case {
    std::string TTexts::*member;
    const char* text;
  } cases[] = {
      {&TTexts::BackupError, "An error occured while backuping\r\nwarehouse files!"},
      {&TTexts::RestoreDone, "Data is successfuly restored from the folder"},
      {&TTexts::ActAutogenHint, "Turn on automatical product code generation"},
      {&TTexts::ActDeleteHint, "Delete product and it's movement"},
      {&TTexts::RemoveGoodsQuestionStart, "Remove product\r\n"},
      {&TTexts::RemoveGoodsQuestionEnd, "\r\nfrom warehouse\r\nand it's movement information?"},
      {&TTexts::VersionPrefix, "Version "},
      {&TTexts::PageCounter, "(page %0:d of %1:d)"},
      {&TTexts::TotalTooHigh,
       "Total sum for the warehouse is too high!\r\nThis software is designed for small-scale business!\r\nand does "
       "not operate with sums higher than 42'000'000.00"},
      {&TTexts::MailClientError,
       "Couldn't send the message to Support Service!\r\nA default mailing client\r\nmay not be installed on the "
       "system"},
      {&TTexts::InvalidDate, "Invalid date entered.."},
      {&TTexts::ActSearchEndHint, "Stop the searching of product"},
  };
  TTexts english = TextsOf(kLangEnglish);
  for (const auto& c : cases) EXPECT_EQ(english.*c.member, c.text);
}

TEST(Texts, EachLanguageNamesItsOwnKeyboardLayout) {
  struct Case {
    std::uint8_t language;
    const char* layout;
    const char* layoutWord;  // the language's layout as the install question names it
  } cases[] = {
      {kLangRussian, "00000419", "русск"},
      {kLangUkrainian, "00000422", "українськ"},
      {kLangEnglish, "00000409", "English"},
  };
  for (const auto& c : cases) {
    TTexts texts = TextsOf(c.language);
    EXPECT_EQ(texts.KeyboardLayoutId, c.layout);
    for (auto member : {&TTexts::LayoutInstallCaption, &TTexts::LayoutInstallYesHint, &TTexts::LayoutInstallNoHint})
      EXPECT_NE((texts.*member).find(c.layoutWord), std::string::npos) << texts.*member;
  }
}

TEST(TextLoaders, SetLanguageModeNamesAndAddressOfTheirLanguage) {
  struct Case {
    std::uint8_t language;
    const char* browseMode;
    const char* busyMode;
    std::size_t addressBytes;
  } cases[] = {
      {kLangRussian, "Просмотр товара", "Работа с данными склада", 35},
      {kLangUkrainian, "Перегляд товару", "Робота з даними складу", 45},
      {kLangEnglish, "Products review", "Warehouse data operation", 45},
  };
  for (const auto& c : cases) {
    LoadTexts(c.language);
    EXPECT_EQ(CurrentLanguage, c.language);
    EXPECT_EQ(ModeNames[0], c.browseMode);
    EXPECT_EQ(ModeNames[9], c.busyMode);
    std::set<std::string> distinct(ModeNames.begin(), ModeNames.end());
    EXPECT_EQ(distinct.size(), ModeNames.size());
    EXPECT_FALSE(distinct.contains(""));
    EXPECT_EQ(ProductPageAddress.size(), c.addressBytes);
    EXPECT_TRUE(UnscrambleAddress(ProductPageAddress).starts_with("http://www.vorkel.example/"));
  }
  UnloadTexts();
}

TEST(TextLoaders, UnloadLeavesNothingButRussianTableLookups) {
  LoadEnglishTexts();
  UnloadTexts();
  EXPECT_EQ(CurrentLanguage, kLangRussian);
  EXPECT_EQ(ProgTexts, TTexts{});
  EXPECT_TRUE(ProductPageAddress.empty());
  for (const auto& name : ModeNames) EXPECT_TRUE(name.empty());
  EXPECT_EQ(ProgFormatSettings.DateSeparator, 0);
  EXPECT_TRUE(ProgFormatSettings.ShortDateFormat.empty());
  EXPECT_EQ(GetCsvExportText(3), "Код");
  EXPECT_EQ(GetListReportText(4), "Всего наименований: ");
}

TEST(TextTables, LookupsFollowTheLoadedLanguage) {
  struct Case {
    std::uint8_t language;
    const char *listSeparator, *decimalSeparator, *txtCaption, *importStop, *reportTitle;
  } cases[] = {
      {kLangRussian, ";", ",", "В файл .txt", "Остановить", "Остатки товара на складе"},
      {kLangUkrainian, ";", ",", "До файлу .txt", "Зупинити", "Залишки товару на складі"},
      {kLangEnglish, ",", ".", "To .txt file", "Stop", "Product rest in warehouse"},
  };
  for (const auto& c : cases) {
    LoadTexts(c.language);
    EXPECT_EQ(GetCsvExportText(13), c.listSeparator) << LanguageName(c.language);
    EXPECT_EQ(GetCsvExportText(14), c.decimalSeparator) << LanguageName(c.language);
    EXPECT_EQ(GetTxtExportText(0), c.txtCaption);
    EXPECT_EQ(GetCsvImportText(12), c.importStop);
    EXPECT_EQ(GetListReportText(3), c.reportTitle);
    // Files of every language are recognised whatever language is loaded.
    EXPECT_EQ(GetCsvExportLangText(kLangEnglish, 3), "Code");
    EXPECT_EQ(GetCsvExportLangText(kLangRussian, 4), "Наименование");
    EXPECT_EQ(GetCsvExportLangText(kLangUkrainian, 7), "К-ть");
  }
  UnloadTexts();
}

TEST(TextTables, EveryEntryOfEveryLanguageIsFilled) {
  auto check = [](const auto& table, const char* name) {
    for (std::size_t language = 0; language < table.size(); ++language)
      for (std::size_t entry = 0; entry < table[language].size(); ++entry)
        EXPECT_FALSE(table[language][entry].empty()) << name << "[" << language << "][" << entry << "]";
  };
  check(CsvExportTexts, "CsvExportTexts");
  check(TxtExportTexts, "TxtExportTexts");
  check(CsvImportTexts, "CsvImportTexts");
  check(ListReportTexts, "ListReportTexts");
}

TEST(TextTables, EntriesBeyondATableAreRefused) {
  LoadEnglishTexts();
  EXPECT_NO_THROW(GetCsvExportText(14));
  EXPECT_THROW(GetCsvExportText(15), ERangeError);
  EXPECT_NO_THROW(GetTxtExportText(2));
  EXPECT_THROW(GetTxtExportText(3), ERangeError);
  EXPECT_NO_THROW(GetCsvImportText(14));
  EXPECT_THROW(GetCsvImportText(15), ERangeError);
  EXPECT_NO_THROW(GetListReportText(4));
  EXPECT_THROW(GetListReportText(5), ERangeError);
  EXPECT_THROW(GetCsvExportLangText(3, 0), ERangeError);
  UnloadTexts();
}

// Everything a loader decides, read back through the public globals.
struct LoadedState {
  std::uint8_t language;
  TTexts texts;
  std::vector<std::string> format;
  std::array<std::string, kEditModeCount> modes;
  std::vector<std::uint8_t> address;
  std::vector<std::string> tableLookups;
  bool operator==(const LoadedState&) const = default;
};

std::vector<std::string> FormatFields(const TFormatSettings& fs) {
  std::vector<std::string> out = {std::string(1, fs.DateSeparator),
                                  std::string(1, fs.TimeSeparator),
                                  fs.ShortDateFormat,
                                  fs.LongDateFormat,
                                  fs.ShortTimeFormat,
                                  fs.LongTimeFormat,
                                  fs.TimeAMString,
                                  fs.TimePMString};
  for (const auto* names : {&fs.ShortMonthNames, &fs.LongMonthNames})
    out.insert(out.end(), names->begin(), names->end());
  for (const auto* names : {&fs.ShortDayNames, &fs.LongDayNames}) out.insert(out.end(), names->begin(), names->end());
  return out;
}

LoadedState CaptureState() {
  LoadedState s{CurrentLanguage, ProgTexts, FormatFields(ProgFormatSettings), ModeNames, ProductPageAddress, {}};
  for (std::uint8_t e = 0; e < 15; ++e) s.tableLookups.push_back(GetCsvExportText(e));
  for (std::uint8_t e = 0; e < 3; ++e) s.tableLookups.push_back(GetTxtExportText(e));
  for (std::uint8_t e = 0; e < 15; ++e) s.tableLookups.push_back(GetCsvImportText(e));
  for (std::uint8_t e = 0; e < 5; ++e) s.tableLookups.push_back(GetListReportText(e));
  return s;
}

TEST(TextLoaders, SwitchingBackAndForthEqualsAFreshLoad) {
  LoadedState fresh[3];
  for (auto language : kLanguages) {
    UnloadTexts();
    LoadTexts(language);
    fresh[language] = CaptureState();
  }
  const std::vector<std::uint8_t> sequences[] = {
      {kLangEnglish, kLangRussian},
      {kLangRussian, kLangUkrainian, kLangEnglish, kLangUkrainian},
      {kLangUkrainian, kLangEnglish, kLangRussian, kLangEnglish, kLangRussian},
      {kLangEnglish, kLangEnglish, kLangUkrainian, kLangRussian, kLangUkrainian},
  };
  for (const auto& sequence : sequences) {
    for (auto language : sequence) LoadTexts(language);
    EXPECT_TRUE(CaptureState() == fresh[sequence.back()])
        << "after switching to " << LanguageName(sequence.back()) << " via " << sequence.size() << " loads";
  }
  EXPECT_FALSE(fresh[kLangRussian] == fresh[kLangUkrainian]);
  EXPECT_FALSE(fresh[kLangRussian] == fresh[kLangEnglish]);
  UnloadTexts();
}

}  // namespace
}  // namespace vk
