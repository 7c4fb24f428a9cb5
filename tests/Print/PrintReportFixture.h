#pragma once
// A stock list report as the list report prints it (seven columns, weights
// 4 16 5 5 5 3 6), run through a print manager over recording printers, and
// the printed pages read back: header, footer, head, data and foot rows.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Core/DateTime.h"
#include "Source/Print.h"
#include "Tools/Service/TextConst.h"
#include "tests/Print/RecordingPrinter.h"

namespace vk::test {

inline const std::vector<int> kListWeights = {4, 16, 5, 5, 5, 3, 6};
inline const std::vector<TPrintAlignment> kListAlignments = {
    TPrintAlignment::Left,  TPrintAlignment::Left,  TPrintAlignment::Right, TPrintAlignment::Right,
    TPrintAlignment::Right, TPrintAlignment::Right, TPrintAlignment::Right};
inline const std::vector<std::string> kListCaptions = {"Code", "Name", "Price", "Date", "Qnt", "Pks", "Cost"};

// Goods names of a small shop, Cyrillic and Latin.
inline const char* const kGoodsNames[] = {
    "Сахар-песок",     "Rice basmati",   "Гречка ядрица",     "Olive oil extra virgin", "Мука пшеничная в/с",
    "Чай чёрный",      "Coffee beans",   "Їжак шоколадний",   "Соль йодированная",      "Pasta penne rigate",
    "Масло сливочное", "Tomato ketchup", "Цукерки «Ромашка»", "Green tea sencha",       "Крупа перловая"};

inline std::vector<std::string> GoodsRow(int index) {
  std::string code = std::to_string(100000 + index);
  std::string name = std::string(kGoodsNames[index % 15]) + " " + std::to_string(index);
  std::string price = std::to_string(1 + index % 97) + "'" + std::to_string(100 + index % 900) + ".50";
  return {code,
          name,
          price,
          "03/05/24",
          std::to_string(index * 3) + ".25",
          std::to_string(index % 40),
          std::to_string(index * 7) + ".00"};
}

inline std::vector<std::string> GoodsFoot(int rows) {
  return {"", "Names total: " + std::to_string(rows), "", "", "1'234.50", "77", "9'876.00"};
}

// 3 May 2024, 14:35:59.
inline TDateTime FixedNow() { return *TryEncodeDate(2024, 5, 3) + *TryEncodeTime(14, 35, 59, 0); }

// One printed page read back.
struct PageRows {
  const PrintedText* Footer = nullptr;
  std::vector<const PrintedText*> Header;
  // Table rows top to bottom, each its texts left to right.
  std::vector<std::vector<const PrintedText*>> Rows;
};

inline PageRows ReadPage(const PrintedPage& page, const TPageGeometry& g) {
  PageRows out;
  std::map<int, std::vector<const PrintedText*>> rows;
  for (const PrintedText& t : page.Texts) {
    if (t.Font.Italic && t.Rect.Top == g.BodyBottom()) {
      EXPECT_EQ(out.Footer, nullptr) << "two footers";
      out.Footer = &t;
    } else if (t.Font.Italic) {
      out.Header.push_back(&t);
    } else {
      rows[t.Rect.Top].push_back(&t);
    }
  }
  for (auto& [top, texts] : rows) out.Rows.push_back(texts);
  return out;
}

inline std::vector<std::string> TextsOf(const std::vector<const PrintedText*>& row) {
  std::vector<std::string> out;
  for (const PrintedText* t : row) out.push_back(t->Text);
  return out;
}

class PrintReportTest : public ::testing::Test {
 protected:
  void SetUp() override { LoadEnglishTexts(); }
  void TearDown() override { UnloadTexts(); }

  // A manager over printers of the given papers, the first one current.
  TPrintManager& MakeManager(std::vector<PaperSpec> papers) {
    auto printers = std::make_unique<RecordingPrinters>(std::move(papers));
    printers_ = printers.get();
    manager_ = std::make_unique<TPrintManager>(std::move(printers), FixedNow);
    return *manager_;
  }

  void PrintGoods(const std::string& title, int rows) {
    manager_->BeginReport(title);
    manager_->AddTable(kListCaptions, GoodsFoot(rows), rows, kListAlignments, kListWeights);
    for (int i = 0; i < rows; ++i) manager_->AddRow(GoodsRow(i));
    manager_->EndReport();
  }

  RecordingPrinters* printers_ = nullptr;
  std::unique_ptr<TPrintManager> manager_;
};

}  // namespace vk::test
