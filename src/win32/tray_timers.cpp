#include "win32/tray_window.h"

namespace orvo::win32 {

class TrayWindow::WinTimer final : public Timer {
 public:
  WinTimer(TrayWindow& owner, UINT_PTR id, UINT interval, std::function<void()> tick)
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
  // Only while on: a tick queued before it was switched off is dropped.
  void Tick() {
    if (enabled_) tick_();
  }

 private:
  TrayWindow& owner_;
  UINT_PTR id_;
  UINT interval_;
  std::function<void()> tick_;
  bool enabled_ = false;
};

std::unique_ptr<Timer> TrayWindow::CreateTimer(std::uint32_t interval_ms, bool enabled,
                                               std::function<void()> tick) {
  timers_.push_back(nullptr);
  auto timer = std::make_unique<WinTimer>(*this, timers_.size(), interval_ms, std::move(tick));
  timers_.back() = timer.get();
  timer->SetEnabled(enabled);
  return timer;
}

void TrayWindow::OnTimer(WPARAM id) {
  if (id >= 1 && id <= timers_.size() && timers_[id - 1]) timers_[id - 1]->Tick();
}

}  // namespace orvo::win32
