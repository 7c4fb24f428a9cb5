#pragma once
// States written the way one reads them: "1'2|34.00" is the caret after the 2,
// "[1'234].56" the integer part selected. Keeps the tables short and readable.

#include <stdexcept>
#include <string>

#include "Tools/LocalDbCtrls/EditState.h"

namespace vk::test {

inline TEditState ParseState(const std::string& notation) {
  TEditState s;
  int caret = -1, open = -1, close = -1;
  for (char c : notation) {
    int pos = static_cast<int>(s.Text.size());
    if (c == '|') {
      caret = pos;
    } else if (c == '[') {
      open = pos;
    } else if (c == ']') {
      close = pos;
    } else {
      s.Text += c;
    }
  }
  if (open >= 0 && close >= open) {
    s.SelStart = open;
    s.SelLength = close - open;
  } else if (caret >= 0) {
    s.SelStart = caret;
  } else {
    throw std::invalid_argument("no caret in " + notation);
  }
  return s;
}

inline std::string FormatState(const TEditState& s) {
  std::string out = s.Text;
  if (s.SelLength > 0) {
    out.insert(static_cast<size_t>(s.SelStart + s.SelLength), "]");
    out.insert(static_cast<size_t>(s.SelStart), "[");
  } else {
    out.insert(static_cast<size_t>(s.SelStart), "|");
  }
  return out;
}

}  // namespace vk::test
