#pragma once
// Exports and the import over a store in memory: a host that answers the file
// dialog and records the programs started, a message box that records what
// it shows and answers from a script, and goods that meet the hard cases of
// the CSV rules (leading zeros, Cyrillic, separators and quotes inside names,
// names a spreadsheet would take for formulas).

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <tuple>
#include <vector>

#include "Core/Utf8.h"
#include "Platform/fake/MemoryFileSystem.h"
#include "Source/EximRepCsvStr.h"
#include "Source/EximRepHost.h"
#include "Source/StoreData.h"
#include "Tools/Service/TextConst.h"
#include "tests/Store/StoreFixture.h"
#include "vkNames/MessageBoxCall.h"
#include "vkNames/MessageBoxRules.h"

namespace vk::testing {

// A dialog the host was asked to show.
struct DialogCall {
  std::string ProposedName, Filter, DefaultExt, Title, InitialDir;
  bool Save;
};

class ScriptedHost : public TExImHost {
 public:
  bool PromptForFileName(std::string& fileName, const std::string& filter, const std::string& defaultExt,
                         const std::string& title, const std::string& initialDir, bool saveDialog) override {
    dialogs.push_back({fileName, filter, defaultExt, title, initialDir, saveDialog});
    if (!confirm) return false;
    fileName = chosen.empty() ? initialDir + "/" + fileName : chosen;
    return true;
  }
  void StartProgram(const std::string& program, const std::string& file) override {
    started.emplace_back(program, file);
  }
  // Seven pixels a character, a text area of 50 characters.
  int MessageTextWidth(const std::string& text) override { return 7 * Utf8Length(text); }
  int MessageTextAreaWidth() override { return 350; }
  int MessageTextAreaLines() override { return 6; }
  std::uint32_t StoredLanguage() override { return language; }
  std::uint32_t SystemAnsiCodePage() override { return ansiCodePage; }
  TSeparatorQueries Separators() override {
    if (useLocale) return SystemSeparatorQueries();
    return {[this] { return list; }, [this] { return decimal; }};
  }

  void UseSeparators(const std::string& listSeparator, const std::string& decimalMark) {
    useLocale = false;
    list = listSeparator;
    decimal = decimalMark;
  }

  bool confirm = true;
  std::string chosen;  // the path the user picks; empty: the proposed name in the folder
  std::vector<DialogCall> dialogs;
  std::vector<std::pair<std::string, std::string>> started;
  std::uint32_t language = kLangEnglish;
  std::uint32_t ansiCodePage = 1251;
  bool useLocale = false;
  std::string list = ";", decimal = ",";
};

struct ShownBox {
  std::string Text, Caption;
  int Flags;
  std::string First, FirstHint, Second, SecondHint;
};

// Puts a recorder in the place of the program's message box while it lives;
// it answers from the script, then 1.
class BoxRecorder {
 public:
  BoxRecorder() {
    previous_ = SetProgramMessageBox([this](const std::string& text, const std::string& caption, int flags,
                                            const std::string& first, const std::string& firstHint,
                                            const std::string& second, const std::string& secondHint) {
      boxes.push_back({text, caption, flags, first, firstHint, second, secondHint});
      if (answers.empty()) return 1;
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    });
  }
  ~BoxRecorder() { SetProgramMessageBox(previous_); }
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;

  std::vector<ShownBox> boxes;
  std::deque<int> answers;

 private:
  TMessageBoxCall previous_;
};

// One product as the tests enter it and read it back.
struct Goods {
  std::string Code, Name, Price, Quantity, Packs;
  auto Key() const { return std::tie(Name, Code, Price, Quantity, Packs); }
  bool operator==(const Goods& o) const { return Key() == o.Key(); }
  bool operator<(const Goods& o) const { return Key() < o.Key(); }
};

inline void PrintTo(const Goods& g, std::ostream* os) {
  *os << "{" << g.Code << "|" << g.Name << "|" << g.Price << "|" << g.Quantity << "|" << g.Packs << "}";
}

// Names that test the field rules; each fits the 40 bytes of the name field
// in code page 1251.
inline const std::vector<std::string>& HardNames() {
  static const std::vector<std::string> names = {
      "Болт; оцинкованный",
      "Гайка, \"М8\"",
      "=SUM(A1:A9)",
      "+7 (495) 000-00-00",
      "-20% скидка",
      "@home",
      "\"",
      "\"\"",
      "=\"x\"",
      "'кавычка",
      " пробел впереди",
      "Шуруп \"саморез\"; 4,2",
      "1234567890123456789012345678901234567890",
      "Ёлка ёжик Їжак Ґанок",
      "Tab\tinside",
      "",
  };
  return names;
}

// The goods of a test store: the hard names first, then plain ones up to
// count, with codes that keep leading zeros, prices with groups, quantities
// with decimals and packs from 0.
inline std::vector<Goods> MakeGoods(int count) {
  std::vector<Goods> goods;
  static const char* const kPlain[] = {"Молоко", "Хлеб", "Сыр", "Яблоки", "Гречка", "Чай", "Соль", "Mёд", "Nails"};
  for (int i = 0; i < count; ++i) {
    Goods g;
    g.Code = std::string(i % 3 == 0 ? "00" : "") + std::to_string(7 + i * 13 % 9000);
    g.Name = i < static_cast<int>(HardNames().size()) ? HardNames()[static_cast<size_t>(i)]
                                                      : std::string(kPlain[i % 9]) + " " + std::to_string(i);
    g.Price = std::to_string(1 + i * 1597 % 25000) + "." + (i % 2 ? "25" : "00");
    g.Quantity = std::to_string(i % 11) + "." + std::to_string(10 + i % 90);
    g.Packs = std::to_string(i % 7);
    goods.push_back(g);
  }
  return goods;
}

// The store's goods in the current order, as display texts.
inline std::vector<Goods> ReadGoods(TStore& store) {
  std::vector<Goods> goods;
  TTableStore& g = store.Goods();
  for (g.First(); !g.Eof(); g.Next()) {
    goods.push_back({g.Code.GetAsString(), g.Name.GetAsString(), g.Cost.GetAsString(), g.Weight.GetAsString(),
                     g.PCount.GetAsString()});
  }
  return goods;
}

inline std::vector<Goods> Sorted(std::vector<Goods> goods) {
  std::sort(goods.begin(), goods.end());
  return goods;
}

inline std::string Text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// A program folder with a store in memory, the English texts loaded.
class ExImTest : public ::testing::Test {
 protected:
  static constexpr char kFolder[] = "/vorkel/";

  void SetUp() override {
    LoadEnglishTexts();
    clock.now = At(2024, 3, 5, 14, 30);
    store.SetProgramFolder(kFolder);
    store.Open(true, "Data");
  }
  void TearDown() override {
    store.Close();
    UnloadTexts();
  }

  // Enters the goods in order, a day apart, ending on 5 March 2024.
  void Enter(TStore& into, const std::vector<Goods>& goods) {
    const TDateTime last = clock.now;
    for (size_t i = 0; i < goods.size(); ++i) {
      clock.now = last - static_cast<double>(goods.size() - 1 - i);
      const Goods& g = goods[i];
      into.AddGoods(g.Code, g.Name, g.Price, g.Quantity, g.Packs, "поставка");
    }
    clock.now = last;
  }

  std::string FileText(const std::string& path) {
    auto bytes = fs.Contents(path);
    EXPECT_TRUE(bytes.has_value()) << path;
    return bytes ? Text(*bytes) : std::string();
  }

  platform::MemoryFileSystem fs;
  FixedClock clock;
  TStore store{fs, clock.Clock()};
  ScriptedHost host;
  BoxRecorder recorder;
};

}  // namespace vk::testing
