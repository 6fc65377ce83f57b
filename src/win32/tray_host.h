#pragma once

#include <windows.h>

#include <optional>

#include "platform/control_host.h"
#include "systray/cSysTray.h"
#include "win32/message_window.h"
#include "win32/shell_notify_icon.h"
#include "win32/win_ansi.h"
#include "win32/win_window_procs.h"

namespace orvo::win32 {

// The tray control with everything it needs on Windows: its own hidden
// top-level window (a message-only window never hears "TaskbarCreated"), the
// shell, subclassing and the ANSI code page. Shown or not, the window itself
// stays invisible; only the icon is the program's face.
class SysTrayWindow final : private ControlHost, private MessageHandler {
 public:
  SysTrayWindow();
  SysTrayWindow(const SysTrayWindow&) = delete;
  SysTrayWindow& operator=(const SysTrayWindow&) = delete;
  ~SysTrayWindow();

  cSysTray& SysTray() { return *tray_; }
  HWND hwnd() const { return window_.hwnd(); }

 private:
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) override;

  WindowHandle Hwnd() override { return reinterpret_cast<WindowHandle>(hwnd()); }
  bool UserMode() override { return true; }
  void PropertyChanged(std::string_view) override {}
  std::optional<Picture> FacePicture() override { return face_; }
  void SetFacePicture(const std::optional<Picture>& picture) override { face_ = picture; }
  int ScaleWidth() override;
  int ScaleHeight() override;
  HResult SetSizeTwips(int width, int height) override;

  MessageWindow window_;
  std::optional<Picture> face_;
  WinTrayShell shell_;
  WinWindowProcs window_procs_;
  WinAnsiCodePage ansi_;
  std::optional<cSysTray> tray_;
};

}  // namespace orvo::win32
