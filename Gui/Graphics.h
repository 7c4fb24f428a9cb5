#pragma once
// Colours, fonts and the canvas: what the windows paint with.

#include <windows.h>
// The canvas has members of these names; Gui/ always calls the W functions by name.
#undef TextOut
#undef DrawText

#include <cstdint>
#include <string>
#include <vector>

#include "Gui/GdiHandles.h"

namespace vk::gui {

// A colour in the system's 0x00BBGGRR order, or a system colour: 0xFF000000
// plus the GetSysColor index, resolved at the time of painting.
using TColor = std::uint32_t;

inline constexpr TColor clSystemColor = 0xFF000000;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
inline constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
inline constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
inline constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
inline constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
inline constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
inline constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
inline constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
inline constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
inline constexpr TColor clCaptionText = clSystemColor | COLOR_CAPTIONTEXT;
inline constexpr TColor clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT;
inline constexpr TColor clHotLight = clSystemColor | COLOR_HOTLIGHT;
inline constexpr TColor clNone = 0x1FFFFFFF;

// The colour's RGB value, with system colours looked up now.
COLORREF ColorToRGB(TColor color);

class TFont;
// A new GDI font of the description, owned by the caller.
HFONT CreateFontFor(const TFont& font);

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font description; the GDI font is made when first asked for and made
// again after a change. Copying copies the description, not the handle.
class TFont {
 public:
  TFont() = default;
  TFont(std::string name, int height, unsigned style = 0) : name_(std::move(name)), height_(height), style_(style) {}
  TFont(const TFont& other) : name_(other.name_), height_(other.height_), style_(other.style_), color_(other.color_) {}
  TFont& operator=(const TFont& other);
  TFont(TFont&&) noexcept = default;
  TFont& operator=(TFont&&) noexcept = default;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // Negative: the character height in pixels; positive: the cell height.
  int Height() const { return height_; }
  void SetHeight(int height);
  unsigned Style() const { return style_; }
  void SetStyle(unsigned style);
  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }

  // The GDI font, owned by this object.
  HFONT Handle() const;
  bool SameLook(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && style_ == other.style_;
  }

 private:
  std::string name_ = "Tahoma";
  int height_ = -11;
  unsigned style_ = 0;
  TColor color_ = clWindowText;
  mutable UniqueFont handle_;
};

enum class TBrushStyle { bsSolid, bsClear };

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
};

// Drawing on a device context that someone else owns (a paint DC, a memory
// DC, a printer DC). Brush, Font and Pen are plain settings read by every
// drawing call; the canvas makes and selects the GDI objects it needs and puts
// the DC's own objects back when it goes.
class TCanvas {
 public:
  explicit TCanvas(HDC dc);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }

  TBrush Brush;
  TFont Font;
  TPen Pen;

  void FillRect(const RECT& rect);
  void FrameRect(const RECT& rect);
  void Rectangle(const RECT& rect);
  // Text at (x, y); with a solid brush the text cell is filled with its colour.
  void TextOut(int x, int y, const std::string& text);
  // Text at (x, y) clipped to the rectangle; a solid brush fills the whole rectangle.
  void TextRect(const RECT& rect, int x, int y, const std::string& text);
  // Where each character (code point) of the text ends, measured from the
  // start of the text as drawn whole.
  std::vector<int> CharacterEnds(const std::string& text);
  // Text at (x, y) clipped to the rectangle, each character placed at x
  // plus the end of the one before (ends as CharacterEnds gives them); a
  // solid brush fills the whole rectangle.
  void TextRectPlaced(const RECT& rect, int x, int y, const std::string& text, const std::vector<int>& ends);
  int TextWidth(const std::string& text);
  int TextHeight(const std::string& text);
  // How far the last character's ink reaches past its advance (the tail of
  // a Cyrillic "у" in Tahoma, an italic letter); 0 when it stays inside.
  int RightOverhang(const std::string& text);
  SIZE TextExtent(const std::string& text);
  // DrawTextW with the given DT_ flags; returns the text height. Transparent
  // unless the brush is solid.
  int DrawText(RECT& rect, const std::string& text, UINT format);
  // One line in the rectangle, aligned, vertically centred, cut with an
  // ellipsis when it does not fit; '&' is drawn as it is.
  void DrawTextEllipsis(const RECT& rect, const std::string& text, TAlignment alignment);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polygon(const std::vector<POINT>& points);
  void DrawFocusRect(const RECT& rect);
  // A vertical gradient from top colour to bottom colour over the rectangle.
  void GradientFillVertical(const RECT& rect, TColor top, TColor bottom);

 private:
  void RealizeFont();
  void RealizeBrush();
  void RealizePen();
  void PrepareText();

  HDC dc_;
  HGDIOBJ originalFont_ = nullptr;
  HGDIOBJ originalBrush_ = nullptr;
  HGDIOBJ originalPen_ = nullptr;
  TFont realizedFont_;
  UniqueFont font_;
  UniqueBrush brush_;
  COLORREF brushRgb_ = 0;
  UniquePen pen_;
  COLORREF penRgb_ = 0;
  int penWidth_ = 0;
};

// The width of one line of text in the font, as the screen draws it.
int ScreenTextWidth(const TFont& font, const std::string& text);
// The height of one line of text in the font.
int ScreenTextHeight(const TFont& font, const std::string& text);

}  // namespace vk::gui
