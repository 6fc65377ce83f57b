#include "doubles/fake_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "res/layout/layouts.h"

namespace orvo::fake {
namespace {

namespace ids = layout::frmMainControls;

struct Events final : WindowEvents {
  std::vector<ControlIndex> clicks;
  std::vector<int> states_seen;
  int closes = 0, ends = 0;
  Window* window = nullptr;
  std::unique_ptr<Window>* owner = nullptr;  // reset on a click when set

  void Click(ControlIndex control) override {
    clicks.push_back(control);
    if (window) states_seen.push_back(window->CheckState(control));
    if (owner) owner->reset();
  }
  void CloseRequested() override { ++closes; }
  void SessionEnding() override { ++ends; }
};

struct OptionsWindow : testing::Test {
  FakeWindowFactory factory;
  Events events;
  std::unique_ptr<Window> window = factory.Create(layout::kfrmMain, events);
  FakeLayoutWindow& user = *factory.Find(layout::kfrmMain);
};

TEST_F(OptionsWindow, AHiddenWindowCannotBeUsed) {
  EXPECT_FALSE(user.Click(ids::optBEEP));
  EXPECT_FALSE(user.PressEnter());
  EXPECT_FALSE(user.PressCloseBox());
  EXPECT_TRUE(events.clicks.empty());
  EXPECT_EQ(user.CheckState(ids::optBEEP), 0);
}

TEST_F(OptionsWindow, ACheckBoxTogglesBeforeItsClickRuns) {
  events.window = window.get();
  window->Show();
  EXPECT_TRUE(user.Click(ids::optBEEP));
  EXPECT_TRUE(user.Click(ids::optBEEP));
  EXPECT_EQ(events.states_seen, (std::vector{1, 0}));
  window->SetCheckState(ids::Check1, 1);
  EXPECT_EQ(events.clicks.size(), 2u) << "setting by code raises nothing";
}

TEST_F(OptionsWindow, EnterGoesToTheFocusedButtonElseOkAndEscToOk) {
  window->Show();
  EXPECT_EQ(user.Focused(), ids::cmdHide);
  user.Click(ids::CheTitle);  // the box takes the focus
  user.PressEnter();
  user.Focus(ids::cmdClose);
  user.PressEnter();
  user.PressEscape();
  EXPECT_EQ(events.clicks, (std::vector{ids::CheTitle, ids::cmdHide, ids::cmdClose, ids::cmdHide}));
}

TEST(FakeWindows, ExitConfirmationHasNoEscAndMenusAnswerOnce) {
  FakeWindowFactory factory;
  Events events;
  auto confirm = factory.Create(layout::kForm1, events);
  confirm->Show();
  EXPECT_FALSE(factory.Find(layout::kForm1)->PressEscape());
  EXPECT_TRUE(factory.Find(layout::kForm1)->PressEnter());
  EXPECT_EQ(events.clicks, (std::vector{layout::Form1Controls::Command1}));

  auto menu = factory.Create(layout::kForm3, events);
  factory.ChooseMenuItem(layout::Form3Menu::mnuVER);
  EXPECT_EQ(menu->PopupMenu(), layout::Form3Menu::mnuVER);
  EXPECT_EQ(menu->PopupMenu(), -1);
}

TEST(FakeWindows, AWindowClosedByItsOwnHandlerIsGoneAndSessionEndReachesTheRest) {
  FakeWindowFactory factory;
  Events events;
  std::unique_ptr<Window> about = factory.Create(layout::kfrmAbout, events);
  auto hidden_main = factory.Create(layout::kfrmMain, events);
  about->Show();
  events.owner = &about;
  EXPECT_TRUE(factory.Find(layout::kfrmAbout)->PressEscape());
  EXPECT_EQ(about, nullptr);
  EXPECT_EQ(factory.Find(layout::kfrmAbout), nullptr);
  EXPECT_EQ(factory.calls.back(), "Destroy frmAbout");

  events.owner = nullptr;
  factory.EndSession();
  EXPECT_EQ(events.ends, 1) << "the hidden options window hears it too";
}

}  // namespace
}  // namespace orvo::fake
