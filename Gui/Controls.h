#pragma once
// The control bases: TControl (a rectangle in a parent: bounds, anchors,
// visibility, caption, font, colour), TGraphicControl (painted by its parent,
// no window of its own) and TWinControl (one window, found again from its
// handle; children, tab order, focus, reflection of the parent's
// notifications back to the child that sent them).

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Core/SysUtils.h"
#include "Gui/Graphics.h"

namespace vk::gui {

class TWinControl;
class TForm;
class TPopupMenu;

// A window class used in a way it does not allow (showing a visible window
// modally, focusing a hidden control).
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "EInvalidOperation"; }
};

enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

class TControl {
 public:
  // The control joins the parent's controls (and its tab order, if windowed);
  // a null parent makes a top-level control (a form).
  explicit TControl(TWinControl* parent);
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  TWinControl* Parent() const { return parent_; }

  // The name the form's code knows the control by (the window look finds the
  // band's "Bevel" by it).
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  // A value of the user's own; Gui/ never reads it.
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }

  // Bounds: in the parent's client coordinates, or on the screen for a form.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  // Places the control and takes the place as the origin of its anchors.
  virtual void SetBounds(int left, int top, int width, int height);
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }

  // Which edges keep their distance to the parent's edges when it is resized;
  // default left and top. Left and right together stretch the control; neither
  // keeps it centred in proportion.
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and inside visible parents up to a shown window.
  bool Showing() const;

  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(const std::string& caption);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }

  // The control's own font, or its parent's while ParentFont is on (default on
  // for controls in a parent).
  const TFont& Font() const;
  // Gives the control a font of its own (ParentFont off).
  void SetFont(const TFont& font);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont);

  // The control's own colour, or its parent's while ParentColor is on.
  TColor Color() const;
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor);

  virtual void Invalidate() = 0;

 protected:
  // The rectangle the anchors give when the parent's client area has this size.
  RECT AnchoredBounds(int parentWidth, int parentHeight) const;
  // Takes the present place and the parent's client size as the anchors' origin.
  void RememberAnchorOrigin();
  // Moves without touching the anchors' origin (used by the anchoring itself).
  void PlaceAt(const RECT& bounds);

  // Reactions of the kinds of control to a change already stored.
  virtual void BoundsChanged(const RECT& oldBounds) = 0;
  virtual void VisibleChanged() = 0;
  virtual void EnabledChanged() = 0;
  virtual void CaptionChanged() = 0;
  virtual void FontChanged() {}
  virtual void ColorChanged() { Invalidate(); }

  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool visible_ = true;

 private:
  friend class TWinControl;

  TWinControl* parent_;
  std::string name_;
  std::intptr_t tag_ = 0;
  TAnchors anchors_ = akLeft | akTop;
  RECT anchorBounds_{};
  SIZE anchorParentSize_{};
  bool enabled_ = true;
  std::string caption_;
  std::string hint_;
  TFont font_;
  bool parentFont_;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
};

// A control without a window; its parent paints it in its own WM_PAINT.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TWinControl* parent);

  void Invalidate() override;
  // Paints in the parent's client coordinates, clipped to the bounds; the
  // canvas comes with the control's font and colour. Must not throw.
  virtual void Paint(TCanvas& canvas) = 0;

  // The system cursor shown over the control (IDC_HAND, ...); null: the
  // parent's own.
  virtual LPCWSTR Cursor() const { return nullptr; }
  // A left-button press and release over the visible, enabled control; the
  // parent window routes the mouse to it.
  virtual void Click() {}

 protected:
  void BoundsChanged(const RECT& oldBounds) override;
  void VisibleChanged() override { Invalidate(); }
  void EnabledChanged() override { Invalidate(); }
  void CaptionChanged() override { Invalidate(); }
  void FontChanged() override { Invalidate(); }
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TWinControl* parent);
  // Destroys the window (and so its children's windows).
  ~TWinControl() override;

  // The window, created (with the parents' windows) when first needed.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  // Creates the windows of children added after this window was created.
  void CreateChildHandles();
  void DestroyHandle();
  // The control object of one of our windows; null for any other window.
  static TWinControl* FindControl(HWND window);
  LRESULT Perform(UINT message, WPARAM wParam, LPARAM lParam);

  const std::vector<TControl*>& Controls() const { return controls_; }

  // Client size: of the window, or as designed while there is none.
  virtual int ClientWidth() const;
  virtual int ClientHeight() const;
  RECT ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);
  // Position among the parent's windowed children for Tab; creation order by default.
  int TabOrder() const;
  void SetTabOrder(int order);
  // Windowed, shown and enabled up to its form.
  bool CanFocus() const;
  bool Focused() const;
  // Focuses the control now, or when its form is next activated.
  void SetFocus();
  // The focusable tab stops among the children, in tab order, depth first.
  void CollectTabStops(std::vector<TWinControl*>& out) const;

  void Invalidate() override;
  void Update();

  // The context menu that a right click or the menu key shows on the control
  // (not owned). Without one, WM_CONTEXTMENU goes on as usual: to the parent,
  // or to the system's own menu of an edit.
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

  // A brush of the control's colour, kept by the control (children answer
  // WM_CTLCOLOR* with their parent's).
  HBRUSH BackgroundBrush();

 protected:
  struct TCreateParams {
    std::wstring WindowClass;
    // True for a system class (BUTTON, EDIT, ...): the window is subclassed
    // instead of having a class of ours registered.
    bool SystemClass = false;
    UINT ClassStyle = CS_DBLCLKS;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND Parent = nullptr;
  };
  virtual void CreateParams(TCreateParams& params);
  // After the window and its children's windows exist.
  virtual void HandleCreated() {}

  // The window procedure: a switch of one-line dispatches. Overrides handle
  // their messages and pass the rest to the base class.
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  // What Windows does with the message: DefWindowProcW, or the subclassed
  // system class's own procedure.
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

  // Notifications the parent received from this control and sent back to it;
  // no value lets the parent handle them as usual.
  virtual std::optional<LRESULT> CommandReflected(WORD /*notifyCode*/) { return std::nullopt; }
  virtual std::optional<LRESULT> NotifyReflected(NMHDR& /*header*/) { return std::nullopt; }
  virtual std::optional<LRESULT> CtlColorReflected(UINT /*message*/, HDC /*dc*/) { return std::nullopt; }
  virtual std::optional<LRESULT> DrawItemReflected(DRAWITEMSTRUCT& /*item*/) { return std::nullopt; }

  // Own painting of a window of our own class, before its graphic children.
  // An exception is reported after the painting, never inside it.
  virtual void PaintWindow(TCanvas& /*canvas*/) {}
  // WM_ERASEBKGND: fills with the control's colour; true when erased.
  virtual bool EraseBackground(HDC dc);
  // After a change of the client size and the anchoring of the children.
  virtual void Resize() {}

  // Dialog keys (Enter, Esc) offered by the form to every control on it;
  // focused is the control that has the focus, or null. True when used.
  virtual bool HandleDialogKey(WORD /*key*/, TWinControl* /*focused*/) { return false; }
  // Told to every control of a form when the focus moved within it.
  virtual void FocusMovedTo(TWinControl* /*focused*/) {}
  // Offers the key to the children, depth first, until one uses it.
  bool BroadcastDialogKey(WORD key, TWinControl* focused);
  void BroadcastFocusMoved(TWinControl* focused);

  // Hooks that run up the parent chain, so that the top-level control (a
  // form) can keep track of the focus among the controls inside it. Each
  // passes the call on to the parent until one takes it.
  // A control inside got the keyboard focus.
  virtual void ChildFocused(TWinControl* control);
  // A control inside asks for the focus; true when an owner took the request.
  virtual bool ChildFocusRequested(TWinControl* control);
  // A control inside is going away.
  virtual void ChildRemoved(TControl* control);

  // Runs the own painting and the graphic children's into a DC.
  void PaintTo(HDC dc, const RECT& area) noexcept;
  void AlignControls();

  void BoundsChanged(const RECT& oldBounds) override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void CaptionChanged() override;
  void FontChanged() override;
  void ColorChanged() override;

  HWND handle_ = nullptr;

 private:
  friend class TControl;

  static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  void CreateHandle();
  void Attach(HWND window);
  void ReadBoundsFromWindow();
  void PaintControls(TCanvas& canvas, const RECT& area);

  LRESULT WmCommand(WPARAM wParam, LPARAM lParam);
  LRESULT WmNotify(WPARAM wParam, LPARAM lParam);
  LRESULT WmCtlColor(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT WmDrawItem(WPARAM wParam, LPARAM lParam);
  LRESULT WmEraseBkgnd(WPARAM wParam, LPARAM lParam);
  LRESULT WmPaint(WPARAM wParam, LPARAM lParam);
  LRESULT WmPrintClient(WPARAM wParam, LPARAM lParam);
  LRESULT WmSize(WPARAM wParam, LPARAM lParam);
  LRESULT WmWindowPosChanged(WPARAM wParam, LPARAM lParam);
  LRESULT WmSetFocus(WPARAM wParam, LPARAM lParam);
  LRESULT WmContextMenu(WPARAM wParam, LPARAM lParam);
  LRESULT WmNcDestroy(WPARAM wParam, LPARAM lParam);
  LRESULT WmSetCursor(WPARAM wParam, LPARAM lParam);
  LRESULT WmLButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT WmLButtonUp(WPARAM wParam, LPARAM lParam);
  // The visible, enabled graphic child under the client point, topmost first.
  TGraphicControl* GraphicAt(POINT point) const;

  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  bool tabStop_ = false;
  TPopupMenu* popupMenu_ = nullptr;
  bool subclassed_ = false;
  int nextChildId_ = 100;
  TGraphicControl* pressedGraphic_ = nullptr;
  UniqueBrush brush_;
  COLORREF brushRgb_ = 0;
};

}  // namespace vk::gui
