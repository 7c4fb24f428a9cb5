#pragma once
// TForm: a top-level window of its own registered class, owned by the
// application's window. Modal showing, the dialog keys (Enter, Esc, Tab),
// positions, minimum size and the form events.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "Gui/ActnList.h"
#include "Gui/Controls.h"

namespace vk::gui {

class TMainMenu;
class TWinMenu;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };
// Where the form goes each time it is shown: where its bounds say, centred on
// the screen, or centred on the main form (on the screen when it is the main
// form or there is none).
enum class TPosition { poDesigned, poScreenCenter, poMainFormCenter };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

// Modal results.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrAbort = 3;
inline constexpr int mrRetry = 4;
inline constexpr int mrIgnore = 5;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;

// Limits of the window size (frame included); 0 = no limit.
struct TSizeConstraints {
  int MinWidth = 0;
  int MinHeight = 0;
  int MaxWidth = 0;
  int MaxHeight = 0;
};

class TForm : public TWinControl {
 public:
  // Client area 320 x 240, Tahoma height -11, hidden; the window is made on
  // first need (Application.CreateForm makes it at once).
  TForm();
  ~TForm() override;

  // The form class's name. Its windows are of the window class of this name,
  // by which other programs find them, so it is part of the program's interface.
  virtual std::string ClassName() const = 0;

  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
  void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }
  void SetClientSize(int width, int height);
  void SetBounds(int left, int top, int width, int height) override;

  // Takes effect when the window is made.
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TSizeConstraints Constraints;

  // The control that has (or gets, when the form is activated) the focus.
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  // The form is the thread's active window.
  bool Active() const;

  // Showing fires OnShow before the window appears, hiding OnHide after.
  void SetVisible(bool visible) override;
  // Asks the form to close: a modal form ends with mrCancel; another one asks
  // OnCloseQuery and OnClose and then hides (the main form ends the program).
  void Close();

  // Shows the form, disables the thread's other windows and runs the message
  // loop (with the application's hook) until the modal result is set and
  // OnCloseQuery lets the form close, or the application is terminated
  // (then mrCancel). Returns the modal result.
  int ShowModal();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  bool Modal() const { return modal_; }

  // The message loop offers each key-down here before dispatching it: Tab and
  // Shift+Tab move the focus among the tab stops, Enter presses the focused or
  // the default button, Esc the cancel button (without one, a modal form ends
  // with mrCancel). True when the key was used.
  bool DialogKey(const MSG& message);
  // Moves the focus to the next (or previous) tab stop after current.
  void SelectNext(TWinControl* current, bool forward);

  // The menu bar; takes effect at once, and before the window exists keeps
  // the client size. Not owned; null removes the bar.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  // The action lists whose shortcuts the form's keys run (not owned; a list
  // must outlive the form's window or be removed first).
  void AddActionList(TActionList* list);
  void RemoveActionList(TActionList* list);
  // A key pressed in the form as a command of its action lists, in the order
  // they were added; true when one ran.
  bool IsShortCut(TShortCut shortCut);

  // While one lives, the form's menu messages (the entries' hints) also
  // concern the context menu it shows.
  class ShownPopup {
   public:
    ShownPopup(TForm* form, TWinMenu* popup);
    ~ShownPopup();
    ShownPopup(const ShownPopup&) = delete;
    ShownPopup& operator=(const ShownPopup&) = delete;

   private:
    TForm* form_;
    TWinMenu* previous_;
  };

  // Fires OnDestroy once and destroys the window; the owner calls it before
  // deleting the form (FormPtr and Application.FreeForm do).
  void Destroying();

  std::function<void()> OnCreate;
  std::function<void()> OnActivate;
  std::function<void()> OnDeactivate;
  std::function<void()> OnDestroy;
  std::function<void()> OnResize;
  std::function<void()> OnShow;
  std::function<void()> OnHide;
  std::function<void(TCanvas&)> OnPaint;
  std::function<void(bool& canClose)> OnCloseQuery;
  std::function<void(TCloseAction& action)> OnClose;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The form's own painting under its labels (a band, a background): OnPaint.
  void PaintWindow(TCanvas& canvas) override;
  void Resize() override;
  virtual bool CloseQuery();
  virtual void DoClose(TCloseAction& action);
  // The focus among the form's controls.
  void ChildFocused(TWinControl* control) override { FocusChanged(control); }
  bool ChildFocusRequested(TWinControl* control) override;
  void ChildRemoved(TControl* control) override;

 private:
  friend class TApplication;

  void FocusChanged(TWinControl* control);
  void FocusActiveControl();
  void ApplyPosition();
  void CloseModal();
  SIZE FrameSize() const;
  void StyleOf(DWORD& style, DWORD& exStyle) const;

  LRESULT WmActivate(WPARAM wParam, LPARAM lParam);
  LRESULT WmClose(WPARAM wParam, LPARAM lParam);
  LRESULT WmGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
  LRESULT WmCommand(WPARAM wParam, LPARAM lParam);
  LRESULT WmInitMenuPopup(WPARAM wParam, LPARAM lParam);
  LRESULT WmMenuLoop(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT WmMenuSelect(WPARAM wParam, LPARAM lParam);
  LRESULT WmMeasureItem(WPARAM wParam, LPARAM lParam);
  LRESULT WmDrawItem(WPARAM wParam, LPARAM lParam);
  LRESULT WmDestroy(WPARAM wParam, LPARAM lParam);

  int clientWidth_ = 320;
  int clientHeight_ = 240;
  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TPosition position_ = TPosition::poDesigned;
  TWinControl* activeControl_ = nullptr;
  TMainMenu* menu_ = nullptr;
  TWinMenu* shownPopup_ = nullptr;
  std::vector<TActionList*> actionLists_;
  int modalResult_ = mrNone;
  bool modal_ = false;
  bool createFired_ = false;
  bool destroyFired_ = false;
};

// Deletes a form the safe way: the window goes first, while the whole object
// still exists, so no message reaches a half-destroyed form.
struct FormDeleter {
  void operator()(TForm* form) const;
};
template <typename T>
using FormPtr = std::unique_ptr<T, FormDeleter>;

template <typename T, typename... Args>
FormPtr<T> MakeForm(Args&&... args) {
  return FormPtr<T>(new T(std::forward<Args>(args)...));
}

// The form a control lies on (the control itself for a form); null when none.
TForm* GetParentForm(const TControl* control);

}  // namespace vk::gui
