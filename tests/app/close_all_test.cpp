#include <gtest/gtest.h>

#include <string>

#include "app/watcher_fixture.h"

namespace orvo {
namespace {

using fake::Content;
using fake::FakeWindow;
using fake::Op;
using fake::WindowSpec;

TEST(CloseAll, QuitsEveryHtmlWindowAndNothingElseWithoutCountingIt) {
  Watcher w;
  w.SetFlags("1", "1", "1");
  w.main.BlockCount = 4;
  w.main.AnimFrame = 2;
  FakeWindow& page = w.desktop.Open(fake::Page());
  FakeWindow& popup = w.desktop.Open(fake::Popup(true));
  FakeWindow& folder = w.desktop.Open(fake::FolderView());
  WindowSpec blank = fake::Page();
  blank.content = Content::kNoDocument;
  FakeWindow& empty = w.desktop.Open(blank);
  WindowSpec other = fake::Page();
  other.content = Content::kNotABrowser;
  FakeWindow& stranger = w.desktop.Open(other);

  w.main.cmdALLIE_Click();

  EXPECT_TRUE(page.closed());
  EXPECT_TRUE(popup.closed());
  EXPECT_FALSE(folder.closed());
  EXPECT_FALSE(empty.closed());
  EXPECT_EQ(stranger.total_calls(), 0);
  // Close-all is no blocking: no count, no animation, no beep, and it never
  // looks at the pages' openers.
  EXPECT_EQ(w.main.BlockCount, 4);
  EXPECT_EQ(w.main.AnimFrame, 2);
  EXPECT_FALSE(w.animate().Enabled());
  EXPECT_EQ(w.sound.beeps, 0);
  EXPECT_EQ(page.calls(Op::kParentWindow) + popup.calls(Op::kParentWindow), 0);
  for (std::size_t i = 0; i < w.desktop.size(); ++i) {
    EXPECT_EQ(w.desktop.window(i).outstanding_refs(), 0) << "window " << i;
  }
  EXPECT_FALSE(w.main.BrowserWin);
}

// One window's failure leaves that window open and the walk going.
TEST(CloseAll, AFailingOperationLeavesOnlyThatWindowOpen) {
  for (Op op : {Op::kDocument, Op::kTestHtml, Op::kQuit}) {
    Watcher w;
    FakeWindow& before = w.desktop.Open(fake::Page());
    FakeWindow& failing = w.desktop.Open(fake::Page());
    FakeWindow& after = w.desktop.Open(fake::Page());
    failing.Fail(op);

    w.main.cmdALLIE_Click();

    SCOPED_TRACE(fake::OpName(op));
    EXPECT_TRUE(before.closed());
    EXPECT_FALSE(failing.closed());
    EXPECT_TRUE(after.closed());
  }
}

// The scan pauses for the walk and comes back exactly as it was: running
// with its next tick a full interval later, or off when the user had
// switched blocking off.
TEST(CloseAll, LeavesTheScanTimerAsItFoundIt) {
  for (bool scanning : {true, false}) {
    Watcher w;
    w.SetFlags("0", "0", "1");
    ASSERT_EQ(w.main.Timer2->SetEnabled(scanning), kOk);
    bool paused_during_walk = false;
    w.desktop.Open(fake::Page());
    w.desktop.on_quit = [&](FakeWindow&) { paused_during_walk = !w.main.Timer2->Enabled(); };
    w.clock.Advance(600);

    w.main.cmdALLIE_Click();

    SCOPED_TRACE(scanning ? "scanning" : "blocking off");
    EXPECT_TRUE(paused_during_walk);
    EXPECT_EQ(w.main.Timer2->Enabled(), scanning);
    FakeWindow& popup = w.desktop.Open(fake::Popup());
    const int walks = w.desktop.enumerations();
    w.clock.Advance(999);
    EXPECT_EQ(w.desktop.enumerations(), walks);
    w.clock.Advance(1);
    EXPECT_EQ(popup.closed(), scanning);
  }
}

TEST(CloseAll, SharesTheScansCollectionAndSurvivesItsFailures) {
  Watcher w;
  FakeWindow& page = w.desktop.Open(fake::Page());
  w.desktop.fail_create = true;
  w.main.cmdALLIE_Click();
  EXPECT_FALSE(page.closed());
  EXPECT_TRUE(w.main.Timer2->Enabled());

  w.desktop.fail_create = false;
  w.desktop.fail_next_at = 0;
  w.main.cmdALLIE_Click();
  EXPECT_FALSE(page.closed());
  EXPECT_TRUE(w.main.Timer2->Enabled());

  w.desktop.fail_next_at = -1;
  w.main.cmdALLIE_Click();
  EXPECT_TRUE(page.closed());
  w.main.Timer2_Timer();
  EXPECT_EQ(w.desktop.creates(), 2);
  EXPECT_EQ(w.desktop.enumerations(), 3);
}

}  // namespace
}  // namespace orvo
