#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>

#include "res/layout/layouts.h"

namespace orvo::layout {
namespace {

constexpr const Window* kAll[] = {&kfrmMain, &kForm1, &kfrmAbout, &kForm3};

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

// The index constants are what the behaviour code names controls by; a
// table reordered without them would wire a click to the wrong option.
TEST(ControlIndices, NameTheControlsTheyStandFor) {
  auto name = [](const Window& w, ControlIndex i) { return w.controls[i].name; };
  EXPECT_EQ(name(kfrmMain, frmMainControls::Frame1), "Frame1");
  EXPECT_EQ(name(kfrmMain, frmMainControls::optBEEP), "optBEEP");
  EXPECT_EQ(name(kfrmMain, frmMainControls::CheTitle), "CheTitle");
  EXPECT_EQ(name(kfrmMain, frmMainControls::Check1), "Check1");
  EXPECT_EQ(name(kfrmMain, frmMainControls::Frame2), "Frame2");
  EXPECT_EQ(name(kfrmMain, frmMainControls::cmdALLIE), "cmdALLIE");
  EXPECT_EQ(name(kfrmMain, frmMainControls::cmdHide), "cmdHide");
  EXPECT_EQ(name(kfrmMain, frmMainControls::cmdClose), "cmdClose");
  EXPECT_EQ(name(kForm1, Form1Controls::Label1), "Label1");
  EXPECT_EQ(name(kForm1, Form1Controls::Command1), "Command1");
  EXPECT_EQ(name(kForm1, Form1Controls::Command2), "Command2");
  EXPECT_EQ(name(kfrmAbout, frmAboutControls::Image1), "Image1");
  EXPECT_EQ(name(kfrmAbout, frmAboutControls::lblVersion), "lblVersion");
  EXPECT_EQ(name(kfrmAbout, frmAboutControls::Label6), "Label6");
  EXPECT_EQ(name(kfrmAbout, frmAboutControls::Label1), "Label1");
  EXPECT_EQ(name(kfrmAbout, frmAboutControls::Label5), "Label5");
  EXPECT_EQ(name(kfrmAbout, frmAboutControls::Label3), "Label3");
  EXPECT_EQ(name(kfrmAbout, frmAboutControls::Label2), "Label2");
  EXPECT_EQ(name(kfrmAbout, frmAboutControls::Label4), "Label4");
  EXPECT_EQ(name(kfrmAbout, frmAboutControls::cmdOK), "cmdOK");
  EXPECT_EQ(name(kfrmAbout, frmAboutControls::Line1_0), "Line1(0)");
  EXPECT_EQ(name(kfrmAbout, frmAboutControls::Line1_1), "Line1(1)");
  EXPECT_EQ(name(kfrmAbout, frmAboutControls::Line1_2), "Line1(2)");
  EXPECT_EQ(kForm3.menu[Form3Menu::mnuOPTION].name, "mnuOPTION");
  EXPECT_EQ(kForm3.menu[Form3Menu::bar2].name, "bar2");
  EXPECT_EQ(kForm3.menu[Form3Menu::mnuEnd].name, "mnuEnd");
  EXPECT_EQ(kForm3.menu[Form3Menu::bar3].name, "bar3");
  EXPECT_EQ(kForm3.menu[Form3Menu::mnuWEB].name, "mnuWEB");
  EXPECT_EQ(kForm3.menu[Form3Menu::mnuVER].name, "mnuVER");
}

// What the builder relies on: whole pixels, tab numbers that give one order,
// containers that are frames, one key role of each kind at most.
TEST(Tables, AreWellFormedForTheBuilder) {
  for (const Window* w : kAll) {
    SCOPED_TRACE(std::string(w->name));
    EXPECT_EQ(w->client_width % kTwipsPerPixel, 0);
    EXPECT_EQ(w->client_height % kTwipsPerPixel, 0);
    std::set<int> tabs;
    std::set<std::string_view> names;
    int defaults = 0, cancels = 0;
    for (size_t i = 0; i < w->controls.size(); ++i) {
      const Control& c = w->controls[i];
      SCOPED_TRACE(std::string(c.name));
      EXPECT_TRUE(names.insert(c.name).second) << "duplicate name";
      for (int v : {c.left, c.top, c.width, c.height}) EXPECT_EQ(v % kTwipsPerPixel, 0) << v;
      if (c.tab >= 0) {
        EXPECT_TRUE(tabs.insert(c.tab).second) << "duplicate tab " << c.tab;
      }
      if (c.container >= 0) {
        ASSERT_LT(static_cast<size_t>(c.container), i);
        EXPECT_EQ(w->controls[c.container].kind, Kind::kFrame);
      }
      defaults += c.is_default;
      cancels += c.is_cancel;
      if (c.is_default || c.is_cancel) {
        EXPECT_EQ(c.kind, Kind::kButton);
      }
    }
    EXPECT_LE(defaults, 1);
    EXPECT_LE(cancels, 1);
  }
  EXPECT_FALSE(kForm1.controls[Form1Controls::Command1].is_default);
  EXPECT_FALSE(kForm1.controls[Form1Controls::Command2].is_cancel);
}

TEST(Tables, OnlyTheOptionsWindowHasATaskbarButton) {
  EXPECT_TRUE(kfrmMain.taskbar_button);
  EXPECT_FALSE(kForm1.taskbar_button || kfrmAbout.taskbar_button || kForm3.taskbar_button);
  EXPECT_FALSE(kForm3.centred);
}

}  // namespace
}  // namespace orvo::layout
