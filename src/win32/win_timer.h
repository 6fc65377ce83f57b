#pragma once

#include <windows.h>

#include <vector>

#include "platform/timer.h"
#include "win32/message_window.h"

namespace orvo::win32 {

// Window timers on a message-only window of the calling thread; the ticks
// arrive through that thread's message loop.
class WinTimers final : public TimerPort, private MessageHandler {
 public:
  WinTimers();
  ~WinTimers();
  WinTimers(const WinTimers&) = delete;
  WinTimers& operator=(const WinTimers&) = delete;

  std::unique_ptr<Timer> CreateTimer(std::uint32_t interval_ms, bool enabled,
                                     std::function<void()> tick) override;

 private:
  class WinTimer;
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) override;

  // Indexed by timer id - 1; a destroyed timer leaves an empty slot, so that a
  // WM_TIMER still queued for it finds nothing.
  std::vector<WinTimer*> timers_;
  MessageWindow window_;
};

}  // namespace orvo::win32
