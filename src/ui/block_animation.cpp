#include "ui/block_animation.h"

#include "res/resource_names.h"

namespace orvo {

BlockAnimation::BlockAnimation(TimerPort& timers, TrayIcon& tray, const bool& blocking_off)
    : tray_(tray),
      blocking_off_(blocking_off),
      timer_(timers.CreateTimer(kIntervalMs, false, [this] { NextFrame(); })) {}

void BlockAnimation::Start() {
  frame_ = 1;
  // A timer that cannot start leaves the icon at rest; the pop-up closes all
  // the same.
  timer_->SetEnabled(true);
}

// The tick after "09" stops the timer and rests on the idle picture ("02" is
// the same picture as NOTFLAG). While blocking is switched off it rests on
// ONFLAG instead, so that the icon never claims blocking is on when it is
// not.
void BlockAnimation::NextFrame() {
  if (frame_ == 9) {
    timer_->SetEnabled(false);
    if (blocking_off_) {
      tray_.SetPicture(res::kIconOnFlag);
      return;
    }
    tray_.SetPicture(res::kIconNotFlag);
    frame_ = 1;
  }
  // The picture after the one shown last; kFrameIcons starts at "02".
  if (frame_ >= 1 && frame_ <= static_cast<int>(res::kFrameIcons.size())) {
    tray_.SetPicture(res::kFrameIcons[static_cast<std::size_t>(frame_ - 1)]);
  }
  frame_ += 1;
}

}  // namespace orvo
