#include "Gui/VisualThemes.h"

namespace vk::gui {

TVisualThemes::TVisualThemes() : library_(LoadLibraryW(L"uxtheme.dll")) {
  if (!library_) return;
  isThemeActive_ = Entry<IsThemeActiveFn>("IsThemeActive");
  isAppThemed_ = Entry<IsAppThemedFn>("IsAppThemed");
  getThemeAppProperties_ = Entry<GetThemeAppPropertiesFn>("GetThemeAppProperties");
  openThemeData_ = Entry<OpenThemeDataFn>("OpenThemeData");
  closeThemeData_ = Entry<CloseThemeDataFn>("CloseThemeData");
  drawThemeBackground_ = Entry<DrawThemeBackgroundFn>("DrawThemeBackground");
}

bool TVisualThemes::Usable() const {
  return isThemeActive_ && isAppThemed_ && getThemeAppProperties_ && openThemeData_ && closeThemeData_ &&
         drawThemeBackground_;
}

bool TVisualThemes::Active() const {
  constexpr DWORD kAllowControls = 2;  // STAP_ALLOW_CONTROLS
  return Usable() && isThemeActive_() && isAppThemed_() && (getThemeAppProperties_() & kAllowControls);
}

bool VisualThemesActive() { return TVisualThemes().Active(); }

}  // namespace vk::gui
