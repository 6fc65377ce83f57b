#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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

// Every window's client area and every control's rectangle, in the pixels
// the layout asks for; frames count from their own corner.
TEST(Geometry, WindowsAndControlsTakeTheirPixelSizes) {
  struct Case {
    const Window& window;
    std::string_view control;  // "": the window's client area
    PixelRect rect;
  };
  const Case cases[] = {
      {kfrmMain, "", {0, 0, 289, 197}},
      {kfrmMain, "Frame1", {8, 8, 281, 105}},
      {kfrmMain, "optBEEP", {16, 24, 233, 49}},
      {kfrmMain, "cmdALLIE", {16, 128, 273, 153}},
      {kfrmMain, "cmdClose", {216, 168, 281, 189}},
      {kForm1, "", {0, 0, 232, 89}},
      {kForm1, "Label1", {24, 16, 217, 41}},
      {kForm1, "Command1", {72, 56, 145, 81}},
      {kForm1, "Command2", {152, 56, 225, 81}},
      {kfrmAbout, "", {0, 0, 432, 250}},
      {kfrmAbout, "Image1", {8, 8, 102, 66}},
      {kfrmAbout, "lblVersion", {112, 16, 371, 31}},
      {kfrmAbout, "Label6", {112, 42, 425, 109}},
      {kfrmAbout, "Label1", {12, 128, 423, 183}},
      {kfrmAbout, "Label5", {132, 196, 185, 213}},
      {kfrmAbout, "Label3", {191, 197, 216, 214}},
      {kfrmAbout, "Label2", {223, 197, 424, 214}},
      {kfrmAbout, "Label4", {67, 229, 332, 246}},
      {kfrmAbout, "cmdOK", {339, 221, 423, 244}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.window.name) + " " + std::string(c.control));
    if (c.control.empty()) {
      EXPECT_EQ((PixelRect{0, 0, Pixels(c.window.client_width), Pixels(c.window.client_height)}),
                c.rect);
      continue;
    }
    const ControlIndex index = Named(c.window, c.control);
    ASSERT_GE(index, 0);
    EXPECT_EQ(ControlRect(c.window, index), c.rect);
  }
  // Halves round away from zero, as for the line that starts left of the box.
  EXPECT_EQ((std::array{Pixels(7), Pixels(8), Pixels(-7), Pixels(-8), Pixels(-405)}),
            (std::array{0, 1, 0, -1, -27}));
  EXPECT_TRUE(kfrmMain.taskbar_button);
  EXPECT_FALSE(kForm1.taskbar_button || kfrmAbout.taskbar_button || kForm3.taskbar_button);
}

std::u32string CodePoints(std::string_view utf8) {
  std::u32string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t c = n == 1 ? b : b & (0xFF >> (n + 1));
    for (int k = 1; k < n; ++k) c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out.push_back(c);
    i += n;
  }
  return out;
}

TEST(Label6, IsTheUsageTextWithItsExactRunsOfSpaces) {
  const std::u32string text = CodePoints(kfrmAbout.controls[frmAboutControls::Label6].caption);
  EXPECT_EQ(text.size(), 138u);
  EXPECT_EQ(text.substr(0, 8), std::u32string(8, U'─'));
  EXPECT_NE(text.find(U"当人\u3000 は"), std::u32string::npos);
  EXPECT_NE(text.find(U"。" + std::u32string(21, U' ') + U"■"), std::u32string::npos);
  EXPECT_NE(text.find(U"使用は" + std::u32string(6, U' ') + U"ご遠慮"), std::u32string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), U'，'), 2);
  EXPECT_EQ(text.find(U','), std::u32string::npos);
  EXPECT_EQ(text.substr(text.size() - 8), U"ご遠慮ください。");
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
