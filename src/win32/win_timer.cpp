#include "win32/win_timer.h"

namespace orvo::win32 {

class WinTimers::WinTimer final : public Timer {
 public:
  WinTimer(WinTimers& owner, UINT_PTR id, UINT interval, std::function<void()> tick)
      : owner_(owner), id_(id), interval_(interval), tick_(std::move(tick)) {}
  ~WinTimer() override {
    SetEnabled(false);
    owner_.timers_[id_ - 1] = nullptr;
  }

  void SetEnabled(bool enabled) override {
    if (enabled == enabled_) return;
    if (enabled) {
      // Refused (the system is out of timers): it stays off.
      if (SetTimer(owner_.window_.hwnd(), id_, interval_, nullptr) == 0) return;
    } else {
      KillTimer(owner_.window_.hwnd(), id_);
    }
    enabled_ = enabled;
  }
  bool Enabled() const override { return enabled_; }
  void Tick() { tick_(); }

 private:
  WinTimers& owner_;
  UINT_PTR id_;
  UINT interval_;
  std::function<void()> tick_;
  bool enabled_ = false;
};

std::unique_ptr<Timer> WinTimers::CreateTimer(std::uint32_t interval_ms, bool enabled,
                                              std::function<void()> tick) {
  timers_.push_back(nullptr);
  auto timer = std::make_unique<WinTimer>(*this, timers_.size(), interval_ms, std::move(tick));
  timers_.back() = timer.get();
  timer->SetEnabled(enabled);
  return timer;
}

void WinTimers::Tick(WPARAM id) {
  if (id >= 1 && id <= timers_.size()) {
    if (WinTimer* timer = timers_[id - 1]; timer && timer->Enabled()) timer->Tick();
  }
}

}  // namespace orvo::win32
