#include "Gui/Graphics.h"

#include <algorithm>

#include "Platform/win32/Utf16.h"

namespace vk::gui {

using platform::Utf8ToWide;

COLORREF ColorToRGB(TColor color) {
  if ((color & 0xFF000000) == clSystemColor) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFF;
}

HFONT CreateFontFor(const TFont& font) {
  LOGFONTW lf{};
  lf.lfHeight = font.Height();
  lf.lfWeight = (font.Style() & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.Style() & fsItalic) ? TRUE : FALSE;
  lf.lfUnderline = (font.Style() & fsUnderline) ? TRUE : FALSE;
  lf.lfStrikeOut = (font.Style() & fsStrikeOut) ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  std::wstring name = Utf8ToWide(font.Name());
  lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

TFont& TFont::operator=(const TFont& other) {
  if (this == &other) return *this;
  name_ = other.name_;
  height_ = other.height_;
  style_ = other.style_;
  color_ = other.color_;
  handle_.Reset();
  return *this;
}

void TFont::SetName(const std::string& name) {
  name_ = name;
  handle_.Reset();
}

void TFont::SetHeight(int height) {
  height_ = height;
  handle_.Reset();
}

void TFont::SetStyle(unsigned style) {
  style_ = style;
  handle_.Reset();
}

HFONT TFont::Handle() const {
  if (!handle_) handle_.Reset(CreateFontFor(*this));
  return handle_.Get();
}

TCanvas::TCanvas(HDC dc) : dc_(dc) {
  originalFont_ = GetCurrentObject(dc, OBJ_FONT);
  originalBrush_ = GetCurrentObject(dc, OBJ_BRUSH);
  originalPen_ = GetCurrentObject(dc, OBJ_PEN);
}

TCanvas::~TCanvas() {
  // Our objects must leave the DC before their owners delete them.
  SelectObject(dc_, originalFont_);
  SelectObject(dc_, originalBrush_);
  SelectObject(dc_, originalPen_);
}

void TCanvas::RealizeFont() {
  if (font_ && realizedFont_.SameLook(Font)) return;
  UniqueFont made(CreateFontFor(Font));
  SelectObject(dc_, made.Get());
  font_ = std::move(made);
  realizedFont_ = Font;
}

void TCanvas::RealizeBrush() {
  COLORREF rgb = ColorToRGB(Brush.Color);
  if (brush_ && rgb == brushRgb_) return;
  UniqueBrush made(CreateSolidBrush(rgb));
  SelectObject(dc_, made.Get());
  brush_ = std::move(made);
  brushRgb_ = rgb;
}

void TCanvas::RealizePen() {
  COLORREF rgb = ColorToRGB(Pen.Color);
  if (pen_ && rgb == penRgb_ && Pen.Width == penWidth_) return;
  UniquePen made(CreatePen(PS_SOLID, Pen.Width, rgb));
  SelectObject(dc_, made.Get());
  pen_ = std::move(made);
  penRgb_ = rgb;
  penWidth_ = Pen.Width;
}

void TCanvas::PrepareText() {
  RealizeFont();
  SetTextColor(dc_, ColorToRGB(Font.Color()));
  if (Brush.Style == TBrushStyle::bsSolid) {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, ColorToRGB(Brush.Color));
  } else {
    SetBkMode(dc_, TRANSPARENT);
  }
}

void TCanvas::FillRect(const RECT& rect) {
  if (Brush.Style == TBrushStyle::bsClear) return;
  RealizeBrush();
  ::FillRect(dc_, &rect, brush_.Get());
}

void TCanvas::FrameRect(const RECT& rect) {
  RealizeBrush();
  ::FrameRect(dc_, &rect, brush_.Get());
}

void TCanvas::Rectangle(const RECT& rect) {
  RealizePen();
  if (Brush.Style == TBrushStyle::bsClear) {
    SelectGuard hollow(dc_, GetStockObject(NULL_BRUSH));
    ::Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
    return;
  }
  RealizeBrush();
  ::Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  PrepareText();
  std::wstring wide = Utf8ToWide(text);
  ExtTextOutW(dc_, x, y, 0, nullptr, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text) {
  PrepareText();
  std::wstring wide = Utf8ToWide(text);
  UINT options = ETO_CLIPPED | (Brush.Style == TBrushStyle::bsSolid ? ETO_OPAQUE : 0);
  ExtTextOutW(dc_, x, y, options, &rect, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
}

std::vector<int> TCanvas::CharacterEnds(const std::string& text) {
  RealizeFont();
  std::wstring wide = Utf8ToWide(text);
  std::vector<int> unitEnds(wide.size());
  SIZE size{};
  if (!wide.empty() &&
      !GetTextExtentExPointW(dc_, wide.c_str(), static_cast<int>(wide.size()), 0, nullptr, unitEnds.data(), &size)) {
    return {};
  }
  std::vector<int> ends;
  for (size_t i = 0; i < wide.size(); ++i) {
    // A character outside the basic plane ends with the second unit of its pair.
    if (IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size()) continue;
    ends.push_back(unitEnds[i]);
  }
  return ends;
}

void TCanvas::TextRectPlaced(const RECT& rect, int x, int y, const std::string& text, const std::vector<int>& ends) {
  PrepareText();
  std::wstring wide = Utf8ToWide(text);
  // One advance per UTF-16 unit: a pair takes its character's advance on
  // the first unit.
  std::vector<INT> advances(wide.size(), 0);
  size_t character = 0;
  int previous = 0;
  bool placed = true;
  for (size_t i = 0; i < wide.size(); ++i) {
    if (i > 0 && IS_LOW_SURROGATE(wide[i]) && IS_HIGH_SURROGATE(wide[i - 1])) continue;
    if (character == ends.size()) {
      placed = false;
      break;
    }
    advances[i] = ends[character] - previous;
    previous = ends[character++];
  }
  placed = placed && character == ends.size();
  UINT options = ETO_CLIPPED | (Brush.Style == TBrushStyle::bsSolid ? ETO_OPAQUE : 0);
  ExtTextOutW(dc_, x, y, options, &rect, wide.c_str(), static_cast<UINT>(wide.size()),
              placed ? advances.data() : nullptr);
}

SIZE TCanvas::TextExtent(const std::string& text) {
  RealizeFont();
  std::wstring wide = Utf8ToWide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size;
}

int TCanvas::TextWidth(const std::string& text) { return TextExtent(text).cx; }

int TCanvas::RightOverhang(const std::string& text) {
  const std::wstring wide = platform::Utf8ToWide(text);
  if (wide.empty()) return 0;
  RealizeFont();
  // The glyph's ink box against its advance, as drawn (hinted) at this size.
  GLYPHMETRICS metrics{};
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  if (GetGlyphOutlineW(dc_, wide.back(), GGO_METRICS, &metrics, 0, nullptr, &identity) == GDI_ERROR) return 0;
  const int inkRight = metrics.gmptGlyphOrigin.x + static_cast<int>(metrics.gmBlackBoxX);
  // Smoothed letters spread their edge by a pixel more than the ink box.
  const int overhang = inkRight - metrics.gmCellIncX;
  return overhang > 0 ? overhang + 1 : 0;
}

int ScreenTextWidth(const TFont& font, const std::string& text) {
  WindowDc screen(nullptr);
  TCanvas canvas(screen.Dc());
  canvas.Font = font;
  return canvas.TextWidth(text);
}

int ScreenTextHeight(const TFont& font, const std::string& text) {
  WindowDc screen(nullptr);
  TCanvas canvas(screen.Dc());
  canvas.Font = font;
  return canvas.TextHeight(text);
}

int TCanvas::TextHeight(const std::string& text) { return TextExtent(text).cy; }

int TCanvas::DrawText(RECT& rect, const std::string& text, UINT format) {
  PrepareText();
  std::wstring wide = Utf8ToWide(text);
  return ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

void TCanvas::DrawTextEllipsis(const RECT& rect, const std::string& text, TAlignment alignment) {
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  if (alignment == TAlignment::taCenter) format |= DT_CENTER;
  if (alignment == TAlignment::taRightJustify) format |= DT_RIGHT;
  RECT r = rect;
  DrawText(r, text, format);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  RealizePen();
  ::LineTo(dc_, x, y);
}

void TCanvas::Polygon(const std::vector<POINT>& points) {
  if (points.empty()) return;
  RealizePen();
  RealizeBrush();
  ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
}

void TCanvas::DrawFocusRect(const RECT& rect) {
  // The focus rectangle is drawn with XOR in the text colour pair.
  SetTextColor(dc_, RGB(0, 0, 0));
  SetBkColor(dc_, RGB(255, 255, 255));
  ::DrawFocusRect(dc_, &rect);
}

void TCanvas::GradientFillVertical(const RECT& rect, TColor top, TColor bottom) {
  COLORREF a = ColorToRGB(top);
  COLORREF b = ColorToRGB(bottom);
  TRIVERTEX v[2] = {};
  v[0].x = rect.left;
  v[0].y = rect.top;
  v[0].Red = static_cast<COLOR16>(GetRValue(a) << 8);
  v[0].Green = static_cast<COLOR16>(GetGValue(a) << 8);
  v[0].Blue = static_cast<COLOR16>(GetBValue(a) << 8);
  v[1].x = rect.right;
  v[1].y = rect.bottom;
  v[1].Red = static_cast<COLOR16>(GetRValue(b) << 8);
  v[1].Green = static_cast<COLOR16>(GetGValue(b) << 8);
  v[1].Blue = static_cast<COLOR16>(GetBValue(b) << 8);
  GRADIENT_RECT gr{0, 1};
  GradientFill(dc_, v, 2, &gr, 1, GRADIENT_FILL_RECT_V);
}

}  // namespace vk::gui
