#pragma once
// Opening programs, documents and addresses through the shell: the help page,
// the product's web page and a mail to the product's contact address. Nothing
// here shows a message; callers decide what to tell the user.

#include <cstdint>
#include <span>
#include <string>

namespace vk {

// The shell's default action on target (a program, document or address); the
// shell's result, above 32 meaning success.
int RunProgram(const std::string& target);

// The web address kept scrambled (see ProductAddresses.h), restored, followed
// by suffix (a page or query part), opened with RunProgram.
int OpenWebAddress(std::span<const std::uint8_t> storedAddress, const std::string& suffix);

// Every blank as "%20", carriage return as "%0D" and line feed as "%0A"; all
// other characters as they are.
std::string EscapeMailText(const std::string& text);

// "mailto:<address>?subject=<subject>&body=<body>" with subject and body
// escaped by EscapeMailText, and "%", "&" and "#" in them escaped as well so
// that each reaches the mail whole.
std::string ComposeMailAddress(const std::string& address, const std::string& subject, const std::string& body);

// Opens a new mail to the contact address kept scrambled; true when the shell
// took it.
bool SendMail(std::span<const std::uint8_t> storedAddress, const std::string& subject, const std::string& body);

}  // namespace vk
