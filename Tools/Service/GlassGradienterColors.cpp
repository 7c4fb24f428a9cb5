#include "Tools/Service/GlassGradienterColors.h"

#include <algorithm>

#include "Tools/Service/WindowsVersion.h"

namespace vk {

namespace {

int Red(uint32_t color) { return static_cast<int>(color & 0xFF); }
int Green(uint32_t color) { return static_cast<int>((color >> 8) & 0xFF); }
int Blue(uint32_t color) { return static_cast<int>((color >> 16) & 0xFF); }
uint32_t Rgb(int red, int green, int blue) {
  return static_cast<uint32_t>(red) | static_cast<uint32_t>(green) << 8 | static_cast<uint32_t>(blue) << 16;
}
uint8_t Clamp(int64_t value) { return static_cast<uint8_t>(std::clamp<int64_t>(value, 0, 255)); }

void SetCaptionTextColors(TBandColors& colors) {
  colors.TextColors[0] = kClInactiveCaptionText;
  colors.TextColors[1] = kClCaptionText;
}

// The lightest and the darkest pixel of the sampled column become the
// state's second and first colours.
void PickSecondAndFirst(const std::vector<uint32_t>& column, uint32_t& second, uint32_t& first) {
  if (column.empty()) return;
  second = first = column.front();
  double lightest = Luminance(second);
  double darkest = lightest;
  for (uint32_t pixel : column) {
    double l = Luminance(pixel);
    if (l > lightest) {
      lightest = l;
      second = pixel;
    }
    if (l < darkest) {
      darkest = l;
      first = pixel;
    }
  }
}

TGradientVertex VertexOf(uint32_t color) {
  TGradientVertex v;
  v.Red = static_cast<uint16_t>(Red(color) << 8);
  v.Green = static_cast<uint16_t>(Green(color) << 8);
  v.Blue = static_cast<uint16_t>(Blue(color) << 8);
  v.Alpha = static_cast<uint16_t>(ColorAlpha(color) << 8);
  return v;
}

}  // namespace

uint8_t ColorAlpha(uint32_t color) { return color >= 0x03000000 ? static_cast<uint8_t>(color >> 24) : 0; }

double Luminance(uint32_t color) { return 0.299 * Red(color) + 0.587 * Green(color) + 0.114 * Blue(color); }

uint32_t ArgbToColor(uint32_t argb) {
  uint32_t red = (argb >> 16) & 0xFF;
  uint32_t green = (argb >> 8) & 0xFF;
  uint32_t blue = argb & 0xFF;
  return static_cast<uint32_t>(ColorAlpha(argb)) << 24 | blue << 16 | green << 8 | red;
}

uint32_t BlendColorization(const TColorization& record, bool active, uint8_t versionClass) {
  int64_t colorBalance = record.ColorBalance;
  int64_t afterglowBalance = record.AfterglowBalance;
  int64_t blurBalance = record.BlurBalance;
  bool windows8 = versionClass == kWin8 || versionClass == kWin81;
  if (windows8) {
    if (colorBalance > 100) colorBalance = 25;
    if (afterglowBalance > 100) afterglowBalance = 25;
  } else if (colorBalance + afterglowBalance + blurBalance != 100) {
    colorBalance = 25;
    afterglowBalance = 25;
    blurBalance = 50;
  }
  uint32_t color = ArgbToColor(record.Color);
  uint32_t afterglow = ArgbToColor(record.AfterglowColor);
  auto channel = [&](int c, int g) -> uint8_t {
    if (active) return Clamp(windows8 ? c + (217 - c) * (100 - colorBalance) / 100 : c + (255 - c) * blurBalance / 100);
    return Clamp(windows8 ? 233 + (g - 233) * afterglowBalance / 300 : 255 + (100 - blurBalance) * (g - 255) / 300);
  };
  uint32_t rgb = Rgb(channel(Red(color), Red(afterglow)), channel(Green(color), Green(afterglow)),
                     channel(Blue(color), Blue(afterglow)));
  uint8_t alpha = active ? ColorAlpha(record.Color) : ColorAlpha(record.AfterglowColor);
  return static_cast<uint32_t>(alpha) << 24 | rgb;
}

uint32_t ThirdTowardFirst(uint32_t second, uint32_t first) {
  auto move = [](int s, int f) { return s + (f - s) / 3; };
  return Rgb(move(Red(second), Red(first)), move(Green(second), Green(first)), move(Blue(second), Blue(first)));
}

TColorSource ChooseColorSource(bool glass, bool themesActive) {
  if (glass && themesActive) return TColorSource::Glass;
  return themesActive ? TColorSource::Theme : TColorSource::Caption;
}

TBandColors LoadCaptionColors(TLookSystem& system) {
  TBandColors colors;
  colors.ActiveFirst = system.SysColor(kColorActiveCaption);
  colors.InactiveFirst = system.SysColor(kColorInactiveCaption);
  if (system.GradientCaptions()) {
    colors.ActiveSecond = system.SysColor(kColorGradientActiveCaption);
    colors.InactiveSecond = system.SysColor(kColorGradientInactiveCaption);
  } else {
    colors.ActiveSecond = colors.ActiveFirst;
    colors.InactiveSecond = colors.InactiveFirst;
  }
  SetCaptionTextColors(colors);
  return colors;
}

TBandColors LoadThemeColors(TLookSystem& system) {
  // A state whose caption gives nothing to sample keeps the caption colours.
  TBandColors colors = LoadCaptionColors(system);
  PickSecondAndFirst(system.CaptionColumn(true), colors.ActiveSecond, colors.ActiveFirst);
  PickSecondAndFirst(system.CaptionColumn(false), colors.InactiveSecond, colors.InactiveFirst);
  SetCaptionTextColors(colors);
  return colors;
}

void ReadDwmColors(TLookSystem& system, TBandColors& colors) {
  colors.ActiveFirst = colors.InactiveFirst = system.SysColor(kColorWindow);
  if (system.UserDwmValue("ColorPrevalence").value_or(0) == 0) return;
  if (auto accent = system.UserDwmValue("AccentColor")) colors.ActiveFirst = *accent;
  if (auto inactive = system.UserDwmValue("AccentColorInactive")) colors.InactiveFirst = *inactive;
}

void ReadDwmColors11(TLookSystem& system, TBandColors& colors) {
  colors.ActiveFirst = colors.InactiveFirst = system.SysColor(kColorWindow);
  if (system.UserDwmValue("ColorPrevalence").value_or(0) == 0) return;
  if (auto accent = system.UserDwmValue("AccentColor")) colors.ActiveFirst = *accent;
  if (auto inactive = system.MachineDwmValue("AccentColorInactive"); inactive && *inactive != 0) {
    colors.InactiveFirst = *inactive;
  }
}

TBandColors LoadGlassColors(TLookSystem& system, uint8_t versionClass) {
  try {
    TBandColors colors;
    if (versionClass >= kWin10) {
      if (versionClass == kWin10) {
        ReadDwmColors(system, colors);
      } else {
        ReadDwmColors11(system, colors);
      }
      colors.TextColors[0] =
          Luminance(colors.InactiveFirst) > 128 ? kAccentInactiveTextOnLight : kAccentInactiveTextOnDark;
      colors.TextColors[1] = Luminance(colors.ActiveFirst) > 128 ? kAccentActiveTextOnLight : kAccentActiveTextOnDark;
    } else {
      TColorization record = system.Colorization();
      colors.ActiveFirst = BlendColorization(record, true, versionClass);
      colors.InactiveFirst = BlendColorization(record, false, versionClass);
      SetCaptionTextColors(colors);
    }
    uint32_t window = system.SysColor(kColorWindow);
    colors.ActiveSecond = ThirdTowardFirst(window, colors.ActiveFirst);
    colors.InactiveSecond = ThirdTowardFirst(window, colors.InactiveFirst);
    return colors;
  } catch (...) {
    return LoadCaptionColors(system);
  }
}

TBandColors LoadColors(TLookSystem& system, bool glass, uint8_t versionClass) {
  switch (ChooseColorSource(glass, system.ThemesActive())) {
    case TColorSource::Glass: return LoadGlassColors(system, versionClass);
    case TColorSource::Theme: return LoadThemeColors(system);
    case TColorSource::Caption: break;
  }
  return LoadCaptionColors(system);
}

TBandVertices MakeVertices(const TBandColors& colors) {
  return {VertexOf(colors.InactiveSecond), VertexOf(colors.InactiveFirst), VertexOf(colors.ActiveSecond),
          VertexOf(colors.ActiveFirst)};
}

uint32_t ColorizationKey(TLookSystem& system, uint8_t versionClass) {
  if (versionClass < kWin10) return system.Colorization().Color;
  uint32_t key = system.UserDwmValue("ColorPrevalence").value_or(0);
  if (key == 0) return key;
  if (auto accent = system.UserDwmValue("AccentColor")) key = *accent;
  if (auto inactive = system.UserDwmValue("AccentColorInactive")) key ^= *inactive;
  return key;
}

}  // namespace vk
