#include "Tools/Service/Contacts.h"

#include "Platform/Shell.h"
#include "Tools/Service/ProductAddresses.h"

namespace vk {
namespace {
// The shell reports success with any number above this.
constexpr int kLastShellError = 32;
}  // namespace

int RunProgram(const std::string& target) { return platform::ShellOpen(target); }

int OpenWebAddress(std::span<const std::uint8_t> storedAddress, const std::string& suffix) {
  return RunProgram(UnscrambleAddress(storedAddress) + suffix);
}

std::string EscapeMailText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case ' ': out += "%20"; break;
      case '\r': out += "%0D"; break;
      case '\n': out += "%0A"; break;
      default: out += c;
    }
  }
  return out;
}

namespace {
// A "%", "&" or "#" in a subject or body would otherwise start an escape, end
// the field (the rest of the text lost, or read as another header) or end the
// address; they are escaped before the blanks and line ends.
std::string EscapeMailField(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '%': out += "%25"; break;
      case '&': out += "%26"; break;
      case '#': out += "%23"; break;
      default: out += c;
    }
  }
  return EscapeMailText(out);
}
}  // namespace

std::string ComposeMailAddress(const std::string& address, const std::string& subject, const std::string& body) {
  return "mailto:" + address + "?subject=" + EscapeMailField(subject) + "&body=" + EscapeMailField(body);
}

bool SendMail(std::span<const std::uint8_t> storedAddress, const std::string& subject, const std::string& body) {
  return RunProgram(ComposeMailAddress(UnscrambleAddress(storedAddress), subject, body)) > kLastShellError;
}

}  // namespace vk
