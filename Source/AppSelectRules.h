#pragma once
// Finding the running main program of one installation folder, apart from
// the window system: the program title, the comparison of window names and
// the choice among the windows the enumeration meets.
//
// A running program is found by its hidden application window (class
// "TApplication", caption the program title) and one of its forms of the
// sought classes on the same thread.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vk {

// The two window messages between the programs (wParam and lParam 0).
// Come to the front: the answer is the window the sender shall bring to the
// foreground, or 0.
inline constexpr unsigned WM_ACTIVATEINSTANCE = 1888;
// End the program: no answer (0).
inline constexpr unsigned WM_CLOSEINSTANCE = 1889;

inline constexpr char kProgramTitlePrefix[] = "Vorkel - ";

// "Vorkel - " and the folder without a trailing path delimiter.
std::string MakeProgramTitle(const std::string& programFolder);

// The name equals the sought one over its whole length, ignoring letter case
// as the system compares texts. A longer or shorter name never matches.
bool MatchesName(const std::string& buffer, const std::string& name);

// One search: fed the top-level windows in the order the enumeration meets
// them, it answers the first form of the sought classes that belongs to the
// thread of the application window with the sought caption.
class TInstanceSearch {
 public:
  using Window = std::uintptr_t;
  // What the search asks about a window, only when it needs to.
  struct Queries {
    std::function<std::string(Window)> Caption;
    std::function<std::uint32_t(Window)> ThreadId;
  };

  TInstanceSearch(std::string caption, std::string applicationClass, std::vector<std::string> formClasses,
                  Queries queries);

  // Class names are read this many characters long at most (the longest
  // sought class name), so a longer one counts by its first characters.
  size_t ClassNameLength() const { return classNameLength_; }

  void Visit(Window window, const std::string& className);
  // The form found; 0 when there is none.
  Window Result() const;

 private:
  std::string caption_;
  std::string applicationClass_;
  std::vector<std::string> formClasses_;
  Queries queries_;
  size_t classNameLength_ = 0;
  std::uint32_t foundThread_ = 0;
  std::vector<Window> candidates_;
};

}  // namespace vk
