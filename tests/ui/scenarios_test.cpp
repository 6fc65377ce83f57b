// The whole program on the test doubles, driven only as a user and the
// desktop drive it: tray messages, timer ticks, clicks on controls, browser
// windows appearing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/watcher_fixture.h"
#include "res/layout/layouts.h"

namespace orvo {
namespace {

using fake::FakeFiles;
using fake::FakeLayoutWindow;
using Names = std::vector<std::string>;
using namespace layout::frmMainControls;
namespace menu = layout::Form3Menu;

constexpr std::uint32_t kMouseMove = 0x200, kLeftDown = 0x201, kLeftUp = 0x202,
                        kLeftDoubleClick = 0x203, kRightDown = 0x204, kMiddleDown = 0x207;
const Names kFrames = {"02", "03", "04", "05", "06", "07", "08", "09"};

struct Program : testing::Test {
  Watcher w;
  std::size_t seen = 0;

  Program() { w.main.Form_Load(); }

  void Seconds(int n) { w.clock.Advance(1000 * n); }
  void Ticks(int n) { w.clock.Advance(32 * n); }
  void Menu(int item) {
    w.screens.ChooseMenuItem(item);
    w.TrayMouse(kRightDown);
  }
  FakeLayoutWindow* Find(const layout::Window& window) { return w.screens.Find(window); }
  FakeLayoutWindow& Options() { return *Find(layout::kfrmMain); }
  std::string Ini() {
    const FakeFiles::Entry* e = w.files.Find(FakeFiles::SetIni());
    return e ? e->bytes : "<missing>";
  }
  int Count(std::string_view call) {
    return static_cast<int>(std::count(w.screens.calls.begin(), w.screens.calls.end(), call));
  }
  std::string Hover() {
    w.TrayMouse(kMouseMove);
    return w.ShownTip();
  }
  // The icons put into the tray since the last call, by resource name.
  Names Shown() {
    Names names;
    for (; seen < w.shell.calls.size(); ++seen) {
      const NotifyIconRecord& r = w.shell.calls[seen].record;
      if (r[12] & 2) names.push_back(fake::FakeIcons::NameOf({Picture::Type::kIcon, IconOf(r)}));
    }
    return names;
  }
  void Block(int popups) {
    for (int i = 0; i < popups; ++i) w.desktop.Open(fake::Popup());
    w.main.Timer2_Timer();
  }
};

TEST_F(Program, APopupIsClosedAtTheNextTickAnimatedAndCountedOnTheNextHover) {
  // Picture and tip go in with the add itself: one call, flags 7.
  ASSERT_EQ(w.shell.calls.size(), 1u);
  EXPECT_EQ(w.shell.calls[0].record[12], 7);
  EXPECT_EQ(w.ShownIcon(), "NOTFLAG");
  EXPECT_EQ(w.ShownTip(), "ブロック：0");
  EXPECT_EQ(Hover(), "ブロック数：0");
  Shown();
  fake::FakeWindow& popup = w.desktop.Open(fake::Popup());
  w.desktop.Open(fake::Page());
  Seconds(1);
  EXPECT_TRUE(popup.closed());
  EXPECT_EQ(w.desktop.open_count(), 1u);
  EXPECT_EQ(w.ShownTip(), "ブロック数：0");  // the scan leaves the tip alone
  EXPECT_EQ(Hover(), "ブロック数：1");
  w.main.BlockCount = 1234567;
  EXPECT_EQ(Hover(), "ブロック数：1234567");
}

// Eight frames one per 32 ms tick, then the idle picture; a block meanwhile
// starts it over, several in one scan play it once, a frame that cannot be
// loaded is skipped, and blocking switched off rests it on the off picture.
TEST_F(Program, TheAnimationPlaysItsFramesAndRestsOnThePictureOfTheState) {
  ASSERT_EQ(w.main.Timer2->SetEnabled(false), kOk);
  Shown();
  Block(3);
  EXPECT_TRUE(Shown().empty());  // the first frame waits for the first tick
  Ticks(8);
  EXPECT_EQ(Shown(), kFrames);
  Ticks(1);
  EXPECT_EQ(Shown(), (Names{"NOTFLAG", "02"}));
  Ticks(20);
  EXPECT_TRUE(Shown().empty());

  Block(1);
  Ticks(5);
  Block(1);
  Ticks(9);
  EXPECT_EQ(Shown(), (Names{"02", "03", "04", "05", "06", "02", "03", "04", "05", "06", "07", "08",
                            "09", "NOTFLAG", "02"}));

  w.icons.FailOn("05");
  Block(1);
  Ticks(9);
  EXPECT_EQ(Shown(), (Names{"02", "03", "04", "06", "07", "08", "09", "NOTFLAG", "02"}));
  w.icons.FailOn("");

  Block(1);
  Ticks(3);
  w.TrayMouse(kLeftDown);  // blocking off
  Ticks(6);
  EXPECT_EQ(Shown(), (Names{"02", "03", "04", "ONFLAG", "05", "06", "07", "08", "09", "ONFLAG"}));
  EXPECT_FALSE(w.animate().Enabled());
  EXPECT_EQ(w.main.BlockCount, 7);
}

TEST_F(Program, ALeftClickSwitchesBlockingOffAndTheNextOneOnAgain) {
  w.desktop.Open(fake::Popup());
  Seconds(1);
  w.TrayMouse(kLeftDown);
  w.TrayMouse(kLeftUp);
  EXPECT_EQ(w.ShownIcon(), "ONFLAG");
  EXPECT_EQ(w.ShownTip(), "広告ブロック機能が無効です");
  fake::FakeWindow& popup = w.desktop.Open(fake::Popup());
  Seconds(5);
  EXPECT_FALSE(popup.closed());
  EXPECT_EQ(Hover(), "広告ブロック機能が無効です");

  // A double click toggles once: its second press comes as a double click.
  w.TrayMouse(kLeftDown);
  w.TrayMouse(kLeftUp);
  w.TrayMouse(kLeftDoubleClick);
  EXPECT_EQ(w.ShownIcon(), "NOTFLAG");
  EXPECT_EQ(w.ShownTip(), "ブロック数：1");
  Seconds(1);
  EXPECT_TRUE(popup.closed());
  EXPECT_EQ(Hover(), "ブロック数：2");
}

TEST_F(Program, TheRightButtonOpensTheMenuAndChangesNothing) {
  w.TrayMouse(kLeftDown);  // blocking off
  const auto calls = w.shell.calls.size();
  w.TrayMouse(kRightDown);
  w.TrayMouse(kMiddleDown);
  w.TrayMouse(kRightDown);
  EXPECT_EQ(Count("Create Form3"), 1);
  EXPECT_EQ(Count("PopupMenu Form3 -1"), 2);
  EXPECT_EQ(w.shell.calls.size(), calls);
  EXPECT_TRUE(w.main.BlockingOff);
  EXPECT_FALSE(w.main.Timer2->Enabled());
}

// The options command starts over with blocking on, even while the window is
// already shown. A box acts at once, キャンセル keeps
// it without saving; close-all leaves the tray as it was, blocking included.
TEST_F(Program, TheOptionsWindowActsAtOnceAndStartsOverEachTime) {
  w.desktop.Open(fake::Popup());
  Seconds(1);
  w.TrayMouse(kLeftDown);  // blocking off
  Menu(menu::mnuOPTION);
  EXPECT_TRUE(Options().Visible());
  EXPECT_EQ(w.main.BlockCount, 0);
  EXPECT_FALSE(w.main.BlockingOff);
  EXPECT_EQ(w.ShownIcon(), "NOTFLAG");
  EXPECT_EQ(w.ShownTip(), "ブロック：0");
  Options().Click(Check1);  // ticked, not saved: the command reads set.ini again
  Menu(menu::mnuOPTION);
  EXPECT_TRUE(Options().Visible());
  EXPECT_EQ(Options().CheckState(Check1), 0);
  EXPECT_EQ(w.flags.NewWindowFlag, "0");
  EXPECT_EQ(w.screens.LiveCount(), 2);  // the options window and the menu

  // Ticked, then キャンセル: the next scan already uses it.
  Options().Click(CheTitle);
  ASSERT_TRUE(Options().Click(cmdClose));
  EXPECT_EQ(Ini(), " 0 \r\n 0 \r\n 0 \r\n");
  fake::FakeWindow& with_bar = w.desktop.Open(fake::Popup(true));
  fake::FakeWindow& without = w.desktop.Open(fake::Popup(false));
  Seconds(1);
  EXPECT_FALSE(with_bar.closed());
  EXPECT_TRUE(without.closed());

  Menu(menu::mnuOPTION);
  w.TrayMouse(kLeftDown);  // blocking off
  const auto tray_calls = w.shell.calls.size();
  fake::FakeWindow& page = w.desktop.Open(fake::Page());
  Options().Click(cmdALLIE);
  EXPECT_TRUE(page.closed() && with_bar.closed());
  EXPECT_EQ(w.shell.calls.size(), tray_calls);
  fake::FakeWindow& popup = w.desktop.Open(fake::Popup(false));
  Seconds(3);
  EXPECT_FALSE(popup.closed());
  EXPECT_EQ(w.ShownIcon(), "ONFLAG");
  EXPECT_EQ(Hover(), "広告ブロック機能が無効です");
}

// Yes saves the flags, then takes the icon out, then ends; No and the close
// box change nothing, and the next exit asks afresh.
TEST_F(Program, ExitAsksOnceAndYesSavesThenRemovesTheIconThenEnds) {
  Menu(menu::mnuEnd);
  Menu(menu::mnuEnd);  // the one confirmation, shown again
  EXPECT_EQ(Count("Create Form1"), 1);
  EXPECT_FALSE(Find(layout::kForm1)->PressEscape());  // Esc does nothing here
  ASSERT_TRUE(Find(layout::kForm1)->Click(layout::Form1Controls::Command2));
  EXPECT_EQ(Find(layout::kForm1), nullptr);
  Menu(menu::mnuEnd);
  ASSERT_TRUE(Find(layout::kForm1)->PressCloseBox());
  EXPECT_EQ(Find(layout::kForm1), nullptr);
  EXPECT_EQ(w.process.ends, 0);
  EXPECT_EQ(Ini(), " 0 \r\n 0 \r\n 0 \r\n");

  Menu(menu::mnuOPTION);
  Options().Click(optBEEP);
  Options().Click(cmdClose);
  Menu(menu::mnuEnd);
  std::string at_save, at_end;
  w.files.on_replace = [&] { at_save = w.tray.InTray() ? "icon in" : "icon out"; };
  w.process.on_end = [&] {
    at_end = Ini() + (w.shell.calls.back().message == kNimDelete ? "deleted" : "shown");
  };
  EXPECT_TRUE(Find(layout::kForm1)->PressEnter());  // はい has the focus
  EXPECT_EQ(at_save, "icon in");
  EXPECT_EQ(at_end, "1\r\n0\r\n0\r\ndeleted");
  EXPECT_EQ(w.process.ends, 1);
}

TEST_F(Program, TheVersionCommandShowsOneAboutBoxWithTheVersionLine) {
  Menu(menu::mnuVER);
  FakeLayoutWindow* about = Find(layout::kfrmAbout);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->Caption(layout::frmAboutControls::lblVersion),
            "Orvo_自動広告除去 Version.1.8.0");
  Menu(menu::mnuVER);
  EXPECT_EQ(Count("Create frmAbout"), 1);
  ASSERT_TRUE(about->Click(layout::frmAboutControls::Label2));
  EXPECT_EQ(w.desktop.opened_pages(), std::vector<std::string>{"http://www.orvo.example/"});
  ASSERT_TRUE(about->PressEscape());
  EXPECT_EQ(Find(layout::kfrmAbout), nullptr);

  // Made anew, its line built again from the version information.
  w.version.version = {"Orvo_自動広告除去", 1, 9, 2};
  Menu(menu::mnuVER);
  EXPECT_EQ(Find(layout::kfrmAbout)->Caption(layout::frmAboutControls::lblVersion),
            "Orvo_自動広告除去 Version.1.9.2");
  ASSERT_TRUE(Find(layout::kfrmAbout)->PressEnter());
  w.version.fail = true;
  Menu(menu::mnuVER);
  EXPECT_EQ(Find(layout::kfrmAbout)->Caption(layout::frmAboutControls::lblVersion),
            "Orvo_自動広告除去 Version.1.8.0");

  Menu(menu::mnuWEB);
  w.desktop.fail_open_page = true;
  Menu(menu::mnuWEB);
  EXPECT_EQ(w.desktop.opened_pages().size(), 2u);
}

}  // namespace
}  // namespace orvo
