#pragma once
// Every web and mail address the program knows, in one place. They are
// placeholders under the reserved ".example" domain: they resolve nowhere
// until the real product site exists, and changing a site means changing only
// this file.
//
// The product page and the support mail address are kept scrambled, so that
// the program file does not carry them as plain text; the language units hand
// the scrambled bytes to the texts, and the about window restores them only
// when a link is opened. The scrambling is no secret, only a veil: byte i of
// the address is XORed with (kScrambleSeed + kScrambleStep * i) mod 256. The
// scrambled form is computed at compile time, so the plain address never
// reaches the program file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vk {

inline constexpr std::uint8_t kScrambleSeed = 0xA7;
inline constexpr std::uint8_t kScrambleStep = 0x1D;

constexpr std::uint8_t ScrambleKey(std::size_t index) {
  return static_cast<std::uint8_t>(kScrambleSeed + kScrambleStep * index);
}

// The scrambled bytes of an address literal (its terminating zero left out).
template <std::size_t N>
consteval std::array<std::uint8_t, N - 1> ScrambleAddress(const char (&plain)[N]) {
  std::array<std::uint8_t, N - 1> bytes{};
  for (std::size_t i = 0; i + 1 < N; ++i) bytes[i] = static_cast<std::uint8_t>(plain[i]) ^ ScrambleKey(i);
  return bytes;
}

// The address that ScrambleAddress veiled.
inline std::string UnscrambleAddress(std::span<const std::uint8_t> bytes) {
  std::string plain(bytes.size(), '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) plain[i] = static_cast<char>(bytes[i] ^ ScrambleKey(i));
  return plain;
}

// The product page of each language, opened by the about window's link. The
// Russian page is the site's start page (35 bytes); the Ukrainian and English
// pages lie one folder down (45 bytes each).
inline constexpr auto kRussianProductPage = ScrambleAddress("http://www.vorkel.example/index.htm");
inline constexpr auto kUkrainianProductPage = ScrambleAddress("http://www.vorkel.example/ukrainian/index.htm");
inline constexpr auto kEnglishProductPage = ScrambleAddress("http://www.vorkel.example/english/default.htm");
static_assert(kRussianProductPage.size() == 35);
static_assert(kUkrainianProductPage.size() == 45 && kEnglishProductPage.size() == 45);

// Where the about window's support link sends its mail.
inline constexpr auto kSupportMailAddress = ScrambleAddress("support@vorkel.example");

// The help pages, one per language; the help command opens them as they are.
inline constexpr std::string_view kRussianHelpPage = "http://www.vorkel.example/help/ru/";
inline constexpr std::string_view kUkrainianHelpPage = "http://www.vorkel.example/help/uk/";
inline constexpr std::string_view kEnglishHelpPage = "http://www.vorkel.example/help/en/";

// The web server that the version check asks for the newest version text.
inline constexpr std::string_view kVersionServer = "www.vorkel.example";

}  // namespace vk
