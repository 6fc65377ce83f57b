#include "app/count_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace orvo {
namespace {

std::string Text(double count) {
  char text[32];
  return std::string(text, AppendCount(count, text));
}

// Below 10^15 whole counts in plain digits; from there on the shortest form,
// fixed or scientific, whichever is shorter.
TEST(CountText, EachFormReadsAsTheTooltipHasAlwaysShownIt) {
  const std::pair<double, const char*> rows[] = {
      {0, "0"},
      {-0.0, "0"},
      {1, "1"},
      {100000, "100000"},
      {999999999999999, "999999999999999"},
      {1e15, "1e+15"},
      {1e15 + 1, "1000000000000001"},
      {1.2e15, "1.2e+15"},
      {9007199254740992, "9007199254740992"},  // where adding one stops counting
      {1.2345e20, "1.2345e+20"},
      {123456789012345680000.0, "123456789012345683968"},  // fixed: the exact digits
      {1e23, "1e+23"},
      {1.7976931348623157e308, "1.7976931348623157e+308"},
      {999999999999999.5, "999999999999999.5"},
      {0.5, "0.5"},
      {0.001, "0.001"},
      {1e-7, "1e-07"},
      {5e-324, "5e-324"},
      {-1e15, "-1e+15"},
      {std::numeric_limits<double>::infinity(), "inf"},
      {std::numeric_limits<double>::quiet_NaN(), "nan"},
  };
  for (const auto& [count, text] : rows) EXPECT_EQ(Text(count), text) << count;
}

// Every other double as std::to_chars writes it, the closest of the shortest
// digits and the tie-breaks between the two notations included.
TEST(CountText, AnyDoubleAsToChars) {
  std::mt19937_64 random(1);
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t bits = random();
    const double count =
        i % 2 ? std::bit_cast<double>(bits) : 1e15 + static_cast<double>(bits >> 10);
    char expected[32];
    const std::string_view want(expected, std::to_chars(expected, expected + 32, count).ptr);
    if (std::abs(count) < 1e15 && count == std::floor(count)) continue;
    ASSERT_EQ(Text(count), want) << bits;
  }
}

}  // namespace
}  // namespace orvo
