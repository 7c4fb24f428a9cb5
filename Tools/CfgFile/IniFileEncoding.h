#pragma once
// The settings file's bytes and its text. A file without a byte-order mark is
// in the system's ANSI code page, as the system's INI handling writes it; a
// UTF-8 or UTF-16LE byte-order mark is honoured and kept when the file is
// written back. A file in the ANSI code page stays so until a value would
// not survive it (a folder named in Cyrillic on a Western system): then, and
// only then, it turns into UTF-8 with a byte-order mark, so that every value
// reads back exactly.

#include <cstdint>
#include <string>
#include <string_view>

namespace vk {

enum class IniEncoding {
  Ansi,     // no byte-order mark: the ANSI code page given
  Utf8Bom,  // EF BB BF
  Utf16Le,  // FF FE, then UTF-16 little-endian
};

struct DecodedIni {
  std::string Text;  // UTF-8
  IniEncoding Encoding = IniEncoding::Ansi;
};

// Never fails for a known code page: undecodable bytes become U+FFFD.
DecodedIni DecodeIniFile(std::string_view bytes, uint32_t ansiCodePage);
std::string EncodeIniFile(const std::string& text, IniEncoding encoding, uint32_t ansiCodePage);
// The form to write the text in, for a file read in the given one (see
// above).
IniEncoding EncodingToWrite(const std::string& text, IniEncoding fileEncoding, uint32_t ansiCodePage);

}  // namespace vk
