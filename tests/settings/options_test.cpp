#include "settings/options.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

TEST(IsOn, OnlyTextsThatAreTheNumberOneAreOn) {
  for (const char* text :
       {"1", " 1 ", "01", "\t1", "1.", "1.0", "+1", "0.1e1", "10E-1", "1d0", "001.000"}) {
    EXPECT_TRUE(IsOn(text)) << '"' << text << '"';
  }
  for (const char* text :
       {"", " ", "0", " 0 ", "2", "abc", "-1", "11", "1 1", "1a", "1e", "1e1", ".",
        "0.99999999999999999999", "1.00000000000000000001", "1,0", "e1", "1e100000000000", "１"}) {
    EXPECT_FALSE(IsOn(text)) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace orvo
