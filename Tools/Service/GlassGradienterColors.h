#pragma once
// Where the colours of the windows' bottom band come from, and the arithmetic
// that turns the system's answers into them. Everything here is portable: the
// system is asked through TLookSystem, which the window look implements over
// Win32 and the tests implement with fixed answers.
//
// Colours are in the system's 0x00BBGGRR order; the top byte may carry an
// alpha value (see ColorAlpha). A value 0xFF000000 | index stands for the
// system colour of that index, looked up when painting (as Gui's TColor).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vk {

// System colour indices (GetSysColor) that the band uses.
inline constexpr int kColorActiveCaption = 2;
inline constexpr int kColorInactiveCaption = 3;
inline constexpr int kColorWindow = 5;
inline constexpr int kColorCaptionText = 9;
inline constexpr int kColorBtnFace = 15;
inline constexpr int kColorInactiveCaptionText = 19;
inline constexpr int kColorGradientActiveCaption = 27;
inline constexpr int kColorGradientInactiveCaption = 28;

// References to system colours, resolved at painting time.
inline constexpr uint32_t kSystemColorRef = 0xFF000000;
inline constexpr uint32_t kClCaptionText = kSystemColorRef | kColorCaptionText;
inline constexpr uint32_t kClInactiveCaptionText = kSystemColorRef | kColorInactiveCaptionText;
inline constexpr uint32_t kClBtnFace = kSystemColorRef | kColorBtnFace;

// The accent text colours of Windows 10 and later.
inline constexpr uint32_t kAccentInactiveTextOnLight = 0x6D6D6D;
inline constexpr uint32_t kAccentInactiveTextOnDark = 0x9D9D9D;
inline constexpr uint32_t kAccentActiveTextOnLight = 0x000000;
inline constexpr uint32_t kAccentActiveTextOnDark = 0xFFFFFF;

// The first five values of the Desktop Window Manager's colorization record;
// colours in 0xAARRGGBB, balances in percent.
struct TColorization {
  uint32_t Color = 0;
  uint32_t AfterglowColor = 0;
  uint32_t ColorBalance = 0;
  uint32_t AfterglowBalance = 0;
  uint32_t BlurBalance = 0;
};

// The band's colours: "first" is the bottom of the gradient, "second" its top.
struct TBandColors {
  uint32_t ActiveFirst = 0;
  uint32_t ActiveSecond = 0;
  uint32_t InactiveFirst = 0;
  uint32_t InactiveSecond = 0;
  // [0] text on the inactive band, [1] on the active band.
  std::array<uint32_t, 2> TextColors{};

  bool operator==(const TBandColors&) const = default;
};

// One gradient vertex as GradientFill takes it: 16 bits per channel.
struct TGradientVertex {
  int32_t X = 0;
  int32_t Y = 0;
  uint16_t Red = 0;
  uint16_t Green = 0;
  uint16_t Blue = 0;
  uint16_t Alpha = 0;

  bool operator==(const TGradientVertex&) const = default;
};
// 0 and 1: the inactive pair (second, first); 2 and 3: the active pair.
using TBandVertices = std::array<TGradientVertex, 4>;

// What the system answers. Any call may raise; the glass colours then fall
// back to the caption colours.
class TLookSystem {
 public:
  virtual ~TLookSystem() = default;
  virtual uint32_t SysColor(int index) = 0;
  // Title bars are painted as gradients (SPI_GETGRADIENTCAPTIONS).
  virtual bool GradientCaptions() = 0;
  // Visual themes are in use.
  virtual bool ThemesActive() = 0;
  // A value under the current user's Software\Microsoft\Windows\DWM; nullopt
  // when the key or the value is missing.
  virtual std::optional<uint32_t> UserDwmValue(const std::string& name) = 0;
  // The same under the machine's key (its 64-bit view for a 32-bit program on
  // 64-bit Windows).
  virtual std::optional<uint32_t> MachineDwmValue(const std::string& name) = 0;
  // The colorization record of Windows 7 to 8.1.
  virtual TColorization Colorization() = 0;
  // The window theme's caption drawn active or inactive into 100 x 40
  // pixels, column x = 10 from y = 2 to the bottom, top down.
  virtual std::vector<uint32_t> CaptionColumn(bool active) = 0;
};

// The alpha carried in the top byte: the byte when it is 3 or more, else 0.
uint8_t ColorAlpha(uint32_t color);
// 0.299 R + 0.587 G + 0.114 B, R being the low byte.
double Luminance(uint32_t color);
// 0xAARRGGBB to 0xAABBGGRR, the alpha through ColorAlpha.
uint32_t ArgbToColor(uint32_t argb);
// The band colour of Windows 7 (class 3 and below) or 8 and 8.1 (classes 4, 5)
// from the colorization record.
uint32_t BlendColorization(const TColorization& record, bool active, uint8_t versionClass);
// Each channel of second a third of the way toward first (truncating toward
// zero); the top byte 0.
uint32_t ThirdTowardFirst(uint32_t second, uint32_t first);
// The colour without its top byte.
inline uint32_t WithoutAlpha(uint32_t color) { return color & 0x00FFFFFF; }

enum class TColorSource { Glass, Theme, Caption };
// Glass colours need glass and themes, theme colours themes.
TColorSource ChooseColorSource(bool glass, bool themesActive);

TBandColors LoadCaptionColors(TLookSystem& system);
TBandColors LoadThemeColors(TLookSystem& system);
// Falls back to the caption colours when the system fails to answer.
TBandColors LoadGlassColors(TLookSystem& system, uint8_t versionClass);
// The firsts from the accent colours of Windows 10 (ReadDwmColors) and 11.
void ReadDwmColors(TLookSystem& system, TBandColors& colors);
void ReadDwmColors11(TLookSystem& system, TBandColors& colors);
// The source's colours.
TBandColors LoadColors(TLookSystem& system, bool glass, uint8_t versionClass);

TBandVertices MakeVertices(const TBandColors& colors);

// A stamp of the system's accent colouring, compared on every colorization
// change to repaint only when it changed.
uint32_t ColorizationKey(TLookSystem& system, uint8_t versionClass);

}  // namespace vk
