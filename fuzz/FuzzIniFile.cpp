// Parses arbitrary bytes as the settings file and writes values into it.
// Parsing never refuses; what it writes back must parse to the same values,
// and a written value must read back exactly.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Core/SysUtils.h"
#include "Tools/CfgFile/IniFileEncoding.h"
#include "Tools/CfgFile/MemIniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vk;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (uint32_t codePage : {1251u, 1252u}) {
    const DecodedIni decoded = DecodeIniFile(bytes, codePage);
    TMemIniFile ini(decoded.Text);
    const TMemIniFile again(ini.Text());
    for (const char* section : {"Options", "Security", "Updates"}) {
      for (const char* key : {"Language", "Password", "TestDate"}) {
        if (ini.Value(section, key) != again.Value(section, key)) std::abort();
      }
    }
    // A value taken from the input itself, which may hold anything; blanks
    // around a value do not count, as in any INI file.
    const std::string value(bytes.substr(0, 40));
    try {
      ini.WriteString("Options", "Language", value);
      const size_t first = value.find_first_not_of(' ');
      const std::string trimmed =
          first == std::string::npos ? std::string() : value.substr(first, value.find_last_not_of(' ') - first + 1);
      if (TMemIniFile(ini.Text()).Value("Options", "Language") != trimmed) std::abort();
    } catch (const Exception&) {
      // Refused (a control character): nothing was written.
    }
    (void)EncodeIniFile(ini.Text(), decoded.Encoding, codePage);
  }
  return 0;
}
