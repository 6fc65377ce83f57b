#include "win32/win_timer.h"

namespace orvo::win32 {

namespace {
constexpr wchar_t kClassName[] = L"OrvoAutocloseTimers";
}

class WinTimers::WinTimer final : public Timer {
 public:
  WinTimer(WinTimers& owner, UINT_PTR id, UINT interval, std::function<void()> tick)
      : owner_(owner), id_(id), interval_(interval), tick_(std::move(tick)) {}
  ~WinTimer() override {
    (void)SetEnabled(false);
    owner_.timers_[id_ - 1] = nullptr;
  }

  HResult SetEnabled(bool enabled) override {
    if (enabled == enabled_) return kOk;
    if (enabled) {
      if (SetTimer(owner_.hwnd_, id_, interval_, nullptr) == 0) return kFail;
    } else {
      KillTimer(owner_.hwnd_, id_);
    }
    enabled_ = enabled;
    return kOk;
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

WinTimers::WinTimers() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WinTimers::WindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);  // fails harmlessly when already registered
  hwnd_ =
      CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WinTimers::~WinTimers() {
  if (hwnd_) DestroyWindow(hwnd_);
}

std::unique_ptr<Timer> WinTimers::CreateTimer(std::uint32_t interval_ms, bool enabled,
                                              std::function<void()> tick) {
  timers_.push_back(nullptr);
  auto timer = std::make_unique<WinTimer>(*this, timers_.size(), interval_ms, std::move(tick));
  timers_.back() = timer.get();
  (void)timer->SetEnabled(enabled);
  return timer;
}

LRESULT CALLBACK WinTimers::WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_TIMER) {
    auto* self = reinterpret_cast<WinTimers*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && wparam >= 1 && wparam <= self->timers_.size()) {
      if (WinTimer* timer = self->timers_[wparam - 1]; timer && timer->Enabled()) timer->Tick();
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace orvo::win32
