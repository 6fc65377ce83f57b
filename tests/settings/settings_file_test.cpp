#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace orvo::settings {
namespace {

using Items = std::array<std::string, 3>;

struct ReadCase {
  const char* name;
  std::string_view bytes;
  Items items;
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadItemsCase : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadItemsCase, GivesTheFirstThreeItems) {
  EXPECT_EQ(ReadItems(GetParam().bytes), GetParam().items);
}

const ReadCase kReadCases[] = {
    {"CreatedForm", kCreatedForm, {"0", "0", "0"}},
    {"SavedForm", "1\r\n0\r\n0\r\n", {"1", "0", "0"}},
    {"LastLineWithoutLineEnd", "1\r\n1\r\n1", {"1", "1", "1"}},
    {"Empty", "", {"", "", ""}},
    {"TwoLines", "1\r\n1\r\n", {"1", "1", ""}},
    {"OneLineOfCommas", "1,1,1\r\n", {"1", "1", "1"}},
    {"CommasAcrossLines", "1,0\r\n1\r\n", {"1", "0", "1"}},
    {"QuotedOne", "\"1\"\r\n0\r\n0\r\n", {"1", "0", "0"}},
    {"QuotedCommaIsText", "\"1,0\",1\r\n1\r\n", {"1,0", "1", "1"}},
    {"AfterClosingQuotePassedOver", "\"1\"junk,2\r\n3\r\n", {"1", "2", "3"}},
    {"UnclosedQuoteRunsToTheEnd", "\"1\r\n2", {"1\r\n2", "", ""}},
    {"LeadingSpacesSkipped", "   1\r\n  0\r\n1\r\n", {"1", "0", "1"}},
    {"TrailingSpacesDropped", " 1 \r\n0  \r\n 1\r\n", {"1", "0", "1"}},
    {"QuotedSpacesKept", "\" 1 \"\r\n\r\n\r\n", {" 1 ", "", ""}},
    {"BlankLineIsAnEmptyItem", "\r\n1\r\n1\r\n", {"", "1", "1"}},
    {"LoneLineFeeds", "1\n0\n1\n", {"1", "0", "1"}},
    {"LoneCarriageReturns", "1\r0\r1\r", {"1", "0", "1"}},
    {"CrCrLfIsABlankLine", "1\r\r\n1\r\n", {"1", "", "1"}},
    {"MoreThanThreeItemsIgnored", "1\r\n1\r\n1\r\n0\r\n0\r\n", {"1", "1", "1"}},
    {"BlankLineAfterTheThird", "0\r\n0\r\n0\r\n\r\n", {"0", "0", "0"}},
    {"OtherTextKept", "01\r\nabc\r\n2\r\n", {"01", "abc", "2"}},
    {"TrailingComma", "1,\r\n1\r\n", {"1", "", "1"}},
    {"OnlySpaces", "   ", {"", "", ""}},
    {"ShiftJisBytesPassThrough", "\x83\x75\x83\x8d\r\n1\r\n", {"\x83\x75\x83\x8d", "1", ""}},
};

INSTANTIATE_TEST_SUITE_P(Forms, ReadItemsCase, testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsBytes, CreatedAndSavedFormsAreExact) {
  EXPECT_EQ(kCreatedForm.size(), 15u);
  EXPECT_EQ(kCreatedForm,
            std::string_view("\x20\x30\x20\x0d\x0a\x20\x30\x20\x0d\x0a\x20\x30\x20\x0d\x0a"));
  EXPECT_EQ(SavedForm("1", "0", "0"), std::string_view("1\r\n0\r\n0\r\n"));
  EXPECT_EQ(SavedForm("", "", ""), std::string_view("\r\n\r\n\r\n"));
  // Flags are written exactly as they are, whatever set.ini gave them.
  EXPECT_EQ(SavedForm("01", "abc", " 1"), std::string_view("01\r\nabc\r\n 1\r\n"));
}

}  // namespace
}  // namespace orvo::settings
