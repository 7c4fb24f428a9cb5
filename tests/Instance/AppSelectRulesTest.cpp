#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Source/AppSelectRules.h"

namespace vk::test {
namespace {

TEST(InstanceSearchRules, ProgramTitleIsThePrefixAndTheFolderWithoutDelimiter) {
  EXPECT_EQ(MakeProgramTitle("C:\\Vorkel\\"), "Vorkel - C:\\Vorkel");
  EXPECT_EQ(MakeProgramTitle("C:\\Vorkel"), "Vorkel - C:\\Vorkel");
  EXPECT_EQ(MakeProgramTitle("D:\\Склад\\"), "Vorkel - D:\\Склад");
}

TEST(InstanceSearchRules, NamesMatchOnlyOverTheirWholeLengthIgnoringCase) {
  struct Case {
    const char* buffer;
    const char* name;
    bool matches;
  } cases[] = {
      {"TApplication", "TApplication", true},
      {"tapplication", "TApplication", true},
      {"Vorkel - C:\\VORKEL", "Vorkel - C:\\Vorkel", true},
      {"Vorkel - D:\\СКЛАД", "Vorkel - D:\\склад", true},
      {"Vorkel - D:\\ЁЖИК", "Vorkel - D:\\ёжик", true},
      {"Vorkel - C:\\Vorkel2", "Vorkel - C:\\Vorkel", false},  // another folder's program
      {"Vorkel - C:\\Vork", "Vorkel - C:\\Vorkel", false},
      {"", "TApplication", false},
      {"TApplicatioN ", "TApplication", false},
      {"Vorkel - C:\\Vorkel", "Vorkel - C:\\Vorkal", false},
      // Letters beyond the basic alphabets, in two cases.
      {"Vorkel - D:\\ҐАНОК", "Vorkel - D:\\ґанок", true},
      {"Vorkel - D:\\ЇЖАК ЄВГЕН", "Vorkel - D:\\їжак євген", true},
      {"Vorkel - D:\\ŁÓDŹ", "Vorkel - D:\\łódź", true},
      {"Vorkel - D:\\ΑΠΟΘΗΚΗ", "Vorkel - D:\\αποθηκη", true},
      {"Vorkel - D:\\ҐАНОК", "Vorkel - D:\\ганок", false},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchesName(c.buffer, c.name), c.matches) << c.buffer << " / " << c.name;
}

// A desktop of windows for the search: class, caption and thread of each.
struct FakeWindow {
  std::string className;
  std::string caption;
  uint32_t thread;
};

class FakeDesktop {
 public:
  explicit FakeDesktop(std::vector<FakeWindow> windows) : windows_(std::move(windows)) {}

  // Runs one search over the windows in order; the result as an index + 1.
  size_t Search(const std::string& caption) {
    TInstanceSearch search(caption, "TApplication", {"TMainFormStore", "TFormPass"},
                           {[this](TInstanceSearch::Window w) {
                              captionsRead.push_back(w);
                              return windows_[w - 1].caption;
                            },
                            [this](TInstanceSearch::Window w) { return windows_[w - 1].thread; }});
    for (size_t i = 0; i < windows_.size(); ++i) search.Visit(i + 1, windows_[i].className);
    return search.Result();
  }

  std::vector<TInstanceSearch::Window> captionsRead;

 private:
  std::vector<FakeWindow> windows_;
};

TEST(InstanceSearchRules, SearchFindsTheFirstFormOnTheThreadOfTheTitledApplicationWindow) {
  const std::string title = "Vorkel - C:\\Vorkel";
  struct Case {
    const char* name;
    std::vector<FakeWindow> windows;
    size_t expected;
  } cases[] = {
      {"main window found", {{"TApplication", title, 7}, {"TMainFormStore", title, 7}}, 2},
      {"form met before the application window",
       {{"TFormPass", "Password", 7}, {"TApplication", title, 7}, {"TMainFormStore", title, 7}},
       1},
      {"another program's main window is ignored",
       {{"TMainFormStore", title, 9}, {"TApplication", title, 7}, {"TFormPass", "Password", 7}},
       3},
      {"another folder's program is never found",
       {{"TApplication", title + "2", 7}, {"TMainFormStore", title + "2", 7}},
       0},
      {"no application window", {{"TMainFormStore", title, 7}}, 0},
      {"application window without a form", {{"TApplication", title, 7}, {"TFormStat", "Totals", 7}}, 0},
      {"class names ignore case", {{"tapplication", title, 7}, {"TMAINFORMSTORE", title, 7}}, 2},
      // Class names are read as long as the longest sought one (14 characters).
      {"a longer class name counts by its first characters",
       {{"TApplication", title, 7}, {"TMainFormStoreX", title, 7}},
       2},
      {"a longer application class name within the read length does not match",
       {{"TApplicationX", title, 7}, {"TMainFormStore", title, 7}},
       0},
      {"shorter class names never match", {{"TApplicatio", title, 7}, {"TMainFormStor", title, 7}}, 0},
      {"an application window is never a candidate",
       {{"TApplication", title, 7}, {"TApplication", "Vorkel - D:\\Other", 7}},
       0},
  };
  for (const Case& c : cases) {
    FakeDesktop desktop(c.windows);
    EXPECT_EQ(desktop.Search(title), c.expected) << c.name;
  }
}

TEST(InstanceSearchRules, CaptionsAreReadOnlyForApplicationWindows) {
  FakeDesktop desktop({{"TMainFormStore", "x", 1}, {"TApplication", "y", 1}, {"Edit", "z", 1}});
  desktop.Search("Vorkel - C:\\Vorkel");
  EXPECT_EQ(desktop.captionsRead, std::vector<TInstanceSearch::Window>{2});
}

TEST(InstanceSearchRules, EverySearchStartsAfresh) {
  const std::string title = "Vorkel - C:\\Vorkel";
  FakeDesktop first({{"TApplication", title, 7}, {"TMainFormStore", title, 7}});
  EXPECT_EQ(first.Search(title), 2u);
  FakeDesktop second({{"TMainFormStore", title, 7}});
  EXPECT_EQ(second.Search(title), 0u);
  EXPECT_EQ(first.Search(title + "2"), 0u);
}

}  // namespace
}  // namespace vk::test
