// The whole program on the test doubles, driven only as a user and the
// desktop drive it: tray messages, timer ticks, clicks, browser windows.
#include <gtest/gtest.h>

#include <string>

#include "doubles/fake_platform.h"

namespace orvo {
namespace {

using namespace layout::options;
using namespace layout::tray_menu;
using Names = std::vector<std::string>;
constexpr const char* kOff = "ONFLAG 広告ブロック機能が無効です";

struct Scenario : testing::Test, Watcher {
  std::size_t seen = 0;

  Scenario() { program.Start(); }
  void Seconds(int n) { clock.Advance(1000 * n); }
  void Ticks(int n) { clock.Advance(32 * n); }
  static std::string_view Icon(const fake::ShellCall& call) {
    return res::kTrayIcons.at(call.icon - 0x1C00).group;
  }
  // The icon and the tip the tray shows, after a hover if asked:
  // "NOTFLAG ブロック：0".
  std::string Tray(bool hover = false) {
    if (hover) tray.OnMouseMove();
    std::string icon, tip;
    for (const fake::ShellCall& call : shell.calls) {
      if (call.flags & kNifIcon) icon = Icon(call);
      if (call.flags & kNifTip) tip = call.tip;
    }
    return icon + " " + tip;
  }
  void LeftClick() { tray.OnButtonDown(TrayIconEvents::Button::kLeft); }
  // The icons put into the tray since the last call.
  Names Shown() {
    Names names;
    for (; seen < shell.calls.size(); ++seen)
      if (shell.calls[seen].flags & kNifIcon) names.emplace_back(Icon(shell.calls[seen]));
    return names;
  }
  void Block(int popups) {
    for (int i = 0; i < popups; ++i) desktop.Open(fake::Popup());
    program.scan().ScanOnce();
  }
};

TEST_F(Scenario, APopupIsCountedOnTheNextHover) {
  // Picture and tip go in with the add itself: one call, flags 7.
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].flags, kNifMessage | kNifIcon | kNifTip);
  EXPECT_EQ(Tray(), "NOTFLAG ブロック：0");
  EXPECT_EQ(Tray(true), "NOTFLAG ブロック数：0");
  Block(1);
  EXPECT_EQ(Tray(), "NOTFLAG ブロック数：0");  // the scan leaves the tip alone
  EXPECT_EQ(Tray(true), "NOTFLAG ブロック数：1");
  EXPECT_EQ(Tray(true), "NOTFLAG ブロック数：1");
  EXPECT_EQ(shell.tips_set, 3) << "a tip the shell has goes to it as it was";
}

TEST(CountTip, IsTheCountInPlainDigits) {
  std::array<char, 64> buffer{};
  EXPECT_EQ(CountTip(1234567, buffer), "ブロック数：1234567");
  EXPECT_EQ(CountTip(18446744073709551615u, buffer), "ブロック数：18446744073709551615");
}

// Eight frames one per 32 ms tick, then the idle picture; a block meanwhile
// starts it over, several in one scan play it once, a frame that cannot be
// loaded is skipped, and blocking switched off rests it on the off picture.
TEST_F(Scenario, TheAnimationPlaysItsFramesAndRestsOnThePictureOfTheState) {
  program.scan().SetRunning(false);
  Shown();
  Block(3);
  EXPECT_TRUE(Shown().empty());  // the first frame waits for the first tick
  Ticks(8);
  EXPECT_EQ(Shown(), (Names{"02", "03", "04", "05", "06", "07", "08", "09"}));
  Ticks(21);
  EXPECT_EQ(Shown(), (Names{"NOTFLAG", "02"}));
  Block(1);
  Ticks(5);
  Block(1);
  failing_icon = "05";
  Ticks(9);
  EXPECT_EQ(Shown(), (Names{"02", "03", "04", "05", "06", "02", "03", "04", "06", "07", "08", "09",
                            "NOTFLAG", "02"}));
  failing_icon = "";
  Block(1);
  Ticks(3);
  LeftClick();  // blocking off
  Ticks(6);
  EXPECT_EQ(Shown(), (Names{"02", "03", "04", "ONFLAG", "05", "06", "07", "08", "09", "ONFLAG"}));
  EXPECT_FALSE(animate().Enabled());
}

// A left click switches blocking off and the next on again.
TEST_F(Scenario, ALeftClickSwitchesBlockingOffAndTheNextOneOnAgain) {
  desktop.Open(fake::Popup());
  Seconds(1);
  LeftClick();
  EXPECT_EQ(Tray(), kOff);
  const fake::FakeWindow& popup = desktop.Open(fake::Popup());
  Seconds(5);
  EXPECT_FALSE(popup.closed);
  EXPECT_EQ(Tray(true), kOff);
  LeftClick();
  EXPECT_EQ(Tray(), "NOTFLAG ブロック数：1");
  Seconds(1);
  EXPECT_TRUE(popup.closed);
  EXPECT_EQ(Tray(true), "NOTFLAG ブロック数：2");
}

// The options command starts over with blocking on and the count at 0, even
// while the window is already shown, and reads set.ini again: over a ticked
// box anything but "1" runs its click handler, which writes "0"; over an
// unticked one the item's text stays. Enter is OK, whichever box has the
// focus. A deleted set.ini is created again, the boxes following.
TEST_F(Scenario, TheOptionsWindowActsAtOnceAndStartsOverEachTime) {
  desktop.Open(fake::Popup());
  Seconds(1);
  LeftClick();  // blocking off
  Menu(kOptionsItem);
  EXPECT_TRUE(Options().Visible());
  EXPECT_EQ(Tray(), "NOTFLAG ブロック：0");
  EXPECT_EQ(Tray(true), "NOTFLAG ブロック数：0");
  Options().Click(kBeepBox);
  Options().Click(kNewWindowBox);  // ticked, not saved
  files.ini = "1\r\nabc\r\nxyz\r\n";
  Menu(kOptionsItem);
  EXPECT_EQ(Settings(), "100 1|abc|0");
  EXPECT_TRUE(Options().visible);
  EXPECT_EQ(screens.live.size(), 1u);  // the options window only: the menu has none

  Options().Click(kNoMenuBarBox);
  ASSERT_TRUE(Options().PressEnter());
  EXPECT_EQ(Ini(), "1\r\n1\r\n0\r\n");
  files.ini.reset();
  Menu(kOptionsItem);
  EXPECT_EQ(Ini(), " 0 \r\n 0 \r\n 0 \r\n");
  EXPECT_EQ(Settings(), "000 0|0|0");
}

// Yes saves the flags, then takes the icon out, then ends; the confirmation's
// close box changes nothing, the options window's only hides it, and the next
// exit asks afresh.
TEST_F(Scenario, ExitAsksOnceAndYesSavesThenRemovesTheIconThenEnds) {
  Menu(kExitItem);
  Menu(kExitItem);  // the one confirmation, shown again
  EXPECT_EQ(screens.made["exit_confirmation"], 1);
  EXPECT_FALSE(Find(layout::kExitConfirmation)->PressEscape());  // Esc does nothing here
  ASSERT_TRUE(Find(layout::kExitConfirmation)->PressCloseBox());
  EXPECT_EQ(Find(layout::kExitConfirmation), nullptr);
  EXPECT_EQ(ends, 0);

  Menu(kOptionsItem);
  Options().Click(kBeepBox);
  ASSERT_TRUE(Options().PressCloseBox());
  EXPECT_FALSE(Options().Visible());
  EXPECT_TRUE(program.scan().running());  // the program and its scan go on
  EXPECT_EQ(Ini(), " 0 \r\n 0 \r\n 0 \r\n");
  Menu(kExitItem);
  std::string at_save, at_end;
  files.on_replace = [&] { at_save = tray.shown() ? "icon in" : "icon out"; };
  on_end = [&] { at_end = Ini() + std::to_string(shell.calls.back().message); };
  EXPECT_TRUE(Find(layout::kExitConfirmation)->PressEnter());  // はい has the focus
  EXPECT_EQ(at_save, "icon in");
  EXPECT_EQ(at_end, "1\r\n0\r\n0\r\n2");  // then NIM_DELETE
  EXPECT_EQ(ends, 1);
}

// One About box with the version line, made again after it closed.
TEST_F(Scenario, TheVersionCommandShowsOneAboutBoxWithTheVersionLine) {
  using layout::about_box::kVersion;
  Menu(kVersionItem);
  Menu(kVersionItem);
  EXPECT_EQ(screens.made["about_box"], 1);
  fake::FakeLayoutWindow* about = Find(layout::kAboutBox);
  EXPECT_EQ(about->captions[kVersion], "Orvo_自動広告除去 Version.1.8.0");
  ASSERT_TRUE(about->PressEscape());
  EXPECT_EQ(Find(layout::kAboutBox), nullptr);
  Menu(kVersionItem);
  EXPECT_EQ(Find(layout::kAboutBox)->captions[kVersion], "Orvo_自動広告除去 Version.1.8.0");
}

}  // namespace
}  // namespace orvo
