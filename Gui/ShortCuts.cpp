#include "Gui/ShortCuts.h"

#include <string_view>

#include "Core/AsciiCase.h"

namespace vk::gui {

namespace {

struct KeyName {
  std::uint16_t Key;
  const char* Name;
};

// Keys whose name is not their own character.
constexpr KeyName kKeyNames[] = {
    {keys::Back, "BkSp"},  {keys::Tab, "Tab"},     {keys::Return, "Enter"},
    {keys::Escape, "Esc"}, {keys::Space, "Space"}, {0x21, "PgUp"},
    {0x22, "PgDn"},        {0x23, "End"},          {0x24, "Home"},
    {0x25, "Left"},        {0x26, "Up"},           {0x27, "Right"},
    {0x28, "Down"},        {keys::Insert, "Ins"},  {keys::Delete, "Del"},
    {0x6A, "Num *"},       {keys::Add, "Num +"},   {keys::Subtract, "Num -"},
    {0x6E, "Num ."},       {0x6F, "Num /"},
};

struct ModifierName {
  TShortCut Flag;
  const char* Name;
};

constexpr ModifierName kModifierNames[] = {{scShift, "Shift"}, {scCtrl, "Ctrl"}, {scAlt, "Alt"}};

std::string KeyText(std::uint16_t key) {
  for (const KeyName& k : kKeyNames) {
    if (k.Key == key) return k.Name;
  }
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= 0x60 && key <= 0x69) return "Num " + std::string(1, static_cast<char>('0' + key - 0x60));
  if (key >= keys::F1 && key <= keys::F1 + 23) return "F" + std::to_string(key - keys::F1 + 1);
  return {};
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The key a name gives; 0 for none.
std::uint16_t KeyOfName(std::string_view name) {
  for (const KeyName& k : kKeyNames) {
    if (SameTextAscii(name, k.Name)) return k.Key;
  }
  if (name.size() == 1) {
    char c = AsciiUpper(name[0]);
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return static_cast<std::uint16_t>(c);
    return 0;
  }
  if (name.size() == 5 && SameTextAscii(name.substr(0, 4), "Num ") && name[4] >= '0' && name[4] <= '9') {
    return static_cast<std::uint16_t>(0x60 + (name[4] - '0'));
  }
  if (name.size() >= 2 && name.size() <= 3 && AsciiUpper(name[0]) == 'F') {
    int number = 0;
    for (char c : name.substr(1)) {
      if (c < '0' || c > '9') return 0;
      number = number * 10 + (c - '0');
    }
    if (number >= 1 && number <= 24 && name[1] != '0') return static_cast<std::uint16_t>(keys::F1 + number - 1);
  }
  return 0;
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  std::string key = KeyText(ShortCutKey(shortCut));
  if (key.empty()) return {};
  std::string text;
  for (const ModifierName& m : kModifierNames) {
    if (shortCut & m.Flag) text += std::string(m.Name) + "+";
  }
  return text + key;
}

TShortCut TextToShortCut(const std::string& text) {
  std::string_view rest = Trimmed(text);
  TShortCut modifiers = 0;
  // Modifiers come first, each followed by "+"; the key name may itself hold
  // a "+" ("Num +"), so only known modifier names are split off.
  for (bool found = true; found;) {
    found = false;
    for (const ModifierName& m : kModifierNames) {
      std::string_view name(m.Name);
      if (rest.size() <= name.size() || !SameTextAscii(rest.substr(0, name.size()), name)) continue;
      std::string_view after = Trimmed(rest.substr(name.size()));
      if (after.size() < 2 || after.front() != '+') continue;
      modifiers |= m.Flag;
      rest = Trimmed(after.substr(1));
      found = true;
    }
  }
  std::uint16_t key = KeyOfName(rest);
  return key ? ShortCut(key, modifiers) : scNone;
}

}  // namespace vk::gui
