#pragma once
// TApplication: the one application object of a program. It owns a hidden
// top-level window of class "TApplication" whose caption is the program's
// title (other programs find a running copy by it); every form is owned by
// that window. It runs the message loop, with a hook that sees every message
// first, and is the one place where exceptions that escaped a window
// procedure, a callback or the loop are reported.

#include <windows.h>

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Gui/Forms.h"

namespace vk::gui {

class TTimer;

class TApplication {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Common controls and the application window. Safe to call more than once.
  void Initialize();
  // The hidden application window, made when first needed.
  HWND Handle();
  HINSTANCE Instance() const;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // Makes a form owned by the application, with its window; the first form
  // made while there is no main form becomes the main form.
  template <typename T, typename... Args>
  T* CreateForm(Args&&... args) {
    auto form = MakeForm<T>(std::forward<Args>(args)...);
    T* raw = form.get();
    forms_.push_back(std::move(form));
    if (!mainForm_) mainForm_ = raw;
    raw->HandleNeeded();
    return raw;
  }
  // Destroys a form made by CreateForm.
  void FreeForm(TForm* form);
  // Destroys a form made by CreateForm once the current message is handled
  // (a form may ask for its own end from one of its handlers).
  void ReleaseForm(TForm* form);
  // Closing the main form ends the program.
  TForm* MainForm() const { return mainForm_; }
  void SetMainForm(TForm* form) { mainForm_ = form; }
  // Run shows the main form first (default true).
  bool ShowMainForm = true;

  // Shows the main form and runs the message loop until Terminate; returns at
  // once without a main form or when already terminated.
  void Run();
  // Ends the message loops after the messages already queued (WM_QUIT).
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles every message waiting in the queue, then returns.
  void ProcessMessages();
  // Handles one message, or waits for one when the queue is empty.
  void HandleMessage();
  // Brings back a minimized main form (and the application window).
  void Restore();
  void Minimize();
  // One of the program's windows is the system's active window.
  bool Active() const;
  // Number of modal forms open now.
  int ModalLevel() const { return modalLevel_; }

  // What the user points at now: the hint of the menu entry being chosen;
  // empty when there is none. OnHint follows every change.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  std::function<void()> OnHint;

  // Sees every message of the loops before it is dispatched; setting handled
  // keeps it from the window.
  std::function<void(MSG& message, bool& handled)> OnMessage;
  // Receives every exception that escaped a window procedure, a callback or
  // the loop; without it the exception is shown in a system message box.
  std::function<void(const std::exception& error)> OnException;

  // Reports the exception through OnException, or, while a window is
  // painting, after the painting (it is posted and shown from the loop).
  void HandleException(std::exception_ptr error);
  void ShowException(const std::exception& error);

 private:
  friend class TForm;
  friend class TTimer;
  friend class PaintingScope;

  static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool ProcessMessage(MSG& message);
  bool IsDialogKey(const MSG& message);
  bool IsShortCutKey(const MSG& message);
  void Report(std::exception_ptr error);
  void ShowDeferredExceptions();
  void TimerFired(UINT_PTR id);
  UINT_PTR AddTimer(TTimer* timer);
  void RemoveTimer(UINT_PTR id);
  void FormDestroyed(TForm* form);

  HWND handle_ = nullptr;
  bool initialized_ = false;
  std::string title_;
  std::string hint_;
  std::vector<FormPtr<TForm>> forms_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  int modalLevel_ = 0;
  int paintDepth_ = 0;
  std::vector<std::exception_ptr> deferred_;
  std::map<UINT_PTR, TTimer*> timers_;
  UINT_PTR nextTimerId_ = 1;
};

// The program's application object.
extern TApplication Application;

}  // namespace vk::gui
