// Without a Windows underneath, the separators a Windows of the language that
// LANG names has by default.
#include "Platform/CodePage.h"
#include "Platform/Locale.h"

namespace vk::platform {
namespace {

// Russian, Ukrainian, Belarusian, Bulgarian, German and French write a
// decimal comma, and so separate lists with a semicolon.
bool DecimalComma() {
  switch (SystemDefaultLangId() & 0x3FF) {
    case 0x19:
    case 0x22:
    case 0x23:
    case 0x02:
    case 0x07:
    case 0x0C: return true;
  }
  return false;
}

}  // namespace

std::string UserListSeparator() { return DecimalComma() ? ";" : ","; }

std::string UserDecimalSeparator() { return DecimalComma() ? "," : "."; }

}  // namespace vk::platform
