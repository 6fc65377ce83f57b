#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace orvo {

// A window timer as the program's windows own them: an interval, an
// on/off switch and a tick handler. Switching a stopped timer on makes it
// count a full interval before its first tick; switching on a running timer,
// or off a stopped one, changes nothing.
class Timer {
 public:
  virtual ~Timer() = default;
  // A timer that Windows refuses to start stays off.
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
};

class TimerPort {
 public:
  virtual std::unique_ptr<Timer> CreateTimer(std::uint32_t interval_ms, bool enabled,
                                             std::function<void()> tick) = 0;

 protected:
  ~TimerPort() = default;
};

}  // namespace orvo
