#include "vkNames/MessageBoxForm.h"

#include <algorithm>

#include "Core/SysUtils.h"
#include "Gui/GdiHandles.h"

namespace vk {

TFormMessageBox* FormMessageBox = nullptr;

namespace {

constexpr char kUnit[] = "vkNames\\MessageBoxForm";

void Apply(gui::TButton& button, const TMessageButtonSetup& setup) {
  button.SetCaption(setup.Caption);
  button.SetHint(setup.Hint);
  button.SetDefault(setup.Default);
  button.SetCancel(setup.Cancel);
  button.SetModalResult(setup.ModalResult);
  button.Show();
}

}  // namespace

TFormMessageBox::TFormMessageBox() {
  SetName("FormMessageBox");
  SetBorderStyle(gui::TFormBorderStyle::bsDialog);
  SetClientSize(364, 142);
  SetColor(gui::clWindow);
  PlaceBand();

  LbQuery.SetName("LbQuery");
  LbQuery.SetAutoSize(false);
  LbQuery.SetBounds(72, 8, 284, 86);
  LbQuery.SetAlignment(gui::TAlignment::taCenter);
  LbQuery.SetLayout(gui::TTextLayout::tlCenter);
  LbQuery.SetWordWrap(true);
  LbQuery.SetTransparent(true);

  ImageIcon.SetName("ImageIcon");
  ImageIcon.SetBounds(12, 24, 48, 48);
  ImageIcon.SetCenter(true);

  Btn1.SetName("Btn1");
  Btn1.SetBounds(190, 109, 80, 25);
  Btn1.SetAnchors(gui::akRight | gui::akBottom);
  Btn2.SetName("Btn2");
  Btn2.SetBounds(276, 108, 80, 25);
  Btn2.SetAnchors(gui::akRight | gui::akBottom);

  if (!FormMessageBox) FormMessageBox = this;
}

TFormMessageBox::~TFormMessageBox() {
  if (FormMessageBox == this) FormMessageBox = nullptr;
}

int TFormMessageBox::Execute(const std::string& text, const std::string& caption, int flags,
                             const std::string& firstCaption, const std::string& firstHint,
                             const std::string& secondCaption, const std::string& secondHint) {
  SetPosition(gui::TPosition::poMainFormCenter);
  LbQuery.SetCaption(text);
  SetCaption(caption);
  TMessageBoxButtons buttons = PlanMessageBoxButtons(flags, firstCaption, firstHint, secondCaption, secondHint);
  if (buttons.Btn1) {
    Apply(Btn1, *buttons.Btn1);
  } else {
    Btn1.Hide();
  }
  Apply(Btn2, buttons.Btn2);
  SetActiveControl(buttons.Btn1Focused ? static_cast<gui::TWinControl*>(&Btn1) : &Btn2);
  int icon = MessageBoxIconId(flags);
  ImageIcon.SetIcon(icon ? LoadIconW(/*module=*/nullptr, MAKEINTRESOURCEW(icon)) : nullptr);
  return ShowModal();
}

int ShowMessageBox(const std::string& text, const std::string& caption, int flags, const std::string& firstCaption,
                   const std::string& firstHint, const std::string& secondCaption, const std::string& secondHint) {
  if (FormMessageBox && !FormMessageBox->Modal() && !FormMessageBox->Visible()) {
    return FormMessageBox->Execute(text, caption, flags, firstCaption, firstHint, secondCaption, secondHint);
  }
  // The box is showing (or was never made): a box of its own for this call,
  // so the open one keeps its text and its caller gets its own answer.
  auto box = gui::MakeForm<TFormMessageBox>();
  return box->Execute(text, caption, flags, firstCaption, firstHint, secondCaption, secondHint);
}

std::string WrapPathLines(const std::string& path) {
  return WrapPathLines(path, MessageTextAreaWidth(), MessageTextWidth);
}

int MessageTextWidth(const std::string& text) {
  Assert(FormMessageBox != nullptr, "Not Assigned Message Box", kUnit);
  return gui::ScreenTextWidth(FormMessageBox->Font(), text);
}

int MessageTextAreaWidth() {
  Assert(FormMessageBox != nullptr, "Not Assigned Message Box", kUnit);
  return FormMessageBox->LbQuery.Width();
}

int MessageTextAreaLines() {
  Assert(FormMessageBox != nullptr, "Not Assigned Message Box", kUnit);
  const int line = gui::ScreenTextHeight(FormMessageBox->Font(), "Ag");
  return std::max(1, FormMessageBox->LbQuery.Height() / std::max(1, line));
}

}  // namespace vk
