#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/watcher_fixture.h"

namespace orvo {
namespace {

using fake::Content;
using fake::FakeWindow;
using fake::Op;
using fake::WindowSpec;

// The option settings that choose each rule, with the beep asked for.
enum class Rule { kNewWindow, kNoMenuBar, kOpener };
const char* Name(Rule rule) {
  switch (rule) {
    case Rule::kNewWindow:
      return "new-window";
    case Rule::kNoMenuBar:
      return "no-menu-bar";
    case Rule::kOpener:
      return "opener";
  }
  return "?";
}
constexpr Rule kRules[] = {Rule::kNewWindow, Rule::kNoMenuBar, Rule::kOpener};

void Choose(Watcher& w, Rule rule, const char* beep = "1") {
  switch (rule) {
    case Rule::kNewWindow:
      w.SetFlags(beep, "1", "1");
      break;
    case Rule::kNoMenuBar:
      w.SetFlags(beep, "1", "0");
      break;
    case Rule::kOpener:
      w.SetFlags(beep, "0", "0");
      break;
  }
}

struct RuleCase {
  const char* name;
  const char* beep;
  const char* no_toolbar;
  const char* new_window;
  WindowSpec window;
  bool closed;
  int beeps;
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

WindowSpec With(WindowSpec spec, ValueKind opener, ValueKind parent) {
  spec.opener = opener;
  spec.parent = parent;
  return spec;
}

class PopupScanRule : public testing::TestWithParam<RuleCase> {};

TEST_P(PopupScanRule, ClosesWhatTheRuleSaysAndBeepsWhenItMay) {
  const RuleCase& c = GetParam();
  Watcher w;
  w.SetFlags(c.beep, c.no_toolbar, c.new_window);
  FakeWindow& win = w.desktop.Open(c.window);

  w.main.Timer2_Timer();

  EXPECT_EQ(win.closed(), c.closed);
  EXPECT_EQ(w.main.BlockCount, c.closed ? 1 : 0);
  EXPECT_EQ(w.sound.beeps, c.beeps);
  EXPECT_EQ(w.animate().Enabled(), c.closed);
}

const RuleCase kRuleCases[] = {
    // The new-window rule closes every page that another page opened, menu
    // bar or not, and never beeps; it takes precedence over the menu bar.
    {"NewWindowClosesPopupWithMenuBarSilently", "1", "0", "1", fake::Popup(true), true, 0},
    {"NewWindowOverridesMenuBarRule", "1", "1", "1", fake::Popup(true), true, 0},
    {"NewWindowWithParentlessPopup", "0", "0", "1",
     With(fake::Popup(), ValueKind::kObject, ValueKind::kNull), true, 0},
    // The no-menu-bar rule.
    {"NoMenuBarLeavesPopupWithMenuBar", "1", "1", "0", fake::Popup(true), false, 0},
    {"NoMenuBarClosesPopupWithoutMenuBarAndBeeps", "1", "1", "0", fake::Popup(false), true, 1},
    {"NoMenuBarClosesQuietlyWithoutBeepFlag", "0", "1", "0", fake::Popup(false), true, 0},
    // The opener rule: parent and opener must both be objects.
    {"OpenerRuleClosesAndBeeps", "1", "0", "0", fake::Popup(true), true, 1},
    {"OpenerRuleQuietWithoutBeepFlag", "0", "0", "0", fake::Popup(true), true, 0},
    {"OpenerRuleNeedsAParentObject", "1", "0", "0",
     With(fake::Popup(), ValueKind::kObject, ValueKind::kNull), false, 0},
    {"OpenerRuleScalarParentIsNoObject", "1", "0", "0",
     With(fake::Popup(), ValueKind::kObject, ValueKind::kScalar), false, 0},
    {"EmptyObjectReferencesCountAsObjects", "1", "0", "0",
     With(fake::Popup(), ValueKind::kEmptyObject, ValueKind::kEmptyObject), true, 1},
    // Flags are numbers: 2 is not set, " 1 " and "01" are; text is not.
    {"FlagTwoIsNotSet", "1", "0", "2", fake::Popup(true), true, 1},
    {"PaddedOneIsSet", "1", "0", " 1 ", fake::Popup(true), true, 0},
    {"LeadingZeroOneIsSet", "01", "1", "0", fake::Popup(false), true, 1},
    {"EmptyFlagsChooseTheOpenerRule", "", "", "", fake::Popup(false), true, 0},
    {"WordFlagsChooseTheOpenerRule", "abc", "abc", "abc",
     With(fake::Popup(), ValueKind::kObject, ValueKind::kNull), false, 0},
};

INSTANTIATE_TEST_SUITE_P(Rules, PopupScanRule, testing::ValuesIn(kRuleCases),
                         [](const auto& info) { return std::string(info.param.name); });

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
          w.desktop.Open(With(fake::Popup(false), opener, ValueKind::kObject));
        }
        WindowSpec folder_with_opener = fake::Popup(false);
        folder_with_opener.content = Content::kOtherDocument;
        w.desktop.Open(folder_with_opener);
        WindowSpec blank = fake::Popup(false);
        blank.content = Content::kNoDocument;
        w.desktop.Open(blank);
        WindowSpec stranger = fake::Popup(false);
        stranger.content = Content::kNotABrowser;
        w.desktop.Open(stranger);

        w.main.Timer2_Timer();

        SCOPED_TRACE(std::string("flags '") + beep + "' '" + no_toolbar + "' '" + new_window + "'");
        EXPECT_EQ(w.desktop.open_count(), w.desktop.size());
        EXPECT_EQ(w.main.BlockCount, 0);
        EXPECT_EQ(w.sound.beeps, 0);
        EXPECT_FALSE(w.animate().Enabled());
      }
    }
  }
}

// Order within a closing: beep, animation, count, then Quit; every pop-up of
// a tick restarts the animation.
TEST(PopupScan, EveryPopupOfATickBeepsAnimatesCountsAndQuitsInThatOrder) {
  Watcher w;
  Choose(w, Rule::kOpener);
  w.main.BlockCount = 7;
  w.main.AnimFrame = 5;  // an animation already running
  w.desktop.Open(fake::Page());
  w.desktop.Open(fake::Popup());
  w.desktop.Open(fake::FolderView());
  w.desktop.Open(fake::Popup());
  w.desktop.Open(fake::Popup());
  struct Seen {
    int window;
    int beeps;
    std::int16_t frame;
    bool animating;
    double count;
  };
  std::vector<Seen> seen;
  w.desktop.on_quit = [&](FakeWindow& win) {
    seen.push_back(
        {win.id(), w.sound.beeps, w.main.AnimFrame, w.animate().Enabled(), w.main.BlockCount});
    w.main.AnimFrame = 4;  // as if the animation had moved on meanwhile
  };

  w.main.Timer2_Timer();

  ASSERT_EQ(seen.size(), 3u);
  const int ids[] = {1, 3, 4};
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].window, ids[i]);
    EXPECT_EQ(seen[i].beeps, static_cast<int>(i) + 1);
    EXPECT_EQ(seen[i].frame, 1);
    EXPECT_TRUE(seen[i].animating);
    EXPECT_EQ(seen[i].count, 8 + static_cast<double>(i));
  }
  EXPECT_EQ(w.main.BlockCount, 10);
  EXPECT_EQ(w.desktop.open_count(), 2u);
}

// The fault drill: one operation fails for one pop-up, between two pop-ups
// that close. A failed read or test leaves that window open (never judged on
// its neighbour's evidence); a failed Quit has counted it already.
TEST(PopupScan, AFailingOperationLeavesOnlyThatWindowOpen) {
  for (Rule rule : kRules) {
    for (std::size_t i = 0; i < fake::kOpCount; ++i) {
      const Op op = static_cast<Op>(i);
      Watcher w;
      Choose(w, rule);
      FakeWindow& before = w.desktop.Open(fake::Popup(false));
      FakeWindow& failing = w.desktop.Open(fake::Popup(false));
      FakeWindow& after = w.desktop.Open(fake::Popup(false));
      failing.Fail(op);

      w.main.Timer2_Timer();

      // The rules that never ask for an operation cannot be stopped by it.
      const bool asked = !(op == Op::kMenuBar && rule != Rule::kNoMenuBar) &&
                         !(op == Op::kParent && rule != Rule::kOpener);
      SCOPED_TRACE(std::string(Name(rule)) + " rule, failing " + fake::OpName(op));
      EXPECT_TRUE(before.closed());
      EXPECT_TRUE(after.closed());
      EXPECT_EQ(failing.closed(), !asked);
      const bool counted = !asked || op == Op::kQuit;
      EXPECT_EQ(w.main.BlockCount, counted ? 3 : 2);
      EXPECT_EQ(w.sound.beeps, rule == Rule::kNewWindow ? 0 : (counted ? 3 : 2));
    }
  }
}

TEST(PopupScan, AWindowThatVanishesMidWalkIsLeftAlone) {
  Watcher w;
  Choose(w, Rule::kOpener);
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
}

TEST(PopupScan, AnAnimationThatCannotStartStillCountsAndQuits) {
  Watcher w;
  Choose(w, Rule::kNoMenuBar);
  w.animate().fail_enable = true;
  FakeWindow& popup = w.desktop.Open(fake::Popup(false));

  w.main.Timer2_Timer();

  EXPECT_TRUE(popup.closed());
  EXPECT_EQ(w.main.BlockCount, 1);
  EXPECT_EQ(w.sound.beeps, 1);
}

TEST(PopupScan, TheCollectionIsCreatedOnceAndRetriedOnlyWhileItFails) {
  Watcher w;
  Choose(w, Rule::kNewWindow);
  FakeWindow& popup = w.desktop.Open(fake::Popup());
  w.desktop.fail_create = true;

  w.main.Timer2_Timer();
  EXPECT_FALSE(popup.closed());
  EXPECT_FALSE(w.main.ShellWins);

  w.desktop.fail_create = false;
  for (int tick = 0; tick < 3; ++tick) w.main.Timer2_Timer();
  EXPECT_TRUE(popup.closed());
  EXPECT_EQ(w.desktop.creates(), 2);
  EXPECT_EQ(w.desktop.enumerations(), 3);
}

TEST(PopupScan, AFailedEnumerationEndsTheTickAndTheNextTickWalksAgain) {
  Watcher w;
  Choose(w, Rule::kNewWindow);
  FakeWindow& first = w.desktop.Open(fake::Popup());
  FakeWindow& second = w.desktop.Open(fake::Popup());

  // A collection that cannot list its windows (as Wine's cannot) is kept.
  w.desktop.enumerate_result = kNotImpl;
  w.main.Timer2_Timer();
  w.main.Timer2_Timer();
  EXPECT_EQ(w.desktop.open_count(), 2u);
  EXPECT_EQ(w.desktop.creates(), 1);

  w.desktop.enumerate_result = kOk;
  w.desktop.fail_next_at = 1;  // the step to the second window fails
  w.main.Timer2_Timer();
  EXPECT_TRUE(first.closed());
  EXPECT_FALSE(second.closed());

  w.desktop.fail_next_at = -1;
  w.main.Timer2_Timer();
  EXPECT_TRUE(second.closed());
  EXPECT_EQ(w.main.BlockCount, 2);
  EXPECT_EQ(w.desktop.creates(), 1);
}

// Inside a message sent from another thread (the tray menu, opened from the
// shell's callback) every call out would be refused: neither a tick nor
// close-all makes one, and the next tick scans.
TEST(PopupScan, InsideAMessageFromAnotherThreadNothingIsAsked) {
  Watcher w;
  Choose(w, Rule::kNewWindow);
  FakeWindow& popup = w.desktop.Open(fake::Popup());
  w.desktop.can_call_out = false;
  w.main.Timer2_Timer();
  w.main.cmdALLIE_Click();
  EXPECT_EQ(w.desktop.creates() + popup.total_calls(), 0);

  w.desktop.can_call_out = true;
  w.clock.Advance(1000);
  EXPECT_TRUE(popup.closed());
}

// After Explorer restarts, the collection the program holds answers that its
// server is gone: it is let go, and the next tick makes a new one.
TEST(PopupScan, ACollectionWhoseShellHasGoneIsMadeAnew) {
  for (HResult gone : {kDisconnected, static_cast<HResult>(0x800706BAu)}) {
    Watcher w;
    Choose(w, Rule::kNewWindow);
    FakeWindow& popup = w.desktop.Open(fake::Popup());
    w.desktop.enumerate_result = gone;
    w.main.Timer2_Timer();
    EXPECT_FALSE(w.main.ShellWins);
    EXPECT_EQ(w.desktop.collection_refs(), 0);

    w.desktop.enumerate_result = kOk;
    w.main.Timer2_Timer();
    EXPECT_TRUE(popup.closed());
    EXPECT_EQ(w.desktop.creates(), 2);
  }
}

// A tick keeps only the collection: every window, document and script
// window it touched has been let go, and BrowserWin holds nothing.
TEST(PopupScan, ATickReleasesEverythingButTheCollection) {
  for (Rule rule : kRules) {
    Watcher w;
    Choose(w, rule);
    w.desktop.Open(fake::Page());
    w.desktop.Open(fake::Popup(true));
    w.desktop.Open(fake::Popup(false));
    w.desktop.Open(fake::FolderView()).Fail(Op::kTestHtml);
    w.desktop.Open(fake::Popup(false)).Fail(Op::kQuit);

    w.main.Timer2_Timer();

    SCOPED_TRACE(Name(rule));
    for (std::size_t i = 0; i < w.desktop.size(); ++i) {
      EXPECT_EQ(w.desktop.window(i).outstanding_refs(), 0) << "window " << i;
    }
    EXPECT_EQ(w.desktop.enumerator_refs(), 0);
    EXPECT_EQ(w.desktop.collection_refs(), 1);
    EXPECT_FALSE(w.main.BrowserWin);
  }
}

TEST(PopupScan, RunsOnTimer2TicksOnlyWhileTheTimerIsOn) {
  Watcher w;
  Choose(w, Rule::kNewWindow);
  EXPECT_EQ(w.main.BlockCount, 0);
  EXPECT_EQ(w.main.AnimFrame, 0);
  EXPECT_FALSE(w.main.BlockingOff);
  EXPECT_FALSE(w.animate().Enabled());

  w.desktop.Open(fake::Popup());
  w.clock.Advance(999);
  EXPECT_EQ(w.desktop.enumerations(), 0);
  w.clock.Advance(1);
  EXPECT_EQ(w.desktop.enumerations(), 1);
  EXPECT_EQ(w.main.BlockCount, 1);

  // Blocking switched off stops the timer: pop-ups stay.
  ASSERT_EQ(w.main.Timer2->SetEnabled(false), kOk);
  FakeWindow& later = w.desktop.Open(fake::Popup());
  w.clock.Advance(5000);
  EXPECT_FALSE(later.closed());

  // Back on: the next tick a full interval later closes it, the count goes on.
  ASSERT_EQ(w.main.Timer2->SetEnabled(true), kOk);
  w.clock.Advance(999);
  EXPECT_FALSE(later.closed());
  w.clock.Advance(1);
  EXPECT_TRUE(later.closed());
  EXPECT_EQ(w.main.BlockCount, 2);
}

}  // namespace
}  // namespace orvo
