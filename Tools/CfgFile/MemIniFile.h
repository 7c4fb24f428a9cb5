#pragma once
// An INI file held wholly in memory: parsed once from the file's text and
// turned back into the whole text for every write.
//
// Text rules (the file is ours, but people edit it by hand):
// - Lines end with CR LF, LF or CR; the text written back always uses CR LF.
// - "[name]" starts a section; "key=value" is an entry of the section above
//   it. Blanks around names and values do not count. Section and key names
//   compare without regard to case (ASCII letters).
// - When a section or a key appears twice, the first one counts, as with the
//   system's INI functions.
// - Every other line (comments, blank lines, lines before the first section,
//   lines without "=") is kept as it is and written back unchanged, so a
//   rewrite changes only the entry that was written.
// - A value cannot hold a character below 0x20: a CR or LF from an outside
//   source must not be able to start a new line or section.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

class TMemIniFile {
 public:
  // Parses text in UTF-8 (any bytes are accepted; nothing is refused).
  explicit TMemIniFile(std::string_view text = {});

  // The value of the first matching entry of the first matching section.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, const std::string& defaultValue) const;
  // Sets the entry, adding the section and the key when missing. Raises
  // Exception, changing nothing, for a value with a character below 0x20 and
  // for a section or key name that could not be read back.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);

  // The whole file: every line followed by CR LF.
  std::string Text() const;

 private:
  enum class LineKind { Other, Section, Entry };
  struct Line {
    LineKind Kind = LineKind::Other;
    std::string Raw;   // the line as written to the file
    std::string Name;  // the section's or the key's name
    std::string Value;
  };
  // The first section of that name: its header's index; nullopt when absent.
  std::optional<size_t> FindSection(std::string_view section) const;
  // The end of the section that starts at header (the next header or the end).
  size_t SectionEnd(size_t header) const;
  static Line ParseLine(std::string raw);

  std::vector<Line> lines_;
};

}  // namespace vk
