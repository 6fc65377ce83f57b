#include "win32/win_timer.h"

#include <gtest/gtest.h>

namespace orvo::win32 {
namespace {

// Pumps this thread's messages for `ms` milliseconds; counts the WM_TIMER
// messages of timer `id`.
int Pump(DWORD ms, WPARAM id = 0) {
  int seen = 0;
  const DWORD end = GetTickCount() + ms;
  for (DWORD now = GetTickCount(); static_cast<LONG>(end - now) > 0; now = GetTickCount()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      seen += msg.message == WM_TIMER && msg.wParam == id;
      DispatchMessageW(&msg);
    }
  }
  return seen;
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

// Two defences: Windows stops the destroyed timer, and a tick of it already
// queued finds no timer, even when a later one took the destroyed one's memory.
TEST(WinTimers, ADestroyedTimerNeverTicksAgain) {
  WinTimers timers;
  int ticks = 0;
  auto keep = timers.CreateTimer(10, true, [] {});
  const HWND window = FindWindowExW(HWND_MESSAGE, nullptr, L"OrvoAutocloseTimers", nullptr);
  ASSERT_TRUE(window);
  {
    auto gone = timers.CreateTimer(10, true, [&] { ++ticks; });
    Sleep(50);  // let its WM_TIMER become due before it is destroyed
  }
  auto later = timers.CreateTimer(60000, true, [&] { ++ticks; });
  PostMessageW(window, WM_TIMER, 2, 0);
  EXPECT_EQ(Pump(200, 2), 1) << "only the tick already queued";
  EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace orvo::win32
