#pragma once

#include <cstdint>
#include <memory>

#include "platform/timer.h"
#include "systray/tray_icon.h"

namespace orvo {

// The tray icon's answer to a closed pop-up: the window in it collapses
// upwards, frames "02" to "09", one per tick, and comes back to rest.
class BlockAnimation {
 public:
  static constexpr std::uint32_t kIntervalMs = 32;

  // `blocking_off` is the program's switch, read where the animation rests.
  BlockAnimation(TimerPort& timers, TrayIcon& tray, const bool& blocking_off);

  // From the first frame, also over a running animation; the first frame
  // shows at the next tick.
  void Start();

 private:
  void NextFrame();

  TrayIcon& tray_;
  const bool& blocking_off_;
  // The frame shown last: 2 to 9 for "02" to "09", 1 before the first.
  int frame_ = 0;
  std::unique_ptr<Timer> timer_;
};

}  // namespace orvo
