// The tray icon on a fake shell: the calls it makes, what each carries, and
// the mouse it passes on.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "doubles/fake_tray.h"
#include "systray/tray_icon.h"

namespace orvo {
namespace {

using Strings = std::vector<std::string>;
constexpr IconHandle kNotFlag = 0xFFFF'02A1, kOnFlag = 0x2B3;

// A TrayIcon in a fake shell, with two pictures; its events log as "down 1".
struct Tray : testing::Test, fake::FakeTrayShell, Icons, TrayIconEvents {
  TrayIcon tray{*this, *this};
  Strings events;
  int tips_converted = 0;

  Tray() { tray.Listen(this); }
  HResult LoadNamedIcon(std::string_view name, IconHandle& icon) override {
    if (name != "NOTFLAG" && name != "ONFLAG") return kFail;
    icon = name == "NOTFLAG" ? kNotFlag : kOnFlag;
    return kOk;
  }
  void SetTip(std::string_view tip) override {
    ++tips_converted;
    FakeTrayShell::SetTip(tip);
  }
  void OnButtonDown(Button button) override {
    events.push_back(button == Button::kLeft ? "down 1" : "down 2");
  }
  void OnMouseMove() override { events.emplace_back("move"); }
};

// Add, modify and delete, each with the parts it carries: the add its
// callback message and the picture and tip it has, a change only itself.
// A shell that starts again gets the icon back while it is shown.
TEST_F(Tray, EachChangeMakesTheCallTheShellExpects) {
  tray.SetShown(true);
  tray.SetShown(false);
  tray.SetPicture("NOTFLAG");
  tray.SetTip("ブロック：0");
  tray.OnTaskbarCreated();  // hidden: nothing to put back
  EXPECT_EQ(calls.size(), 2u);
  tray.SetShown(true);
  tray.SetShown(true);  // the same value changes nothing
  tray.SetPicture("ONFLAG");
  tray.SetPicture("02");  // cannot be loaded: ignored
  tray.SetTip("ブロック数：5");
  tray.SetTip("ブロック数：5");  // the same tip again: sent, not converted again
  tray.OnTaskbarCreated();
  tray.SetShown(false);
  tray.OnTaskbarCreated();

  using Call = std::tuple<std::uint32_t, std::uint32_t, IconHandle, std::string>;
  const Call expected[] = {{kNimAdd, 1, 0, ""},
                           {kNimDelete, 0, 0, ""},
                           {kNimAdd, 7, kNotFlag, "ブロック：0"},
                           {kNimModify, 2, kOnFlag, ""},
                           {kNimModify, 4, 0, "ブロック数：5"},
                           {kNimModify, 4, 0, "ブロック数：5"},
                           {kNimAdd, 7, kOnFlag, "ブロック数：5"},
                           {kNimDelete, 0, 0, ""}};
  ASSERT_EQ(calls.size(), std::size(expected));
  for (std::size_t i = 0; i < calls.size(); ++i) {
    const fake::ShellCall& c = calls[i];
    EXPECT_EQ(Call(c.message, c.flags, c.flags & kNifIcon ? c.icon : 0, c.tip), expected[i]) << i;
  }
  EXPECT_EQ(tips_converted, 2);
}

// The mouse over the icon reaches its listener only while the icon is shown.
TEST_F(Tray, TheMouseIsHeardWhileShown) {
  auto mouse = [&] {
    tray.OnMouseMove();
    tray.OnButtonDown(Button::kLeft);
    tray.OnButtonDown(Button::kRight);
  };
  mouse();
  tray.SetShown(true);
  mouse();
  tray.SetShown(false);
  mouse();
  EXPECT_EQ(events, (Strings{"move", "down 1", "down 2"}));
}

}  // namespace
}  // namespace orvo
