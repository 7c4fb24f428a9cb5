#include <gtest/gtest.h>

#include <string>

#include "Tools/Service/ProductAddresses.h"

namespace vk {
namespace {

TEST(ProductAddresses, ScrambledAddressesRestoreToPlaceholdersOnly) {
  struct Case {
    std::span<const std::uint8_t> bytes;
    const char* expected;
  } cases[] = {
      {kRussianProductPage, "http://www.vorkel.example/index.htm"},
      {kUkrainianProductPage, "http://www.vorkel.example/ukrainian/index.htm"},
      {kEnglishProductPage, "http://www.vorkel.example/english/default.htm"},
      {kSupportMailAddress, "support@vorkel.example"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UnscrambleAddress(c.bytes), c.expected);
    // The program file must not carry the address in plain sight.
    std::string stored(c.bytes.begin(), c.bytes.end());
    EXPECT_EQ(stored.find("vorkel"), std::string::npos) << c.expected;
    EXPECT_EQ(stored.find("example"), std::string::npos) << c.expected;
  }
}

TEST(ProductAddresses, PlainAddressesPointIntoTheReservedDomain) {
  for (auto address : {kRussianHelpPage, kUkrainianHelpPage, kEnglishHelpPage})
    EXPECT_TRUE(address.starts_with("http://www.vorkel.example/help/")) << address;
  EXPECT_NE(kRussianHelpPage, kUkrainianHelpPage);
  EXPECT_NE(kUkrainianHelpPage, kEnglishHelpPage);
  EXPECT_TRUE(kVersionServer.ends_with(".example"));
}

}  // namespace
}  // namespace vk
