#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "res/layout/focus.h"
#include "res/layout/geometry.h"
#include "res/layout/label_text.h"
#include "res/layout/layouts.h"

namespace orvo::layout {
namespace {

ControlIndex Named(const Window& window, std::string_view name) {
  for (size_t i = 0; i < window.controls.size(); ++i) {
    if (window.controls[i].name == name) return static_cast<ControlIndex>(i);
  }
  return -1;
}

std::string_view NameOf(const Window& window, ControlIndex control) {
  return control < 0 ? "" : window.controls[control].name;
}

TEST(Pixels, RoundTwipsToTheNearestPixel) {
  struct Case {
    int twips, pixels;
  };
  for (const Case& c : {Case{0, 0},
                        {7, 0},
                        {8, 1},
                        {15, 1},
                        {4335, 289},
                        {2955, 197},
                        {3480, 232},
                        {1335, 89},
                        {6480, 432},
                        {3750, 250},
                        {-7, 0},
                        {-8, -1},
                        {-405, -27}}) {
    EXPECT_EQ(Pixels(c.twips), c.pixels) << c.twips;
  }
}

TEST(ControlRect, PlacesEachControlInItsWindowAndFramesCountFromTheirCorner) {
  struct Case {
    const Window& window;
    std::string_view control;
    PixelRect rect;
  };
  const Case cases[] = {
      {kfrmMain, "Frame1", {8, 8, 281, 105}},      {kfrmMain, "optBEEP", {16, 24, 233, 49}},
      {kfrmMain, "cmdALLIE", {16, 128, 273, 153}}, {kfrmMain, "cmdClose", {216, 168, 281, 189}},
      {kForm1, "Command2", {152, 56, 225, 81}},    {kfrmAbout, "Label2", {223, 197, 424, 214}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.control));
    const ControlIndex index = Named(c.window, c.control);
    ASSERT_GE(index, 0);
    EXPECT_EQ(ControlRect(c.window, index), c.rect);
  }
}

TEST(CreationOrder, FollowsTheTabNumbersWithTheUnnumberedLast) {
  struct Case {
    const Window& window;
    std::vector<std::string_view> order;
  };
  const Case cases[] = {
      {kfrmMain,
       {"cmdHide", "cmdClose", "Frame1", "optBEEP", "Frame2", "cmdALLIE", "CheTitle", "Check1"}},
      {kfrmAbout,
       {"cmdOK", "lblVersion", "Label1", "Label2", "Label3", "Label5", "Label4", "Label6", "Image1",
        "Line1(2)", "Line1(1)", "Line1(0)"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string_view> names;
    for (ControlIndex i : CreationOrder(c.window)) names.push_back(NameOf(c.window, i));
    EXPECT_EQ(names, c.order) << c.window.name;
  }
}

TEST(Focus, OpensOnTheLowestTabAndShowingAgainLeavesItAlone) {
  struct Case {
    const Window& window;
    std::string_view first;
  };
  for (const Case& c :
       {Case{kfrmMain, "cmdHide"}, {kForm1, "Command1"}, {kfrmAbout, "cmdOK"}, {kForm3, ""}}) {
    EXPECT_EQ(NameOf(c.window, FocusOnShow(c.window, false)), c.first) << c.window.name;
    EXPECT_EQ(FocusOnShow(c.window, true), -1) << c.window.name;
  }
}

TEST(Keys, EnterPressesTheFocusedButtonElseTheDefaultAndEscTheCancelButton) {
  struct Case {
    const Window& window;
    std::string_view focused, enter;
  };
  const Case cases[] = {
      {kfrmMain, "", "cmdHide"},
      {kfrmMain, "CheTitle", "cmdHide"},
      {kfrmMain, "cmdClose", "cmdClose"},
      {kfrmMain, "cmdALLIE", "cmdALLIE"},
      {kForm1, "", ""},
      {kForm1, "Command2", "Command2"},
      {kForm1, "Label1", ""},
      {kfrmAbout, "", "cmdOK"},
  };
  for (const Case& c : cases) {
    const ControlIndex focused = c.focused.empty() ? -1 : Named(c.window, c.focused);
    EXPECT_EQ(NameOf(c.window, EnterButton(c.window, focused)), c.enter)
        << c.window.name << " " << c.focused;
  }
  EXPECT_EQ(NameOf(kfrmMain, EscapeButton(kfrmMain)), "cmdHide") << "Esc saves";
  EXPECT_EQ(EscapeButton(kForm1), -1);
  EXPECT_EQ(NameOf(kfrmAbout, EscapeButton(kfrmAbout)), "cmdOK");
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
  for (const Case& c : cases) {
    EXPECT_EQ(BreakLines(c.text, c.width, fit), c.lines) << c.text.size();
  }
}

TEST(WantsLightText, OnDarkFacesOnly) {
  struct Case {
    std::uint32_t face;  // 0x00BBGGRR
    bool light;
  };
  for (const Case& c : {Case{0xFFFFFF, false},
                        {0x000000, true},
                        {0xFF0000, true},
                        {0x0000FF, true},
                        {0x00FF00, false},
                        {0x808080, false},
                        {0x7F7F7F, true}}) {
    EXPECT_EQ(WantsLightText(c.face), c.light) << std::hex << c.face;
  }
}

}  // namespace
}  // namespace orvo::layout
