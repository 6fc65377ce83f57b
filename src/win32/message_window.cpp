#include "win32/message_window.h"

namespace orvo::win32 {

namespace {

// The dialog manager's own bytes come first, for windows that fall back to
// DefDlgProcW; the handler sits in the slot it leaves to the window.
constexpr int kHandlerSlot = DWLP_USER;

// A class already there is taken as it is.
bool RegisterOnce(const wchar_t* class_name, WNDPROC procedure) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = class_name;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

void MessageWindow::Create(const wchar_t* class_name, const Style& style, MessageHandler& handler) {
  if (!RegisterOnce(class_name, &MessageWindow::Procedure)) return;
  hwnd_.reset(CreateWindowExW(style.ex_style, class_name, style.title, style.style, CW_USEDEFAULT,
                              CW_USEDEFAULT, style.width, style.height, style.parent, nullptr,
                              GetModuleHandleW(nullptr), &handler));
}

LRESULT CALLBACK MessageWindow::Procedure(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, kHandlerSlot, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* handler = reinterpret_cast<MessageHandler*>(GetWindowLongPtrW(hwnd, kHandlerSlot));
  if (handler == nullptr) return DefWindowProcW(hwnd, msg, wparam, lparam);
  // The last message: the default procedure frees what it took for the window
  // (the dialog manager its data), and the handler hears of it no more.
  const LRESULT result = handler->HandleMessage(hwnd, msg, wparam, lparam);
  if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, kHandlerSlot, 0);
  return result;
}

}  // namespace orvo::win32
