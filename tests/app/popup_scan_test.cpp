// The scan and close-all on a scripted desktop of browser windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/watcher_fixture.h"

namespace orvo {
namespace {

using fake::Content;
using fake::FakeWindow;
using fake::Op;
using fake::WindowSpec;

WindowSpec With(WindowSpec spec, ValueKind opener, ValueKind parent,
                Content content = Content::kHtml) {
  spec.opener = opener;
  spec.parent = parent;
  spec.content = content;
  return spec;
}
constexpr auto kObj = ValueKind::kObject;

// Beep, no-menu-bar, new-window flags: the three rules.
struct Rule {
  const char* name;
  const char* flags[3];
};
constexpr Rule kRules[] = {
    {"new-window", {"1", "1", "1"}}, {"no-menu-bar", {"1", "1", "0"}}, {"opener", {"1", "0", "0"}}};

TEST(PopupScan, ClosesWhatTheRuleSaysAndBeepsWhenItMay) {
  struct Case {
    const char *beep, *no_toolbar, *new_window;
    WindowSpec window;
    bool closed;
    int beeps;
  };
  const Case cases[] = {
      // The new-window rule closes every page another page opened, silently.
      {"1", "0", "1", fake::Popup(true), true, 0},
      {"1", "1", "1", fake::Popup(true), true, 0},
      {"0", "0", "1", With(fake::Popup(), kObj, ValueKind::kNull), true, 0},
      {"1", "1", "0", fake::Popup(true), false, 0},
      {"1", "1", "0", fake::Popup(false), true, 1},
      {"0", "1", "0", fake::Popup(false), true, 0},
      // The opener rule: parent and opener must both be objects.
      {"1", "0", "0", fake::Popup(true), true, 1},
      {"0", "0", "0", fake::Popup(true), true, 0},
      {"1", "0", "0", With(fake::Popup(), kObj, ValueKind::kNull), false, 0},
      {"1", "0", "0", With(fake::Popup(), kObj, ValueKind::kScalar), false, 0},
      {"1", "0", "0", With(fake::Popup(), ValueKind::kEmptyObject, ValueKind::kEmptyObject), true,
       1},
      // Flags are numbers: 2 is not set, " 1 " and "01" are; text is not.
      {"1", "0", "2", fake::Popup(true), true, 1},
      {"1", "0", " 1 ", fake::Popup(true), true, 0},
      {"01", "1", "0", fake::Popup(false), true, 1},
      {"", "", "", fake::Popup(false), true, 0},
      {"abc", "abc", "abc", With(fake::Popup(), kObj, ValueKind::kNull), false, 0},
  };
  for (const Case& c : cases) {
    Watcher w;
    w.SetFlags(c.beep, c.no_toolbar, c.new_window);
    FakeWindow& win = w.desktop.Open(c.window);
    w.main.Timer2_Timer();
    SCOPED_TRACE(std::string("flags '") + c.beep + "' '" + c.no_toolbar + "' '" + c.new_window +
                 "' row " + std::to_string(&c - cases));
    EXPECT_EQ(win.closed(), c.closed);
    EXPECT_EQ(w.main.BlockCount, c.closed ? 1 : 0);
    EXPECT_EQ(w.sound.beeps, c.beeps);
    EXPECT_EQ(w.animate().Enabled(), c.closed);
  }
}

// Whatever the options say, only an HTML page opened by another page closes.
TEST(PopupScan, NeverClosesAnythingButPagesOpenedByPages) {
  const char* const values[] = {"0", "1", "", "2"};
  for (const char* beep : values) {
    for (const char* no_toolbar : values) {
      for (const char* new_window : values) {
        Watcher w;
        w.SetFlags(beep, no_toolbar, new_window);
        w.desktop.Open(fake::FolderView());
        w.desktop.Open(fake::Page());
        for (ValueKind opener : {ValueKind::kNull, ValueKind::kEmpty, ValueKind::kScalar}) {
          w.desktop.Open(With(fake::Popup(false), opener, kObj));
        }
        for (Content c : {Content::kOtherDocument, Content::kNoDocument, Content::kNotABrowser}) {
          w.desktop.Open(With(fake::Popup(false), kObj, kObj, c));
        }
        w.main.Timer2_Timer();
        SCOPED_TRACE(std::string("flags '") + beep + "' '" + no_toolbar + "' '" + new_window + "'");
        EXPECT_EQ(w.desktop.open_count(), w.desktop.size());
        EXPECT_EQ(w.main.BlockCount + w.sound.beeps, 0);
        EXPECT_FALSE(w.animate().Enabled());
      }
    }
  }
}

// Order within a closing: beep, animation, count, then Quit; every pop-up of
// a tick restarts the animation.
TEST(PopupScan, EveryPopupOfATickBeepsAnimatesCountsAndQuitsInThatOrder) {
  Watcher w;
  w.SetFlags("1", "0", "0");
  w.main.BlockCount = 7;
  w.main.AnimFrame = 5;  // an animation already running
  for (WindowSpec s :
       {fake::Page(), fake::Popup(), fake::FolderView(), fake::Popup(), fake::Popup()}) {
    w.desktop.Open(s);
  }
  std::vector<std::string> seen;
  w.desktop.on_quit = [&](FakeWindow& win) {
    seen.push_back(std::to_string(win.id()) + " beeps " + std::to_string(w.sound.beeps) +
                   " frame " + std::to_string(w.main.AnimFrame) + " " +
                   (w.animate().Enabled() ? "on" : "off") + " count " +
                   std::to_string(static_cast<int>(w.main.BlockCount)));
    w.main.AnimFrame = 4;  // as if the animation had moved on meanwhile
  };
  w.sound.on_beep = [&] {
    seen.push_back("beep at count " + std::to_string(static_cast<int>(w.main.BlockCount)));
  };
  w.main.Timer2_Timer();
  EXPECT_EQ(seen, (std::vector<std::string>{"beep at count 7", "1 beeps 1 frame 1 on count 8",
                                            "beep at count 8", "3 beeps 2 frame 1 on count 9",
                                            "beep at count 9", "4 beeps 3 frame 1 on count 10"}));
  EXPECT_EQ(w.main.BlockCount, 10);
}

// The fault drill: one operation fails for one pop-up, between two pop-ups
// that close. A failed read or test leaves that window open (never judged on
// its neighbour's evidence); a failed Quit has counted it already. A tick
// keeps only the collection: every reference it took is let go.
TEST(PopupScan, AFailingOperationLeavesOnlyThatWindowOpenAndNothingHeld) {
  for (const Rule& rule : kRules) {
    for (std::size_t i = 0; i < fake::kOpCount; ++i) {
      const Op op = static_cast<Op>(i);
      Watcher w;
      w.SetFlags(rule.flags[0], rule.flags[1], rule.flags[2]);
      FakeWindow& before = w.desktop.Open(fake::Popup(false));
      FakeWindow& failing = w.desktop.Open(fake::Popup(false));
      FakeWindow& after = w.desktop.Open(fake::Popup(false));
      w.desktop.Open(fake::Page());
      w.desktop.Open(fake::Popup(true));
      failing.Fail(op);

      w.main.Timer2_Timer();

      // The rules that never ask for an operation cannot be stopped by it.
      const bool menu_rule = rule.flags[1][0] == '1' && rule.flags[2][0] == '0';
      const bool opener_rule = rule.flags[1][0] == '0';
      const bool asked =
          !(op == Op::kMenuBar && !menu_rule) && !(op == Op::kParent && !opener_rule);
      SCOPED_TRACE(std::string(rule.name) + " rule, failing " + fake::OpName(op));
      EXPECT_TRUE(before.closed() && after.closed());
      EXPECT_EQ(failing.closed(), !asked);
      const int closed = menu_rule ? 3 : 4;
      const bool counted = !asked || op == Op::kQuit;
      EXPECT_EQ(w.main.BlockCount, counted ? closed : closed - 1);
      EXPECT_EQ(w.sound.beeps, rule.flags[2][0] == '1' ? 0 : w.main.BlockCount);
      for (std::size_t k = 0; k < w.desktop.size(); ++k) {
        EXPECT_EQ(w.desktop.window(k).outstanding_refs(), 0) << "window " << k;
      }
      EXPECT_EQ(w.desktop.enumerator_refs(), 0);
      EXPECT_EQ(w.desktop.collection_refs(), 1);
      EXPECT_FALSE(w.main.BrowserWin);
    }
  }
}

TEST(PopupScan, AVanishedWindowOrAnAnimationThatCannotStartChangeNothingElse) {
  Watcher w;
  w.SetFlags("1", "1", "0");
  w.animate().fail_enable = true;
  w.desktop.Open(fake::Popup());
  FakeWindow& gone = w.desktop.Open(fake::Popup());
  FakeWindow& last = w.desktop.Open(fake::Popup());
  w.desktop.on_quit = [&](FakeWindow& win) {
    if (win.id() == 0) gone.Vanish();
  };
  w.main.Timer2_Timer();
  EXPECT_EQ(gone.quits(), 0);
  EXPECT_TRUE(last.closed());
  EXPECT_EQ(w.main.BlockCount, 2);
  EXPECT_EQ(w.sound.beeps, 2);
}

// The collection is made once and kept; made again only while making it
// fails or after its shell has gone (Explorer restarted). Inside a message
// sent from another thread nothing is asked at all.
TEST(PopupScan, TheCollectionIsMadeOnceAndAgainOnlyWhenItMustBe) {
  struct Case {
    const char* name;
    void (*fault)(fake::FakeDesktop&);
    bool first_closed, second_closed;
    int creates;  // over two ticks
    bool held;
  };
  const Case cases[] = {
      {"no fault", [](fake::FakeDesktop&) {}, true, true, 1, true},
      {"creation fails", [](fake::FakeDesktop& d) { d.fail_create = true; }, false, false, 2,
       false},
      {"listing not implemented", [](fake::FakeDesktop& d) { d.enumerate_result = kNotImpl; },
       false, false, 1, true},
      {"shell gone", [](fake::FakeDesktop& d) { d.enumerate_result = kDisconnected; }, false, false,
       2, false},
      {"server unavailable",
       [](fake::FakeDesktop& d) { d.enumerate_result = static_cast<HResult>(0x800706BAu); }, false,
       false, 2, false},
      {"second step fails", [](fake::FakeDesktop& d) { d.fail_next_at = 1; }, true, false, 1, true},
      {"inside a sent message", [](fake::FakeDesktop& d) { d.can_call_out = false; }, false, false,
       0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Watcher w;
    w.SetFlags("0", "0", "1");
    w.main.Timer2_Timer();  // no browser window at all
    w.main.cmdALLIE_Click();
    EXPECT_EQ(w.main.BlockCount + w.sound.beeps, 0);
    EXPECT_EQ(w.desktop.creates(), 1);
    w.main.ShellWins.reset();
    FakeWindow& first = w.desktop.Open(fake::Popup());
    FakeWindow& second = w.desktop.Open(fake::Popup());
    c.fault(w.desktop);
    w.main.Timer2_Timer();
    EXPECT_EQ(first.closed(), c.first_closed);
    EXPECT_EQ(second.closed(), c.second_closed);
    w.main.Timer2_Timer();
    EXPECT_EQ(w.desktop.creates(), 1 + c.creates);
    EXPECT_EQ(!!w.main.ShellWins, c.held);
  }
}

// Close-all quits every HTML window, pop-up or not, and is no blocking: no
// count, animation or beep. The scan pauses for the walk and is left as it
// was: running with its next tick a full interval later, or off.
TEST(CloseAll, QuitsEveryHtmlWindowAndLeavesTheScanAsItWas) {
  for (bool scanning : {true, false}) {
    for (Op op : {Op::kDocument, Op::kTestHtml, Op::kQuit, Op::kCount}) {
      Watcher w;
      w.SetFlags("1", "1", "1");
      w.main.BlockCount = 4;
      w.main.AnimFrame = 2;
      ASSERT_EQ(w.main.Timer2->SetEnabled(scanning), kOk);
      FakeWindow& page = w.desktop.Open(fake::Page());
      FakeWindow& popup = w.desktop.Open(fake::Popup(true));
      FakeWindow& failing = w.desktop.Open(fake::Page());
      if (op != Op::kCount) failing.Fail(op);
      FakeWindow& folder = w.desktop.Open(fake::FolderView());
      FakeWindow& empty = w.desktop.Open(With(fake::Page(), kObj, kObj, Content::kNoDocument));
      FakeWindow& stranger = w.desktop.Open(With(fake::Page(), kObj, kObj, Content::kNotABrowser));
      bool paused = false;
      w.desktop.on_quit = [&](FakeWindow&) { paused = !w.main.Timer2->Enabled(); };
      w.clock.Advance(600);

      w.main.cmdALLIE_Click();

      SCOPED_TRACE(std::string(scanning ? "scanning, " : "blocking off, ") +
                   (op == Op::kCount ? "no fault" : fake::OpName(op)));
      EXPECT_TRUE(page.closed() && popup.closed() && paused);
      EXPECT_EQ(failing.closed(), op == Op::kCount);
      EXPECT_FALSE(folder.closed() || empty.closed());
      EXPECT_EQ(stranger.total_calls(), 0);
      EXPECT_EQ(page.calls(Op::kParentWindow) + popup.calls(Op::kParentWindow), 0);
      EXPECT_EQ(w.main.BlockCount, 4);
      EXPECT_EQ(w.main.AnimFrame, 2);
      EXPECT_FALSE(w.animate().Enabled());
      EXPECT_EQ(w.sound.beeps, 0);
      for (std::size_t k = 0; k < w.desktop.size(); ++k) {
        EXPECT_EQ(w.desktop.window(k).outstanding_refs(), 0) << "window " << k;
      }
      EXPECT_EQ(w.main.Timer2->Enabled(), scanning);
      FakeWindow& next = w.desktop.Open(fake::Popup());
      const int walks = w.desktop.enumerations();
      w.clock.Advance(999);
      EXPECT_EQ(w.desktop.enumerations(), walks);
      w.clock.Advance(1);
      EXPECT_EQ(next.closed(), scanning);
    }
  }
}

}  // namespace
}  // namespace orvo
