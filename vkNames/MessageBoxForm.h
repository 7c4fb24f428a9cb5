#pragma once
// The program's message box: every message, question and error of the main
// program goes through it instead of the system's box. It carries the
// program's bottom band, takes its button captions and hints from the caller
// (so they follow the current language) and tells which button ended it.
// Windows only; the flag rules and the path wrapping are in MessageBoxRules.h.

#include <string>

#include "Gui/ExtCtrls.h"
#include "Gui/StdCtrls.h"
#include "Tools/Service/GlassGradienterBand.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {

class TFormMessageBox : public TBandForm {
 public:
  // The first box made while there is none becomes FormMessageBox.
  TFormMessageBox();
  ~TFormMessageBox() override;

  std::string ClassName() const override { return "TFormMessageBox"; }

  // Sets the box up for one call and shows it modally; the modal result.
  int Execute(const std::string& text, const std::string& caption, int flags, const std::string& firstCaption,
              const std::string& firstHint, const std::string& secondCaption, const std::string& secondHint);

  gui::TLabel LbQuery{this};
  gui::TImage ImageIcon{this};
  gui::TButton Btn1{this};
  gui::TButton Btn2{this};
};

// The box made at start-up and used by every call; null before it is made.
extern TFormMessageBox* FormMessageBox;

// Shows the box; 1 when the first (or only) button ended it, 2 when the
// second, Esc in a two-button box or the close box did. While the box is
// already showing (an error reported from inside it, a timer's error), the
// call opens a second box of its own instead of taking over the open one.
int ShowMessageBox(const std::string& text, const std::string& caption, int flags, const std::string& firstCaption,
                   const std::string& firstHint, const std::string& secondCaption, const std::string& secondHint);

// The path broken into lines that fit the box's text in its font; asserts
// that the box exists.
std::string WrapPathLines(const std::string& path);
// The width of a text in the box's font and the width of its text area, in
// pixels; both assert that the box exists.
int MessageTextWidth(const std::string& text);
int MessageTextAreaWidth();
// The lines of the box's font its text area holds.
int MessageTextAreaLines();

}  // namespace vk
