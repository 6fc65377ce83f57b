#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ansi.h"
#include "platform/control_host.h"
#include "platform/picture.h"
#include "platform/tray_shell.h"
#include "platform/window_proc.h"
#include "systray/mSysTray.h"
#include "systray/notify_icon_record.h"

namespace orvo {

struct SysTrayPorts {
  ControlHost& host;
  TrayShell& shell;
  WindowProcSlots& window_procs;
  AnsiCodePage& ansi;
};

// The control that owns one notification-area icon: its picture, its tooltip
// and whether it is shown. Mouse actions on the icon come back as events
// while it is shown.
class cSysTray {
 public:
  static constexpr int kSizeTwips = 510;
  static constexpr std::uint32_t kBdrRaisedOuter = 1;
  static constexpr std::uint32_t kBfRectSoft = 0x100F;

  // Initialize: hidden, no picture, no tip; the host's window is read here.
  explicit cSysTray(const SysTrayPorts& ports);
  // Terminate: takes the icon and the hook away when shown.
  ~cSysTray();
  cSysTray(const cSysTray&) = delete;
  cSysTray& operator=(const cSysTray&) = delete;

  // None, or a picture of another kind than an icon, is ignored.
  void TrayIcon(const std::optional<Picture>& Icon);
  const std::optional<Picture>& TrayIcon() const { return IconPicture; }

  // UTF-8.
  void TrayTip(std::string_view Tip);
  const std::string& TrayTip() const { return TipText; }

  void InTray(bool Show);
  bool InTray() const { return InTrayValue; }

  // Raised from the window procedure, synchronously. Button: 1 left, 2 right.
  std::function<void(std::int32_t Id)> MouseMove;
  std::function<void(std::int16_t Button, std::int32_t Id)> MouseDown;
  std::function<void(std::int16_t Button, std::int32_t Id)> MouseUp;
  std::function<void(std::int16_t Button, std::int32_t Id)> MouseDblClick;

  // Callbacks of the host.
  void InitProperties();
  void ReadProperties(PropertyBag& PropBag);
  HResult WriteProperties(PropertyBag& PropBag);
  HResult Resize();
  HResult Paint(PaintSurface& surface);

 private:
  friend std::intptr_t mSysTray::TrayWindowProc(WindowProcSlots&, WindowHandle, std::uint32_t,
                                                std::uintptr_t, std::intptr_t);

  void TrayMouseMessage(std::int32_t& Msg, std::int32_t& Id);
  // The shell rebuilt its notification area, without our icon.
  void ShellRestarted();

  void AddToTray(WindowHandle hWnd, std::int32_t ID, std::string_view Tip,
                 const std::optional<Picture>& Icon);
  void RemoveFromTray(WindowHandle hWnd, std::int32_t ID);
  // The record's form follows `fields.tip`, the tip the icon has as of the
  // call, also when the call does not set it: so the icon keeps to one form
  // for as long as its tip does.
  void Notify(std::uint32_t message, const NotifyIconFields& fields);

  SysTrayPorts ports_;

  bool InTrayValue = false;
  std::int32_t IconID = 0;
  std::string TipText;
  WindowHandle ControlHwnd = 0;
  std::optional<Picture> IconPicture;
  bool IconAdded = false;
};

}  // namespace orvo
