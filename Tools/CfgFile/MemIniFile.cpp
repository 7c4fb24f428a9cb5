#include "Tools/CfgFile/MemIniFile.h"

#include "Core/AsciiCase.h"
#include "Core/SysUtils.h"

namespace vk {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) { return SameTextAscii(a, b); }

bool HasControlCharacter(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) < 0x20) return true;
  }
  return false;
}

void CheckWritable(std::string_view section, std::string_view key, std::string_view value) {
  auto quoted = [&] { return " (" + std::string(section) + "/" + std::string(key) + ")"; };
  if (HasControlCharacter(value)) throw Exception("Control character in a configuration value" + quoted());
  bool sectionOk = !TrimBlanks(section).empty() && TrimBlanks(section) == section && !HasControlCharacter(section) &&
                   section.find(']') == std::string_view::npos;
  bool keyOk = !TrimBlanks(key).empty() && TrimBlanks(key) == key && !HasControlCharacter(key) &&
               key.find('=') == std::string_view::npos && key.front() != '[' && key.front() != ';';
  if (!sectionOk || !keyOk) throw Exception("Invalid configuration name" + quoted());
}

std::string EntryLine(std::string_view key, std::string_view value) {
  return std::string(key) + "=" + std::string(value);
}

}  // namespace

TMemIniFile::TMemIniFile(std::string_view text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines_.push_back(ParseLine(std::string(text.substr(start, end - start))));
    start = end;
    if (start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n') ++start;
  }
}

TMemIniFile::Line TMemIniFile::ParseLine(std::string raw) {
  Line line;
  std::string_view s = TrimBlanks(raw);
  if (!s.empty() && s.front() == '[') {
    size_t close = s.find(']');
    if (close != std::string_view::npos) {
      line.Kind = LineKind::Section;
      line.Name = TrimBlanks(s.substr(1, close - 1));
    }
  } else if (!s.empty() && s.front() != ';') {
    size_t eq = s.find('=');
    if (eq != std::string_view::npos && !TrimBlanks(s.substr(0, eq)).empty()) {
      line.Kind = LineKind::Entry;
      line.Name = TrimBlanks(s.substr(0, eq));
      line.Value = TrimBlanks(s.substr(eq + 1));
    }
  }
  line.Raw = std::move(raw);
  return line;
}

std::optional<size_t> TMemIniFile::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].Kind == LineKind::Section && SameName(lines_[i].Name, section)) return i;
  }
  return std::nullopt;
}

size_t TMemIniFile::SectionEnd(size_t header) const {
  size_t i = header + 1;
  while (i < lines_.size() && lines_[i].Kind != LineKind::Section) ++i;
  return i;
}

std::optional<std::string> TMemIniFile::Value(std::string_view section, std::string_view key) const {
  auto header = FindSection(section);
  if (!header) return std::nullopt;
  for (size_t i = *header + 1, end = SectionEnd(*header); i < end; ++i) {
    if (lines_[i].Kind == LineKind::Entry && SameName(lines_[i].Name, key)) return lines_[i].Value;
  }
  return std::nullopt;
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view key,
                                    const std::string& defaultValue) const {
  return Value(section, key).value_or(defaultValue);
}

void TMemIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  CheckWritable(section, key, value);
  Line entry{LineKind::Entry, EntryLine(key, value), std::string(key), std::string(value)};
  auto header = FindSection(section);
  if (!header) {
    if (!lines_.empty() && !TrimBlanks(lines_.back().Raw).empty()) lines_.push_back(ParseLine(""));
    std::string headerLine = "[";
    headerLine.append(section).append("]");
    lines_.push_back(ParseLine(std::move(headerLine)));
    lines_.push_back(std::move(entry));
    return;
  }
  size_t end = SectionEnd(*header);
  size_t insertAt = *header + 1;
  for (size_t i = *header + 1; i < end; ++i) {
    if (lines_[i].Kind != LineKind::Entry) continue;
    if (SameName(lines_[i].Name, key)) {
      // The name keeps the spelling the file already has.
      lines_[i].Raw = EntryLine(lines_[i].Name, value);
      lines_[i].Value = value;
      return;
    }
    insertAt = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
}

std::string TMemIniFile::Text() const {
  std::string text;
  for (const Line& line : lines_) {
    text += line.Raw;
    text += "\r\n";
  }
  return text;
}

}  // namespace vk
