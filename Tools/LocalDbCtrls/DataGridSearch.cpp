#include "Tools/LocalDbCtrls/DataGridSearch.h"

namespace vk {

void ApplySearchChar(std::string& text, char32_t ch, int32_t searchLength) {
  if (ch == kBackspace) {
    Utf8DropLast(text);
  } else if (Utf8Length(text) < searchLength) {
    Utf8Append(text, ch);
  }
}

}  // namespace vk
