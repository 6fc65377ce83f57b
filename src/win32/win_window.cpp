#include "win32/win_window.h"

#include <cwchar>
#include <tuple>

#include "res/layout/focus.h"
#include "res/layout/geometry.h"
#include "win32/about_picture.h"
#include "win32/text.h"

namespace orvo::win32 {

namespace {

using layout::Kind;
using layout::Pixels;

}  // namespace

COLORREF Resolve(layout::Colour colour, int fallback_system_index) {
  switch (colour.type) {
    case layout::Colour::Type::kSystem:
      return GetSysColor(static_cast<int>(colour.value));
    case layout::Colour::Type::kRgb:
      return colour.value;
    case layout::Colour::Type::kDefault:
      break;
  }
  return GetSysColor(fallback_system_index);
}

WinWindow::WinWindow(const layout::Window& layout, WindowEvents& events)
    : layout_(layout), events_(events), parts_(layout.controls.size()) {}

std::unique_ptr<WinWindow> WinWindow::Make(const layout::Window& layout, WindowEvents& events,
                                           HWND owner) {
  std::unique_ptr<WinWindow> window(new WinWindow(layout, events));
  if (!window->Build(layout.taskbar_button ? nullptr : owner)) return nullptr;
  return window;
}

bool WinWindow::Build(HWND owner) {
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
  const DWORD ex_style =
      WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | (layout_.taskbar_button ? WS_EX_APPWINDOW : 0);
  const int client_width = Pixels(layout_.client_width);
  const int client_height = Pixels(layout_.client_height);
  RECT frame{0, 0, client_width, client_height};
  AdjustWindowRectEx(&frame, kStyle, FALSE, ex_style);

  background_.reset(CreateSolidBrush(Resolve(layout_.background, COLOR_BTNFACE)));
  const std::wstring title = Widen(layout_.title);
  MessageWindow::Style style{
      kStyle, ex_style, frame.right - frame.left, frame.bottom - frame.top, owner, title.c_str()};
  window_.Create(kLayoutWindowClass, style, *this);
  if (hwnd() == nullptr) return false;

  // The frame metrics of a theme or of Wine may differ from what
  // AdjustWindowRectEx assumed; the client size is what the layout fixes.
  RECT client{}, outer{};
  GetClientRect(hwnd(), &client);
  GetWindowRect(hwnd(), &outer);
  const int width = outer.right - outer.left + client_width - client.right;
  const int height = outer.bottom - outer.top + client_height - client.bottom;
  SetWindowPos(hwnd(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);

  if (!layout_.icon.empty()) {
    const std::wstring name = Widen(layout_.icon);
    for (const auto& [which, cx, cy] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON},
                                        std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
      // Shared: the system frees it with the module.
      HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_ICON,
                               GetSystemMetrics(cx), GetSystemMetrics(cy), LR_SHARED);
      if (icon != nullptr) SendMessageW(hwnd(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
  }

  for (ControlIndex index : layout::CreationOrder(layout_)) CreateControl(index);
  return true;
}

RECT WinWindow::PixelRect(ControlIndex index) const {
  const layout::PixelRect r = layout::ControlRect(layout_, index);
  return {r.left, r.top, r.right, r.bottom};
}

HFONT WinWindow::FontFor(const layout::Font* font) {
  for (const FontEntry& entry : fonts_) {
    if (entry.font == font) return entry.handle.get();
  }
  LOGFONTW logfont{};
  if (font == nullptr) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    logfont = metrics.lfMessageFont;
  } else {
    logfont.lfHeight = -MulDiv(font->size_hundredths, ScreenDc().Dpi(LOGPIXELSY), 7200);
    logfont.lfWeight = font->bold ? FW_BOLD : FW_NORMAL;
    logfont.lfCharSet = static_cast<BYTE>(font->charset);
    const std::wstring face = Widen(font->face);
    std::wcsncpy(logfont.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  }
  fonts_.push_back({font, UniqueFont(CreateFontIndirectW(&logfont))});
  return fonts_.back().handle.get();
}

void WinWindow::CreateControl(ControlIndex index) {
  const layout::Control& c = layout_.controls[index];
  Part& part = parts_[index];
  const wchar_t* window_class = L"BUTTON";
  DWORD style = WS_CHILD | WS_VISIBLE;
  COLORREF face = Resolve(c.face, COLOR_BTNFACE);
  switch (c.kind) {
    case Kind::kFrame:
      style |= BS_GROUPBOX;
      break;
    case Kind::kCheckBox:
      style |= BS_AUTOCHECKBOX | WS_TABSTOP;
      break;
    case Kind::kButton:
      // Owner-drawn, as a standard button cannot take a face colour; BS_NOTIFY
      // reports focus changes, which move the default frame.
      style |= BS_OWNERDRAW | BS_NOTIFY | WS_TABSTOP;
      break;
    case Kind::kLabel:
      // Drawn here: the static control's word wrap breaks only at spaces
      // under Wine, and Japanese text has none.
      window_class = L"STATIC";
      style |= SS_OWNERDRAW | SS_NOTIFY;
      if (c.face.type == layout::Colour::Type::kDefault)
        face = Resolve(layout_.background, COLOR_BTNFACE);
      break;
    case Kind::kPicture:
      picture_ = LoadPictureResource(c.resource, background_.get(), picture_size_);
      if (picture_) picture_index_ = index;
      return;
    case Kind::kLine:
      return;
  }
  if ((style & WS_TABSTOP) != 0 && GetNextDlgTabItem(hwnd(), nullptr, FALSE) == nullptr) {
    style |= WS_GROUP;
  }
  const RECT r = PixelRect(index);
  part.hwnd =
      CreateWindowExW(0, window_class, Widen(c.caption).c_str(), style, r.left, r.top,
                      r.right - r.left, r.bottom - r.top, hwnd(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                      GetModuleHandleW(nullptr), nullptr);
  if (part.hwnd == nullptr) return;
  part.brush.reset(CreateSolidBrush(face));
  SendMessageW(part.hwnd, WM_SETFONT,
               reinterpret_cast<WPARAM>(FontFor(c.font != nullptr ? c.font : layout_.font)), FALSE);
  if (c.kind == Kind::kLabel && !c.resource.empty()) {
    part.cursor = LoadCursorW(GetModuleHandleW(nullptr), Widen(c.resource).c_str());
    if (part.cursor == nullptr) part.cursor = LoadCursorW(nullptr, IDC_HAND);
  }
}

HWND WinWindow::control(ControlIndex control) const {
  if (control < 0 || static_cast<size_t>(control) >= parts_.size()) return nullptr;
  return parts_[control].hwnd;
}

ControlIndex WinWindow::IndexOf(HWND child) const {
  if (child == nullptr) return -1;
  const int index = GetDlgCtrlID(child) - kFirstControlId;
  return control(index) == child ? index : -1;
}

ControlIndex WinWindow::CurrentDefault() const {
  const ControlIndex index = layout::EnterButton(layout_, IndexOf(GetFocus()));
  return control(index) != nullptr ? index : -1;
}

void WinWindow::RepaintButtons() {
  for (size_t i = 0; i < parts_.size(); ++i) {
    if (layout_.controls[i].kind == Kind::kButton && parts_[i].hwnd != nullptr) {
      InvalidateRect(parts_[i].hwnd, nullptr, FALSE);
    }
  }
}

void WinWindow::Show() {
  const ControlIndex focus = layout::FocusOnShow(layout_, Visible());
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  if (const HWND target = control(focus)) SetFocus(target);
  RepaintButtons();
}

void WinWindow::Hide() { ShowWindow(hwnd(), SW_HIDE); }

bool WinWindow::Visible() { return IsWindowVisible(hwnd()) != FALSE; }

int WinWindow::CheckState(ControlIndex control) {
  const HWND hwnd = this->control(control);
  if (hwnd == nullptr || layout_.controls[control].kind != Kind::kCheckBox) return 0;
  return SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void WinWindow::SetCheckState(ControlIndex control, int state) {
  const HWND hwnd = this->control(control);
  if (hwnd == nullptr || layout_.controls[control].kind != Kind::kCheckBox) return;
  SendMessageW(hwnd, BM_SETCHECK, state == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

void WinWindow::SetCaption(ControlIndex control, std::string_view text) {
  const HWND hwnd = this->control(control);
  if (hwnd == nullptr) return;
  SetWindowTextW(hwnd, Widen(text).c_str());
  if (layout_.controls[control].transparent) {
    // A transparent label cannot erase its old text; the window under it can.
    RECT r = PixelRect(control);
    RedrawWindow(this->hwnd(), &r, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

}  // namespace orvo::win32
