#include "win32/win_timer.h"

#include <gtest/gtest.h>

namespace orvo::win32 {
namespace {

// Pumps this thread's messages for `ms` milliseconds.
void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  for (DWORD now = GetTickCount(); static_cast<LONG>(end - now) > 0; now = GetTickCount()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

TEST(WinTimers, TicksThroughTheMessageLoopOnlyWhileEnabled) {
  WinTimers timers;
  int fast = 0;
  int slow = 0;
  auto a = timers.CreateTimer(20, true, [&] { ++fast; });
  auto b = timers.CreateTimer(60000, false, [&] { ++slow; });
  EXPECT_TRUE(a->Enabled());
  EXPECT_FALSE(b->Enabled());

  Pump(300);
  EXPECT_GE(fast, 3);
  EXPECT_EQ(slow, 0);

  ASSERT_EQ(a->SetEnabled(false), kOk);
  const int stopped_at = fast;
  Pump(150);
  EXPECT_EQ(fast, stopped_at);

  // Switching on again waits a full interval before the first tick.
  ASSERT_EQ(b->SetEnabled(true), kOk);
  EXPECT_TRUE(b->Enabled());
  Pump(50);
  EXPECT_EQ(slow, 0);
}

TEST(WinTimers, ADestroyedTimerNeverTicksAgain) {
  WinTimers timers;
  int ticks = 0;
  auto keep = timers.CreateTimer(10, true, [] {});
  {
    auto gone = timers.CreateTimer(10, true, [&] { ++ticks; });
    Sleep(50);  // let its WM_TIMER become due before it is destroyed
  }
  Pump(100);
  EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace orvo::win32
