#include <gtest/gtest.h>

#include "Tools/Service/TextConst.h"

namespace vk {
namespace {

TEST(TextStartState, BeforeAnyLoaderTextsAreEmptyAndTablesAnswerInRussian) {
  EXPECT_EQ(CurrentLanguage, kLangRussian);
  for (const auto& field : TextFields()) EXPECT_TRUE((ProgTexts.*field.Member).empty()) << field.Name;
  for (const auto& name : ModeNames) EXPECT_TRUE(name.empty());
  EXPECT_TRUE(ProductPageAddress.empty());
  EXPECT_EQ(ProgFormatSettings.DateSeparator, 0);
  EXPECT_EQ(GetCsvExportText(0), "В файл .csv");
  EXPECT_EQ(GetCsvExportText(13), ";");
  EXPECT_EQ(GetCsvImportText(0), "Из файла .csv");
  EXPECT_EQ(GetTxtExportText(0), "В файл .txt");
  EXPECT_EQ(GetListReportText(0), "Список остатков");
}

}  // namespace
}  // namespace vk
