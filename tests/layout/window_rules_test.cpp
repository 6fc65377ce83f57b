// The rules that read the layout tables. The end-to-end run's pictures of
// the windows pin every rectangle.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "res/layout/geometry.h"
#include "res/layout/label_text.h"
#include "res/layout/layouts.h"

namespace orvo::layout {
namespace {

// The tab order on the real windows shows the numbered ones; the About box
// has the unnumbered ones, which go last in the table's order.
TEST(CreationOrder, FollowsTheTabNumbersWithTheUnnumberedLast) {
  std::string names;
  for (ControlIndex c : CreationOrder(kAboutBox))
    names += std::string(kAboutBox.controls[c].name) + " ";
  EXPECT_EQ(names,
            "ok version notice link url news copyright terms picture link_underline red_rule "
            "white_rule ");
}

TEST(BreakLines, BreaksAsJapaneseWindowsDoes) {
  // Every character one pixel wide.
  const FitCount fit = [](std::wstring_view text, int width) {
    return std::min(text.size(), static_cast<size_t>(width));
  };
  struct Case {
    std::wstring_view text;
    int width;
    std::vector<std::wstring_view> lines;
  };
  const Case cases[] = {
      {L"abc def", 5, {L"abc", L"def"}},
      {L"日本語テキスト", 3, {L"日本語", L"テキス", L"ト"}},
      {L"ください。", 4, {L"くださ", L"い。"}},  // never a line starting with 。
      {L"abcdefgh", 3, {L"abcdefgh"}},           // no break: it overruns
      {L"当人\u3000 は", 3, {L"当人", L"は"}},   // both spaces dropped at the break
      {L"a\r\nb", 10, {L"a", L"b"}},
      {L"", 10, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(BreakLines(c.text, c.width, fit), c.lines) << c.text.size();
}

TEST(WantsLightText, OnDarkFacesOnly) {  // faces as 0x00BBGGRR
  for (auto [face, light] : {std::pair{0xFFFFFFu, false},
                             {0x000000u, true},
                             {0xFF0000u, true},
                             {0x0000FFu, true},
                             {0x00FF00u, false},
                             {0x808080u, false},
                             {0x7F7F7Fu, true}}) {
    EXPECT_EQ(WantsLightText(face), light) << std::hex << face;
  }
}

}  // namespace
}  // namespace orvo::layout
