#include "Tools/Service/GlassGradienter.h"

#include <utility>

#include "Core/SysUtils.h"
#include "Gui/Forms.h"
#include "Gui/GdiHandles.h"
#include "Gui/VisualThemes.h"
#include "Platform/win32/UniqueHandle.h"
#include "Platform/win32/Utf16.h"
#include "Tools/Service/GlassGradienterDecisions.h"
#include "Tools/Service/GlassGradienterDwm.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk {

namespace {

constexpr char kGlassManagerUnit[] = "Tools\\Service\\GlassManager";
constexpr char kGlassGradientUnit[] = "Tools\\Service\\GlassGradient";
constexpr wchar_t kDwmKey[] = L"Software\\Microsoft\\Windows\\DWM";

using platform::UniqueRegKey;

std::optional<uint32_t> ReadDword(HKEY root, REGSAM access, const std::string& name) {
  UniqueRegKey key;
  if (RegOpenKeyExW(root, kDwmKey, 0, access, key.Put()) != ERROR_SUCCESS) return std::nullopt;
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = 0;
  std::wstring wide = platform::Utf8ToWide(name);
  if (RegQueryValueExW(key.Get(), wide.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD) {
    return std::nullopt;
  }
  return value;
}

// The running system's answers to the colour rules.
class Win32LookSystem : public TLookSystem {
 public:
  explicit Win32LookSystem(const gui::TVisualThemes& theme) : theme_(theme) {}

  uint32_t SysColor(int index) override { return GetSysColor(index); }
  bool GradientCaptions() override {
    BOOL on = FALSE;
    return SystemParametersInfoW(SPI_GETGRADIENTCAPTIONS, 0, &on, 0) && on;
  }
  bool ThemesActive() override { return theme_.Active(); }
  std::optional<uint32_t> UserDwmValue(const std::string& name) override {
    return ReadDword(HKEY_CURRENT_USER, KEY_READ, name);
  }
  std::optional<uint32_t> MachineDwmValue(const std::string& name) override {
    return ReadDword(HKEY_LOCAL_MACHINE, KEY_READ | (RunsUnderWow64() ? KEY_WOW64_64KEY : 0), name);
  }
  TColorization Colorization() override { return dwm::ColorizationRecord(); }
  std::vector<uint32_t> CaptionColumn(bool active) override {
    constexpr int kWidth = 100, kHeight = 40, kColumn = 10, kFirstRow = 2;
    constexpr int kCaptionPart = 1, kActiveState = 1, kInactiveState = 2;
    std::vector<uint32_t> column;
    if (!theme_.Usable()) return column;
    HANDLE theme = theme_.OpenThemeData(GetDesktopWindow(), L"window");
    if (!theme) return column;
    gui::WindowDc screen(nullptr);
    gui::MemoryDc dc;
    gui::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Dc(), kWidth, kHeight));
    {
      gui::SelectGuard select(dc.Dc(), bitmap.Get());
      RECT r{0, 0, kWidth, kHeight};
      theme_.DrawThemeBackground(theme, dc.Dc(), kCaptionPart, active ? kActiveState : kInactiveState, r);
      RECT clip{};
      GetClipBox(dc.Dc(), &clip);
      for (int y = kFirstRow; y < clip.bottom; ++y) column.push_back(GetPixel(dc.Dc(), kColumn, y));
    }
    theme_.CloseThemeData(theme);
    return column;
  }

 private:
  const gui::TVisualThemes& theme_;
};

void FillGradient(HDC dc, TGradientVertex* pair, ULONG mode) {
  TRIVERTEX v[2];
  for (int i = 0; i < 2; ++i) {
    v[i].x = pair[i].X;
    v[i].y = pair[i].Y;
    v[i].Red = pair[i].Red;
    v[i].Green = pair[i].Green;
    v[i].Blue = pair[i].Blue;
    v[i].Alpha = pair[i].Alpha;
  }
  GRADIENT_RECT rect{0, 1};
  GradientFill(dc, v, 2, &rect, 1, mode);
}

TGradientVertex* PairOf(TBandVertices& vertices, bool active) { return &vertices[active ? 2 : 0]; }

}  // namespace

// ---- TGradienter ----

TGradienter::TGradienter() : theme_(std::make_unique<gui::TVisualThemes>()) { dwm::LoadDwmLibrary(); }

TGradienter::~TGradienter() { dwm::FreeDwmLibrary(); }

void TGradienter::LoadColors(bool glass) {
  Win32LookSystem system(*theme_);
  colors_ = vk::LoadColors(system, glass, WindowsVersionClass());
  vertices_ = MakeVertices(colors_);
}

void TGradienter::PaintImage(gui::TImage& image, bool active) {
  TGradientVertex* pair = PairOf(vertices_, active);
  pair[0].X = 0;
  pair[0].Y = 0;
  pair[1].X = image.Width();
  pair[1].Y = image.Height();
  FillGradient(image.Canvas().Handle(), pair, GRADIENT_FILL_RECT_V);
}

void TGradienter::FillRect(HDC dc, bool active, const RECT& rect) {
  TGradientVertex* pair = PairOf(vertices_, active);
  pair[0].X = rect.right;
  pair[0].Y = rect.top;
  pair[1].X = rect.left;
  pair[1].Y = rect.bottom;
  FillGradient(dc, pair, GRADIENT_FILL_RECT_H);
}

void TGradienter::FillRectCopy(HDC dc, bool active, const RECT& rect) {
  TBandVertices copy = vertices_;
  TGradientVertex* pair = PairOf(copy, active);
  pair[0].X = rect.right;
  pair[0].Y = rect.top;
  pair[1].X = rect.left;
  pair[1].Y = rect.bottom;
  FillGradient(dc, pair, GRADIENT_FILL_RECT_H);
}

uint32_t TGradienter::GetColorizationKey() {
  Win32LookSystem system(*theme_);
  try {
    return ColorizationKey(system, WindowsVersionClass());
  } catch (...) {
    // No stamp to be had: the same as an unchanged one.
    return 0;
  }
}

// ---- TGlassManager ----

TGlassManager::TGlassManager() {
  dwm::LoadDwmLibrary();
  UpdateEnabled();
}

TGlassManager::~TGlassManager() { dwm::FreeDwmLibrary(); }

bool TGlassManager::IsCompositionEnabled() const { return dwm::DwmLoaded() && dwm::IsCompositionEnabled(); }

void TGlassManager::UpdateEnabled() { Enabled = IsCompositionEnabled(); }

void TGlassManager::ExtendFrame(HWND window, int bottomHeight) {
  Assert(Enabled, "Glass must be Enabled", kGlassManagerUnit);
  if (dwm::DwmLoaded()) dwm::ExtendFrameIntoClientArea(window, 0, 0, 0, bottomHeight);
}

void TGlassManager::SetLayered(HWND window, uint32_t keyColor) {
  Assert(Enabled, "Glass must be Enabled", kGlassManagerUnit);
  SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
  SetLayeredWindowAttributes(window, gui::ColorToRGB(keyColor), /*alpha=*/0, LWA_COLORKEY);
}

void TGlassManager::ClearLayered(HWND window) {
  LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (style & WS_EX_LAYERED) SetWindowLongPtrW(window, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
}

// ---- TGlassGradienter ----

TGlassGradienter::TGlassGradienter() { LoadColors(glass_.Enabled); }

void TGlassGradienter::PaintImage(gui::TImage& image, bool active) {
  gui::TForm* form = gui::GetParentForm(&image);
  Assert(form != nullptr, "image.Owner myst be TForm type", kGlassGradientUnit);
  auto window = reinterpret_cast<intptr_t>(form->Handle());
  TBandPaintSteps steps = PlanBandPaint(image.Tag(), window, glass_.Enabled);
  if (steps.PrepareGlass) PrepareGlass(image, *form);
  if (steps.ClearGlass) ClearGlass(image, *form);
  if (steps.PrepareGlass || steps.ClearGlass) UpdateBevel(*form);
  image.SetTag(steps.NewTag);
  if (steps.PaintGradient) TGradienter::PaintImage(image, active);
}

void TGlassGradienter::PrepareGlass(gui::TImage& image, gui::TForm& form) {
  TGlassPreparation plan = PlanGlassPreparation(WindowsVersionClass(), colors_.ActiveFirst, colors_.InactiveFirst);
  gui::TCanvas& canvas = image.Canvas();
  canvas.Brush.Style = gui::TBrushStyle::bsSolid;
  canvas.Brush.Color = plan.ImageFill;
  canvas.FillRect({0, 0, image.Width(), image.Height()});
  HWND window = form.Handle();
  if (plan.LayeredForm) glass_.SetLayered(window, plan.FormKey);
  if (plan.FillButtons) {
    for (gui::TButton* button : BandButtons(form, image, plan.OnlyVisibleButtons)) {
      RECT r = button->BoundsRect();
      OffsetRect(&r, -image.Left(), -image.Top());
      canvas.Brush.Color = plan.ButtonFill;
      canvas.FillRect(r);
      canvas.Brush.Color = plan.OutlineColor;
      for (int i = 0; i < plan.ButtonOutlines; ++i) {
        canvas.FrameRect(r);
        InflateRect(&r, -1, -1);
      }
      if (plan.LayeredButtons) glass_.SetLayered(button->Handle(), plan.ButtonKey);
    }
  }
  if (plan.ShowForm && form.Visible()) ShowWindow(window, SW_SHOWNA);
  glass_.ExtendFrame(window, image.Height());
}

void TGlassGradienter::ClearGlass(gui::TImage& image, gui::TForm& form) {
  uint8_t versionClass = WindowsVersionClass();
  if (ClearGlassOnForm(versionClass)) {
    glass_.ClearLayered(form.Handle());
    return;
  }
  for (gui::TButton* button : BandButtons(form, image, versionClass >= kWin11)) glass_.ClearLayered(button->Handle());
}

void TGlassGradienter::UpdateBevel(gui::TForm& form) {
  for (gui::TControl* control : form.Controls()) {
    auto* bevel = dynamic_cast<gui::TBevel*>(control);
    if (!bevel || bevel->Name() != "Bevel") continue;
    bevel->SetVisible(!glass_.Enabled);
    return;
  }
}

void TGlassGradienter::UpdateColors(gui::TImage* image) {
  glass_.UpdateEnabled();
  LoadColors(glass_.Enabled);
  if (image) image->SetTag(0);
}

std::vector<gui::TButton*> BandButtons(gui::TForm& form, const gui::TImage& band, bool onlyVisible) {
  std::vector<gui::TButton*> buttons;
  for (gui::TControl* control : form.Controls()) {
    auto* button = dynamic_cast<gui::TButton*>(control);
    if (!button || button->Top() <= band.Top()) continue;
    if (onlyVisible && !button->Visible()) continue;
    buttons.push_back(button);
  }
  return buttons;
}

TGlassGradienter& GlassGradienter() {
  static TGlassGradienter painter;
  return painter;
}

}  // namespace vk
