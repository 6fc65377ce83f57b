#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/watcher_fixture.h"

namespace orvo {
namespace {

using Names = std::vector<std::string>;

// The tray icon on a running program, with pop-ups to block.
struct Animation : testing::Test {
  Watcher w;
  std::size_t seen = 0;

  Animation() {
    w.SetFlags("0", "0", "1");
    w.tray.InTray(true);
    seen = w.shell.calls.size();
  }
  // The icons put into the tray since the last call, by resource name.
  Names Shown() {
    Names names;
    for (; seen < w.shell.calls.size(); ++seen) {
      const NotifyIconRecord& r = w.shell.calls[seen].record;
      if (Flags(r) & 2) {
        names.push_back(fake::FakeIcons::NameOf(Picture{Picture::Type::kIcon, IconOf(r)}));
      }
    }
    return names;
  }
  void Block(int popups) {
    for (int i = 0; i < popups; ++i) w.desktop.Open(fake::Popup());
    w.main.Timer2_Timer();
  }
  void Ticks(int n) { w.clock.Advance(32 * n); }
};

const Names kFrames = {"02", "03", "04", "05", "06", "07", "08", "09"};

TEST_F(Animation, PlaysTheEightFramesThenRestsOnTheIdlePicture) {
  Block(1);
  EXPECT_EQ(w.main.AnimFrame, 1);
  EXPECT_TRUE(Shown().empty());  // the first frame waits for the first tick

  Ticks(8);
  EXPECT_EQ(Shown(), kFrames);
  EXPECT_EQ(w.main.AnimFrame, 9);

  Ticks(1);
  EXPECT_EQ(Shown(), (Names{"NOTFLAG", "02"}));
  EXPECT_EQ(w.main.AnimFrame, 2);
  EXPECT_FALSE(w.animate().Enabled());
  Ticks(20);
  EXPECT_TRUE(Shown().empty());
  // Loaded afresh on every tick: "02" once as the first frame, once at rest.
  EXPECT_EQ(w.icons.Loads("02"), 2);
}

TEST_F(Animation, ABlockDuringTheAnimationStartsItOver) {
  Block(1);
  Ticks(5);
  EXPECT_EQ(Shown(), (Names{"02", "03", "04", "05", "06"}));
  Block(1);
  Ticks(9);
  Names expected = kFrames;
  expected.insert(expected.end(), {"NOTFLAG", "02"});
  EXPECT_EQ(Shown(), expected);
  EXPECT_FALSE(w.animate().Enabled());
  EXPECT_EQ(w.main.BlockCount, 2);
}

TEST_F(Animation, SeveralBlocksInOneScanPlayItOnce) {
  Block(3);
  EXPECT_EQ(w.main.BlockCount, 3);
  Ticks(8);
  EXPECT_EQ(Shown(), kFrames);
  EXPECT_TRUE(w.animate().Enabled());
  Ticks(1);
  EXPECT_EQ(Shown(), (Names{"NOTFLAG", "02"}));
  EXPECT_FALSE(w.animate().Enabled());
}

TEST_F(Animation, AFrameThatCannotBeLoadedIsSkippedAndTheAnimationGoesOn) {
  w.icons.FailOn("05");
  Block(1);
  Ticks(9);
  EXPECT_EQ(Shown(), (Names{"02", "03", "04", "06", "07", "08", "09", "NOTFLAG", "02"}));
  EXPECT_EQ(w.main.AnimFrame, 2);
  w.icons.FailOn("NOTFLAG");
  Block(1);
  Ticks(9);
  Names expected = kFrames;
  expected.push_back("02");
  EXPECT_EQ(Shown(), expected);
}

// Blocking switched off while the animation runs: the frames still play, but
// the icon comes to rest on the picture that says blocking is off.
TEST_F(Animation, SwitchedOffMidwayItEndsOnTheOffPicture) {
  Block(1);
  Ticks(3);
  w.main.BlockingOff = true;
  Ticks(6);
  EXPECT_EQ(Shown(), (Names{"02", "03", "04", "05", "06", "07", "08", "09", "ONFLAG"}));
  EXPECT_EQ(w.main.AnimFrame, 2);
  EXPECT_FALSE(w.animate().Enabled());
  EXPECT_EQ(w.ShownIcon(), "ONFLAG");
}

}  // namespace
}  // namespace orvo
