#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "Tables/UMoneyFld.h"
#include "tests/Fields/FieldTestSupport.h"

namespace vk {
namespace {

using testing::RefusalOf;

constexpr uint32_t kTop = 4294967295u;
constexpr uint32_t kLargestText = 4294967199u;  // 42'949'671.99

const std::string kBadForm = "Неверно задано положительное число с двумя знаками: ";
const std::string kTooLarge = "Слишком большое число: ";

// The product as exact 64-bit arithmetic gives it, rounded half up; nullopt
// where it does not fit the money type.
std::optional<uint32_t> ReferenceProduct(uint32_t a, uint32_t b) {
  uint64_t r = (uint64_t{a} * b + 50) / 100;
  if (r > kTop) return std::nullopt;
  return static_cast<uint32_t>(r);
}

std::optional<uint32_t> Product(uint32_t a, uint32_t b) {
  try {
    return TMoneyField::MulMoney(a, b);
  } catch (const EIntOverflow&) {
    return std::nullopt;
  }
}

// A seed given in VK_TEST_SEED repeats a failed run; otherwise a fresh one,
// printed so that a failure can be repeated.
uint64_t TestSeed() {
  uint64_t seed;
  if (const char* given = std::getenv("VK_TEST_SEED")) {
    seed = std::strtoull(given, nullptr, 10);
  } else {
    seed = (uint64_t{std::random_device{}()} << 32) | std::random_device{}();
  }
  std::cout << "[ seed     ] VK_TEST_SEED=" << seed << std::endl;
  ::testing::Test::RecordProperty("seed", std::to_string(seed));
  return seed;
}

// The text form built independently: whole units grouped by three with "'",
// then two decimals.
std::string ReferenceText(uint32_t value) {
  char whole[16];
  std::snprintf(whole, sizeof whole, "%" PRIu32, value / 100);
  std::string digits = whole, out;
  for (size_t i = 0; i < digits.size(); ++i) {
    out += digits[i];
    size_t left = digits.size() - 1 - i;
    if (left > 0 && left % 3 == 0) out += '\'';
  }
  char cents[8];
  std::snprintf(cents, sizeof cents, ".%02" PRIu32, value % 100);
  return out + cents;
}

// ---- MoneyToStr --------------------------------------------------------------

TEST(MoneyToStr, GroupsWholeUnitsAndWritesTwoDecimals) {
  struct Case {
    uint32_t value;
    const char* text;
  } cases[] = {
      {0, "0.00"},
      {5, "0.05"},
      {10, "0.10"},
      {99, "0.99"},
      {100, "1.00"},
      {99999, "999.99"},
      {100000, "1'000.00"},
      {123456789, "1'234'567.89"},
      {99999999, "999'999.99"},
      {100000000, "1'000'000.00"},
      {kLargestText, "42'949'671.99"},
      {kTop, "42'949'672.95"},
  };
  for (const auto& c : cases) EXPECT_EQ(TMoneyField::MoneyToStr(c.value), c.text) << c.value;
}

// ---- StrToMoney ----------------------------------------------------------------

TEST(StrToMoney, AcceptsTheTextFormWithGroupMarksAnywhere) {
  struct Case {
    std::string text;
    uint32_t value;
  } cases[] = {
      {"0.00", 0},
      {"0.50", 50},
      {"00.50", 50},
      {"1'2'3.45", 12345},
      {"1'234'567.89", 123456789},
      {"1234567.89", 123456789},
      {"'''1.00'''", 100},
      {"1'.'5'0", 150},
      {"42'949'671.99", kLargestText},
      {"42949671.99", kLargestText},
      {"000000000000000000000000000001.00", 100},
      {"000000000000000000000042949671.99", kLargestText},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RefusalOf([&] { EXPECT_EQ(TMoneyField::StrToMoney(c.text), c.value) << c.text; }), "<no exception>")
        << c.text;
  }
}

TEST(StrToMoney, RefusesEveryOtherTextNamingItInBrackets) {
  struct Case {
    std::string text;
    const std::string& message;
  } cases[] = {
      {"", kBadForm},
      {"1.5", kBadForm},
      {".50", kBadForm},
      {"1,50", kBadForm},
      {"-1.00", kBadForm},
      {"+1.00", kBadForm},
      {" 1.50", kBadForm},
      {"1.50 ", kBadForm},
      {"1.500", kBadForm},
      {"1..00", kBadForm},
      {"12.3.45", kBadForm},
      {"1.0a", kBadForm},
      {"100", kBadForm},
      {"1000", kBadForm},
      {"'''", kBadForm},
      {"'1.5'", kBadForm},
      {".123", kBadForm},
      {"1e2.00", kBadForm},
      {"\xEF\xBC\x91.00", kBadForm},  // a full-width digit
      {std::string("1\0.00", 5), kBadForm},
      {"123456789012345678901234567890.00", kBadForm},
      {"999999999999999999999999999999.99", kBadForm},
      {"2147483648.00", kBadForm},
      {"4294967296.00", kBadForm},
      {"9999999999.00", kBadForm},
      {"42'949'672.00", kTooLarge},
      {"42949672.00", kTooLarge},
      {"0042949672.00", kTooLarge},
      {"42'949'672.95", kTooLarge},
      {"99'999'999.99", kTooLarge},
      {"2147483647.00", kTooLarge},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RefusalOf([&] { TMoneyField::StrToMoney(c.text); }), c.message + "[" + c.text + "]") << c.text;
  }
}

TEST(StrToMoney, RoundTripsEveryTextTheFormCanGive) {
  uint64_t checked = 0;
  auto check = [&](uint32_t v) {
    std::string text = TMoneyField::MoneyToStr(v);
    ASSERT_EQ(text, ReferenceText(v));
    ASSERT_EQ(TMoneyField::StrToMoney(text), v) << text;
    ++checked;
  };
  for (uint32_t v = 0; v <= 1'000'000; ++v) check(v);
  for (uint32_t v = kLargestText - 1'000'000; v != kLargestText + 1; ++v) check(v);
  // A prime stride walks every residue of the cents and of each group.
  for (uint64_t v = 1'000'001; v < kLargestText - 1'000'000; v += 4099) check(static_cast<uint32_t>(v));
  // Around each power of ten, where a group mark appears.
  for (uint64_t p = 1000; p <= kLargestText; p *= 10) {
    for (uint64_t v = p - 300; v <= p + 300 && v <= kLargestText; ++v) check(static_cast<uint32_t>(v));
  }
  std::mt19937_64 rng(TestSeed());
  std::uniform_int_distribution<uint32_t> any(0, kLargestText);
  for (int i = 0; i < 1'000'000; ++i) check(any(rng));
  EXPECT_GT(checked, 4'000'000u);
}

TEST(StrToMoney, RefusesEveryTextAboveTheLargestItCanGive) {
  for (uint64_t v = kLargestText + 1ull; v <= kTop; ++v) {
    std::string text = TMoneyField::MoneyToStr(static_cast<uint32_t>(v));
    ASSERT_EQ(RefusalOf([&] { TMoneyField::StrToMoney(text); }), kTooLarge + "[" + text + "]");
  }
}

// ---- MulMoney -----------------------------------------------------------------

TEST(MulMoney, RoundsHalfUpAndOverflowsAboveTheTop) {
  struct Case {
    uint32_t a, b;
    std::optional<uint32_t> product;
  } cases[] = {
      {150, 225, 338u},
      {1, 49, 0u},
      {1, 50, 1u},
      {50, 1, 1u},
      {49, 1, 0u},
      {1, 1, 0u},
      {99, 99, 98u},
      {100, 100, 100u},
      {10000, 42949672, 4294967200u},
      {10000, 42949673, std::nullopt},
      {0, kTop, 0u},
      {kTop, 0, 0u},
      {kTop, 100, kTop},
      {100, kTop, kTop},
      {kTop, 101, std::nullopt},
      {kTop, kTop, std::nullopt},
      {65536, 65536, 42949673u},
      {655360, 655360, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Product(c.a, c.b), c.product) << c.a << " x " << c.b;
    EXPECT_EQ(Product(c.a, c.b), ReferenceProduct(c.a, c.b)) << c.a << " x " << c.b;
  }
  EXPECT_EQ(RefusalOf([] { TMoneyField::MulMoney(kTop, 101); }), "EIntOverflow: Integer overflow");
}

// For each a, the largest b whose product still fits, and the one above it.
TEST(MulMoney, OverflowsExactlyAtTheBoundaryOfEveryFactor) {
  constexpr uint64_t kLargestExact = 429496729549ull;  // a*b+50 < (kTop+1)*100
  std::mt19937_64 rng(TestSeed());
  std::uniform_int_distribution<uint32_t> any(1, kTop);
  std::vector<uint32_t> factors = {1,         2,          3,           7,        49,      50,       99,
                                   100,       101,        199,         255,      256,     1000,     65535,
                                   65536,     65537,      99999,       100000,   4294967, 42949672, 42949673,
                                   429496729, 2147483647, 2147483648u, kTop - 1, kTop};
  for (int i = 0; i < 100000; ++i) factors.push_back(any(rng));
  for (uint32_t a : factors) {
    uint64_t bMax = kLargestExact / a;
    if (bMax <= kTop) {
      auto b = static_cast<uint32_t>(bMax);
      ASSERT_EQ(Product(a, b), ReferenceProduct(a, b)) << a << " x " << b;
      ASSERT_TRUE(Product(a, b)) << a << " x " << b;
      ASSERT_TRUE(Product(b, a)) << b << " x " << a;
      if (bMax < kTop) {
        ASSERT_FALSE(Product(a, b + 1)) << a << " x " << b + 1;
        ASSERT_FALSE(Product(b + 1, a)) << b + 1 << " x " << a;
      }
    } else {
      ASSERT_TRUE(Product(a, kTop)) << a << " x top";
    }
  }
}

TEST(MulMoney, EqualsTheExactProductOnAMillionRandomPairs) {
  std::mt19937_64 rng(TestSeed());
  std::uniform_int_distribution<uint32_t> any(0, kTop);
  std::uniform_int_distribution<int> bits(0, 32), shape(0, 3);
  std::uniform_int_distribution<int64_t> near(-1000, 1000);
  // Uniform pairs nearly all overflow, so most pairs are drawn with sizes
  // that put the product near the top, below it or at any magnitude.
  auto draw = [&](int width) -> uint32_t {
    if (width == 0) return 0;
    return static_cast<uint32_t>(any(rng) >> (32 - width));
  };
  uint64_t fits = 0, overflows = 0;
  for (int i = 0; i < 1'000'000; ++i) {
    uint32_t a, b;
    switch (shape(rng)) {
      case 0:
        a = any(rng);
        b = any(rng);
        break;
      case 1:
        a = draw(bits(rng));
        b = draw(bits(rng));
        break;
      case 2: {
        a = any(rng) >> (bits(rng) % 32) | 1;
        int64_t b0 = static_cast<int64_t>(429496729549ull / a) + near(rng);
        b = static_cast<uint32_t>(std::clamp<int64_t>(b0, 0, kTop));
        break;
      }
      default:
        a = draw(16 + bits(rng) % 17);
        b = draw(16 + bits(rng) % 17) % 100000;
        break;
    }
    auto want = ReferenceProduct(a, b);
    ASSERT_EQ(Product(a, b), want) << a << " x " << b;
    ++(want ? fits : overflows);
  }
  std::cout << "[ pairs    ] " << fits << " fit, " << overflows << " overflow" << std::endl;
  EXPECT_GT(fits, 300'000u);
  EXPECT_GT(overflows, 200'000u);
}

// ---- the money field -----------------------------------------------------------

TEST(MoneyField, ReportsEveryTextFailureWithTheFormMessage) {
  const std::string cases[] = {
      "42'949'672.00", "2147483647.00", "1.5", "-1.00", " ", "abc", "123456789012345678901234567890.00"};
  for (const std::string& text : cases) {
    TMoneyField f;
    f.EnableEdit();
    f.SetValue(777);
    EXPECT_EQ(RefusalOf([&] { f.SetAsString(text); }), kBadForm + "[" + text + "]");
    EXPECT_EQ(f.Value(), 777u) << text;
    uint32_t buffer = 777;
    EXPECT_EQ(RefusalOf([&] { f.TextToBuffer(text, &buffer); }), kBadForm + "[" + text + "]");
    EXPECT_EQ(buffer, 777u) << text;
  }
}

TEST(MoneyField, ParsesTextAndShowsItBack) {
  struct Case {
    std::string text;
    uint32_t value;
    const char* shown;
  } cases[] = {
      {"", 0, "0.00"},
      {"0.50", 50, "0.50"},
      {"1'2'3.45", 12345, "123.45"},
      {"42'949'671.99", kLargestText, "42'949'671.99"},
      {"1000.00", 100000, "1'000.00"},
  };
  for (const auto& c : cases) {
    TMoneyField f;
    f.EnableEdit();
    f.SetValue(777);
    f.SetAsString(c.text);
    EXPECT_EQ(f.Value(), c.value) << c.text;
    EXPECT_EQ(f.GetAsString(), c.shown);
    uint32_t buffer = 777;
    f.TextToBuffer(c.text, &buffer);
    EXPECT_EQ(buffer, c.value);
    EXPECT_EQ(f.BufferToText(&buffer), c.shown);
  }
}

TEST(MoneyField, ComparesUnsigned) {
  struct Case {
    uint32_t a, b;
    int want;
  } cases[] = {{0, kTop, -1}, {2147483647u, 2147483648u, -1}, {5, 5, 0}, {kTop, 1, 1}};
  TMoneyField f;
  for (const auto& c : cases) {
    EXPECT_EQ(f.Compare(&c.a, &c.b), c.want) << c.a << " " << c.b;
    EXPECT_EQ(f.Compare(&c.b, &c.a), -c.want) << c.a << " " << c.b;
  }
}

}  // namespace
}  // namespace vk
