// The layout tables and the rules that read them.
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
  for (size_t i = 0; i < window.controls.size(); ++i)
    if (window.controls[i].name == name) return static_cast<ControlIndex>(i);
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
    const ControlIndex index = Named(c.window, c.control);
    const PixelRect client{0, 0, Pixels(c.window.client_width), Pixels(c.window.client_height)};
    EXPECT_EQ(index < 0 ? client : ControlRect(c.window, index), c.rect);
  }
  // Halves round away from zero, as for the line that starts left of the box.
  EXPECT_EQ((std::array{Pixels(7), Pixels(8), Pixels(-7), Pixels(-8), Pixels(-405)}),
            (std::array{0, 1, 0, -1, -27}));
  EXPECT_TRUE(kfrmMain.taskbar_button);
  EXPECT_FALSE(kForm1.taskbar_button || kfrmAbout.taskbar_button || kForm3.taskbar_button);
}

TEST(Label6, IsTheUsageTextWithItsExactRunsOfSpaces) {
  EXPECT_EQ(kfrmAbout.controls[frmAboutControls::Label6].caption,
            "────────使用承諾 および 免責────────■本プログラムを使用した結果，いかなる損害が"
            "生じても当人\u3000 は責任を負いませんのでご了承ください。                     ■本件"
            "に承諾していただけない場合，本プログラムの使用は      ご遠慮ください。");
}

TEST(CreationOrder, FollowsTheTabNumbersWithTheUnnumberedLast) {
  for (const auto& [window, order] : {
           std::pair{&kfrmMain,
                     std::vector<std::string_view>{"cmdHide", "cmdClose", "Frame1", "optBEEP",
                                                   "Frame2", "cmdALLIE", "CheTitle", "Check1"}},
           {&kfrmAbout,
            {"cmdOK", "lblVersion", "Label1", "Label2", "Label3", "Label5", "Label4", "Label6",
             "Image1", "Line1(2)", "Line1(1)", "Line1(0)"}},
       }) {
    std::vector<std::string_view> names;
    for (ControlIndex i : CreationOrder(*window)) names.push_back(NameOf(*window, i));
    EXPECT_EQ(names, order) << window->name;
  }
}

// A window opens on its lowest tab stop, and showing it again leaves the
// focus alone. Enter presses the focused button, else the default one; Esc
// the cancel button.
TEST(Keys, FocusEnterAndEscFollowTheLayout) {
  for (auto [window, first, esc] : {std::tuple{&kfrmMain, "cmdHide", "cmdHide"},
                                    {&kForm1, "Command1", ""},
                                    {&kfrmAbout, "cmdOK", "cmdOK"},
                                    {&kForm3, "", ""}}) {
    EXPECT_EQ(NameOf(*window, FocusOnShow(*window, false)), first) << window->name;
    EXPECT_EQ(FocusOnShow(*window, true), -1) << window->name;
    EXPECT_EQ(NameOf(*window, EscapeButton(*window)), esc) << window->name;
  }
  struct Case {
    const Window& window;
    std::string_view focused, enter;
  };
  const Case cases[] = {
      {kfrmMain, "", "cmdHide"},          {kfrmMain, "CheTitle", "cmdHide"},
      {kfrmMain, "cmdClose", "cmdClose"}, {kForm1, "", ""},
      {kForm1, "Command2", "Command2"},   {kForm1, "Label1", ""},
      {kfrmAbout, "", "cmdOK"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NameOf(c.window, EnterButton(c.window, Named(c.window, c.focused))), c.enter)
        << c.window.name << " " << c.focused;
  }
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
