#include "Tools/Service/GlassGradienterDwm.h"

#include <mutex>

#include "Core/SysUtils.h"
#include "Tools/Service/GlassGradienterDecisions.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk::dwm {

namespace {

// The record that the ordinal-127 entry fills; only the first five values
// are read.
struct ColorizationParams {
  DWORD Color;
  DWORD Afterglow;
  DWORD ColorBalance;
  DWORD AfterglowBalance;
  DWORD BlurBalance;
  DWORD GlassReflectionIntensity;
  DWORD OpaqueBlend;
};

struct Margins {
  int Left, Right, Top, Bottom;
};

using IsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);
using ExtendFrameFn = HRESULT(WINAPI*)(HWND, const Margins*);
using GetColorizationColorFn = HRESULT(WINAPI*)(DWORD*, BOOL*);
using GetColorizationParamsFn = HRESULT(WINAPI*)(ColorizationParams*);
using GetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
using SetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, const void*, DWORD);

struct Binding {
  HMODULE library = nullptr;
  IsCompositionEnabledFn isCompositionEnabled = nullptr;
  ExtendFrameFn extendFrame = nullptr;
  GetColorizationColorFn getColorizationColor = nullptr;
  GetColorizationParamsFn getColorizationParams = nullptr;
  GetWindowAttributeFn getWindowAttribute = nullptr;
  SetWindowAttributeFn setWindowAttribute = nullptr;

  bool Complete() const {
    return library && isCompositionEnabled && extendFrame && getColorizationColor && getColorizationParams &&
           getWindowAttribute && setWindowAttribute;
  }
};

template <typename Fn>
Fn Entry(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

bool Load(Binding& b) {
  b.library = LoadLibraryW(L"dwmapi.dll");
  if (!b.library) return false;
  b.isCompositionEnabled = Entry<IsCompositionEnabledFn>(b.library, "DwmIsCompositionEnabled");
  b.extendFrame = Entry<ExtendFrameFn>(b.library, "DwmExtendFrameIntoClientArea");
  b.getColorizationColor = Entry<GetColorizationColorFn>(b.library, "DwmGetColorizationColor");
  b.getColorizationParams = Entry<GetColorizationParamsFn>(b.library, MAKEINTRESOURCEA(127));
  b.getWindowAttribute = Entry<GetWindowAttributeFn>(b.library, "DwmGetWindowAttribute");
  b.setWindowAttribute = Entry<SetWindowAttributeFn>(b.library, "DwmSetWindowAttribute");
  return true;
}

// The unit's state; the lock guards the count and the binding, since the
// entry points may be asked for from any thread.
struct State {
  std::mutex lock;
  Binding binding;
  TLibraryUses uses{[this] { return Load(binding); },
                    [this] {
                      FreeLibrary(binding.library);
                      binding = Binding{};
                    }};
  // The end of the program drops every use that is left.
  ~State() { uses.DropAll(); }
};

State& TheState() {
  static State state;
  return state;
}

// A copy of the binding while it is complete; empty otherwise.
Binding Bound() {
  State& s = TheState();
  std::lock_guard guard(s.lock);
  if (!DwmSupported(WindowsVersionClass()) || !s.binding.Complete()) return {};
  return s.binding;
}

}  // namespace

void LoadDwmLibrary() {
  State& s = TheState();
  std::lock_guard guard(s.lock);
  s.uses.Take(DwmSupported(WindowsVersionClass()));
}

void FreeDwmLibrary() {
  State& s = TheState();
  std::lock_guard guard(s.lock);
  s.uses.Drop();
}

bool DwmLoaded() { return Bound().Complete(); }

bool IsCompositionEnabled() {
  Binding b = Bound();
  BOOL enabled = FALSE;
  return b.Complete() && SUCCEEDED(b.isCompositionEnabled(&enabled)) && enabled;
}

HRESULT ExtendFrameIntoClientArea(HWND window, int left, int right, int top, int bottom) {
  Binding b = Bound();
  if (!b.Complete()) return E_NOTIMPL;
  Margins margins{left, right, top, bottom};
  return b.extendFrame(window, &margins);
}

TColorization ColorizationRecord() {
  Binding b = Bound();
  if (!b.Complete()) throw EOSError("DwmGetColorizationParameters: dwmapi.dll is not loaded");
  ColorizationParams params{};
  HRESULT result = b.getColorizationParams(&params);
  if (FAILED(result)) throw EOSError("DwmGetColorizationParameters failed");
  return {params.Color, params.Afterglow, params.ColorBalance, params.AfterglowBalance, params.BlurBalance};
}

HRESULT GetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size) {
  Binding b = Bound();
  return b.Complete() ? b.getWindowAttribute(window, attribute, value, size) : E_NOTIMPL;
}

HRESULT SetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
  Binding b = Bound();
  return b.Complete() ? b.setWindowAttribute(window, attribute, value, size) : E_NOTIMPL;
}

}  // namespace vk::dwm
