#pragma once

#include <windows.h>

#include <vector>

#include "platform/timer.h"
#include "win32/message_window.h"

namespace orvo::win32 {

// Window timers on a window of the calling thread; its procedure hands each
// WM_TIMER to Tick.
class WinTimers final : public TimerPort {
 public:
  explicit WinTimers(const MessageWindow& window) : window_(window) {}
  WinTimers(const WinTimers&) = delete;
  WinTimers& operator=(const WinTimers&) = delete;

  std::unique_ptr<Timer> CreateTimer(std::uint32_t interval_ms, bool enabled,
                                     std::function<void()> tick) override;
  void Tick(WPARAM id);

 private:
  class WinTimer;

  const MessageWindow& window_;
  // Indexed by timer id - 1; a destroyed timer leaves an empty slot, so that a
  // WM_TIMER still queued for it finds nothing.
  std::vector<WinTimer*> timers_;
};

}  // namespace orvo::win32
