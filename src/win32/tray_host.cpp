#include "win32/tray_host.h"

namespace orvo::win32 {

namespace {

constexpr char kClassName[] = "OrvoAutocloseSysTray";
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
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &SysTrayWindow::WindowProc;
  wc.cbWndExtra = sizeof(SysTrayWindow*);  // the user data belongs to the tray hook
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  RegisterClassExA(&wc);  // fails harmlessly when already registered
  window_.reset(CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, 34, 34, nullptr,
                                nullptr, instance, this));
  tray_.emplace(SysTrayPorts{*this, shell_, window_procs_, ansi_});
  (void)tray_->Resize();
}

SysTrayWindow::~SysTrayWindow() {
  // In this order, and while the members still exist: DestroyWindow still
  // brings messages to WindowProc, which must then find no control.
  tray_.reset();
  window_.reset();
}

int SysTrayWindow::ScaleWidth() { return ClientRect(hwnd()).right; }
int SysTrayWindow::ScaleHeight() { return ClientRect(hwnd()).bottom; }

HResult SysTrayWindow::SetSizeTwips(int width, int height) {
  HDC screen = GetDC(nullptr);
  if (!screen) return kFail;
  const int cx = MulDiv(width, GetDeviceCaps(screen, LOGPIXELSX), kTwipsPerInch);
  const int cy = MulDiv(height, GetDeviceCaps(screen, LOGPIXELSY), kTwipsPerInch);
  ReleaseDC(nullptr, screen);
  RECT rect{};
  GetWindowRect(hwnd(), &rect);
  // An unchanged size must not come back as WM_SIZE and run Resize again.
  if (rect.right - rect.left == cx && rect.bottom - rect.top == cy) return kOk;
  const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  return SetWindowPos(hwnd(), nullptr, 0, 0, cx, cy, flags) ? kOk : kFail;
}

LRESULT CALLBACK SysTrayWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<SysTrayWindow*>(GetWindowLongPtrA(hwnd, 0));
  if (self && self->tray_) {
    switch (msg) {
      case WM_SIZE:
        (void)self->tray_->Resize();
        return 0;
      case WM_PAINT: {
        PAINTSTRUCT paint;
        if (HDC dc = BeginPaint(hwnd, &paint)) {
          DcSurface surface(dc);
          (void)self->tray_->Paint(surface);
          EndPaint(hwnd, &paint);
        }
        return 0;
      }
      default:
        break;
    }
  }
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

}  // namespace orvo::win32
