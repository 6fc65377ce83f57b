// The scan and close-all on a scripted desktop of browser windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/fake_platform.h"

namespace orvo {
namespace {

using fake::Content;
using fake::FakeWindow;
using fake::WindowSpec;
constexpr auto kObj = ValueKind::kObject, kNull = ValueKind::kNull,
               kEmptyObj = ValueKind::kEmptyObject;

WindowSpec Opened(ValueKind opener, ValueKind parent, Content content = Content::kHtml) {
  return {content, opener, parent, false};
}

// The three rules by their flags: beep, no-menu-bar, new-window.
constexpr const char* kRules[][3] = {{"1", "1", "1"}, {"1", "1", "0"}, {"1", "0", "0"}};

// One window, one tick: whether it beeps and every call it takes (Document,
// TestHtml, parentWindow, opener, Parent, MenuBar, Quit); parentWindow is read
// afresh before each read of the script window. Flags are numbers: " 1 " and
// "01" are set, "2" and text are not.
TEST(PopupScan, EachRuleClosesWhatItSaysWithTheCallsItsStepsName) {
  struct Case {
    const char* flags[3];
    WindowSpec window;
    int beeps;
    std::array<int, fake::kOps> calls;
  };
  const Case cases[] = {
      {{"1", "0", "0"}, fake::FolderView(), 0, {1, 1, 0, 0, 0, 0, 0}},
      {{"1", "0", "0"}, fake::Page(), 0, {1, 1, 1, 1, 0, 0, 0}},
      {{"1", "0", "1"}, fake::Popup(true), 0, {1, 1, 1, 1, 0, 0, 1}},
      {{"0", "1", " 1 "}, Opened(kObj, kNull), 0, {1, 1, 1, 1, 0, 0, 1}},
      {{"1", "1", "0"}, fake::Popup(true), 0, {1, 1, 1, 1, 0, 1, 0}},
      {{"01", "1", "2"}, fake::Popup(false), 1, {1, 1, 1, 1, 0, 1, 1}},
      {{"0", "1", "0"}, fake::Popup(false), 0, {1, 1, 1, 1, 0, 1, 1}},
      {{"1", "0", "0"}, fake::Popup(true), 1, {1, 1, 4, 3, 1, 0, 1}},
      {{"1", "0", "0"}, Opened(kObj, kNull), 0, {1, 1, 4, 3, 1, 0, 0}},
      {{"1", "2", "abc"}, Opened(kObj, ValueKind::kScalar), 0, {1, 1, 4, 3, 1, 0, 0}},
      {{"1", "", ""}, Opened(kEmptyObj, kEmptyObj), 1, {1, 1, 4, 3, 1, 0, 1}},
      {{"", "0", "0"}, fake::Popup(true), 0, {1, 1, 4, 3, 1, 0, 1}},
  };
  for (const Case& c : cases) {
    Watcher w(c.flags[0], c.flags[1], c.flags[2]);
    const FakeWindow& window = w.desktop.Open(c.window);
    w.main.Timer2_Timer();
    SCOPED_TRACE("row " + std::to_string(&c - cases));
    EXPECT_EQ(window.calls, c.calls);
    EXPECT_EQ(window.closed, c.calls[fake::kQuit] == 1);
    EXPECT_EQ(w.main.BlockCount, c.calls[fake::kQuit]);
    EXPECT_EQ(w.animate().Enabled(), window.closed);
    EXPECT_EQ(w.beeps, c.beeps);
  }
}

// Within a closing: beep, animation, count, then Quit; every pop-up of a
// tick starts the animation over.
TEST(PopupScan, EveryPopupBeepsAnimatesIsCountedAndQuitsInThatOrder) {
  Watcher w("1");
  w.main.BlockCount = 7;
  w.main.AnimFrame = 5;  // an animation already running
  for (const WindowSpec& s : {fake::Page(), fake::Popup(), fake::FolderView(), fake::Popup()})
    w.desktop.Open(s);
  std::vector<std::string> seen;
  auto at = [&](const std::string& what) {
    seen.push_back(what + " count " + std::to_string(static_cast<int>(w.main.BlockCount)) +
                   " frame " + std::to_string(w.main.AnimFrame));
  };
  w.on_beep = [&] { at("beep"); };
  w.animate().on_set = [&](bool on) { at(on ? "animate" : "stop"); };
  w.desktop.on_quit = [&](FakeWindow& window) {
    at("quit " + std::to_string(window.id));
    w.main.AnimFrame = 4;  // as if the animation had moved on meanwhile
  };
  w.main.Timer2_Timer();
  EXPECT_EQ(seen, (std::vector<std::string>{"beep count 7 frame 5", "animate count 7 frame 1",
                                            "quit 1 count 8 frame 1", "beep count 8 frame 4",
                                            "animate count 8 frame 1", "quit 3 count 9 frame 1"}));
}

// One operation fails for one pop-up between two that close, among windows
// that no rule closes: a failed read
// or test leaves only that window open (never judged on a neighbour's
// evidence); a failed Quit has counted it already; an animation that cannot
// start keeps nothing open. A tick keeps only the collection.
TEST(PopupScan, AFailingOperationLeavesOnlyThatWindowOpenAndNothingHeld) {
  for (const auto& rule : kRules) {
    for (int op = 0; op < fake::kOps; ++op) {
      Watcher w(rule[0], rule[1], rule[2]);
      w.animate().fail_enable = true;
      FakeWindow& before = w.desktop.Open(fake::Popup());
      FakeWindow& failing = w.desktop.Open(fake::Popup());
      FakeWindow& after = w.desktop.Open(fake::Popup());
      // Whatever the rule, only an HTML page that a page opened closes.
      for (const WindowSpec& s :
           {fake::FolderView(), fake::Page(), Opened(ValueKind::kEmpty, kObj),
            Opened(ValueKind::kScalar, kObj), Opened(kObj, kObj, Content::kOtherDocument),
            Opened(kObj, kObj, Content::kNoDocument), Opened(kObj, kObj, Content::kNotABrowser),
            fake::Popup(true)})
        w.desktop.Open(s);
      failing.failing = op;
      w.main.Timer2_Timer();

      // A rule that never asks for an operation cannot be stopped by it.
      const bool menu_rule = rule[1][0] == '1' && rule[2][0] == '0';
      const bool asked =
          !(op == fake::kMenuBar && !menu_rule) && !(op == fake::kParent && rule[1][0] == '1');
      SCOPED_TRACE(std::string(rule[1]) + rule[2] + " rule, failing " + std::to_string(op));
      EXPECT_TRUE(before.closed && after.closed);
      EXPECT_EQ(failing.closed, !asked);
      EXPECT_EQ(w.desktop.OpenCount(), 7 + menu_rule + asked);
      const int closed = menu_rule ? 3 : 4;
      EXPECT_EQ(w.main.BlockCount, !asked || op == fake::kQuit ? closed : closed - 1);
      EXPECT_EQ(w.beeps, rule[2][0] == '1' ? 0 : w.main.BlockCount);
      EXPECT_TRUE(w.desktop.AllLetGo());
      EXPECT_EQ(w.desktop.refs, 1);
      EXPECT_FALSE(w.main.BrowserWin);
    }
  }
}

// The collection is made once and kept; made again only while making it
// fails or after its shell has gone (Explorer restarted). Inside a message
// sent from another thread nothing is asked at all.
TEST(PopupScan, TheCollectionIsMadeOnceAndAgainOnlyWhenItMustBe) {
  struct Case {
    bool fail_create;
    HResult enumerate_result;
    int fail_next_at;
    bool can_call_out, first_closed, second_closed;
    int creates;  // over two ticks; the collection is kept only after one
  };
  const Case cases[] = {{false, kOk, -1, true, true, true, 1},
                        {true, kOk, -1, true, false, false, 2},
                        {false, kNotImpl, -1, true, false, false, 1},
                        {false, kDisconnected, -1, true, false, false, 2},
                        {false, static_cast<HResult>(0x800706BAu), -1, true, false, false, 2},
                        {false, kOk, 1, true, true, false, 1},
                        {false, kOk, -1, false, false, false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    Watcher w("0", "0", "1");
    w.main.Timer2_Timer();  // no browser window at all
    w.main.cmdALLIE_Click();
    EXPECT_EQ(w.desktop.creates, 1);
    w.main.ShellWins.reset();
    const FakeWindow& first = w.desktop.Open(fake::Popup());
    const FakeWindow& second = w.desktop.Open(fake::Popup());
    w.desktop.fail_create = c.fail_create;
    w.desktop.enumerate_result = c.enumerate_result;
    w.desktop.fail_next_at = c.fail_next_at;
    w.desktop.can_call_out = c.can_call_out;
    w.main.Timer2_Timer();
    EXPECT_EQ(first.closed * 10 + second.closed, c.first_closed * 10 + c.second_closed);
    w.main.Timer2_Timer();
    EXPECT_EQ(w.desktop.creates, 1 + c.creates);
    EXPECT_EQ(!!w.main.ShellWins, c.creates == 1);
  }
}

// Close-all quits every HTML window, pop-up or not, and is no blocking: no
// count, animation or beep. The scan pauses for the walk and is left as it
// was: running with its next tick a full interval later, or off.
TEST(CloseAll, QuitsEveryHtmlWindowAndLeavesTheScanAsItWas) {
  for (bool scanning : {true, false}) {
    for (int op : {fake::kDocument, fake::kTestHtml, fake::kQuit, fake::kOps}) {
      Watcher w("1", "1", "1");
      w.main.BlockCount = 4;
      w.main.AnimFrame = 2;
      ASSERT_EQ(w.main.Timer2->SetEnabled(scanning), kOk);
      FakeWindow& page = w.desktop.Open(fake::Page());
      FakeWindow& popup = w.desktop.Open(fake::Popup(true));
      w.desktop.Open(fake::Page()).failing = op;
      for (Content c : {Content::kOtherDocument, Content::kNoDocument, Content::kNotABrowser})
        w.desktop.Open({c});
      bool paused = false;
      w.desktop.on_quit = [&](FakeWindow&) { paused = !w.main.Timer2->Enabled(); };
      w.clock.Advance(600);
      w.main.cmdALLIE_Click();

      SCOPED_TRACE(std::to_string(scanning) + " failing " + std::to_string(op));
      EXPECT_TRUE(page.closed && popup.closed && paused);
      EXPECT_EQ(w.desktop.OpenCount(), op == fake::kOps ? 3 : 4);
      EXPECT_EQ(page.calls[fake::kParentWindow] + popup.calls[fake::kParentWindow], 0);
      EXPECT_EQ(w.main.BlockCount + w.beeps, 4);
      EXPECT_EQ(w.main.AnimFrame, 2);
      EXPECT_FALSE(w.animate().Enabled());
      EXPECT_TRUE(w.desktop.AllLetGo());
      const FakeWindow& next = w.desktop.Open(fake::Popup());
      w.clock.Advance(999);
      EXPECT_FALSE(next.closed);
      w.clock.Advance(1);
      EXPECT_EQ(next.closed, scanning);
    }
  }
}

}  // namespace
}  // namespace orvo
