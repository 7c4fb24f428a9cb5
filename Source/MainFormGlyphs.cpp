#include "Source/MainFormGlyphs.h"

#include <cstring>

#include "Core/SysUtils.h"

namespace vk {
namespace {

using Rows = const char * [gui::kImageSize];

// One letter a colour; '.' is transparent.
std::uint32_t ColourOf(char c) {
  switch (c) {
    case 'k': return 0xFF404040;  // outline
    case 'g': return 0xFF9A9A9A;  // lines of text
    case 'w': return 0xFFFFFFFF;  // paper
    case 'b': return 0xFF2A62C0;  // arrow
    case 'r': return 0xFFD02C2C;  // handles, the cross
    case 'y': return 0xFFB8863C;  // clipboard
    default: return 0;
  }
}

gui::TImagePixels Draw(const Rows& rows) {
  gui::TImagePixels pixels{};
  for (int y = 0; y < gui::kImageSize; ++y) {
    Assert(std::strlen(rows[y]) == gui::kImageSize, "Glyph row of wrong width", "Source\\MainForm");
    for (int x = 0; x < gui::kImageSize; ++x) pixels[size_t(y * gui::kImageSize + x)] = ColourOf(rows[y][x]);
  }
  return pixels;
}

// One row of letters a line, so that each picture reads as drawn.
// clang-format off
const Rows kCut = {
    "................",
    "....k......k....",
    "....k......k....",
    "....kk....kk....",
    ".....k....k.....",
    ".....kk..kk.....",
    "......k..k......",
    "......kkkk......",
    ".......kk.......",
    "......rrrr......",
    "....rrr..rrr....",
    "...r..r..r..r...",
    "...r..r..r..r...",
    "...r..r..r..r...",
    "....rr....rr....",
    "................",
};
const Rows kCopy = {
    "................",
    ".kkkkkkk........",
    ".kwwwwwk........",
    ".kwgggwk........",
    ".kwwwwwk........",
    ".kwggkkkkkkkk...",
    ".kwwwkwwwwwwk...",
    ".kwggkwggggwk...",
    ".kwwwkwwwwwwk...",
    ".kkkkkwggggwk...",
    ".....kwwwwwwk...",
    ".....kwggggwk...",
    ".....kwwwwwwk...",
    ".....kkkkkkkk...",
    "................",
    "................",
};
const Rows kPaste = {
    "................",
    ".....kkkkkk.....",
    "..yyyk....kyyy..",
    "..yyykkkkkkyyy..",
    "..yyyyyyyyyyyy..",
    "..yyyyyyyyyyyy..",
    "..yyyykkkkkkkkk.",
    "..yyyykwwwwwwwk.",
    "..yyyykwgggggwk.",
    "..yyyykwwwwwwwk.",
    "..yyyykwgggggwk.",
    "..yyyykwwwwwwwk.",
    "..yyyykwggggwwk.",
    "..yyyykwwwwwwwk.",
    "..yyyykkkkkkkkk.",
    "................",
};
const Rows kUndo = {
    "................",
    "................",
    "....b...........",
    "...bb...........",
    "..bbbbbbbbb.....",
    ".bbbbbbbbbbb....",
    "..bbbbbbbbbbb...",
    "...bb......bbb..",
    "....b.......bb..",
    "............bb..",
    "............bb..",
    "...........bbb..",
    ".........bbbb...",
    ".......bbbbb....",
    "................",
    "................",
};
const Rows kNone = {
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
};
const Rows kDelete = {
    "................",
    "................",
    "..rr........rr..",
    "..rrr......rrr..",
    "...rrr....rrr...",
    "....rrr..rrr....",
    ".....rrrrrr.....",
    "......rrrr......",
    "......rrrr......",
    ".....rrrrrr.....",
    "....rrr..rrr....",
    "...rrr....rrr...",
    "..rrr......rrr..",
    "..rr........rr..",
    "................",
    "................",
};
// clang-format on

}  // namespace

std::vector<gui::TImagePixels> MainFormGlyphs() {
  return {Draw(kCut), Draw(kCopy), Draw(kPaste), Draw(kUndo), Draw(kNone), Draw(kDelete)};
}

}  // namespace vk
