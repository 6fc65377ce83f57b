#pragma once

#include <windows.h>

#include "win32/scoped.h"

namespace orvo::win32 {

// What a message window forwards its messages to.
class MessageHandler {
 public:
  // Every message from WM_NCCREATE to WM_NCDESTROY, the messages of the
  // window's destruction among them.
  virtual LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) = 0;

 protected:
  ~MessageHandler() = default;
};

// A window of a class of its own whose procedure forwards to a member. The
// class is registered once; the handler travels with CreateWindowExW and is
// kept in the window's DWLP_USER slot from WM_NCCREATE on.
class MessageWindow {
 public:
  struct Style {
    DWORD style = 0;
    DWORD ex_style = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;  // HWND_MESSAGE for a message-only window
    const wchar_t* title = L"";
  };

  MessageWindow() = default;
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  // hwnd() stays nullptr when Windows refuses the class or the window.
  void Create(const wchar_t* class_name, const Style& style, MessageHandler& handler);
  HWND hwnd() const { return hwnd_.get(); }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

  UniqueWindow hwnd_;
};

}  // namespace orvo::win32
