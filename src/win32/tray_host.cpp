#include "win32/tray_host.h"

namespace orvo::win32 {

namespace {

constexpr wchar_t kClassName[] = L"OrvoAutocloseSysTray";
constexpr int kTwipsPerInch = 1440;

class DcSurface final : public PaintSurface {
 public:
  explicit DcSurface(HDC dc) : dc_(dc) {}
  HResult DrawEdge(int left, int top, int right, int bottom, std::uint32_t edge,
                   std::uint32_t flags) override {
    RECT rect{left, top, right, bottom};
    return ::DrawEdge(dc_, &rect, edge, flags) ? kOk : kFail;
  }

 private:
  HDC dc_;
};

RECT ClientRect(HWND hwnd) {
  RECT rect{};
  GetClientRect(hwnd, &rect);
  return rect;
}

}  // namespace

SysTrayWindow::SysTrayWindow() {
  (void)window_.Create(kClassName, {WS_POPUP, WS_EX_TOOLWINDOW, 34, 34}, *this);
  tray_.emplace(SysTrayPorts{*this, shell_, window_procs_, ansi_});
  (void)tray_->Resize();
}

SysTrayWindow::~SysTrayWindow() {
  // The control first: it takes its icon and its hook off a window that
  // still exists.
  tray_.reset();
  window_.Destroy();
}

int SysTrayWindow::ScaleWidth() { return ClientRect(hwnd()).right; }
int SysTrayWindow::ScaleHeight() { return ClientRect(hwnd()).bottom; }

HResult SysTrayWindow::SetSizeTwips(int width, int height) {
  const ScreenDc screen;
  if (!screen.get()) return kFail;
  const int cx = MulDiv(width, screen.Dpi(LOGPIXELSX), kTwipsPerInch);
  const int cy = MulDiv(height, screen.Dpi(LOGPIXELSY), kTwipsPerInch);
  RECT rect{};
  GetWindowRect(hwnd(), &rect);
  // An unchanged size must not come back as WM_SIZE and run Resize again.
  if (rect.right - rect.left == cx && rect.bottom - rect.top == cy) return kOk;
  const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  return SetWindowPos(hwnd(), nullptr, 0, 0, cx, cy, flags) ? kOk : kFail;
}

LRESULT SysTrayWindow::HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (tray_) {
    switch (msg) {
      case WM_SIZE:
        (void)tray_->Resize();
        return 0;
      case WM_PAINT: {
        const PaintScope paint(hwnd);
        if (paint.dc()) {
          DcSurface surface(paint.dc());
          (void)tray_->Paint(surface);
        }
        return 0;
      }
      default:
        break;
    }
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace orvo::win32
