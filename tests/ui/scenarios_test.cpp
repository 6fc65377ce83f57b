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
namespace menu = layout::Form3Menu;

constexpr std::uint32_t kMouseMove = 0x200;
constexpr std::uint32_t kLeftDown = 0x201;
constexpr std::uint32_t kLeftUp = 0x202;
constexpr std::uint32_t kLeftDoubleClick = 0x203;
constexpr std::uint32_t kRightDown = 0x204;
constexpr std::uint32_t kMiddleDown = 0x207;

struct Program : testing::Test {
  Watcher w;

  Program() { w.main.Form_Load(); }

  void Seconds(int n) { w.clock.Advance(1000 * n); }
  void Menu(int item) {
    w.screens.ChooseMenuItem(item);
    w.TrayMouse(kRightDown);
  }
  FakeLayoutWindow* Find(const layout::Window& window) { return w.screens.Find(window); }
  std::string Ini() {
    const FakeFiles::Entry* e = w.files.Find(FakeFiles::SetIni());
    return e ? e->bytes : "<missing>";
  }
  int Count(std::string_view call) {
    return static_cast<int>(std::count(w.screens.calls.begin(), w.screens.calls.end(), call));
  }
};

TEST_F(Program, APopupIsClosedAtTheNextTickAnimatedAndCountedOnTheNextHover) {
  fake::FakeWindow& popup = w.desktop.Open(fake::Popup());
  w.desktop.Open(fake::Page());
  Seconds(1);
  EXPECT_TRUE(popup.closed());
  EXPECT_EQ(w.desktop.open_count(), 1u);
  EXPECT_EQ(w.ShownTip(), "ブロック：0");  // the scan leaves the tip alone

  w.clock.Advance(32 * 4);
  EXPECT_EQ(w.ShownIcon(), "05");
  w.clock.Advance(32 * 5);
  EXPECT_EQ(w.ShownIcon(), "02");  // at rest: the idle picture

  w.TrayMouse(kMouseMove);
  EXPECT_EQ(w.ShownTip(), "ブロック数：1");
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
  w.TrayMouse(kMouseMove);
  EXPECT_EQ(w.ShownTip(), "広告ブロック機能が無効です");

  // A double click toggles once: its second press comes as a double click.
  w.TrayMouse(kLeftDown);
  w.TrayMouse(kLeftUp);
  w.TrayMouse(kLeftDoubleClick);
  EXPECT_EQ(w.ShownIcon(), "NOTFLAG");
  EXPECT_EQ(w.ShownTip(), "ブロック数：1");
  Seconds(1);
  EXPECT_TRUE(popup.closed());
  w.TrayMouse(kMouseMove);
  EXPECT_EQ(w.ShownTip(), "ブロック数：2");
}

TEST_F(Program, TheCountShowsAsPlainDigits) {
  w.main.BlockCount = 1234;
  w.TrayMouse(kMouseMove);
  EXPECT_EQ(w.ShownTip(), "ブロック数：1234");
  w.main.BlockCount = 1234567;
  w.TrayMouse(kMouseMove);
  EXPECT_EQ(w.ShownTip(), "ブロック数：1234567");
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
  EXPECT_FALSE(Find(layout::kForm3)->Visible());
}

TEST_F(Program, TheOptionsCommandStartsOverWithBlockingOn) {
  w.desktop.Open(fake::Popup());
  Seconds(1);
  w.TrayMouse(kLeftDown);  // blocking off
  Menu(menu::mnuOPTION);
  EXPECT_TRUE(Find(layout::kfrmMain)->Visible());
  EXPECT_EQ(w.main.BlockCount, 0);
  EXPECT_FALSE(w.main.BlockingOff);
  EXPECT_EQ(w.ShownIcon(), "NOTFLAG");
  EXPECT_EQ(w.ShownTip(), "ブロック：0");
  fake::FakeWindow& popup = w.desktop.Open(fake::Popup());
  Seconds(1);
  EXPECT_TRUE(popup.closed());

  Find(layout::kfrmMain)->Click(layout::frmMainControls::cmdClose);
  w.TrayMouse(kMouseMove);
  EXPECT_EQ(w.ShownTip(), "ブロック数：1");
}

// Close-all from the options window while the user has blocking off: the
// scan stays off, as the tray says.
TEST_F(Program, CloseAllKeepsBlockingOffWhenTheUserSwitchedItOff) {
  Menu(menu::mnuOPTION);
  w.TrayMouse(kLeftDown);
  fake::FakeWindow& page = w.desktop.Open(fake::Page());
  fake::FakeWindow& folder = w.desktop.Open(fake::FolderView());
  Find(layout::kfrmMain)->Click(layout::frmMainControls::cmdALLIE);
  EXPECT_TRUE(page.closed());
  EXPECT_FALSE(folder.closed());
  fake::FakeWindow& popup = w.desktop.Open(fake::Popup());
  Seconds(3);
  EXPECT_FALSE(popup.closed());
  EXPECT_EQ(w.main.BlockCount, 0);
}

TEST_F(Program, ATickedOptionCancelledIsStillSavedByExit) {
  Menu(menu::mnuOPTION);
  Find(layout::kfrmMain)->Click(layout::frmMainControls::optBEEP);
  Find(layout::kfrmMain)->Click(layout::frmMainControls::cmdClose);
  EXPECT_EQ(Ini(), " 0 \r\n 0 \r\n 0 \r\n");

  Menu(menu::mnuEnd);
  FakeLayoutWindow* confirm = Find(layout::kForm1);
  ASSERT_NE(confirm, nullptr);
  EXPECT_TRUE(confirm->Visible());
  EXPECT_TRUE(confirm->PressEnter());  // はい has the focus
  EXPECT_EQ(Ini(), "1\r\n0\r\n0\r\n");
  EXPECT_EQ(w.shell.calls.back().message, kNimDelete);
  EXPECT_EQ(w.process.ends, 1);
}

TEST_F(Program, ExitAnsweredNoChangesNothingAndTheNextExitAsksAfresh) {
  Menu(menu::mnuEnd);
  Menu(menu::mnuEnd);  // the one confirmation, shown again
  EXPECT_EQ(Count("Create Form1"), 1);
  EXPECT_FALSE(Find(layout::kForm1)->PressEscape());  // Esc does nothing here
  ASSERT_TRUE(Find(layout::kForm1)->Click(layout::Form1Controls::Command2));
  EXPECT_EQ(Find(layout::kForm1), nullptr);

  Menu(menu::mnuEnd);
  ASSERT_TRUE(Find(layout::kForm1)->PressCloseBox());
  EXPECT_EQ(Find(layout::kForm1), nullptr);
  EXPECT_EQ(Count("Create Form1"), 2);
  EXPECT_EQ(w.process.ends, 0);
  EXPECT_TRUE(w.tray.InTray());
  EXPECT_EQ(Ini(), " 0 \r\n 0 \r\n 0 \r\n");
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
}

TEST_F(Program, TheWebSiteCommandOpensANewBrowserWindowEachTimeOrNothing) {
  Menu(menu::mnuWEB);
  Menu(menu::mnuWEB);
  EXPECT_EQ(w.desktop.opened_pages().size(), 2u);
  w.desktop.fail_open_page = true;
  const auto screen_calls = w.screens.calls.size();
  Menu(menu::mnuWEB);
  EXPECT_EQ(w.desktop.opened_pages().size(), 2u);
  EXPECT_EQ(w.screens.calls.size(), screen_calls + 1);  // the menu, and nothing shown
  EXPECT_EQ(w.main.BlockCount, 0);
}

}  // namespace
}  // namespace orvo
