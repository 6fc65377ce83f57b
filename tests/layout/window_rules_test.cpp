// The layout tables and the rules that read them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
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
// Names of controls, each followed by a space; "-" for none.
std::string Names(const Window& window, std::vector<ControlIndex> controls) {
  std::string names;
  for (ControlIndex c : controls) names += std::string(c < 0 ? "-" : window.controls[c].name) + " ";
  return names;
}

// Every window's client area, then its controls' rectangles (left, top,
// right, bottom), in the pixels the layout asks for; frames count from their
// own corner.
TEST(Geometry, WindowsAndControlsTakeTheirPixelSizes) {
  const std::string expected =
      "frmMain 0 0 289 197 Frame1 8 8 281 105 optBEEP 16 24 233 49 cmdALLIE 16 128 273 153 "
      "cmdClose 216 168 281 189 Form1 0 0 232 89 Label1 24 16 217 41 Command1 72 56 145 81 "
      "Command2 152 56 225 81 frmAbout 0 0 432 250 Image1 8 8 102 66 lblVersion 112 16 371 31 "
      "Label6 112 42 425 109 Label1 12 128 423 183 Label5 132 196 185 213 Label3 191 197 216 214 "
      "Label2 223 197 424 214 Label4 67 229 332 246 cmdOK 339 221 423 244 ";
  std::istringstream in(expected);
  std::string actual, name;
  const Window* window = nullptr;
  for (int number; in >> name >> number >> number >> number >> number;) {
    PixelRect r;
    for (const Window* w : {&kfrmMain, &kForm1, &kfrmAbout})
      if (w->name == name)
        window = w, r = {0, 0, Pixels(w->client_width), Pixels(w->client_height)};
    if (window->name != name) r = ControlRect(*window, Named(*window, name));
    for (int v : {r.left, r.top, r.right, r.bottom}) name += " " + std::to_string(v);
    actual += name + " ";
  }
  EXPECT_EQ(actual, expected);
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
  EXPECT_EQ(Names(kfrmMain, CreationOrder(kfrmMain)),
            "cmdHide cmdClose Frame1 optBEEP Frame2 cmdALLIE CheTitle Check1 ");
  EXPECT_EQ(Names(kfrmAbout, CreationOrder(kfrmAbout)),
            "cmdOK lblVersion Label1 Label2 Label3 Label5 Label4 Label6 Image1 Line1(2) Line1(1) "
            "Line1(0) ");
}

// A window opens on its lowest tab stop, and showing it again leaves the
// focus alone. Esc presses the cancel button; Enter the focused button, else
// the default one.
TEST(Keys, FocusEnterAndEscFollowTheLayout) {
  std::string focus_and_esc, enter;
  for (const Window* w : {&kfrmMain, &kForm1, &kfrmAbout, &kForm3}) {
    EXPECT_EQ(FocusOnShow(*w, true), -1) << w->name;
    focus_and_esc += Names(*w, {FocusOnShow(*w, false), EscapeButton(*w)});
  }
  EXPECT_EQ(focus_and_esc, "cmdHide cmdHide Command1 - cmdOK cmdOK - - ");
  for (auto [w, focused] : {std::pair{&kfrmMain, ""},
                            {&kfrmMain, "CheTitle"},
                            {&kfrmMain, "cmdClose"},
                            {&kForm1, ""},
                            {&kForm1, "Command2"},
                            {&kForm1, "Label1"},
                            {&kfrmAbout, ""}})
    enter += Names(*w, {EnterButton(*w, Named(*w, focused))});
  EXPECT_EQ(enter, "cmdHide cmdHide cmdClose - Command2 - cmdOK ");
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
