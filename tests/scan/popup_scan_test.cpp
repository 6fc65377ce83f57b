// The scan and close-all on a scripted desktop of browser windows.
#include <gtest/gtest.h>

#include <functional>
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

// The three rules by their options: beep, no-menu-bar, new-window.
constexpr const char* kRules[][3] = {{"1", "1", "1"}, {"1", "1", "0"}, {"1", "0", "0"}};

// The scan on a desktop of browser windows, with its options; it counts the
// pop-ups it reports blocked.
struct Scan : fake::FakePlatform {
  explicit Scan(const char* beep = "0", const char* no_menu_bar = "0", const char* new_window = "0")
      : options{beep, no_menu_bar, new_window} {}
  Options options;
  int blocked = 0;
  std::function<void()> on_blocked;
  PopupScan scan{desktop, clock, *this, options, [this] {
                   ++blocked;
                   if (on_blocked) on_blocked();
                 }};
};

// One window, one tick: whether it beeps and every call it takes (Document,
// TestHtml, parentWindow, opener, Parent, MenuBar, Quit); parentWindow is read
// afresh before each read of the script window. Options are numbers: " 1 "
// and "01" are on, "2" and text are not.
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
    Scan w(c.flags[0], c.flags[1], c.flags[2]);
    const FakeWindow& window = w.desktop.Open(c.window);
    w.scan.ScanOnce();
    SCOPED_TRACE("row " + std::to_string(&c - cases));
    EXPECT_EQ(window.calls, c.calls);
    EXPECT_EQ(window.closed, c.calls[fake::kQuit] == 1);
    EXPECT_EQ(w.blocked, c.calls[fake::kQuit]);
    EXPECT_EQ(w.beeps, c.beeps);
  }
}

// Within a closing: the beep, the report, then Quit; and a walk never starts
// inside another, whatever a call into a browser lets in meanwhile.
TEST(PopupScan, EveryPopupBeepsIsReportedAndQuitsAndNoWalkRunsInsideAnother) {
  Scan w("1");
  for (const WindowSpec& s : {fake::Page(), fake::Popup(), fake::FolderView(), fake::Popup()})
    w.desktop.Open(s);
  std::vector<std::string> seen;
  w.on_beep = [&] { seen.push_back("beep"); };
  w.on_blocked = [&] { seen.push_back("blocked " + std::to_string(w.blocked)); };
  w.desktop.on_quit = [&](FakeWindow& window) {
    seen.push_back("quit " + std::to_string(window.id));
    w.clock.Advance(PopupScan::kIntervalMs);  // a tick
    w.scan.CloseAll();
  };
  w.scan.ScanOnce();
  EXPECT_EQ(seen, (std::vector<std::string>{"beep", "blocked 1", "quit 1", "beep", "blocked 2",
                                            "quit 3"}));
  for (const FakeWindow& window : w.desktop.windows) EXPECT_EQ(window.calls[fake::kDocument], 1);
  EXPECT_EQ(w.desktop.OpenCount(), 2);
  // The next tick walks again.
  w.desktop.on_quit = nullptr;
  const FakeWindow& next = w.desktop.Open(fake::Popup());
  w.clock.Advance(PopupScan::kIntervalMs);
  EXPECT_TRUE(next.closed);
}

// One operation fails for one pop-up between two that close, among windows
// that no rule closes: a failed read
// or test leaves only that window open (never judged on a neighbour's
// evidence); a failed Quit has counted it already. A tick keeps only the
// collection.
TEST(PopupScan, AFailingOperationLeavesOnlyThatWindowOpenAndNothingHeld) {
  // Per rule, what a failure of Document, TestHtml, parentWindow, opener,
  // Parent, MenuBar, Quit does to its window: o left open, c closed all the
  // same (the rule never asks), q counted but still open.
  const std::pair<const char* const*, const char*> rules[] = {
      {kRules[0], "ooooccq"}, {kRules[1], "oooocoq"}, {kRules[2], "ooooocq"}};
  for (const auto& [rule, outcomes] : rules) {
    for (int op = 0; op < fake::kOps; ++op) {
      Scan w(rule[0], rule[1], rule[2]);
      FakeWindow& before = w.desktop.Open(fake::Popup());
      FakeWindow& failing = w.desktop.Open(fake::Popup());
      FakeWindow& after = w.desktop.Open(fake::Popup());
      // Whatever the rule, only an HTML page that a page opened closes; the
      // last one, showing its menu bar, only when the menu bar does not count.
      for (const WindowSpec& s :
           {fake::FolderView(), fake::Page(), Opened(ValueKind::kEmpty, kObj),
            Opened(ValueKind::kScalar, kObj), Opened(kObj, kObj, Content::kOtherDocument),
            Opened(kObj, kObj, Content::kNoDocument), Opened(kObj, kObj, Content::kNotABrowser),
            fake::Popup(true)})
        w.desktop.Open(s);
      failing.failing = op;
      w.scan.ScanOnce();

      const char outcome = outcomes[op];
      const int menu_bar_shown_closed = rule == kRules[1] ? 0 : 1;
      SCOPED_TRACE(std::string(rule[1]) + rule[2] + " rule, failing " + std::to_string(op));
      EXPECT_TRUE(before.closed && after.closed);
      EXPECT_EQ(failing.closed, outcome == 'c');
      EXPECT_EQ(w.desktop.OpenCount(), 8 - menu_bar_shown_closed + (outcome != 'c'));
      EXPECT_EQ(w.blocked, 2 + menu_bar_shown_closed + (outcome != 'o'));
      EXPECT_EQ(w.beeps, rule == kRules[0] ? 0 : w.blocked);
      EXPECT_TRUE(w.desktop.AllLetGo());
      EXPECT_EQ(w.desktop.refs, 1);
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
                        {false, kOk, 1, true, true, false, 1},
                        {false, kOk, -1, false, false, false, 0}};
  Scan idle;
  idle.scan.ScanOnce();  // no browser window at all
  idle.scan.CloseAll();
  EXPECT_EQ(idle.desktop.creates, 1);
  // Every answer of a server that has gone: RPC_E_SERVER_DIED(_DNE),
  // CO_E_OBJNOTCONNECTED, RPC_S_SERVER_UNAVAILABLE, RPC_S_CALL_FAILED.
  std::vector<Case> rows(std::begin(cases), std::end(cases));
  for (std::uint32_t gone : {0x80010007u, 0x80010012u, 0x800401FDu, 0x800706BAu, 0x800706BEu})
    rows.push_back({false, static_cast<HResult>(gone), -1, true, false, false, 2});
  for (const Case& c : rows) {
    SCOPED_TRACE(&c - rows.data());
    Scan w("0", "0", "1");
    const FakeWindow& first = w.desktop.Open(fake::Popup());
    const FakeWindow& second = w.desktop.Open(fake::Popup());
    w.desktop.fail_create = c.fail_create;
    w.desktop.enumerate_result = c.enumerate_result;
    w.desktop.fail_next_at = c.fail_next_at;
    w.desktop.can_call_out = c.can_call_out;
    w.scan.ScanOnce();
    EXPECT_EQ(first.closed * 10 + second.closed, c.first_closed * 10 + c.second_closed);
    w.scan.ScanOnce();
    EXPECT_EQ(w.desktop.creates, c.creates);
    // Once all is well again, only a collection not kept is made anew.
    w.desktop.fail_create = false, w.desktop.enumerate_result = kOk;
    w.desktop.fail_next_at = -1, w.desktop.can_call_out = true;
    w.scan.ScanOnce();
    EXPECT_EQ(w.desktop.creates, c.creates + (c.creates == 1 ? 0 : 1));
  }
}

// Close-all quits every HTML window, pop-up or not, and is no blocking: no
// report, no beep. The scan pauses for the walk and is left as it
// was: running with its next tick a full interval later, or off.
TEST(CloseAll, QuitsEveryHtmlWindowAndLeavesTheScanAsItWas) {
  for (bool scanning : {true, false}) {
    for (int op : {fake::kDocument, fake::kTestHtml, fake::kQuit, fake::kOps}) {
      Scan w("1", "1", "1");
      w.scan.SetRunning(scanning);
      FakeWindow& page = w.desktop.Open(fake::Page());
      FakeWindow& popup = w.desktop.Open(fake::Popup(true));
      w.desktop.Open(fake::Page()).failing = op;
      for (Content c : {Content::kOtherDocument, Content::kNoDocument, Content::kNotABrowser})
        w.desktop.Open({c});
      bool paused = false;
      w.desktop.on_quit = [&](FakeWindow&) { paused = !w.scan.running(); };
      w.clock.Advance(600);
      w.scan.CloseAll();

      SCOPED_TRACE(std::to_string(scanning) + " failing " + std::to_string(op));
      EXPECT_TRUE(page.closed && popup.closed && paused);
      EXPECT_EQ(w.desktop.OpenCount(), op == fake::kOps ? 3 : 4);
      EXPECT_EQ(page.calls[fake::kParentWindow] + popup.calls[fake::kParentWindow], 0);
      EXPECT_EQ(w.blocked + w.beeps, 0);
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
