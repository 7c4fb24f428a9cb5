#include "vkNames/MessageBoxRules.h"

#include "Core/Utf8.h"

namespace vk {

int MessageBoxIconId(int flags) {
  switch (flags & 0xF0) {
    case kMbIconError: return kIdiHand;
    case kMbIconQuestion: return kIdiQuestion;
    case kMbIconWarning: return kIdiExclamation;
    case kMbIconInformation: return kIdiAsterisk;
  }
  return 0;
}

bool HasTwoButtons(int flags) { return (flags & 0x0F) == kMbTwoButtons; }

TMessageBoxButtons PlanMessageBoxButtons(int flags, const std::string& firstCaption, const std::string& firstHint,
                                         const std::string& secondCaption, const std::string& secondHint) {
  constexpr int kFirst = 1, kSecond = 2;
  TMessageBoxButtons buttons;
  if (!HasTwoButtons(flags)) {
    buttons.Btn2 = {firstCaption, firstHint, /*Default=*/true, /*Cancel=*/true, kFirst};
    return buttons;
  }
  buttons.Btn1 = TMessageButtonSetup{firstCaption, firstHint, /*Default=*/true, /*Cancel=*/false, kFirst};
  buttons.Btn2 = {secondCaption, secondHint, /*Default=*/false, /*Cancel=*/true, kSecond};
  buttons.Btn1Focused = true;
  return buttons;
}

namespace {

// Reads the path a segment at a time: up to and including the next
// backslash, or to the end.
class PathSegments {
 public:
  explicit PathSegments(const std::string& path) : path_(path) {}
  bool Unread() const { return pos_ < path_.size(); }
  std::string Next() {
    size_t slash = path_.find('\\', pos_);
    size_t end = slash == std::string::npos ? path_.size() : slash + 1;
    std::string segment = path_.substr(pos_, end - pos_);
    pos_ = end;
    return segment;
  }

 private:
  const std::string& path_;
  size_t pos_ = 0;
};

}  // namespace

std::string WrapPathLines(const std::string& path, int width, const std::function<int(const std::string&)>& textWidth) {
  static const std::string kLineBreak = "\r\n";
  PathSegments segments(path);
  std::string result;
  std::string line;
  std::string pending;
  while (segments.Unread()) {
    while (segments.Unread() && textWidth(line + pending) < width) {
      line += pending;
      pending = segments.Next();
    }
    if (!segments.Unread()) break;
    // The line is full: the pending segment opens the next one (the very
    // first line is empty only when the first segment alone is too wide).
    if (!line.empty()) result += line + kLineBreak;
    line = pending;
    pending = segments.Next();
  }
  if (line.empty() || textWidth(line + pending) < width) return result + line + pending;
  return result + line + kLineBreak + pending;
}

std::vector<std::string> BreakToWidth(const std::string& text, int width,
                                      const std::function<int(const std::string&)>& textWidth) {
  std::vector<std::string> pieces;
  std::string piece;
  const std::vector<size_t> starts = Utf8CharacterStarts(text);
  for (size_t i = 0; i + 1 < starts.size(); ++i) {
    const std::string character = text.substr(starts[i], starts[i + 1] - starts[i]);
    if (!piece.empty() && textWidth(piece + character) >= width) {
      pieces.push_back(piece);
      piece.clear();
    }
    piece += character;
  }
  if (!piece.empty()) pieces.push_back(std::move(piece));
  return pieces;
}

}  // namespace vk
