#include "doubles/virtual_clock.h"

#include <algorithm>

namespace orvo::fake {

VirtualClock::FakeTimer::FakeTimer(VirtualClock& clock, std::uint32_t interval,
                                   std::function<void()> tick)
    : clock_(clock), interval_(interval), tick_(std::move(tick)) {
  clock_.timers_.push_back(this);
}

VirtualClock::FakeTimer::~FakeTimer() { std::erase(clock_.timers_, this); }

HResult VirtualClock::FakeTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return kOk;
  if (enabled && fail_enable) return kFail;
  enabled_ = enabled;
  if (enabled) due_ = clock_.now_ + interval_;
  return kOk;
}

std::unique_ptr<Timer> VirtualClock::CreateTimer(std::uint32_t interval_ms, bool enabled,
                                                 std::function<void()> tick) {
  auto timer = std::make_unique<FakeTimer>(*this, interval_ms, std::move(tick));
  (void)timer->SetEnabled(enabled);
  return timer;
}

void VirtualClock::Advance(std::uint64_t ms) {
  const std::uint64_t end = now_ + ms;
  for (;;) {
    FakeTimer* next = nullptr;
    for (FakeTimer* t : timers_) {
      if (t->enabled_ && t->due_ <= end && (!next || t->due_ < next->due_)) next = t;
    }
    if (!next) break;
    now_ = next->due_;
    next->due_ += next->interval_;
    ++next->ticks_;
    next->tick_();
  }
  now_ = end;
}

}  // namespace orvo::fake
