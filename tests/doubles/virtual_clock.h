#pragma once

#include <cstdint>
#include <vector>

#include "platform/timer.h"

namespace orvo::fake {

// Timers on a clock that moves only when the test says so. Ticks fire in time
// order (timers due at the same moment in the order they were created); a
// handler that switches timers takes effect for the ticks after it.
class VirtualClock final : public TimerPort {
 public:
  class FakeTimer;

  std::unique_ptr<Timer> CreateTimer(std::uint32_t interval_ms, bool enabled,
                                     std::function<void()> tick) override;

  void Advance(std::uint64_t ms);
  std::uint64_t now() const { return now_; }

 private:
  friend class FakeTimer;
  std::uint64_t now_ = 0;
  std::vector<FakeTimer*> timers_;
};

class VirtualClock::FakeTimer final : public Timer {
 public:
  FakeTimer(VirtualClock& clock, std::uint32_t interval, std::function<void()> tick);
  ~FakeTimer() override;

  HResult SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }

  std::uint32_t interval() const { return interval_; }
  int ticks() const { return ticks_; }
  // Makes switching on fail (the platform refuses a timer).
  bool fail_enable = false;

 private:
  friend class VirtualClock;
  VirtualClock& clock_;
  std::uint32_t interval_;
  std::function<void()> tick_;
  bool enabled_ = false;
  std::uint64_t due_ = 0;
  int ticks_ = 0;
};

// The fake behind a Timer the program owns.
inline VirtualClock::FakeTimer& AsFake(Timer& timer) {
  return static_cast<VirtualClock::FakeTimer&>(timer);
}

}  // namespace orvo::fake
